// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The words of a task written in sentences, as data: a teacher who finds a
// word missing adds a row. A word is first brought to its dictionary form
// (Forms), then runs of such forms are matched against Phrases, longest first.

#include <string_view>

#include "task.h"

namespace calc::words {

// A word's forms: the stem followed by one of the endings (comma-separated,
// an empty one meaning the stem alone), all read as `lemma`.
// Example: {u"радиус", u",а,ът,и,ите", u"радиус"} reads "радиусът" as "радиус".
struct Form {
    std::u16string_view stem;
    std::u16string_view endings;
    std::u16string_view lemma;
};

// clang-format off
inline constexpr Form Forms[]{
    // The quantities.
    {u"радиус", u",а,ът,и,ите", u"радиус"},
    {u"диаметър", u",а,ът", u"диаметър"},
    {u"диаметр", u"и,ите", u"диаметър"},
    {u"височин", u"а,ата,и,ите", u"височина"},
    {u"образуващ", u"а,ата,и,ите", u"образуваща"},
    {u"дължин", u"а,ата", u"дължина"},
    {u"лице", u",то", u"лице"},
    {u"площ", u",та", u"лице"},
    {u"основ", u"а,ата", u"основа"},
    {u"основ", u"и,ите", u"основи"},
    {u"дън", u"о,ото", u"основа"},
    {u"дълбочин", u"а,ата", u"височина"},
    {u"дълъг", u"", u"дълъг"},
    {u"дълг", u"а,о,и", u"дълъг"},
    {u"висок", u",а,о,и", u"дълъг"},
    {u"развит", u",а,о", u"развит"},
    {u"наклонен", u",ия,ият", u"наклонен"},
    {u"претоп", u"ен,ено,ена,ят,ени", u"претопен"},
    {u"еднакв", u"и,ите", u"еднакви"},
    {u"околн", u"а,ата,о,ото", u"околна"},
    {u"повърхнин", u"а,ата,и,ите", u"повърхнина"},
    {u"повърхност", u",та,и", u"повърхнина"},
    {u"пълн", u"а,ата,ия,ият,о,ото", u"пълна"},
    {u"цял", u"а,ата", u"пълна"},
    {u"обем", u",а,ът,и", u"обем"},
    {u"вместимост", u",та", u"обем"},
    {u"капацитет", u",а,ът", u"обем"},
    {u"обиколк", u"а,ата", u"обиколка"},
    {u"окръжност", u",та", u"окръжност"},
    {u"осн", u"о,ото", u"осно"},
    {u"сечени", u"е,ето", u"сечение"},
    {u"диагонал", u",а,ът,и,ите", u"диагонал"},
    {u"периметър", u",а,ът", u"периметър"},
    {u"развивк", u"а,ата", u"развивка"},
    {u"вписан", u",а,ата,о,ото,ия,ият", u"вписан"},
    {u"описан", u",а,ата,о,ото,ия,ият", u"описан"},
    {u"сфер", u"а,ата", u"сфера"},
    {u"кълб", u"о,ото,а", u"сфера"},
    {u"мас", u"а,ата", u"маса"},
    {u"тегл", u"о,ото", u"маса"},
    {u"плътност", u",та", u"плътност"},
    // The cylinder and its shapes.
    {u"цилиндър", u",а,ът", u"цилиндър"},
    {u"цилиндр", u"и,ите", u"цилиндър"},
    {u"цилиндрич", u"ен,на,но,ни,ния,ният,ната,ното", u"цилиндричен"},
    {u"прав", u",а,ия,ият,о", u"прав"},
    {u"кръгов", u",а,ия,ият,о", u"кръгов"},
    {u"квадрат", u",а,ът", u"квадрат"},
    {u"правоъгълник", u",а,ът", u"правоъгълник"},
    {u"стран", u"а,ата,и,ите", u"страна"},
    {u"ъгъл", u",а,ът", u"ъгъл"},
    {u"равнин", u"а,ата", u"равнина"},
    // Vessels and bodies of the cylinder's shape: read as "съд".
    {u"коф", u"а,ата,и", u"съд"},
    {u"кути", u"я,ята,и", u"съд"},
    {u"резервоар", u",а,ът,и", u"съд"},
    {u"варел", u",а,ът,и", u"съд"},
    {u"бидон", u",а,ът,и", u"съд"},
    {u"басейн", u",а,ът,и", u"съд"},
    {u"цистерн", u"а,ата,и", u"съд"},
    {u"буркан", u",а,ът,и", u"съд"},
    {u"чаш", u"а,ата,и", u"съд"},
    {u"тенджер", u"а,ата,и", u"съд"},
    {u"бъчв", u"а,ата,и", u"съд"},
    {u"колон", u"а,ата,и", u"съд"},
    {u"стълб", u",а,ът", u"съд"},
    {u"вал", u",а,ът", u"съд"},
    {u"прът", u",а,ът", u"съд"},
    {u"кладен", u"ец,еца,ецът", u"съд"},
    {u"консерв", u"а,ата,и", u"съд"},
    // Relations.
    {u"по-голям", u",а,о,и", u"по-голям"},
    {u"по-дълъг", u"", u"по-голям"},
    {u"по-дълг", u"а,о,и", u"по-голям"},
    {u"по-висок", u",а,о,и", u"по-голям"},
    {u"по-мал", u"ък,ка,ко,ки", u"по-малък"},
    {u"по-къс", u",а,о,и", u"по-малък"},
    {u"по-нис", u"ък,ка,ко,ки", u"по-малък"},
    {u"рав", u"ен,на,но,ни", u"равен"},
    {u"утроен", u",ия,ият,а,ата,о,ото", u"утроен"},
    {u"удвоен", u",ия,ият,а,ата,о,ото", u"удвоен"},
    {u"учетворен", u",ия,ият,а,ата,о,ото", u"учетворен"},
    {u"половин", u",а,ата", u"половина"},
    {u"третин", u"а,ата", u"третина"},
    {u"четвъртин", u"а,ата", u"четвъртина"},
    {u"дв", u"а,е,ете,амата", u"два"},
    {u"отнас", u"ят,я", u"отнасят"},
    {u"отношени", u"е,ето", u"отношение"},
    {u"надвишав", u"а,ат", u"надвишава"},
    {u"сключв", u"а,ат", u"сключва"},
    // Words that change what the numbers mean, which no pattern reads: their clause is quoted.
    {u"отговор", u",а,ът,и,ите", u"отговор"},
    {u"сбор", u",а,ът", u"сбор"},
    {u"разлик", u"а,ата", u"разлика"},
    {u"произведени", u"е,ето", u"произведение"},
    {u"процент", u",а,ът,и,ите", u"процент"},
    {u"увелич", u"и,ат,и се,ава,ават,ен,ена,ено,ени", u"увеличи"},
    {u"намал", u"и,ят,ява,яват,ен,ена,ено,ени", u"намали"},
    {u"удво", u"и,ят", u"удвои"},
    {u"утро", u"и,ят", u"утрои"},
    {u"промен", u"и,ят,я,ена,ено,ен,ени", u"промени"},
    {u"наклон", u"ена,ено", u"наклонен"},
    // Asking and rounding.
    {u"намер", u"ете,и,им,ят,ите", u"намери"},
    {u"пресметн", u"ете,и,ат,е,ем", u"пресметни"},
    {u"изчисл", u"ете,и,ят,им", u"изчисли"},
    {u"определ", u"ете,и,ят,им", u"определи"},
    {u"търс", u"и,ят", u"търси"},
    {u"теж", u"и,ат", u"тежи"},
    {u"десет", u"и,ите,а,ата", u"десети"},
    {u"стотн", u"и,ите,а,ата", u"стотни"},
    {u"хилядн", u"и,ите,а,ата", u"хилядни"},
    {u"единиц", u"а,и,ите", u"единици"},
    {u"числ", u"о,а", u"число"},
    {u"цел", u"и", u"цяло"},
    {u"цял", u"о", u"цяло"},
    {u"точност", u",та", u"точност"},
    {u"капак", u",а", u"капак"},
    {u"тръб", u"а,ата,и", u"тръба"},
    {u"отворен", u",а,о,ия", u"отворен"},
    // Units.
    {u"литр", u"а,и", u"литър"},
    {u"милилитр", u"а,и", u"милилитър"},
    {u"хектолитр", u"а,и", u"хектолитър"},
    {u"метр", u"а,и", u"метър"},
    {u"сантиметр", u"а,и", u"сантиметър"},
    {u"дециметр", u"а,и", u"дециметър"},
    {u"милиметр", u"а,и", u"милиметър"},
    {u"кубич", u"ен,ни,ния,ески,еския", u"кубичен"},
    {u"квадратн", u"и,ия,а", u"квадратен"},
    {u"грам", u",а,ове", u"грам"},
    {u"килограм", u",а,и,ове", u"килограм"},
    {u"тон", u",а,ове", u"тон"},
    // What the program does not solve.
    {u"конус", u",а,ът,и", u"конус"},
    {u"пирамид", u"а,ата,и", u"пирамида"},
    {u"призм", u"а,ата,и", u"призма"},
    {u"куб", u",а,ът,ове", u"куб"},
    {u"съд", u",а,ът,ове,овете", u"съд"},
    {u"втор", u"и,ия,ият,а,ата,о", u"втори"},
    {u"друг", u"ия,ият,ата,ото", u"друг"},
    {u"нив", u"о,ото", u"ниво"},
    {u"равнищ", u"е,ето", u"ниво"},
    {u"покач", u"ва,ват,и,ат,ило", u"покачва"},
    {u"кух", u",а,о,ия,ият", u"кух"},
    {u"дебелин", u"а,ата", u"дебелина"},
    {u"успоредн", u"о,а,и", u"успоредно"},
    {u"ос", u",та", u"ос"},
    {u"разстояни", u"е,ето", u"разстояние"},
    {u"пресечен", u",а,о,ия", u"пресечен"},
};
// clang-format on

// What a phrase says.
enum class Role : unsigned char {
    Filler,    // there for the sentence: "прав кръгов цилиндър", "на", "му"
    Quantity,  // a measure (arg); -1 for "лице", read from the shape it belongs to
    Shape,     // the axial section or the development (arg), before "е квадрат"
    // The sphere inscribed (arg 0), around (1) or not said (2): its r, S, V
    // next to it; "вписан" (3) and "описан" (4) alone say which, as does
    // "вписан в сфера" (5), its measure after "с": "… с радиус 5 cm".
    Sphere,
    Verb,     // "е", "са", "има", "=": a subject and what it is
    Equal,    // "равен на", "колкото"; "равни" (arg 1): two quantities equal
    Greater,  // "по-голям", "повече"
    Smaller,  // "по-малък"
    Times,    // "пъти"
    Of,       // "от"
    With,     // "с", "със"
    And,      // "и"
    Respectively,  // "съответно"
    Relate,        // "се отнасят както"
    RatioOf,       // "отношението на"
    To,            // "към"
    Exceeds,       // "надвишава"
    Count,         // a number written out (arg): "два", "три"
    Multiple,      // a multiple (arg) of what follows: "утроения"
    Fraction,      // a part (1/arg) of what follows: "половината от"
    Square,        // "е квадрат", arg what "с" gives: 0 nothing, 1 its side,
    Rectangle,     // 2 its area, 3 its diagonal, 4 its perimeter
    Angle,         // "ъгъл"
    Base,          // "основата": the angle's other side
    Tilts,         // "сключва", "наклонен под"
    Ask,           // "намерете", "да се пресметне", "колко е"
    HowMany,       // "колко": with a unit word, what is asked
    Weighs,        // "тежи"
    Density,       // "плътността"
    Unit,          // a unit's name (arg: its index in UnitSymbols)
    Places,        // "до десетите": the places (arg)
    Accuracy,      // "с точност до" (a number follows)
    Open,      // "без капак" (arg 1), "отворен от двете страни" (arg 2)
    Label,     // "задача": the task's number follows
    Refuse,    // a task of another kind (arg: its index in Refusals)
    Not,       // "не": what it denies is not read
    Changes,   // "сбор", "увеличи", "процент", "пи": a meaning no pattern reads
    AnswerIn,  // "отговора": a unit named in its sentence is every answer's
};

struct Phrase {
    std::u16string_view lemmas;  // dictionary forms, one space between
    Role role;
    int arg;
};

constexpr int q(Measure m) {
    return static_cast<int>(m);
}
using M = Measure;

// The units a sentence names in words, as the notebook writes them.
inline constexpr std::u16string_view UnitSymbols[]{
    u"l", u"ml", u"hl", u"m³", u"dm³", u"cm³", u"m²", u"dm²", u"cm²",
    u"m", u"dm", u"cm", u"mm", u"g",   u"kg",  u"t",  u"mm³", u"mm²",
};

// What the program does not solve, said after Text::TaskRefused.
inline constexpr std::u16string_view Refusals[]{
    u"тази задача е и за конус.",
    u"тази задача е и за пирамида.",
    u"тази задача е и за призма.",
    u"тази задача е и за куб.",
    u"тази задача е за два цилиндъра или съда.",
    u"тази задача е за нивото на течност.",
    u"тази задача е за сечение, успоредно на оста.",
    u"тази задача е за кух цилиндър.",
    u"тази задача е за наклонен цилиндър.",
    u"тази задача е за няколко тела.",
    u"тази задача пита за величина на сферата, която програмата не смята.",
};
// The refusal of a sphere's quantity the program has no formula for.
inline constexpr int SphereRefusal = 10;

// clang-format off
inline constexpr Phrase Phrases[]{
    // The quantities, by the book's letter too.
    {u"радиус", Role::Quantity, q(M::R)},
    {u"радиус на основа", Role::Quantity, q(M::R)},
    {u"радиус на основи", Role::Quantity, q(M::R)},
    {u"r", Role::Quantity, q(M::R)},
    {u"R", Role::Quantity, q(M::R)},
    {u"диаметър", Role::Quantity, q(M::d)},
    {u"диаметър на основа", Role::Quantity, q(M::d)},
    {u"d", Role::Quantity, q(M::d)},
    {u"обиколка", Role::Quantity, q(M::C)},
    {u"обиколка на основа", Role::Quantity, q(M::C)},
    {u"дължина на окръжност", Role::Quantity, q(M::C)},
    {u"дължина на окръжност на основа", Role::Quantity, q(M::C)},
    {u"лице на основа", Role::Quantity, q(M::B)},
    {u"височина", Role::Quantity, q(M::H)},
    {u"дълъг", Role::Quantity, q(M::H)},
    {u"образуваща", Role::Quantity, q(M::H)},
    {u"дължина", Role::Quantity, q(M::H)},
    {u"h", Role::Quantity, q(M::H)},
    {u"H", Role::Quantity, q(M::H)},
    {u"лице на околна повърхнина", Role::Quantity, q(M::So)},
    {u"околна повърхнина", Role::Quantity, q(M::So)},
    {u"лице на повърхнина", Role::Quantity, q(M::Sp)},
    {u"повърхнина", Role::Quantity, q(M::Sp)},
    {u"пълна повърхнина", Role::Quantity, q(M::Sp)},
    {u"лице на пълна повърхнина", Role::Quantity, q(M::Sp)},
    {u"обем", Role::Quantity, q(M::V)},
    {u"V", Role::Quantity, q(M::V)},
    {u"S", Role::Quantity, q(M::So)},  // the book's letters: "Пресметнете S₁ и V."
    {u"S₁", Role::Quantity, q(M::Sp)},
    {u"C", Role::Quantity, q(M::C)},
    {u"B", Role::Quantity, q(M::B)},
    {u"Q", Role::Quantity, q(M::AxialArea)},
    {u"лице", Role::Quantity, -1},
    {u"лице на осно сечение", Role::Quantity, q(M::AxialArea)},
    {u"диагонал", Role::Quantity, q(M::AxialDiagonal)},
    {u"диагонал на осно сечение", Role::Quantity, q(M::AxialDiagonal)},
    {u"периметър", Role::Quantity, q(M::AxialPerimeter)},
    {u"периметър на осно сечение", Role::Quantity, q(M::AxialPerimeter)},
    {u"диагонал на развивка", Role::Quantity, q(M::DevelopmentDiagonal)},
    {u"диагонал на развивка на околна повърхнина", Role::Quantity, q(M::DevelopmentDiagonal)},
    {u"маса", Role::Quantity, q(M::Mass)},
    {u"дължина на диагонал", Role::Quantity, q(M::AxialDiagonal)},
    {u"дължина на диагонал на осно сечение", Role::Quantity, q(M::AxialDiagonal)},
    {u"дължина на диагонал на развивка", Role::Quantity, q(M::DevelopmentDiagonal)},
    {u"околна", Role::Quantity, q(M::So)},
    {u"пълна", Role::Quantity, q(M::Sp)},
    {u"сфера", Role::Sphere, 2},
    {u"вписан", Role::Sphere, 3},
    {u"описан", Role::Sphere, 4},
    {u"вписан сфера", Role::Sphere, 0},
    {u"вписан в цилиндър сфера", Role::Sphere, 0},
    {u"сфера вписан в цилиндър", Role::Sphere, 0},
    {u"описан около сфера", Role::Sphere, 0},
    {u"описан сфера", Role::Sphere, 1},
    {u"сфера описан около цилиндър", Role::Sphere, 1},
    {u"описан около него сфера", Role::Sphere, 1},
    {u"вписан в него сфера", Role::Sphere, 0},
    {u"описан около цилиндър сфера", Role::Sphere, 1},
    {u"вписан в сфера", Role::Sphere, 5},  // the cylinder in the ball: the sphere around
    {u"вписан цилиндър", Role::Sphere, 4},  // "В кълбо … е вписан цилиндър"
    {u"описан цилиндър", Role::Sphere, 3},  // "Около кълбо … е описан цилиндър"
    {u"осно сечение", Role::Shape, q(M::AxialArea)},
    {u"развивка", Role::Shape, q(M::DevelopmentDiagonal)},
    {u"развит в", Role::Shape, q(M::DevelopmentDiagonal)},
    {u"развивка на околна повърхнина", Role::Shape, q(M::DevelopmentDiagonal)},
    // Linking words.
    {u"е", Role::Verb, 0},
    {u"са", Role::Verb, 0},
    {u"има", Role::Verb, 0},
    {u"имат", Role::Verb, 0},
    {u"възлиза на", Role::Verb, 0},
    {u"равен на", Role::Equal, 0},
    {u"равен", Role::Equal, 1},  // "радиусът и височината са равни"
    {u"колкото", Role::Equal, 0},
    {u"по-голям", Role::Greater, 0},
    {u"повече", Role::Greater, 0},
    {u"по-малък", Role::Smaller, 0},
    {u"пъти", Role::Times, 0},
    {u"път", Role::Times, 0},
    {u"от", Role::Of, 0},
    {u"с", Role::With, 0},
    {u"със", Role::With, 0},
    {u"и", Role::And, 0},
    {u"съответно", Role::Respectively, 0},
    {u"се отнасят както", Role::Relate, 0},
    {u"се отнасят като", Role::Relate, 0},
    {u"отношение на", Role::RatioOf, 0},
    {u"към", Role::To, 0},
    {u"надвишава", Role::Exceeds, 0},
    {u"два", Role::Count, 2},
    {u"три", Role::Count, 3},
    {u"четири", Role::Count, 4},
    {u"пет", Role::Count, 5},
    {u"шест", Role::Count, 6},
    {u"седем", Role::Count, 7},
    {u"осем", Role::Count, 8},
    {u"девет", Role::Count, 9},
    {u"десет", Role::Count, 10},
    {u"удвоен", Role::Multiple, 2},
    {u"утроен", Role::Multiple, 3},
    {u"учетворен", Role::Multiple, 4},
    {u"половина", Role::Changes, 0},
    {u"сбор", Role::Changes, 0},
    {u"разлика", Role::Changes, 0},
    {u"произведение", Role::Changes, 0},
    {u"процент", Role::Changes, 0},
    {u"увеличи", Role::Changes, 0},
    {u"намали", Role::Changes, 0},
    {u"удвои", Role::Changes, 0},
    {u"утрои", Role::Changes, 0},
    {u"промени", Role::Changes, 0},
    {u"двойно", Role::Changes, 0},
    {u"наполовина", Role::Changes, 0},
    {u"пи", Role::Changes, 0},
    {u"половина от", Role::Fraction, 2},
    {u"половина на", Role::Fraction, 2},
    {u"третина от", Role::Fraction, 3},
    {u"една трета от", Role::Fraction, 3},
    {u"една трета на", Role::Fraction, 3},
    {u"една четвърт от", Role::Fraction, 4},
    {u"третина на", Role::Fraction, 3},
    {u"четвъртина от", Role::Fraction, 4},
    {u"четвъртина на", Role::Fraction, 4},
    // Shapes and the angle.
    {u"квадрат", Role::Square, 0},
    {u"квадрат със страна", Role::Square, 1},
    {u"квадрат с страна", Role::Square, 1},
    {u"квадрат с лице", Role::Square, 2},
    {u"квадрат с диагонал", Role::Square, 3},
    {u"квадрат с периметър", Role::Square, 4},
    {u"правоъгълник с лице", Role::Rectangle, 2},
    {u"правоъгълник с диагонал", Role::Rectangle, 3},
    {u"правоъгълник с периметър", Role::Rectangle, 4},
    {u"ъгъл", Role::Angle, 0},
    {u"основа", Role::Base, 0},
    {u"равнина на основа", Role::Base, 0},
    {u"сключва", Role::Tilts, 0},
    {u"наклонен под", Role::Tilts, 0},
    {u"между", Role::Tilts, 0},
    // Asking.
    {u"намери", Role::Ask, 0},
    {u"да се намери", Role::Ask, 0},
    {u"пресметни", Role::Ask, 0},
    {u"да се пресметни", Role::Ask, 0},
    {u"изчисли", Role::Ask, 0},
    {u"да се изчисли", Role::Ask, 0},
    {u"определи", Role::Ask, 0},
    {u"да се определи", Role::Ask, 0},
    {u"търси се", Role::Ask, 0},
    {u"търси", Role::Ask, 0},
    {u"какъв", Role::Ask, 0},
    {u"каква", Role::Ask, 0},
    {u"какво", Role::Ask, 0},
    {u"колко", Role::HowMany, 0},
    {u"отговор", Role::AnswerIn, 0},
    {u"тежи", Role::Weighs, 0},
    {u"плътност", Role::Density, 0},
    {u"литър", Role::Unit, 0},
    {u"милилитър", Role::Unit, 1},
    {u"хектолитър", Role::Unit, 2},
    {u"кубичен метър", Role::Unit, 3},
    {u"кубичен дециметър", Role::Unit, 4},
    {u"кубичен сантиметър", Role::Unit, 5},
    {u"квадратен метър", Role::Unit, 6},
    {u"квадратен дециметър", Role::Unit, 7},
    {u"квадратен сантиметър", Role::Unit, 8},
    {u"кубичен милиметър", Role::Unit, 16},
    {u"квадратен милиметър", Role::Unit, 17},
    {u"л", Role::Unit, 0},
    {u"мл", Role::Unit, 1},
    {u"метър", Role::Unit, 9},
    {u"дециметър", Role::Unit, 10},
    {u"сантиметър", Role::Unit, 11},
    {u"милиметър", Role::Unit, 12},
    {u"грам", Role::Unit, 13},
    {u"килограм", Role::Unit, 14},
    {u"тон", Role::Unit, 15},
    {u"до десети", Role::Places, 1},
    {u"до стотни", Role::Places, 2},
    {u"до хилядни", Role::Places, 3},
    {u"до цяло", Role::Places, 0},
    {u"до цяло число", Role::Places, 0},
    {u"цяло число", Role::Places, 0},
    {u"десети", Role::Places, 1},
    {u"стотни", Role::Places, 2},
    {u"хилядни", Role::Places, 3},
    {u"до единици", Role::Places, 0},
    {u"с точност до", Role::Accuracy, 0},
    {u"точност до", Role::Accuracy, 0},
    {u"без капак", Role::Open, 1},
    {u"тръба", Role::Open, 2},
    {u"отворен отгоре", Role::Open, 1},
    {u"отворен от едната страна", Role::Open, 1},
    {u"отворен от два страна", Role::Open, 2},
    {u"без основа", Role::Open, 1},
    {u"отворен", Role::Open, 1},  // an open vessel: open at the top
    {u"без основи", Role::Open, 2},
    {u"без два основи", Role::Open, 2},
    {u"задача", Role::Label, 0},
    {u"не", Role::Not, 0},
    // What the program does not solve.
    {u"конус", Role::Refuse, 0},
    {u"пирамида", Role::Refuse, 1},
    {u"призма", Role::Refuse, 2},
    {u"куб", Role::Refuse, 3},
    {u"два цилиндър", Role::Refuse, 4},
    {u"втори цилиндър", Role::Refuse, 4},
    {u"друг цилиндър", Role::Refuse, 4},
    {u"два съд", Role::Refuse, 4},
    {u"втори съд", Role::Refuse, 4},
    {u"друг съд", Role::Refuse, 4},
    {u"ниво", Role::Refuse, 5},
    {u"покачва", Role::Refuse, 5},
    {u"успоредно на ос", Role::Refuse, 6},
    {u"разстояние", Role::Refuse, 6},
    {u"пресечен с равнина", Role::Refuse, 6},
    {u"кух", Role::Refuse, 7},
    {u"наклонен цилиндър", Role::Refuse, 8},
    {u"претопен", Role::Refuse, 9},
    {u"еднакви цилиндър", Role::Refuse, 9},
    {u"дебелина", Role::Refuse, 7},
    // Said for the sentence's sake.
    {u"на", Role::Filler, 0},
    {u"в", Role::Filler, 0},
    {u"във", Role::Filler, 0},
    {u"а", Role::Filler, 0},
    {u"му", Role::Filler, 0},
    {u"ѝ", Role::Filler, 0},
    {u"й", Role::Filler, 0},
    {u"прав", Role::Filler, 0},
    {u"кръгов", Role::Filler, 0},
    {u"цилиндър", Role::Filler, 0},
    {u"цилиндричен", Role::Filler, 0},
    {u"съд", Role::Filler, 0},
    {u"даден", Role::Filler, 0},
    {u"дадения", Role::Filler, 0},
    {u"един", Role::Filler, 0},
    {u"една", Role::Filler, 0},
    {u"също", Role::Filler, 0},
    {u"ако", Role::Filler, 0},
    {u"при", Role::Filler, 0},
    {u"който", Role::Filler, 0},
    {u"която", Role::Filler, 0},
    {u"чийто", Role::Filler, 0},
    {u"чиято", Role::Filler, 0},
    {u"чието", Role::Filler, 0},
    {u"за", Role::Filler, 0},
    {u"се", Role::Filler, 0},
};
// clang-format on

}  // namespace calc::words

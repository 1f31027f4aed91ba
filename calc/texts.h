// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/calculationerror.h"

namespace calc {

// Every sentence the program shows, by what it is for.
enum class Text {
    // The report area's two lines.
    RadiusLinePrefix,
    SurfaceLinePrefix,
    // The error dialog: its caption, the condition, then what it stopped at.
    ErrorCaption,
    DivisionByZero,
    Overflow,
    InvalidArgument,
    WrongUnit,
    UnreadText,
    TextAfterNumber,
    UnknownFailure,
    CannotCompute,
    TypedValueOf,
    IsNoNumber,
    SphereSurfaceName,
    LengthUnits,
    AreaUnits,
    VolumeUnits,
    // The solution.
    Given,
    Answer,
    ProgramPi,
    PositiveRoot,
    LargestSphere,
    NoSuchCylinder,
    RMustBePositive,
    HMustBePositive,
    SoMustBePositive,
    SpMustBePositive,
    VMustBePositive,
    NoDivisionByZero,
    NoNegativeSquare,
    TooLarge,
    OutOfRange,
    OnlyThenInscribed,
    AroundSphere,
    // How the largest sphere sits: in the solution and in the sketch's title.
    TouchesBases,
    TouchesLateral,
    TouchesAll,
    // The sketch.
    SketchTitle,
    SketchNotToScale,
    NotToScale,
    // The window: what a screen reader says of the boxes and the text areas.
    RadiusName,
    HeightName,
    LateralName,
    TotalName,
    VolumeName,
    ReportAreaName,
    QuotationName,
    // A touch screen's keys for the signs its keypad lacks: what a screen reader says.
    PiKeyName,
    RootKeyName,
    FractionKeyName,
    // The desktop's solution window: its caption, how it is asked for, its menu.
    SolutionCaption,
    ShowSolution,
    SolutionKeyHint,
    CopySolution,
    PrintSolution,
    CloseSolution,
    // The choice of the place the answer is rounded to: its name, then each
    // place in calc::Rounding's order (the window adds its sample, "(0,01)").
    RoundingName,
    RoundAll,
    RoundTenths,
    RoundHundredths,
    RoundThousandths,
    // A task: why no cylinder was found; the facts it concerns follow, quoted.
    NothingGiven,
    TooFew,
    TaskWrongUnit,
    TaskTooLarge,
    Unsupported,
    NotGiven,
    NoCylinder,
    SameTwice,
    Contradiction,
    NoDensity,
    OnlyFirst,
    OnlySecond,
    TwoPi,
    NoInscribedSphere,
    AnswerOutOfRange,
    NoUnits,
    MissingUnit,
    NotUnderstood,
    TaskRefused,
    // The solution.
    Sought,
    TaskPiApprox,
    TaskPiSevenths,
    TwoCylinders,
    FirstCylinder,
    SecondCylinder,
    GridPart,
    RightOption,
    NoOption,
    // The field.
    FieldName,
    SolveButton,
};

struct TextEntry {
    Text id;
    std::u16string_view text;
};

// clang-format off
inline constexpr TextEntry Texts[]{
    {Text::RadiusLinePrefix, u"Радиус на максималната вписана сфера: "},
    {Text::SurfaceLinePrefix, u"Повърхнина на сферата: "},
    {Text::ErrorCaption, u"Грешка при изчисляването"},
    {Text::DivisionByZero, u"Деление на нула."},
    {Text::Overflow, u"Препълване: резултатът е извън допустимия обхват."},
    {Text::InvalidArgument, u"Корен квадратен от отрицателно число."},
    {Text::WrongUnit, u"Грешна мерна единица."},
    {Text::UnreadText, u"Неразбран текст."},
    {Text::TextAfterNumber, u" продължава след числото с текст, който не е мерна единица."},
    {Text::UnknownFailure, u"Грешка при изчисляването."},
    {Text::CannotCompute, u"\nНе може да се изчисли "},
    {Text::TypedValueOf, u"\nВъведената стойност на "},
    {Text::IsNoNumber, u" не може да се представи като число."},
    {Text::SphereSurfaceName, u"повърхнината на сферата"},
    {Text::LengthUnits, u" е дължина: пишете mm, cm, dm, m или km (мм, см, дм, м, км)."},
    {Text::AreaUnits, u" е лице: пишете mm², cm², dm², m² или km² (мм², см², дм², м², км²)."},
    {Text::VolumeUnits, u" е обем: пишете mm³, cm³, dm³, m³, l или ml (мм³, см³, дм³, м³, л, мл)."},
    {Text::Given, u"Дадено:"},
    {Text::Answer, u"Отговор:"},
    {Text::ProgramPi, u"Програмата смята с"},
    {Text::PositiveRoot, u"(положителният корен)"},
    {Text::LargestSphere, u"Най-голямата сфера в цилиндъра има радиус"},
    {Text::NoSuchCylinder, u"Такъв цилиндър не съществува"},
    {Text::RMustBePositive, u"радиусът R трябва да е положително число"},
    {Text::HMustBePositive, u"височината H трябва да е положително число"},
    {Text::SoMustBePositive, u"околната повърхнина So трябва да е положително число"},
    {Text::SpMustBePositive, u"пълната повърхнина Sp трябва да е положително число"},
    {Text::VMustBePositive, u"обемът V трябва да е положително число"},
    {Text::NoDivisionByZero, u": на нула не се дели."},
    {Text::NoNegativeSquare, u": няма реално число, чийто квадрат е отрицателен."},
    {Text::TooLarge, u"Числото е твърде голямо: програмата смята с числа до"},
    {Text::OutOfRange, u"Такъв цилиндър е извън обхвата на програмата."},
    {Text::OnlyThenInscribed, u": само тогава тя е вписана в цилиндъра."},
    {Text::AroundSphere, u"Около цилиндъра може да се опише сфера: тя минава през окръжностите "
                         u"на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е "
                         u"половината от диагонала на осното сечение:"},
    {Text::TouchesBases, u"сферата се допира до двете основи"},
    {Text::TouchesLateral, u"сферата се допира до околната повърхнина"},
    {Text::TouchesAll, u"сферата се допира до двете основи и до околната повърхнина"},
    {Text::SketchTitle, u"Чертеж: цилиндърът с най-голямата сфера в него и осното му сечение — "
                        u"правоъгълник 2R × H с окръжност с радиус r. "},
    {Text::SketchNotToScale, u" Чертежът не е в мащаб."},
    {Text::NotToScale, u"не в мащаб"},
    {Text::RadiusName, u"Радиус на основата"},
    {Text::HeightName, u"Височина"},
    {Text::LateralName, u"Околна повърхнина"},
    {Text::TotalName, u"Пълна повърхнина"},
    {Text::VolumeName, u"Обем"},
    {Text::ReportAreaName, u"Задание и резултат: вписана сфера"},
    {Text::QuotationName, u"Цитат"},
    {Text::PiKeyName, u"Пи"},
    {Text::RootKeyName, u"Корен квадратен"},
    {Text::FractionKeyName, u"Дробна черта"},
    {Text::SolutionCaption, u"Решение"},
    {Text::ShowSolution, u"Покажи решението"},
    {Text::SolutionKeyHint, u"F2 показва решението в отделен прозорец; там е и полето „Задача“."},
    {Text::CopySolution, u"Копирай"},
    {Text::PrintSolution, u"Печат…"},
    {Text::CloseSolution, u"Затвори"},
    {Text::RoundingName, u"Закръгляне на отговора"},
    {Text::RoundAll, u"всички цифри"},
    {Text::RoundTenths, u"до десетите"},
    {Text::RoundHundredths, u"до стотните"},
    {Text::RoundThousandths, u"до хилядните"},
    {Text::NothingGiven, u"В задачата няма данни за цилиндъра."},
    {Text::TooFew, u"Данните не стигат: нужни са две независими данни за цилиндъра."},
    {Text::TaskWrongUnit, u"Мерната единица не е за тази величина: "},
    {Text::TaskTooLarge, u"Числото е твърде голямо: "},
    {Text::Unsupported, u"Програмата не решава такава връзка: "},
    {Text::NotGiven, u"Тази величина не може да е дадена: "},
    {Text::NoCylinder, u"Няма цилиндър с такива данни: "},
    {Text::SameTwice, u"Две данни казват едно и също, нужна е още една независима: "},
    {Text::Contradiction, u"Данните си противоречат: "},
    {Text::NoDensity, u"За масата е нужна плътността на материала: "},
    {Text::OnlyFirst, u"От двата цилиндъра само първият отговаря и на "},
    {Text::OnlySecond, u"От двата цилиндъра само вторият отговаря и на "},
    {Text::TwoPi, u"Задачата дава π два пъти различно: "},
    {Text::NoInscribedSphere,
     u"Сфера се вписва само в цилиндър с h = 2r, а в този h ≠ 2r: "},
    {Text::AnswerOutOfRange, u"Отговорът е извън числата, които програмата пише: "},
    {Text::NoUnits, u"Данните са без мерни единици, а отговорът се иска в мерна единица: "},
    {Text::MissingUnit, u"Други данни са с мерни единици, а тази е без: "},
    {Text::NotUnderstood, u"Не разбрах:"},
    {Text::TaskRefused, u"Програмата решава задачи за един цилиндър; "},
    {Text::Sought, u"Търси се:"},
    {Text::TaskPiApprox, u"Смятаме с π ≈ 3,14, както е в задачата."},
    {Text::TaskPiSevenths, u"Смятаме с π = 22/7, както е в задачата."},
    {Text::TwoCylinders, u"Два цилиндъра имат тези данни; решаваме за всеки."},
    {Text::FirstCylinder, u"Първият цилиндър:"},
    {Text::SecondCylinder, u"Вторият цилиндър:"},
    {Text::GridPart, u"Цилиндърът в таблицата, с π на програмата:"},
    {Text::RightOption, u"Верният отговор е "},
    {Text::NoOption, u"Никой от дадените отговори не съвпада с получения."},
    {Text::FieldName, u"Задача"},
    {Text::SolveButton, u"Реши"},
};
// clang-format on

// The table lists every Text once, in its order.
static_assert([] {
    for (std::size_t i = 0; i < std::size(Texts); ++i)
        if (static_cast<std::size_t>(Texts[i].id) != i) return false;
    return std::size(Texts) == static_cast<std::size_t>(Text::SolveButton) + 1;
}());

// The sentence `id` stands for, exactly as shown.
// Example: text(Text::Given) == u"Дадено:".
constexpr std::u16string_view text(Text id) {
    return Texts[static_cast<std::size_t>(id)].text;
}

// The error dialog's text of `error`: the condition, then the quantity
// (calc::Quantity as its id) it stopped at when it names one.
// Example: Overflow computing V ->
//   u"Препълване: резултатът е извън допустимия обхват.\nНе може да се изчисли V."
std::u16string describe(const platform::CalculationError& error);

}  // namespace calc

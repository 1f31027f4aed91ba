// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "calc/exactform.h"
#include "calc/taskreader.h"
#include "calc/tasksolution.h"
#include "expect.h"

namespace {

// The cylinders found, "r h" each in book form, then the solution's last
// line: the answer, or why there is none. Every figure worked out by hand;
// the decimals from 3.14159265358979 with a desk calculator.
struct Row {
    std::u16string_view task;
    std::vector<std::u16string_view> cylinders;
    std::u16string_view last;
};

// clang-format off
const Row Rows[]{
    // The two the notebook writes most.
    {u"d = 10 cm; h = d + 15 cm; S₁ = ?", {u"5 25"}, u"Отговор: S₁ = 300π ≈ 942,48 cm²."},
    {u"r = 6 cm, l = 8 cm, π ≈ 3,14, S = ?", {u"6 8"}, u"Отговор: S = 301,44 cm²."},
    // 2πr³ = 54π.
    {u"V = 54π cm³, h = d, r = ?", {u"3 6"}, u"Отговор: r = 3 cm."},
    {u"осното сечение е квадрат със страна 8 cm; V = ?", {u"4 8"}, u"Отговор: V = 128π ≈ 402,12 cm³."},
    // r = 132 · 7/44; V = 22/7 · 441 · 25 cm³.
    {u"C = 132 cm, h = 25 cm, π = 22/7, V = ? l", {u"21 25"}, u"Отговор: V = 34,65 l."},
    // r³ − 12r + 16 = (r − 2)²(r + 4): one cylinder, the root twice.
    {u"S₁ = 24π; V = 16π; r = ?", {u"2 4"}, u"Отговор: r = 2."},
    // r² + rh = 10, r²h = 12: r³ − 10r + 12 = (r − 2)(r² + 2r − 6); h = 12/r².
    {u"V = 12π, S1 = 20π, h = ?", {u"√7 − 1 (8 + 2√7)/3", u"2 3"},
     u"Отговор: h₁ = (8 + 2√7)/3 ≈ 4,43, h₂ = 3."},
    // 2rh = 48 and 4r² + h² = 100: 2r + h = 14, 2r − h = ±2.
    {u"Q = 48; диагонал = 10; V = ?", {u"3 8", u"4 6"},
     u"Отговор: V₁ = 72π ≈ 226,19, V₂ = 96π ≈ 301,59."},
    // 2π · 3 · 11 and 2π · 4 · 10: primes, as "S₁₁" would be nothing and "S₁" the whole surface.
    {u"Q = 48; диагонал = 10; S₁ = ?", {u"3 8", u"4 6"}, u"Отговор: S₁′ = 66π ≈ 207,35, S₁″ = 80π ≈ 251,33."},
    // S₁ = 2π · 4 · 10 keeps the second of the two.
    {u"Q = 48; диагонал = 10; S₁ = 80π; V = ?", {u"4 6"}, u"Отговор: V = 96π ≈ 301,59."},
    // A fact said twice, then the one missing; two that say the same, then one that does not.
    {u"r = 5, d = 10, h = 3, V = ?", {u"5 3"}, u"Отговор: V = 75π ≈ 235,62."},
    // 2πr · 2r = 48π: r² = 12.
    {u"S = 48π; Q = 48; h = 2r; V = ?", {u"2√3 4√3"}, u"Отговор: V = 48π√3 ≈ 261,19."},
    // h = 14 − 2r into 2rh = 48: r² − 7r + 12 = 0.
    {u"P = 28; Q = 48; r = ?", {u"3 8", u"4 6"}, u"Отговор: r₁ = 3, r₂ = 4."},
    {u"h = 3r + 5 cm; r = 2 cm; V = ?", {u"2 11"}, u"Отговор: V = 44π ≈ 138,23 cm³."},
    // r = 2/3 h into πr²h = 12π: h³ = 27.
    {u"r : h = 2 : 3; V = 12π; S₁ = ?", {u"2 3"}, u"Отговор: S₁ = 20π ≈ 62,83."},
    {u"h = 2C; r = 1; S = ?", {u"1 4π"}, u"Отговор: S = 8π² ≈ 78,96."},
    // r = 2V/S.
    {u"S = 60π; V = 150π; h = ?", {u"5 6"}, u"Отговор: h = 6."},
    {u"α = 60°; r = 2; h = ?", {u"2 4√3"}, u"Отговор: h = 4√3 ≈ 6,93."},
    {u"развивката е квадрат; r = 1; h = ?", {u"1 2π"}, u"Отговор: h = 2π ≈ 6,28."},
    {u"сфера r = 3; V = ?", {u"3 6"}, u"Отговор: V = 54π ≈ 169,65."},
    {u"B = 16π; S = 40π; V = ?", {u"4 5"}, u"Отговор: V = 80π ≈ 251,33."},
    // The ball around: r = √(5² − 3²).
    {u"описана сфера r = 5; h = 6; V = ?", {u"4 6"}, u"Отговор: V = 96π ≈ 301,59."},
    // 10π cm³ of 11,4 g/cm³.
    {u"r = 1 cm; h = 10 cm; плътност = 11,4 g/cm³; маса = ? g", {u"1 10"}, u"Отговор: маса = 114π ≈ 358,14 g."},
    {u"r = 2 dm; h = 5 dm; V = ? l; до цяло число", {u"2 5"}, u"Отговор: V = 20π ≈ 63 l."},
    // 7800 kg/m³ · 2π m³; 45π cm³ is 0,000141… m³, not 0,00.
    {u"r = 1 m; h = 2 m; плътност = 7800 kg/m³; маса = ?", {u"1 2"}, u"Отговор: маса = 15600π ≈ 49008,85 kg."},
    {u"r = 3 cm; h = 5 cm; V = ? m³", {u"3 5"}, u"Отговор: V = 9π/200000 ≈ 0,000141 m³."},
    // 2,5 t/m³ · 2π m³.
    {u"r = 1 m; h = 2 m; плътност = 2,5 t/m³; маса = ?", {u"1 2"}, u"Отговор: маса = 5π ≈ 15,71 t."},

    {u"Дадено:\nr = 2 cm, h = 5 cm\nТърси се:\nV", {u"2 5"}, u"Отговор: V = 20π ≈ 62,83 cm³."},
    {u"r = 5 cm, h = 8 cm, V = ? с точност до десетите", {u"5 8"}, u"Отговор: V = 200π ≈ 628,3 cm³."},
    // A given's π is the task's too: 3,14 · r² = 9 · 3,14; r = 6 · (22/7) / (2 · 22/7).
    {u"B = 9π; h = 2; π ≈ 3,14; V = ?", {u"3 2"}, u"Отговор: V = 56,52."},
    {u"C = 6π; h = 7; π = 22/7; V = ?", {u"3 7"}, u"Отговор: V = 198."},
    {u"S₁ = 24π; V = 16π; π = 22/7; r = ?", {u"2 4"}, u"Отговор: r = 2."},
    // What stops it.
    {u"r = 5; d = 10", {}, u"Две данни казват едно и също, нужна е още една независима: „d = 10“."},
    {u"r = 5; d = 11", {}, u"Данните си противоречат: „d = 11“."},
    // True of every cylinder: no part in it.
    {u"d = 2r; r = 2; h = 3; V = ?", {u"2 3"}, u"Отговор: V = 12π ≈ 37,70."},
    {u"S = 48π; Q = 48", {}, u"Две данни казват едно и също, нужна е още една независима: „S = 48π“, „Q = 48“."},
    {u"r = 5; h = 3; d = 12", {}, u"Данните си противоречат: „d = 12“."},
    {u"r = 5", {}, u"Данните не стигат: нужни са две независими данни за цилиндъра."},
    {u"π ≈ 3,14; π = 22/7; r = 7; h = 1; V = ?", {}, u"Задачата дава π два пъти различно: „π ≈ 3,14“, „π = 22/7“."},
    // (2r − h)² = 100 − 120 has no root.
    {u"Q = 60; диагонал = 10", {}, u"Няма цилиндър с такива данни: „Q = 60“, „диагонал = 10“."},
    {u"x = 5; h = 3", {}, u"Не разбрах: „x = 5“."},
    {u"r = 2 3/4; h = 1; V = ?", {}, u"Не разбрах: „r = 2 3/4“."},
    // 2π · 10³⁰⁸ is past the doubles, π · 10⁻⁶⁰⁰ below them.
    {u"r = 1e154; h = 1e154; S = ?", {}, u"Отговорът е извън числата, които програмата пише: „S = ?“."},
    {u"r = 1e-200; h = 1e-200; V = ?", {}, u"Отговорът е извън числата, които програмата пише: „V = ?“."},
    {u"r = 3; h = 4; сфера r = ?", {}, u"Сфера се вписва само в цилиндър с h = 2r, а в този h ≠ 2r: „сфера r = ?“."},
    {u"α = 90°; r = 2; h = ?", {}, u"Няма цилиндър с такива данни: „α = 90°“."},
    {u"r = 2; h = 3; V = ? l", {}, u"Данните са без мерни единици, а отговорът се иска в мерна единица: „V = ? l“."},
    {u"V = 0,5 l; h = 10; r = ?", {}, u"Други данни са с мерни единици, а тази е без: „h = 10“."},
    {u"Радиусът на цилиндър е 2 cm, а височината му е 5 cm. Колко тежи цилиндърът?", {},
     u"За масата е нужна плътността на материала: „маса = ?“."},
    // Pasted whole: the same answers as the notebook's lines.
    {u"Диаметърът на основата на прав кръгов цилиндър е 10 cm, а височината му е с 15 cm по-голяма "
     u"от диаметъра. Намерете лицето на повърхнината на цилиндъра.",
     {u"5 25"}, u"Отговор: S₁ = 300π ≈ 942,48 cm²."},
    // 2 · 3,14 · r · 5 = 94,2.
    {u"Лицето на околната повърхнина на цилиндър е 94,2 cm², а височината му е 5 cm. Намерете "
     u"радиуса на основата и обема на цилиндъра (π ≈ 3,14).",
     {u"3 5"}, u"Отговор: r = 3 cm, V = 141,3 cm³."},
    // V = 45π; 45 · 3,14 = 141,3.
    {u"Радиусът е 3 cm, височината 5 cm. Обемът е: А) 15π cm³ Б) 30π cm³ В) 45π cm³ Г) 60π cm³",
     {u"3 5"}, u"Верният отговор е В)."},
    {u"Цилиндър има радиус 3 cm и височина 5 cm. Намерете обема му (π ≈ 3,14). А) 141,4 Б) 141,3",
     {u"3 5"}, u"Верният отговор е Б)."},
    // 45π cm³ = 0,1413… dm³; "Г)" after a number labels the last option, it is no gram.
    {u"Радиусът е 3 cm, височината 5 cm. Обемът е: А) 0,15 dm³ Б) 0,14 dm³", {u"3 5"}, u"Верният отговор е Б)."},
    {u"Радиусът е 3 cm, височината 5 cm. Обемът е: А) 15π Б) 30π В) 60π Г) 45π", {u"3 5"},
     u"Верният отговор е Г)."},
    {u"Цилиндър има радиус 3 cm и височина 5 cm. Намерете обема. А) 45 cm³ Б) 90π cm³",
     {u"3 5"}, u"Никой от дадените отговори не съвпада с получения."},
    // The sphere around: ρ = √(6² + 8²); its ball's volume has no formula here.
    {u"Цилиндър има радиус 6 cm и височина 16 cm. Намерете радиуса на описаната около цилиндъра сфера.",
     {u"6 16"}, u"Отговор: ρ = 10 cm."},
    {u"Цилиндър с радиус 6 cm и височина 16 cm е вписан в кълбо. Намерете радиуса на кълбото.",
     {u"6 16"}, u"Отговор: ρ = 10 cm."},
    {u"Цилиндър с радиус 6 cm и височина 16 cm е вписан в кълбо. Намерете обема на кълбото.", {},
     u"Програмата решава задачи за един цилиндър; тази задача пита за величина на сферата, която програмата не смята."},
    // A unit's name after a number: 2 l = 2000 cm³, h = 2000/(25π); r = 20 cm, h = 100 cm.
    {u"Вместимостта на цилиндричен съд е 2 литра, а радиусът на дъното му е 5 cm. Намерете височината на съда.",
     {u"5 80/π"}, u"Отговор: h = 80/π ≈ 25,46 cm."},
    {u"Диаметърът на основата на цилиндър е 40 сантиметра, а височината му е 1 метър. Намерете обема на цилиндъра.",
     {u"20 100"}, u"Отговор: V = 40000π ≈ 125663,71 cm³."},
    // 8,9 g/cm³ · 2000π cm³ = 17800π g.
    {u"Колко килограма тежи меден цилиндър с радиус 10 cm и височина 20 cm, ако плътността на медта е 8,9 g/cm³?",
     {u"10 20"}, u"Отговор: маса = 89π/5 ≈ 55,92 kg."},
    // The sphere's before the comma: 4πr³/3 = 288π, r = 6, h = 12; S₁ = 2π · 6 · 18.
    {u"Кълбото, вписано в цилиндър, има обем 288π cm³. Намерете пълната повърхнина на цилиндъра.",
     {u"6 12"}, u"Отговор: S₁ = 216π ≈ 678,58 cm²."},
    // One unit after both numbers; mm³ named in words; the answer's unit in a sentence of its own.
    {u"Радиусът и височината на цилиндър са съответно 4 и 9 cm. Намерете обема.", {u"4 9"},
     u"Отговор: V = 144π ≈ 452,39 cm³."},
    {u"Радиусът на цилиндър е 2 cm, а височината му е 5 cm. Намерете обема в кубични милиметри.", {u"2 5"},
     u"Отговор: V = 20000π ≈ 62831,85 mm³."},
    // 2 · 3,14 · 0,5 m · 2 m.
    {u"Радиусът на цилиндър е 50 cm, а височината му е 2 m. Намерете околната повърхнина. "
     u"Отговора дайте в квадратни метри (π ≈ 3,14).",
     {u"50 200"}, u"Отговор: S = 6,28 m²."},
    // Open at the top: π · 2² + 2π · 2 · 3 = 16π.
    {u"Отворен цилиндричен съд има радиус 2 m и височина 3 m. Колко квадратни метра ламарина са нужни за него?",
     {u"2 3"}, u"Отговор: без капак = 16π ≈ 50,27 m²."},
    {u"Цилиндър има радиус 4 cm и височина 6 cm. Намерете радиуса на описаната около него сфера.", {u"4 6"},
     u"Отговор: ρ = 5 cm."},
    {u"Цилиндричен съд има радиус 5 cm и височина 8 cm. Колко декалитра вода побира?", {},
     u"Не разбрах: „Колко декалитра вода побира“."},
    // Words no pattern reads that change the numbers' meaning: quoted, never passed over.
    {u"Цилиндричен съд с радиус 5 cm и височина 20 cm е напълнен до половината с олио. Колко литра олио има в съда?",
     {}, u"Не разбрах: „Цилиндричен съд с радиус 5 cm и височина 20 cm е напълнен до половината с олио“."},
    {u"Обемът на цилиндър е 48 пи кубични сантиметра, а радиусът му е 4 cm. Намерете височината.", {},
     u"Не разбрах: „Обемът на цилиндър е 48 пи кубични сантиметра“."},
    {u"Радиусът на основата е 4 сm, а височината е 3 cm. Намерете обема.", {},
     u"Не разбрах: „Радиусът на основата е 4 сm“."},
    {u"Намерете лицето на околната повърхнина на цилиндър, ако разликата между височината и радиуса е 4 cm, "
     u"а радиусът е 2 cm.",
     {}, u"Не разбрах: „ако разликата между височината и радиуса е 4 cm“."},
    {u"Цилиндър и конус имат равни основи с радиус 3 cm. Намерете обема на цилиндъра.", {},
     u"Програмата решава задачи за един цилиндър; тази задача е и за конус."},
};
// clang-format on

// The solution's line `fromEnd` lines above its last, as plain text.
std::u16string lastLine(const std::vector<calc::Line>& lines, std::size_t fromEnd = 0) {
    calc::Solution s;
    s.lines = {lines[lines.size() - 1 - fromEnd]};
    std::u16string text = calc::plainText(s, u',');
    return text.substr(0, text.size() - 2);  // its CR LF
}

std::u16string bookText(const calc::Both& x) {
    const std::optional<calc::Formula> form = calc::bookForm(x.exact);
    return form ? calc::formulaText(*form, u',') : u"?";
}

}  // namespace

TEST_CASE("a task's cylinders and answer") {
    for (const Row& row : Rows) {
        CAPTURE(utf8(row.task));
        const calc::Task task = calc::readTask(row.task);
        const calc::TaskResult result =
            task.unread.empty() ? calc::solveTask(task) : calc::TaskResult{};
        CHECK(task.unread.empty() == (row.last.substr(0, 10) != u"Не разбрах"));
        std::vector<std::u16string> found;
        for (const calc::TaskCylinder& c : result.cylinders)
            found.push_back(bookText(c.R) + u" " + bookText(c.H));
        CHECK(found == std::vector<std::u16string>(row.cylinders.begin(), row.cylinders.end()));
        CHECK(lastLine(calc::explainTask(task, result, calc::Rounding::None)) == row.last);
    }
}

TEST_CASE("every letter of a chain put in, the chain true in the unit it is worked in") {
    const struct {
        std::u16string_view task, chain, then;
    } rows[] = {
        // π · 625 · 40 = 25000π cm³, a thousandth of it in litres.
        {u"r = 25 cm; h = 40 cm; V = ? l", u"V = πr²h = π · 25² · 40 = 25000π cm³",
         u"V = 25π ≈ 78,54 l"},
        // 7,8 g/cm³ · 20π cm³ = 156π g = 0,156π kg.
        {u"r = 2 cm; h = 5 cm; плътност = 7,8 g/cm³; маса = ? kg",
         u"маса = ρV = 7,8 · 20π = 156π g", u"маса = 39π/250 ≈ 0,49 kg"},
        // r_max = min(3; 2); ρ = √(3² + 4²).
        {u"r = 3; h = 4; s = ?", u"Търси се: s.", u"s = 4πr_max² = 4π · 2² = 16π ≈ 50,27"},
        {u"r = 3; h = 8; описана сфера S = ?", u"Търси се: описана сфера S.",
         u"описана сфера S = 4πρ² = 4π · 5² = 100π ≈ 314,16"},
        // 4π · 27/3.
        {u"r = 3; h = 6; кълбо V = ?", u"Търси се: кълбо V.",
         u"кълбо V = 4πr³/3 = 4π · 3³/3 = 36π ≈ 113,10"},
    };
    for (const auto& row : rows) {
        CAPTURE(utf8(row.task));
        const calc::Task task = calc::readTask(row.task);
        const auto lines = calc::explainTask(task, calc::solveTask(task), calc::Rounding::None);
        CHECK(lastLine(lines, 2) == row.chain);
        CHECK(lastLine(lines, 1) == row.then);
    }
}

TEST_CASE("a given in another unit than the steps' shown converted, and the V a mass takes") {
    const struct {
        std::u16string_view task;
        std::vector<std::u16string_view> first;  // the solution's first lines
    } rows[] = {
        {u"r = 1 m; h = 50 cm; V = ?", {u"Дадено: r = 1 m = 100 cm, h = 50 cm."}},
        {u"V = 0,5 l; h = 10 cm; r = ?", {u"Дадено: V = 0,5 l = 500 cm³, h = 10 cm."}},
        // 7800 kg in 10⁶ cm³; π · 1² · 2 m³, 10⁶ cm³ each.
        {u"r = 1 m; h = 2 m; плътност = 7800 kg/m³; маса = ?",
         {u"Дадено: r = 1 m, h = 2 m, плътност = 7800 kg/m³ = 7,8 g/cm³.", u"Търси се: маса.",
          u"V = πr²h = π · 1² · 2 = 2π m³ = 2000000π cm³"}},
        {u"r = 1 дм; h = 2 дм; плътност = 11,4 кг/дм³; маса = ?",
         {u"Дадено: r = 1 дм, h = 2 дм, плътност = 11,4 кг/дм³ = 11,4 г/см³.", u"Търси се: маса.",
          u"V = πr²h = π · 1² · 2 = 2π дм³ = 2000π см³"}},
    };
    for (const auto& row : rows) {
        CAPTURE(utf8(row.task));
        const calc::Task task = calc::readTask(row.task);
        const auto lines = calc::explainTask(task, calc::solveTask(task), calc::Rounding::None);
        for (std::size_t i = 0; i < row.first.size(); ++i)
            CHECK(lastLine(lines, lines.size() - 1 - i) == row.first[i]);
    }
}

TEST_CASE("the base alone asked: answered from r, with no height") {
    const struct {
        std::u16string_view task, last;
        bool answered;
    } rows[] = {
        // π · 7²; 2π · 9/2.
        {u"r = 7 cm; B = ?", u"Отговор: B = 49π ≈ 153,94 cm².", true},
        {u"d = 9 cm; C = ?", u"Отговор: C = 9π ≈ 28,27 cm.", true},
        {u"r = 7 cm; V = ?", u"Данните не стигат: нужни са две независими данни за цилиндъра.",
         false},
    };
    for (const auto& row : rows) {
        CAPTURE(utf8(row.task));
        const calc::Task task = calc::readTask(row.task);
        const calc::TaskResult result = calc::solveTask(task);
        CHECK(result.heightUnknown == row.answered);
        CHECK(lastLine(calc::explainTask(task, result, calc::Rounding::None)) == row.last);
    }
}

TEST_CASE("a line's full stop is not the fact's") {
    const calc::Task task = calc::readTask(u"r = 3 cm.\nh = 4 cm.\nV = ?");
    CHECK(lastLine(calc::explainTask(task, calc::solveTask(task), calc::Rounding::None), 3) ==
          u"Дадено: r = 3 cm, h = 4 cm.");
    // A one-letter unit before a space keeps no space.
    const calc::Task words =
        calc::readTask(u"Цилиндър има радиус 2 m и височина 3 m. Намерете обема.");
    CHECK(lastLine(calc::explainTask(words, calc::solveTask(words), calc::Rounding::None), 3) ==
          u"Дадено: r = 2 m, h = 3 m.");
}

TEST_CASE("nothing given: no empty line of the given") {
    const calc::Task task = calc::readTask(u"V = ?");
    calc::Solution s;
    s.lines = calc::explainTask(task, calc::solveTask(task), calc::Rounding::None);
    CHECK(calc::plainText(s, u',') == u"Търси се: V.\r\nВ задачата няма данни за цилиндъра.\r\n");
}

TEST_CASE("the task's letters: a subscript digit as a subscript, a power as written") {
    const struct {
        std::u16string_view letters, mathml;
    } rows[] = {
        {u"S₁", u"<msub><mi>S</mi><mi>1</mi></msub>"},
        {u"r₂", u"<msub><mi>r</mi><mi>2</mi></msub>"},
        {u"Sp", u"<msub><mi>S</mi><mi>p</mi></msub>"},
        {u"r³", u"<mi>r³</mi>"},
        {u"S₁′", u"<msup><msub><mi>S</mi><mi>1</mi></msub><mo>′</mo></msup>"},
        {u"ρ", u"<mi>ρ</mi>"},
    };
    for (const auto& row : rows) {
        CAPTURE(utf8(row.letters));
        CHECK(calc::formulaMathML(calc::sym(row.letters), u'.') == row.mathml);
    }
    CHECK(calc::formulaMathML(calc::cube(calc::sym(u"r")), u'.') ==
          u"<msup><mi>r</mi><mn>3</mn></msup>");
}

TEST_CASE("a number written with its power of ten is bracketed under a power") {
    CHECK(calc::formulaText(calc::square(calc::num(2e-12)), u'.') == u"(2E-12)²");
    CHECK(calc::formulaText(calc::square(calc::num(3e20)), u',') == u"(3E+20)²");
    CHECK(calc::formulaText(calc::square(calc::num(2.5)), u',') == u"2,5²");
}

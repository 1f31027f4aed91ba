// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace calc {

// Every sentence a task's solution shows, by what it is for.
enum class TaskText {
    // Why no cylinder was found; the facts it concerns follow, quoted.
    NothingGiven,
    TooFew,
    WrongUnit,
    TooLarge,
    Unsupported,
    NotGiven,
    NoCylinder,
    SameTwice,
    Contradiction,
    NotUnderstood,
    // The solution.
    Sought,
    TaskPiApprox,
    TaskPiSevenths,
    TwoCylinders,
    FirstCylinder,
    SecondCylinder,
    Steps,
    GridPart,
    // The field.
    FieldName,
    SolveButton,
};

struct TaskTextEntry {
    TaskText id;
    std::u16string_view text;
};

// clang-format off
inline constexpr TaskTextEntry TaskTexts[]{
    {TaskText::NothingGiven, u"В задачата няма данни за цилиндъра."},
    {TaskText::TooFew, u"Данните не стигат: нужни са две независими данни за цилиндъра."},
    {TaskText::WrongUnit, u"Мерната единица не е за тази величина: "},
    {TaskText::TooLarge, u"Числото е твърде голямо: "},
    {TaskText::Unsupported, u"Програмата не решава такава връзка: "},
    {TaskText::NotGiven, u"Тази величина не може да е дадена: "},
    {TaskText::NoCylinder, u"Няма цилиндър с такива данни: "},
    {TaskText::SameTwice, u"Две данни казват едно и също, нужна е още една независима: "},
    {TaskText::Contradiction, u"Данните си противоречат: "},
    {TaskText::NotUnderstood, u"Не разбрах:"},
    {TaskText::Sought, u"Търси се:"},
    {TaskText::TaskPiApprox, u"Смятаме с π ≈ 3,14, както е в задачата."},
    {TaskText::TaskPiSevenths, u"Смятаме с π = 22/7, както е в задачата."},
    {TaskText::TwoCylinders, u"Два цилиндъра имат тези данни; решаваме за всеки."},
    {TaskText::FirstCylinder, u"Първият цилиндър:"},
    {TaskText::SecondCylinder, u"Вторият цилиндър:"},
    {TaskText::Steps, u"Решение:"},
    {TaskText::GridPart, u"Цилиндърът в таблицата, с π на програмата:"},
    {TaskText::FieldName, u"Задача"},
    {TaskText::SolveButton, u"Реши"},
};
// clang-format on

static_assert([] {
    for (std::size_t i = 0; i < std::size(TaskTexts); ++i)
        if (static_cast<std::size_t>(TaskTexts[i].id) != i) return false;
    return std::size(TaskTexts) == static_cast<std::size_t>(TaskText::SolveButton) + 1;
}());

// The sentence `id` stands for, exactly as shown.
// Example: text(TaskText::Sought) == u"Търси се:".
constexpr std::u16string_view text(TaskText id) {
    return TaskTexts[static_cast<std::size_t>(id)].text;
}

}  // namespace calc

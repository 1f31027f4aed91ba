// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calc/texts.h"

namespace window {

// Control arrays, by their names in the window.
enum class Kind { Label1, Option1, Text2, Command1, Text1 };

struct Rgb {
    int red, green, blue;
    constexpr bool operator==(const Rgb&) const = default;
};

// One control as designed. Positions and sizes are in twips (15 to a
// pixel at 96 dpi) from the top left of the client area.
struct ControlDesign {
    Kind kind;
    int index;
    int left, top, width, height;
    std::optional<Rgb> background;  // none: the desktop's text-box colour
    bool bold;
    std::u16string_view text;
    bool tabStop;   // computed boxes are skipped by Tab
    bool readOnly;  // the two Text1 boxes; only a text box can be
    bool border;    // Text1(1) has none
    bool centred;   // the text: the labels' and the buttons'
};

struct ControlRef {
    Kind kind;
    int index;
    constexpr bool operator==(const ControlRef&) const = default;
};

inline constexpr int TwipsPerPixel = 15;
inline constexpr int ControlCount = 64;
inline constexpr int BoxCount = 45;

inline constexpr int ClientWidth = 7560;
inline constexpr int ClientHeight = 6285;
inline constexpr Rgb WindowBackground{192, 192, 255};
inline constexpr std::u16string_view FontFamily = u"Times New Roman";
inline constexpr int FontPoints = 12;
inline constexpr std::u16string_view CaptionTitle = u"Геометрия - прав кръгов цилиндър";

inline constexpr Rgb LabelBackground{255, 192, 128};
inline constexpr Rgb OptionBackground{192, 255, 192};
inline constexpr Rgb ComputedBackground{255, 192, 192};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb CalculateBackground{128, 255, 128};
inline constexpr Rgb ClearBackground{255, 0, 0};

// The boxes each row computes rather than takes as known.
inline constexpr std::array<int, 27> ComputedBoxes{2,  3,  4,  6,  8,  9,  10, 12, 14,
                                                   15, 18, 19, 20, 21, 23, 26, 27, 29,
                                                   31, 32, 33, 35, 37, 38, 40, 41, 44};
// Given boxes that still look like computed ones (the row of "Вариант 5").
inline constexpr std::array<int, 2> WhiteBoldBoxes{22, 24};

inline constexpr std::u16string_view AssignmentText =
    u"В училищните задачи често вместо числото на Лудолф, което е ирационално число със стойност "
    u"pi =3.1415...  се използва  константата на Архимед 22/7, която е периодично число.\r\n"
    u"Да се реализира проект, в който се осъществяват междупредметни връзки Геометрия и "
    u"Информатика.\r\n"
    u"Тема на проекта: Изчисляване на вписана сфера в прав кръгов цилиндър\r\n"
    u"Чрез проекта да се изчисляват повърхнина и обем на прав кръгов цилиндър по зададени два "
    u"параметъра от набора: радиус на основа, височина, околна, пълна повърхнина и обем на "
    u"цилиндър. \r\n"
    u"Съобразно избраната начална комбинация от параметри на потребителя да се "
    u"разрешава/забранява въвеждането на другите параметри. \r\n"
    u"Да се използват радиобутони за определяне на началната комбинация от параметри и да се "
    u"извеждат изчислените три параметъра на правия кръгов цилиндър.\r\n"
    u"Да се изчисли и изведе повърхнина и обем на максималната сфера вписана в цилиндъра.\r\n"
    u"Прочетете допълнителен материал за прав кръгов цилиндър, сфера, кълбо и връзката между "
    u"параметри като: радиус на основата, височина, повърхнина - околна и пълна и обем.\r\n";

inline constexpr std::u16string_view QuotationText =
    u"Неприятното в това да си първият, направил нещо по \r\n"
    u"правилния начин, е, че никой не оценява колко трудно е \r\n"
    u"било. \r\n";

// All 64 controls, in creation order: later ones lie on top.
const std::array<ControlDesign, ControlCount>& controlDesigns();
// The design of the control `ref` names; throws std::out_of_range for none.
// Example: controlDesign({Kind::Command1, 0}).text is u"Изчисли".
const ControlDesign& controlDesign(ControlRef ref);

// A control array's name, and a control's: the array's, '_', its index (the
// page's element ids). Example: controlName({Kind::Text2, 11}) is "Text2_11".
std::string_view arrayName(Kind kind);
std::string controlName(ControlRef ref);

// The tab order, position 0 first; labels hold a place but take no focus.
inline constexpr std::array<ControlRef, ControlCount> TabOrder{{
    {Kind::Text1, 0},    {Kind::Text1, 1},   {Kind::Label1, 0},  {Kind::Option1, 0},
    {Kind::Option1, 1},  {Kind::Option1, 2}, {Kind::Label1, 1},  {Kind::Label1, 2},
    {Kind::Label1, 3},   {Kind::Label1, 4},  {Kind::Text2, 0},   {Kind::Text2, 1},
    {Kind::Text2, 2},    {Kind::Text2, 3},   {Kind::Text2, 5},   {Kind::Text2, 6},
    {Kind::Text2, 7},    {Kind::Text2, 8},   {Kind::Text2, 10},  {Kind::Text2, 11},
    {Kind::Text2, 12},   {Kind::Text2, 13},  {Kind::Option1, 3}, {Kind::Text2, 15},
    {Kind::Text2, 16},   {Kind::Text2, 17},  {Kind::Text2, 18},  {Kind::Command1, 0},
    {Kind::Command1, 1}, {Kind::Text2, 4},   {Kind::Text2, 9},   {Kind::Text2, 14},
    {Kind::Text2, 19},   {Kind::Text2, 20},  {Kind::Text2, 21},  {Kind::Text2, 22},
    {Kind::Text2, 23},   {Kind::Text2, 24},  {Kind::Option1, 4}, {Kind::Label1, 5},
    {Kind::Option1, 5},  {Kind::Text2, 25},  {Kind::Text2, 26},  {Kind::Text2, 27},
    {Kind::Text2, 28},   {Kind::Text2, 29},  {Kind::Text2, 30},  {Kind::Option1, 6},
    {Kind::Text2, 31},   {Kind::Text2, 32},  {Kind::Text2, 33},  {Kind::Text2, 34},
    {Kind::Option1, 7},  {Kind::Text2, 35},  {Kind::Text2, 36},  {Kind::Text2, 37},
    {Kind::Text2, 38},   {Kind::Text2, 39},  {Kind::Option1, 8}, {Kind::Text2, 40},
    {Kind::Text2, 41},   {Kind::Text2, 42},  {Kind::Text2, 43},  {Kind::Text2, 44},
}};

// The full names of the five quantities, in column order: the column
// headers' tooltips and what a screen reader says of each box.
inline constexpr std::array<std::u16string_view, 5> QuantityNames{
    calc::text(calc::Text::RadiusName), calc::text(calc::Text::HeightName),
    calc::text(calc::Text::LateralName), calc::text(calc::Text::TotalName),
    calc::text(calc::Text::VolumeName)};

// The title of the message box that tells of a calculation error.
inline constexpr std::u16string_view ErrorCaption = calc::text(calc::Text::ErrorCaption);

// Option1(k)'s caption where its own has no room (a phone): the variant's
// number and its given columns in grid order. Example: shortCaption(5) is
// u"6 · R, Sp".
std::u16string shortCaption(int k);

// The window caption: CaptionTitle alone, or after the publisher's address
// and two spaces. Example: windowCaption(u"www.cylinder.example") is
// u"www.cylinder.example  Геометрия - прав кръгов цилиндър".
std::u16string windowCaption(std::u16string_view publisher);
// The caption with the address the build was configured with (none by default).
std::u16string windowCaption();

// The name a screen reader announces for a control that shows no caption of
// its own: u"Вариант 3, H" for Text2(11), a description for the two Text1
// boxes; empty for controls whose text names them.
std::u16string accessibleName(ControlRef ref);

// The left, top, width and height of a design in logical pixels.
constexpr int toPixels(int twips) {
    return twips / TwipsPerPixel;
}

}  // namespace window

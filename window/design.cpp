// SPDX-License-Identifier: GPL-3.0-or-later
#include "design.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "calc/cylinder.h"

namespace window {

namespace {

constexpr bool contains(const auto& boxes, int box) {
    return std::find(boxes.begin(), boxes.end(), box) != boxes.end();
}

// A control of plain text, its own colour, a border; Tab stops at it.
constexpr ControlDesign plain(Kind kind, int index, int left, int top, int width, int height,
                              std::optional<Rgb> background, std::u16string_view text,
                              bool centred) {
    return {.kind = kind,
            .index = index,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .background = background,
            .bold = false,
            .text = text,
            .tabStop = true,
            .readOnly = false,
            .border = true,
            .centred = centred};
}

constexpr ControlDesign box(int i) {
    const bool computed = contains(ComputedBoxes, i);
    const bool whiteBold = contains(WhiteBoldBoxes, i);
    std::optional<Rgb> background;
    if (computed) background = ComputedBackground;
    if (whiteBold) background = White;
    ControlDesign d = plain(Kind::Text2, i, 1560 + 960 * (i % 5), 840 + 360 * (i / 5), 975, 405,
                            background, u"", false);
    d.bold = computed || whiteBold;
    d.tabStop = !computed;
    return d;
}

constexpr ControlDesign textArea(int index, int left, int top, int width, int height,
                                 std::u16string_view text, bool border) {
    ControlDesign d =
        plain(Kind::Text1, index, left, top, width, height, std::nullopt, text, false);
    d.readOnly = true;
    d.border = border;
    return d;
}

constexpr std::array<ControlDesign, ControlCount> makeDesigns() {
    std::array<ControlDesign, ControlCount> d{};
    std::size_t n = 0;
    d[n++] = plain(Kind::Label1, 0, 600, 0, 6255, 375, LabelBackground,
                   u"Изчисляване на вписана сфера в прав кръгов цилиндър", true);
    for (int c = 0; c < 5; ++c)
        d[n++] = plain(Kind::Label1, c + 1, 1560 + 960 * c, 480, 975, 375, LabelBackground,
                       calc::ColumnNames[static_cast<std::size_t>(c)], true);
    for (int k = 0; k < 9; ++k)
        d[n++] = plain(Kind::Option1, k, 120, 840 + 360 * k, 1455, 375, OptionBackground,
                       calc::VariantCaptions[static_cast<std::size_t>(k)], false);
    for (int i = 0; i < BoxCount; ++i) d[n++] = box(i);
    d[n++] = plain(Kind::Command1, 0, 6480, 1200, 975, 375, CalculateBackground, u"Изчисли", true);
    d[n++] = plain(Kind::Command1, 1, 6480, 3000, 975, 375, ClearBackground, u"Изчисти", true);
    d[n++] = textArea(0, 120, 4440, 7335, 1815, AssignmentText, true);
    d[n++] = textArea(1, 600, 5040, 6735, 1815, QuotationText, false);  // on top of Text1(0)
    return d;
}

constexpr std::array<ControlDesign, ControlCount> designs = makeDesigns();

// Every size converts to whole pixels, and the tab order names each control once.
static_assert(std::all_of(designs.begin(), designs.end(), [](const ControlDesign& c) {
    return c.left % TwipsPerPixel == 0 && c.top % TwipsPerPixel == 0 &&
           c.width % TwipsPerPixel == 0 && c.height % TwipsPerPixel == 0;
}));
static_assert(std::all_of(designs.begin(), designs.end(), [](const ControlDesign& c) {
    return std::count(TabOrder.begin(), TabOrder.end(), ControlRef{c.kind, c.index}) == 1;
}));

}  // namespace

const std::array<ControlDesign, ControlCount>& controlDesigns() {
    return designs;
}

const ControlDesign& controlDesign(ControlRef ref) {
    for (const ControlDesign& d : designs)
        if (d.kind == ref.kind && d.index == ref.index) return d;
    throw std::out_of_range("no such control");
}

std::string_view arrayName(Kind kind) {
    constexpr std::string_view names[] = {"Label1", "Option1", "Text2", "Command1", "Text1"};
    return names[static_cast<int>(kind)];
}

std::string controlName(ControlRef ref) {
    return std::string(arrayName(ref.kind)) + '_' + std::to_string(ref.index);
}

std::u16string shortCaption(int k) {
    auto given = calc::givenColumns(k);
    if (given[1] < given[0]) std::swap(given[0], given[1]);
    std::u16string caption{static_cast<char16_t>(u'1' + k)};  // one digit: nine variants
    return caption + u" · " + std::u16string(calc::columnName(given[0])) + u", " +
           std::u16string(calc::columnName(given[1]));
}

#ifndef CYLINDER_PUBLISHER_URL
#define CYLINDER_PUBLISHER_URL ""
#endif

std::u16string windowCaption(std::u16string_view publisher) {
    if (publisher.empty()) return std::u16string(CaptionTitle);
    return std::u16string(publisher) + u"  " + std::u16string(CaptionTitle);
}

std::u16string windowCaption() {
    return windowCaption(u"" CYLINDER_PUBLISHER_URL);
}

std::u16string accessibleName(ControlRef ref) {
    switch (ref.kind) {
        case Kind::Text2: {
            std::u16string name(calc::variantCaption(ref.index / 5));
            name += u", ";
            name += calc::columnName(static_cast<calc::Column>(ref.index % 5));
            return name;
        }
        case Kind::Text1:
            return std::u16string(calc::text(ref.index == 0 ? calc::Text::ReportAreaName
                                                            : calc::Text::QuotationName));
        default:
            return {};
    }
}

}  // namespace window

// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionview.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace window {

namespace {

using Page = SolutionPage;

constexpr calc::Text PlaceTexts[] = {calc::Text::RoundAll, calc::Text::RoundTenths,
                                     calc::Text::RoundHundredths, calc::Text::RoundThousandths};

}  // namespace

std::u16string roundingChoice(calc::Rounding place, char16_t separator) {
    const auto digits = static_cast<std::size_t>(place);
    std::u16string text(calc::text(PlaceTexts[digits]));
    if (digits == 0) return text;
    // The place's sample: 0,1 / 0,01 / 0,001.
    return text + u" (0" + separator + std::u16string(digits - 1, u'0') + u"1)";
}

SolutionView::SolutionView(SolutionServices& services, char16_t separator,
                           std::function<void(calc::Rounding)> chooseRounding,
                           std::function<void(std::u16string_view)> solveTask)
    : services_(services),
      separator_(separator),
      chooseRounding_(std::move(chooseRounding)),
      solveTask_(std::move(solveTask)) {}

void SolutionView::setSolution(const calc::Solution& solution) {
    solution_ = solution;
    text_ = calc::plainText(solution, separator_);
    while (!text_.empty() && (text_.back() == u'\n' || text_.back() == u'\r')) text_.pop_back();
    line_ = -1;
    layOut();
    services_.setText(text_, static_cast<int>(solution.rounding));
    if (solution.empty()) {
        if (!asked_) services_.hide();
        return;
    }
    if (!wanted_ || services_.shown()) return;
    if (!placed_) place();
    services_.show(false);
}

void SolutionView::reopen() {
    wanted_ = asked_ = true;
    if (!placed_) place();
    services_.show(true);
    services_.focus(SolutionPart::Task);
}

void SolutionView::close() {
    wanted_ = asked_ = false;  // only the pupil closes it; the program hides it
    services_.hide();
}

bool SolutionView::onKey(SolutionKey key, SolutionPart part) {
    const bool task = part == SolutionPart::Task || part == SolutionPart::Solve;
    if (key.key == SolutionKey::Enter && !key.shift && task) {
        solveTask();
        return true;
    }
    if (key.key == SolutionKey::Tab) {
        const int step = key.shift ? SolutionPartCount - 1 : 1;
        services_.focus(
            static_cast<SolutionPart>((static_cast<int>(part) + step) % SolutionPartCount));
        return true;
    }
    if (part == SolutionPart::Task && key.key != SolutionKey::Escape) return false;
    const SolutionKey command{key.key, key.control};  // Shift or not
    for (const SolutionCommandDesign& c : SolutionCommands)
        if (key.key && std::find(c.keys.begin(), c.keys.end(), command) != c.keys.end()) {
            run(c.command);
            return true;
        }
    return false;
}

void SolutionView::solveTask() {
    if (solveTask_) solveTask_(services_.taskText());
}

void SolutionView::run(SolutionCommand command) {
    switch (command) {
        case SolutionCommand::Copy:  // each line ended, the last too
            return services_.copy(calc::plainText(solution_, separator_));
        case SolutionCommand::Print:
            return services_.print();
        case SolutionCommand::Close:
            return close();
    }
}

void SolutionView::chooseRounding(int index) {
    if (index >= 0 && index < static_cast<int>(std::size(RoundingPlaces)))
        chooseRounding_(RoundingPlaces[index]);
}

std::array<std::u16string, 4> SolutionView::roundingChoices() const {
    std::array<std::u16string, 4> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = roundingChoice(RoundingPlaces[i], separator_);
    return texts;
}

void SolutionView::resize(int width, int height) {
    viewWidth_ = width;
    viewHeight_ = height;
    refit();
}

void SolutionView::scrollTo(int x, int y) {
    x = std::clamp(x, 0, scroll_.xRange);
    y = std::clamp(y, 0, scroll_.yRange);
    if (x == scroll_.x && y == scroll_.y) return;
    scroll_.x = x;
    scroll_.y = y;
    services_.setScroll(scroll_);
    services_.invalidate();
}

void SolutionView::setCurrentLine(int line) {
    if (line == line_) return;
    line_ = line;
    drawing_.band = lineBand(line);
    // The line in view: the page scrolls as the keyboard goes down the steps.
    if (const auto band = drawing_.band) {
        const int margin = pixels(Page::Margin);
        const int top = line == 0 ? 0 : band->y + margin;  // the first with the sketch above it
        const int bottom = band->y + band->height + margin;
        if (top < scroll_.y) scrollTo(scroll_.x, top);
        if (bottom > scroll_.y + scroll_.viewHeight)
            scrollTo(scroll_.x, bottom - scroll_.viewHeight);
    }
    services_.invalidate();
}

std::optional<FormulaLayout::Bar> SolutionView::lineBand(int line) const {
    int top = INT_MAX, bottom = INT_MIN;
    for (const SolutionLayout::Item& item : page_.lines.items)
        if (item.line == line) {
            top = std::min(top, page_.linesTop + item.y - item.box.ascent);
            bottom = std::max(bottom, page_.linesTop + item.y + item.box.descent);
        }
    if (top >= bottom) return std::nullopt;
    const int margin = pixels(Page::Margin);
    return FormulaLayout::Bar{-margin, top - 2, page_.width() + 2 * margin, bottom - top + 4};
}

void SolutionView::resolutionChanged(double oldDpi) {
    if (textWidth_ < 0) return layOut();
    const double scaled = textWidth_ * services_.dpi() / oldDpi;
    textWidth_ = static_cast<int>(std::lround(scaled));
    layOut();
}

FormulaLayout::Point SolutionView::origin() const {
    const int margin = pixels(Page::Margin);
    return {margin - scroll_.x, margin - scroll_.y};
}

SolutionView::Sheet SolutionView::printed(const FormulaLayout::Metrics& metrics, double dpi,
                                          double areaWidth, double areaHeight,
                                          double pictureHeight) const {
    const double pictureBottom = pictureHeight + 2 * Page::Gap * dpi / Page::CssPixels;
    auto [page, scale] =
        fitToSheet(solution_, metrics, dpi, areaWidth, areaHeight, pictureBottom, separator_);
    return {std::move(page), scale, pictureBottom};
}

ControlPlaces SolutionView::placeControls(int width, int height, const ControlMeasures& m) const {
    const int gap = pixels(Page::Gap), margin = pixels(Page::Margin), button = pixels(80);
    const int box = 3 * m.line + m.bar + 2 * m.edge + pixels(4);
    const int above = 3 * m.line + 2 * m.edge + pixels(4) + 2 * gap;
    const int below = box + m.row + gap;
    // The choice's row right above the text box, the label before the list.
    const int rowTop = height - below + gap / 2;
    const int listLeft = margin + m.roundingLabel.width + gap;
    const int fieldLeft = margin + m.taskLabel.width + gap;
    return {
        .taskLabel = {margin, gap + pixels(4), m.taskLabel.width, m.taskLabel.height},
        .task = {fieldLeft, gap, std::max(0, width - fieldLeft - button - gap - margin),
                 above - 2 * gap},
        .solve = {width - margin - button, gap, button, m.row},
        .roundingLabel = {margin, rowTop + (m.row - m.roundingLabel.height) / 2,
                          m.roundingLabel.width, m.roundingLabel.height},
        .rounding = {listLeft, rowTop, pixels(180), m.row + pixels(120)},  // open: 120 more
        .box = {0, height - box, width, box},
        .page = {0, above, width, std::max(0, height - below - above)},
        .around = above + below,
    };
}

int SolutionView::pixels(double cssPixels) const {
    return static_cast<int>(std::lround(cssPixels * services_.dpi() / Page::CssPixels));
}

void SolutionView::layOut() {
    if (textWidth_ < 0) textWidth_ = pixels(Page::TextWidth);
    page_ = layOutPage(solution_, *services_.metrics(), services_.dpi(), textWidth_, separator_);
    drawing_ = drawingOf(page_);
    drawing_.band = lineBand(line_);
    refit();
    services_.invalidate();
}

void SolutionView::refit() {
    const int margin = pixels(Page::Margin);
    const int width = page_.width() + 2 * margin, height = page_.height() + 2 * margin;
    int viewWidth = viewWidth_, viewHeight = viewHeight_;
    const SolutionRoom room = services_.room();
    if (!room.barAlways) {
        // Worked out from the whole view, as a bar shown before may no
        // longer be needed; a bar across can make one down needed.
        const bool tall = height > viewHeight;
        const bool wide = width > viewWidth - (tall ? room.bar : 0);
        if (wide) viewHeight -= room.bar;
        if (tall || height > viewHeight) viewWidth -= room.bar;
    }
    scroll_.width = width;
    scroll_.height = height;
    scroll_.viewWidth = viewWidth;
    scroll_.viewHeight = viewHeight;
    scroll_.xRange = room.barAlways ? 0 : std::max(0, width - viewWidth);
    scroll_.yRange = std::max(0, height - viewHeight);
    const SolutionScroll before = scroll_;
    scroll_.x = std::clamp(scroll_.x, 0, scroll_.xRange);
    scroll_.y = std::clamp(scroll_.y, 0, scroll_.yRange);
    services_.setScroll(scroll_);
    if (scroll_.x != before.x || scroll_.y != before.y) services_.invalidate();
}

void SolutionView::place() {
    placed_ = true;
    const SolutionRoom room = services_.room();
    const int margin = pixels(Page::Margin);
    // The page in a framed window, a bar beside it where one is needed.
    const auto outer = [&] {
        int width = page_.width() + 2 * margin + room.frameWidth;
        const int height = room.controls + page_.height() + 2 * margin + room.frameHeight;
        if (room.barAlways || height > room.screen.height) width += room.bar;
        return std::pair{std::min(width, room.screen.width), std::min(height, room.screen.height)};
    };
    const auto beside = [&](std::pair<int, int> size, int least) {
        return besideOwner(room.owner, size.first, size.second, least, room.screen,
                           pixels(Page::Gap));
    };
    const auto wanted = outer();
    const int sketch =
        page_.sketch ? static_cast<int>(std::ceil(page_.sketch->width * page_.unit)) : 0;
    const int least =
        room.frameWidth + std::max(pixels(Page::MinWidth), sketch + 2 * margin + room.bar);
    ScreenRect at = beside(wanted, least);
    if (at.width < wanted.first) {  // narrowed to the room beside: the lines wrap to it
        textWidth_ = at.width - room.frameWidth - 2 * margin - room.bar;
        layOut();
        at = beside(outer(), at.width);
    }
    services_.move(at);
}

}  // namespace window

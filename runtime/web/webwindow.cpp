// SPDX-License-Identifier: GPL-3.0-or-later
#include "webwindow.h"

#include <emscripten/emscripten.h>

#include "platform/fittext.h"
#include "solutionhtml.h"
#include "window/drawing.h"
#include "window/solutionview.h"

namespace {
WebWindow* taskWindow = nullptr;  // the page's one window, which the task field feeds
}

// The task field's text (UTF-16, `length` units), as the page hands it over.
extern "C" EMSCRIPTEN_KEEPALIVE void cylinder_task(const char16_t* text, int length) {
    taskWindow->onTask({text, static_cast<std::size_t>(length)});
}

WebWindow::WebWindow()
    : separator_(static_cast<char16_t>(cylinder_decimalSeparator())), form_(*this, separator_) {
    taskWindow = this;
    form_.onLoad();
    // The places' samples with the page's separator.
    for (int i = 0; i < static_cast<int>(std::size(window::RoundingPlaces)); ++i) {
        const std::u16string text = window::roundingChoice(window::RoundingPlaces[i], separator_);
        cylinder_setRoundingChoice(i, text.data(), lengthOf(text));
    }
    cylinder_attach(static_cast<int>(form_.rounding()));
}

std::u16string WebWindow::boxText(int box) const {
    std::u16string text(static_cast<std::size_t>(cylinder_boxText(box, nullptr, 0)), u'\0');
    cylinder_boxText(box, text.data(), lengthOf(text));
    return text;
}

void WebWindow::setBoxText(int box, std::u16string_view text) {
    cylinder_setBoxText(box, text.data(), lengthOf(text));
    fitBox(box);
}

void WebWindow::fitBox(int box) {
    const std::u16string fitted =
        platform::fitNumberText(boxText(box), separator_, [box](std::u16string_view text) {
            return cylinder_textFits(box, text.data(), lengthOf(text)) != 0;
        });
    cylinder_showFitted(box, fitted.data(), lengthOf(fitted));
}

void WebWindow::reportError(const platform::CalculationError& error) {
    const std::u16string text = calc::describe(error);
    cylinder_showError(text.data(), lengthOf(text));
}

// An empty solution (the grid emptied) gives empty markup: the page hides it.
void WebWindow::setSolution(const calc::Solution& solution) {
    const std::optional<calc::Sketch> sketch = calc::sketchOf(solution);
    const std::u16string text = calc::plainText(solution, separator_);
    cylinder_setSolution(web::solutionHtml(solution, separator_).c_str(),
                         sketch ? window::svg(window::drawingOf(*sketch)).c_str() : "", text.data(),
                         lengthOf(text));
}

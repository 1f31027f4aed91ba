// SPDX-License-Identifier: GPL-3.0-or-later
#include "webwindow.h"

#include "platform/fittext.h"
#include "sketch.h"
#include "solutionhtml.h"

// The page's side, in library.js. Texts cross as UTF-16 code units.
extern "C" {
int cylinder_decimalSeparator();
void cylinder_attach();
void cylinder_ready();
int cylinder_boxTextLength(int box);
void cylinder_boxText(int box, char16_t* out, int length);
void cylinder_setBoxText(int box, const char16_t* text, int length);
void cylinder_setBoxLocked(int box, int locked);
void cylinder_selectOption(int k);
void cylinder_setReportText(const char16_t* text, int length);
void cylinder_showError(const char16_t* text, int length);
int cylinder_textFits(int box, const char16_t* text, int length);
void cylinder_showFitted(int box, const char16_t* text, int length);
void cylinder_setSolution(const char16_t* html, int htmlLength, const char* sketch,
                          const char16_t* text, int textLength);
}

namespace {

int lengthOf(std::u16string_view text) {
    return static_cast<int>(text.size());
}

}  // namespace

WebWindow::WebWindow()
    : separator_(static_cast<char16_t>(cylinder_decimalSeparator())), form_(*this, separator_) {
    cylinder_attach();
    form_.onLoad();
    cylinder_ready();
}

std::u16string WebWindow::boxText(int box) const {
    std::u16string text(static_cast<std::size_t>(cylinder_boxTextLength(box)), u'\0');
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

void WebWindow::setBoxLocked(int box, bool locked) {
    cylinder_setBoxLocked(box, locked ? 1 : 0);
}

void WebWindow::selectOption(int k) {
    cylinder_selectOption(k);
}

void WebWindow::setReportText(std::u16string_view text) {
    cylinder_setReportText(text.data(), lengthOf(text));
}

void WebWindow::reportError(const platform::CalculationError& error) {
    const std::u16string text = calc::describe(error);
    cylinder_showError(text.data(), lengthOf(text));
}

void WebWindow::setSolution(const calc::Solution& solution) {
    if (solution.empty()) {
        cylinder_setSolution(nullptr, 0, "", nullptr, 0);
        return;
    }
    const std::u16string html = web::solutionHtml(solution, separator_);
    const std::optional<calc::Sketch> sketch = calc::sketchOf(solution);
    const std::string drawing = sketch ? web::svg(*sketch) : std::string();
    const std::u16string text = calc::plainText(solution, separator_);
    cylinder_setSolution(html.data(), lengthOf(html), drawing.c_str(), text.data(), lengthOf(text));
}

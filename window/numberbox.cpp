// SPDX-License-Identifier: GPL-3.0-or-later
#include "numberbox.h"

#include <utility>

#include "platform/fittext.h"
#include "solutionnotes.h"

namespace window {

void NumberBox::setText(std::u16string_view text) {
    if (text == text_) return;
    text_ = text;
    refit();
}

bool NumberBox::offerText(std::u16string_view text) {
    if (text == text_) return true;  // the program's own write coming back
    if (locked_) return false;
    setText(text);
    return true;
}

void NumberBox::setMeasure(Fits fits, char16_t separator) {
    fits_ = std::move(fits);
    separator_ = separator;
    refit();
}

void NumberBox::setFocus(bool focused) {
    if (focused == focused_) return;
    focused_ = focused;
    refit();
}

std::u16string NumberBox::tooltip(std::u16string_view lineEnd) const {
    return boxTooltip(step_, text_, rounded_, lineEnd);
}

void NumberBox::refit() {
    // An empty box, most of them, needs no measuring.
    rounded_ = false;
    if (focused_ || !fits_ || text_.empty()) return;
    fitted_ = platform::fitNumberText(text_, separator_, fits_);
    rounded_ = fitted_ != text_;
}

}  // namespace window

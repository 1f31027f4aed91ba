// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace window {

// A grid box's state and what it shows, for every runtime alike. Without
// the focus, a number too wide for the box shows rounded to the digits that
// fit (platform::fitNumberText); text() is always the full text. The shown
// text is worked out again only when the text, the measure (width, font,
// separator) or the focus changes, never at a paint.
// Example: text u"2.23606797749979" in a box where 8 characters fit shows
// u"2.236068" unfocused, the full text focused.
class NumberBox {
public:
    // Whether a text fits the box at its current width, in its font.
    using Fits = std::function<bool(std::u16string_view)>;

    // The program writes the box: always taken, locked or not. Write it here
    // before the widget, so that the widget's change comes back as known.
    // Example: setText(u"3") then text() is u"3".
    void setText(std::u16string_view text);
    // The widget's text changed by anyone else (typing, pasting, an
    // accessibility interface). Returns whether the box takes it; false
    // while locked, and the runtime then writes text() back. The box's own
    // text offered again is taken and changes nothing.
    // Example: setLocked(true); offerText(u"5") is false, text() unchanged.
    bool offerText(std::u16string_view text);
    // Locked: text from anyone but the program is refused.
    void setLocked(bool locked) { locked_ = locked; }
    bool locked() const { return locked_; }

    // How the runtime measures: `fits` for the box's width now, numbers
    // written with `separator`. Call again when the width, font or locale
    // changes; no `fits` (the start) shows the full text.
    void setMeasure(Fits fits, char16_t separator);
    void setFocus(bool focused);
    bool hasFocus() const { return focused_; }

    // The step that computed the box's number (solutionNotes().box), empty
    // for none.
    void setStep(std::u16string_view step) { step_ = step; }

    const std::u16string& text() const { return text_; }
    // What the box shows now: the fitted text unfocused, else text().
    const std::u16string& shownText() const { return rounded_ ? fitted_ : text_; }
    // Whether it shows a shorter text than text().
    bool rounded() const { return rounded_; }
    // The tooltip (window::boxTooltip): the step, then the full text while
    // rounded, lines ended by `lineEnd`; empty for neither.
    // Example: step u"R = …", text u"2.23606797749979" rounded gives
    // u"R = …\n2.23606797749979" for lineEnd u"\n".
    std::u16string tooltip(std::u16string_view lineEnd) const;
    // What a screen reader says after the box's name: the step.
    const std::u16string& description() const { return step_; }

private:
    void refit();

    std::u16string text_;
    std::u16string fitted_;  // meaningful while rounded_
    std::u16string step_;
    Fits fits_;
    char16_t separator_ = u'.';
    bool focused_ = false;
    bool locked_ = false;
    bool rounded_ = false;
};

}  // namespace window

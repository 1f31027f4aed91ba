// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "widgets.h"

struct IAccPropServices;

// What a screen reader gets beyond the controls' own texts, through the
// system's accessibility annotations: the name of each box and of both text
// areas (u"Вариант 3, H"), and descriptions. Loads nothing until start():
// call it when a screen reader first asks, so a start without one pays
// nothing.
class Annotations {
public:
    Annotations() = default;
    ~Annotations();
    Annotations(const Annotations&) = delete;
    Annotations& operator=(const Annotations&) = delete;

    // Loads the annotation service and names the controls. False where the
    // system offers no annotations; the controls then keep their default
    // names.
    bool start(const Widgets& widgets);
    bool started() const { return services_ != nullptr; }
    // The description of `control`; an empty text removes it. Does nothing
    // before start().
    void describe(HWND control, std::u16string_view text);

private:
    IAccPropServices* services_ = nullptr;
};

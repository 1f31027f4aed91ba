// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets.h"
#include "window/solutionnotes.h"

struct IAccPropServices;

// What a screen reader gets beyond the controls' own texts, through the
// system's accessibility annotations: the name of each box and of both text
// areas (u"Вариант 3, H"), and the solution's notes as descriptions. Loads
// nothing until start(): call it when a screen reader first asks, so a start
// without one pays nothing.
class Annotations {
public:
    Annotations() = default;
    ~Annotations();
    Annotations(const Annotations&) = delete;
    Annotations& operator=(const Annotations&) = delete;

    // The first time only: loads the annotation service, names the controls
    // and describes them. Where the system offers no annotations the
    // controls keep their default names.
    void start(const Widgets& widgets, const window::SolutionNotes& notes);
    // Describes each control with its note (a grid box's step, the whole
    // solution for Text1(0)), an empty one removing the description. Does
    // nothing before start().
    void describe(const Widgets& widgets, const window::SolutionNotes& notes);

private:
    IAccPropServices* services_ = nullptr;
    bool started_ = false;  // whether or not the system had the service
};

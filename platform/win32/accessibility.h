// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets.h"

// Gives each box and both text areas the name a screen reader announces
// (u"Вариант 3, H"), through the system's accessibility annotations. Loads
// what it needs on first use: call it when a screen reader first asks, so
// a start without one pays nothing. Returns false where the system offers
// no annotations; the controls then keep their default names.
bool annotateWidgets(const Widgets& widgets);

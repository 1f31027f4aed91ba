// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's start: the page's controls are there already; attach to
// them, run the load handler, and return to the browser's event loop.
#include <emscripten/emscripten.h>

#include "webwindow.h"

namespace {
WebWindow* page = nullptr;  // lives as long as the page
}

extern "C" {
EMSCRIPTEN_KEEPALIVE void cylinder_optionClicked(int k) {
    page->onOptionClick(k);
}
EMSCRIPTEN_KEEPALIVE void cylinder_commandClicked(int n) {
    page->onCommandClick(n);
}
EMSCRIPTEN_KEEPALIVE void cylinder_roundingChosen(int place) {
    page->onRoundingChoice(place);
}
EMSCRIPTEN_KEEPALIVE void cylinder_fitBox(int box) {
    page->fitBox(box);
}
}

int main() {
    page = new WebWindow;
    return 0;
}

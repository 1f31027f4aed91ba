// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/formulalayout.h"

// Every character 10 wide, ascent 8, descent 2; scripts 7, 5 and 1; axis
// 3, rule 1: a font whose layouts can be worked out by hand.
class FakeMetrics final : public window::FormulaLayout::Metrics {
public:
    using Style = window::FormulaLayout::Style;
    int advance(std::u16string_view text, Style style) const override {
        return static_cast<int>(text.size()) * (style.script ? 7 : 10);
    }
    int ascent(Style style) const override { return style.script ? 5 : 8; }
    int descent(Style style) const override { return style.script ? 1 : 2; }
    int axis() const override { return 3; }
    int rule() const override { return 1; }
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

#include "design.h"

namespace window {

// The window's control arrays, indexed as designed, for any toolkit: each
// array holds that kind's handle type, find() gives the common one.
// Example: ControlArrays<QWidget*, QLabel*, ...>::find({Kind::Text2, 11}).
template <class Any, class Label, class Option, class Box, class Command, class Area>
struct ControlArrays {
    std::array<Label, 6> Label1{};
    std::array<Option, 9> Option1{};
    std::array<Box, BoxCount> Text2{};
    std::array<Command, 2> Command1{};
    std::array<Area, 2> Text1{};

    // The control `ref` names; throws std::out_of_range past an array's end.
    Any find(ControlRef ref) const {
        const auto i = static_cast<std::size_t>(ref.index);
        switch (ref.kind) {
            case Kind::Label1:
                return Label1.at(i);
            case Kind::Option1:
                return Option1.at(i);
            case Kind::Text2:
                return Text2.at(i);
            case Kind::Command1:
                return Command1.at(i);
            case Kind::Text1:
                return Text1.at(i);
        }
        return Any{};
    }
};

}  // namespace window

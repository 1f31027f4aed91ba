// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/numbertext.h"

namespace calc {

// What a task may speak of: each a function of the cylinder's R and H.
enum class Measure {
    R,                    // the base's radius (the book's r)
    d,                    // the base's diameter 2R
    C,                    // the base's circumference 2πR
    B,                    // the base's area πR²
    H,                    // the height, also the generatrix (the book's h, l)
    So,                   // the lateral surface 2πRH (the book's S)
    Sp,                   // the whole surface 2πR(R + H) (the book's S₁)
    V,                    // the volume πR²H
    AxialArea,            // the axial section 2R × H: its area 2RH,
    AxialDiagonal,        // its diagonal √(4R² + H²)
    AxialPerimeter,       // and its perimeter 4R + 2H
    DevelopmentDiagonal,  // the lateral surface's development 2πR × H: √(4π²R² + H²)
    SphereRadius,         // the sphere inscribed, touching both bases and
    SphereSurface,        // the lateral surface (so H = 2R): its radius R,
    SphereVolume,         // its surface 4πR² and its volume 4πR³/3
    // Asked only.
    r,             // the largest sphere inside: min(R, H/2)
    s,             // its surface
    rho,           // the sphere around the cylinder: √(R² + (H/2)²)
    Around,        // its surface (the program's S)
    OpenSurface,   // the surface without one base ("без капак"): πR² + 2πRH
    Mass,          // V times the task's density
};
inline constexpr int MeasureCount = static_cast<int>(Measure::Mass) + 1;

// The task's π.
enum class TaskPi {
    Program,  // none said: the program's 3.14159265358979
    Approx,   // "π ≈ 3,14"
    Sevenths  // "π = 22/7"
};

// A unit a task gives or asks in, beyond a length's powers: the kind and
// its power of ten in the base unit (m, m², m³, g, g/cm³).
// Example: a litre is {Volume, -3}; a hectolitre {Volume, -1}; kg {Mass, 3}.
struct TaskUnit {
    enum class Kind { Length, Area, Volume, Mass, Density } kind = Kind::Length;
    int exponent = 0;
    std::u16string text;  // as written: "l", "кг", "cm²"
    bool operator==(const TaskUnit&) const = default;
};

// One fact of a task about one right circular cylinder.
struct Fact {
    enum class Kind {
        Value,     // measure = number (with its unit)
        Square,    // measure (AxialArea: the axial section, DevelopmentDiagonal:
                   // the development) is a square; with a side when number is read
        Relation,  // measure = factor · other + number ("h = d + 15 cm", "h = 2C")
        Ratio,     // measure : other = number : factor ("r : h = 2 : 3")
        Angle,     // the axial section's diagonal makes `number` degrees with the base
        Pi,        // the task's π, in `pi`
        Density,   // number in `unit` (g/cm³, kg/dm³, kg/m³)
        Asked,     // measure is asked, in `unit` if written, rounded to `places`
    };
    Kind kind = Kind::Value;
    Measure measure = Measure::R;
    Measure other = Measure::R;
    platform::Reading number{};                // its unit, if a length's, area's or volume's
    platform::Reading factor{.value = 1, .exact = platform::Exact(1)};
    TaskPi pi = TaskPi::Program;
    std::optional<TaskUnit> unit;              // Density's; Asked's when written
    int places = -1;                           // Asked: -1 not rounded, 0 whole numbers, 1…3
    std::u16string text;                       // as the task wrote it, for "Дадено:"
};

// A multiple-choice task's option: "Б) 150π cm³".
struct Option {
    std::u16string label;     // as written, with its bracket: "Б)"
    platform::Reading value;  // its number, with its unit if written
};

// A task read: its facts, or the parts it could not read.
struct Task {
    std::vector<Fact> facts;
    std::vector<std::u16string> unread;  // each quoted in "Не разбрах: „…“."
    std::u16string refused;              // a task of another kind: the sentence saying so
    std::vector<Option> options;         // a multiple-choice task's, in order
};

// How the book writes a measure: "r", "d", "C", "B", "h", "S", "S₁", "V",
// "Q" … and the words that name it in "Търси се:".
// Example: bookLetter(Measure::Sp) == u"S₁".
std::u16string_view bookLetter(Measure m);

}  // namespace calc

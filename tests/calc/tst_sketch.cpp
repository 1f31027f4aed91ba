// SPDX-License-Identifier: GPL-3.0-or-later
// The sketch's geometry, worked out by hand from its drawing rules: the
// section's longer side 120, bases 0.3 as high as wide, pad 14, gap 44.
#include <doctest/doctest.h>

#include <array>
#include <string>
#include <vector>

#include "calc/sketch.h"
#include "calc/sphere.h"

namespace {

using Anchor = calc::Sketch::Anchor;

calc::Solution solved(double R, double H) {
    calc::Calculation c;
    calc::solveCylinder(0, R, H, c.q);
    c.r = calc::inscribedSphereRadius(R, H);
    c.s = calc::sphereSurface(*c.r);
    return calc::explain(c);
}

// Every number in drawing order, the note's place last when there is one.
std::vector<double> numbers(const calc::Sketch& s) {
    const auto &u = s.upperBase, &l = s.lowerBase, &e = s.equator;
    const auto &b = s.body, &r = s.section;
    const auto &c = s.sphere, &sc = s.sectionCircle;
    const auto &a = s.axis, &sa = s.sectionAxis;
    const auto& t = s.labels;
    std::vector<double> n{s.width, s.height, u.cx,    u.cy,     u.rx,   u.ry,   b.x,    b.y,
                          b.width, b.height, l.cx,    l.cy,     l.rx,   l.ry,   c.cx,   c.cy,
                          c.r,     e.cx,     e.cy,    e.rx,     e.ry,   a.x,    a.y1,   a.y2,
                          r.x,     r.y,      r.width, r.height, sc.cx,  sc.cy,  sc.r,   sa.x,
                          sa.y1,   sa.y2,    t[0].x,  t[0].y,   t[1].x, t[1].y, t[2].x, t[2].y};
    if (s.note) n.insert(n.end(), {s.note->x, s.note->y});
    return n;
}

}  // namespace

TEST_CASE("the sketch's geometry") {
    struct Row {
        const char* name;
        double R, H;
        // width height | upper base | body | lower base | sphere | equator | axis |
        // section | its circle | its axis | labels R, H, r | the note
        std::vector<double> numbers;
        Anchor rAnchor;
        std::u16string_view touches;  // the title's end
    };
    // clang-format off
    const Row rows[] = {
        {"to scale: R = 1, H = 3", 1, 3,
         {246, 168, 54, 26, 40, 12, 14, 26, 80, 120, 54, 146, 40, 12, 54, 86, 40, 54, 86, 40, 12, 54, 8, 164,
          138, 26, 80, 120, 178, 86, 40, 178, 18, 154, 198, 163, 223, 91, 158, 82},
         Anchor::Middle, u"Сферата се допира до околната повърхнина."},
        {"too tall: R = 1, H = 100", 1, 100,
         {126, 179, 24, 17, 10, 3, 14, 17, 20, 120, 24, 137, 10, 3, 24, 77, 10, 24, 77, 10, 3, 24, 8, 146,
          78, 17, 20, 120, 88, 77, 10, 88, 9, 145, 93, 154, 103, 82, 74, 82, 14, 173},
         Anchor::End, u"Сферата се допира до околната повърхнина. Чертежът не е в мащаб."},
        {"too flat: R = 1, H = 0.2", 1, 0.2,
         {326, 94, 74, 32, 60, 18, 14, 32, 120, 20, 74, 52, 60, 18, 74, 42, 10, 74, 42, 10, 3, 74, 8, 76,
          178, 32, 120, 20, 238, 42, 10, 238, 24, 60, 268, 69, 303, 47, 224, 47, 14, 88},
         Anchor::End, u"Сферата се допира до двете основи. Чертежът не е в мащаб."},
        {"H = 2R: R = 1, H = 2", 1, 2,
         {326, 174, 74, 32, 60, 18, 14, 32, 120, 120, 74, 152, 60, 18, 74, 92, 60, 74, 92, 60, 18, 74, 8, 176,
          178, 32, 120, 120, 238, 92, 60, 238, 24, 160, 268, 169, 303, 97, 208, 88},
         Anchor::Middle, u"Сферата се допира до двете основи и до околната повърхнина."},
        {"a small circle to scale: R = 2, H = 1", 2, 1,
         {326, 84, 74, 32, 60, 18, 14, 32, 120, 30, 74, 62, 60, 18, 74, 47, 15, 74, 47, 15, 4.5, 74, 8, 86,
          178, 32, 120, 30, 238, 47, 15, 238, 24, 70, 268, 79, 303, 52, 219, 52},
         Anchor::End, u"Сферата се допира до двете основи."},
    };
    // clang-format on
    for (const Row& row : rows) {
        CAPTURE(row.name);
        const auto sketch = calc::sketchOf(solved(row.R, row.H));
        REQUIRE(sketch.has_value());
        CHECK(numbers(*sketch) == row.numbers);
        CHECK(std::array{sketch->labels[0].anchor, sketch->labels[1].anchor,
                         sketch->labels[2].anchor} ==
              std::array{Anchor::Middle, Anchor::Start, row.rAnchor});
        CHECK(sketch->title ==
              u"Чертеж: цилиндърът с най-голямата сфера в него и осното му "
              u"сечение — правоъгълник 2R × H с окръжност с радиус r. " +
                  std::u16string(row.touches));
        CHECK(sketch->toScale == !sketch->note.has_value());
        if (sketch->note) CHECK(sketch->note->text == u"не в мащаб");
    }
    // No cylinder, nothing to draw.
    CHECK_FALSE(calc::sketchOf(solved(-1, 2)).has_value());
}

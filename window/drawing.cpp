// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing.h"

#include "solutionpage.h"

namespace window {

Drawing::PenDesign Drawing::design(Pen pen) {
    using S = calc::Sketch;
    switch (pen) {
        case Pen::Hidden:
            return {S::SolidWidth, S::HiddenDashes};
        case Pen::Axis:
            return {S::AxisWidth, S::AxisDashes};
        case Pen::Radius:
            return {S::RadiusWidth, {}};
        case Pen::Outline:
            break;
    }
    return {S::SolidWidth, {}};
}

double Drawing::pixels(Face face) {
    return face == Face::Note ? calc::Sketch::NotePixels : calc::Sketch::LabelPixels;
}

Drawing drawingOf(const calc::Sketch& s) {
    using P = Drawing::Pen;
    using S = Drawing::Shape;
    Drawing d;
    d.width = s.width;
    d.height = s.height;
    d.title = s.title;
    const auto ellipse = [&](S shape, P pen, const calc::Sketch::Ellipse& e) {
        d.strokes.push_back({shape, pen, e.cx, e.cy, e.rx, e.ry});
    };
    // The front half solid, the hidden one dashed.
    const auto halves = [&](const calc::Sketch::Ellipse& e) {
        ellipse(S::FrontHalf, P::Outline, e);
        ellipse(S::BackHalf, P::Hidden, e);
    };
    const auto circle = [&](const calc::Sketch::Circle& c) {
        ellipse(S::Circle, P::Outline, {c.cx, c.cy, c.r, c.r});
    };
    const auto line = [&](P pen, double x1, double y1, double x2, double y2) {
        d.strokes.push_back({S::Line, pen, x1, y1, x2, y2});
    };
    // The cylinder: its upper base, sides and lower base; the sphere, its
    // equator; the axis.
    ellipse(S::Ellipse, P::Outline, s.upperBase);
    const double right = s.body.x + s.body.width, bottom = s.body.y + s.body.height;
    line(P::Outline, s.body.x, s.body.y, s.body.x, bottom);
    line(P::Outline, right, s.body.y, right, bottom);
    halves(s.lowerBase);
    circle(s.sphere);
    halves(s.equator);
    line(P::Axis, s.axis.x, s.axis.y1, s.axis.x, s.axis.y2);
    // The axial section: the rectangle 2R × H, the circle, the radius r.
    d.strokes.push_back(
        {S::Rect, P::Outline, s.section.x, s.section.y, s.section.width, s.section.height});
    circle(s.sectionCircle);
    line(P::Axis, s.sectionAxis.x, s.sectionAxis.y1, s.sectionAxis.x, s.sectionAxis.y2);
    const calc::Sketch::Circle& c = s.sectionCircle;
    line(P::Radius, c.cx, c.cy, c.cx - c.r, c.cy);
    for (const calc::Sketch::Label& l : s.labels)
        d.labels.push_back({l.x, l.y, l.anchor, Drawing::Face::Label, l.text});
    if (s.note)
        d.labels.push_back(
            {s.note->x, s.note->y, s.note->anchor, Drawing::Face::Note, s.note->text});
    return d;
}

Drawing drawingOf(const SolutionPage& page) {
    Drawing d = page.sketch ? drawingOf(*page.sketch) : Drawing{};
    d.unit = page.unit;
    d.linesTop = page.linesTop;
    d.rule = page.rule;
    page.lines.forEachRun([&](const FormulaLayout::Run& run) { d.runs.push_back(run); });
    page.lines.forEachBar([&](const FormulaLayout::Bar& bar) { d.bars.push_back(bar); });
    page.lines.forEachPolyline(
        [&](const FormulaLayout::Radical& radical) { d.radicals.push_back(radical); });
    return d;
}

}  // namespace window

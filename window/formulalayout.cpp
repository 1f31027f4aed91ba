// SPDX-License-Identifier: GPL-3.0-or-later
#include "formulalayout.h"

#include <algorithm>
#include <utility>

namespace window {

namespace {

using Kind = calc::Formula::Kind;
using Box = FormulaLayout;
using Style = FormulaLayout::Style;

constexpr Style Upright{};
constexpr Style Italic{false, true};
constexpr Style Script{true, false};
constexpr Style ItalicScript{true, true};

// `box` drawn into `into` with its origin at (dx, dy); sizes are the caller's.
void place(Box& into, const Box& box, int dx, int dy) {
    for (const Box::Run& run : box.runs)
        into.runs.push_back({run.text, run.x + dx, run.y + dy, run.style});
    for (const Box::Bar& bar : box.bars)
        into.bars.push_back({bar.x + dx, bar.y + dy, bar.width, bar.height});
    for (Box::Radical radical : box.radicals) {
        for (Box::Point& p : radical) p = {p.x + dx, p.y + dy};
        into.radicals.push_back(radical);
    }
}

// One run on the baseline and nothing else: text may join it.
bool plain(const Box& box) {
    return box.runs.size() == 1 && box.bars.empty() && box.radicals.empty() && box.runs[0].y == 0;
}

// Boxes side by side on one baseline.
Box line(const std::vector<Box>& row) {
    Box out;
    for (const Box& box : row) {
        place(out, box, out.width, 0);
        out.width += box.width;
        out.ascent = std::max(out.ascent, box.ascent);
        out.descent = std::max(out.descent, box.descent);
    }
    return out;
}

// Takes the walk's events; each node with items collects a row of boxes
// and turns it into one box at its end.
class LayoutSink final : public calc::Formula::Sink {
public:
    LayoutSink(const Box::Metrics& metrics, char16_t separator)
        : m_(metrics), separator_(separator) {}

    Box result() const { return line(rows_.front()); }

    bool linear() const override { return false; }
    void leaf(const calc::Formula& f) override {
        if (f.kind != Kind::Symbol) return add(run(calc::leafText(f, separator_), Upright));
        const auto parts = calc::subscripted(f.text);
        if (!parts) return add(run(f.text, Italic));
        // So, Sp, S₁: S with a subscript, as a pupil writes them.
        Box box = run(parts->first, Italic);
        const Box sub = run(parts->second, ItalicScript);
        const int drop = m_.descent(Upright);
        place(box, sub, box.width, drop);
        box.width += sub.width;
        box.descent = std::max(box.descent, drop + sub.descent);
        add(std::move(box));
    }
    void begin(const calc::Formula& f) override {
        rows_.emplace_back();
        if (f.kind == Kind::Call) add(run(f.text + u"(", Upright));
    }
    void end(const calc::Formula& f) override {
        if (f.kind == Kind::Call) add(run(u")", Upright));
        std::vector<Box> row = std::move(rows_.back());
        rows_.pop_back();
        if (f.kind == Kind::Fraction) return add(fraction(row[0], row[1]));
        Box box = line(row);
        if (f.kind == Kind::Root) return add(radical(box));
        if (f.kind == Kind::Square) return add(power(std::move(box), f.text.empty() ? u"2" : f.text));
        add(std::move(box));
    }
    void sign(const calc::Formula& in, char16_t sign, bool afterItem) override {
        add(run(calc::signText(in, sign, afterItem), Upright));
    }
    void bracket(bool open) override { add(run(open ? u"(" : u")", Upright)); }
    void bar(bool) override {}
    void beginPart() override { rows_.emplace_back(); }
    // Kept apart from its neighbour part: never joined.
    void endPart() override {
        Box part = line(rows_.back());
        rows_.pop_back();
        rows_.back().push_back(std::move(part));
    }

private:
    Box run(std::u16string text, Style style) const {
        Box box;
        box.width = m_.advance(text, style);
        box.ascent = m_.ascent(style);
        box.descent = m_.descent(style);
        box.runs.push_back({std::move(text), 0, 0, style});
        return box;
    }

    // Adjacent plain runs of one style are one run, measured whole.
    void add(Box box) {
        std::vector<Box>& row = rows_.back();
        if (!row.empty() && plain(row.back()) && plain(box) &&
            row.back().runs[0].style == box.runs[0].style) {
            box = run(row.back().runs[0].text + box.runs[0].text, box.runs[0].style);
            row.pop_back();
        }
        row.push_back(std::move(box));
    }

    // The numerator over the denominator, centred on a bar a rule thick
    // on the axis, a rule of room around each and the bar one rule wider
    // on each side.
    Box fraction(const Box& n, const Box& d) const {
        const int t = m_.rule();
        Box box;
        box.width = std::max(n.width, d.width) + 2 * t;
        const int barTop = -m_.axis() - t / 2;
        box.bars.push_back({0, barTop, box.width, t});
        const int nBaseline = barTop - t - n.descent;
        const int dBaseline = barTop + 2 * t + d.ascent;
        place(box, n, (box.width - n.width) / 2, nBaseline);
        place(box, d, (box.width - d.width) / 2, dBaseline);
        box.ascent = n.ascent - nBaseline;
        box.descent = dBaseline + d.descent;
        return box;
    }

    // The sign, half an em wide: a short rising tick, down to the
    // radicand's bottom, up to a bar a rule above it; a rule of room on
    // either side of the radicand under the bar.
    Box radical(const Box& radicand) const {
        const int t = m_.rule();
        const int em = m_.ascent(Upright) + m_.descent(Upright);
        const int sign = em / 2;
        const int top = -radicand.ascent - 2 * t;
        const int bottom = radicand.descent;
        Box box;
        box.radicals.push_back({Box::Point{0, bottom - 2 * em / 5},
                                {sign / 4, bottom - em / 2},
                                {sign / 2, bottom},
                                {sign, top}});
        box.bars.push_back({sign, top, radicand.width + 2 * t, t});
        place(box, radicand, sign + t, 0);
        box.width = sign + radicand.width + 2 * t;
        box.ascent = -top;
        box.descent = bottom;
        return box;
    }

    // The base with a smaller 2 raised by half its height, or level with
    // its top where the base is more than twice as high as the 2.
    Box power(Box base, std::u16string_view exponent) const {
        const Box two = run(std::u16string(exponent), Script);
        const int raise = std::max(base.ascent / 2, base.ascent - two.ascent);
        place(base, two, base.width, -raise);
        base.width += two.width;
        base.ascent = std::max(base.ascent, raise + two.ascent);
        base.descent = std::max(base.descent, two.descent - raise);
        return base;
    }

    const Box::Metrics& m_;
    const char16_t separator_;
    std::vector<std::vector<Box>> rows_{1};
};

}  // namespace

FormulaLayout layOut(const calc::Formula& formula, const FormulaLayout::Metrics& metrics,
                     char16_t separator) {
    LayoutSink sink(metrics, separator);
    calc::walkFormula(formula, sink);
    return sink.result();
}

}  // namespace window

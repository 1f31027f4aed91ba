// SPDX-License-Identifier: GPL-3.0-or-later
#include "solutionwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <array>

#include "calc/texts.h"
#include "solutionaccessible.h"
#include "textconvert.h"
#include "window/design.h"
#include "window/placement.h"

namespace {

using Style = window::FormulaLayout::Style;

using Page = window::SolutionPage;
constexpr double CssPixels = Page::CssPixels;
constexpr int TextWidth = Page::TextWidth;
constexpr int MinWidth = Page::MinWidth;
constexpr int Margin = Page::Margin;
constexpr int Gap = Page::Gap;
constexpr double ScriptSize = Page::ScriptSize;

// The window's type face as a formula sets it; scripts smaller.
QFont fontOf(Style style) {
    QFont font(toQString(window::FontFamily));
    font.setPointSizeF(style.script ? window::FontPoints * ScriptSize : window::FontPoints);
    font.setItalic(style.italic);
    return font;
}

// The four fonts a formula uses, by script * 2 + italic.
std::array<QFont, 4> fonts() {
    return {fontOf({false, false}), fontOf({false, true}), fontOf({true, false}),
            fontOf({true, true})};
}

std::size_t indexOf(Style style) {
    return static_cast<std::size_t>(style.script) * 2 + static_cast<std::size_t>(style.italic);
}

// The layout's font measures on one paint device, rounded to its pixels.
class Metrics final : public window::FormulaLayout::Metrics {
public:
    explicit Metrics(QPaintDevice* device)
        : fonts_(fonts()),
          metrics_{QFontMetricsF(fonts_[0], device), QFontMetricsF(fonts_[1], device),
                   QFontMetricsF(fonts_[2], device), QFontMetricsF(fonts_[3], device)} {}

    int advance(std::u16string_view text, Style style) const override {
        return qRound(of(style).horizontalAdvance(toQString(text)));
    }
    int ascent(Style style) const override { return qRound(of(style).ascent()); }
    int descent(Style style) const override { return qRound(of(style).descent()); }
    int axis() const override { return qRound(metrics_[0].strikeOutPos()); }
    int rule() const override { return std::max(1, qRound(metrics_[0].lineWidth())); }

private:
    const QFontMetricsF& of(Style style) const { return metrics_[indexOf(style)]; }

    std::array<QFont, 4> fonts_;
    std::array<QFontMetricsF, 4> metrics_;
};

Page layOutPage(const calc::Solution& solution, char16_t separator, QPaintDevice* device,
                int width) {
    return window::layOutPage(solution, Metrics(device), device->logicalDpiX(), width, separator);
}

// An ellipse's front (lower) half solid, its hidden half dashed.
void halves(QPainter& p, const calc::Sketch::Ellipse& e, const QPen& solid, const QPen& dashed) {
    const QRectF box(e.cx - e.rx, e.cy - e.ry, 2 * e.rx, 2 * e.ry);
    p.setPen(solid);
    p.drawArc(box, 180 * 16, 180 * 16);
    p.setPen(dashed);
    p.drawArc(box, 0, 180 * 16);
}

void circle(QPainter& p, const calc::Sketch::Circle& c) {
    p.drawEllipse(QPointF(c.cx, c.cy), c.r, c.r);
}

void axis(QPainter& p, const calc::Sketch::Axis& a, const QPen& pen) {
    p.setPen(pen);
    p.drawLine(QPointF(a.x, a.y1), QPointF(a.x, a.y2));
}

// A label at its anchor, in CSS pixels of `font`'s pixel size.
void label(QPainter& p, const calc::Sketch::Label& l, const QFont& font) {
    p.setFont(font);
    const QString text = toQString(l.text);
    const double w = QFontMetricsF(font, p.device()).horizontalAdvance(text);
    const double shift = l.anchor == calc::Sketch::Anchor::Start    ? 0
                         : l.anchor == calc::Sketch::Anchor::Middle ? w / 2
                                                                    : w;
    p.drawText(QPointF(l.x - shift, l.y), text);
}

// Dashes in CSS pixels as Qt counts them, in widths of the pen.
template <std::size_t N>
QList<qreal> inWidths(const std::array<double, N>& dashes, double width) {
    QList<qreal> pattern;
    for (const double d : dashes) pattern << d / width;
    return pattern;
}

// The sketch as the browser draws it, in calc::Sketch's strokes (Qt counts
// dashes in widths).
void drawSketch(QPainter& p, const calc::Sketch& s, double unit) {
    p.save();
    p.scale(unit, unit);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    using S = calc::Sketch;
    const QPen solid(Qt::black, S::SolidWidth);
    QPen dashed = solid;
    dashed.setDashPattern(inWidths(S::HiddenDashes, S::SolidWidth));
    QPen dashDot(Qt::black, S::AxisWidth);
    dashDot.setDashPattern(inWidths(S::AxisDashes, S::AxisWidth));

    p.setPen(solid);
    const auto& u = s.upperBase;
    p.drawEllipse(QPointF(u.cx, u.cy), u.rx, u.ry);
    p.drawLine(QPointF(s.body.x, s.body.y), QPointF(s.body.x, s.body.y + s.body.height));
    const double right = s.body.x + s.body.width;
    p.drawLine(QPointF(right, s.body.y), QPointF(right, s.body.y + s.body.height));
    halves(p, s.lowerBase, solid, dashed);
    p.setPen(solid);
    circle(p, s.sphere);
    halves(p, s.equator, solid, dashed);
    axis(p, s.axis, dashDot);

    p.setPen(solid);
    p.drawRect(QRectF(s.section.x, s.section.y, s.section.width, s.section.height));
    circle(p, s.sectionCircle);
    axis(p, s.sectionAxis, dashDot);
    const auto& c = s.sectionCircle;
    p.setPen(QPen(Qt::black, S::RadiusWidth));
    p.drawLine(QPointF(c.cx, c.cy), QPointF(c.cx - c.r, c.cy));

    QFont font(toQString(window::FontFamily));
    font.setItalic(true);
    font.setPixelSize(qRound(S::LabelPixels));
    for (const auto& l : s.labels) label(p, l, font);
    font.setPixelSize(qRound(S::NotePixels));
    if (s.note) label(p, *s.note, font);
    p.restore();
}

// The page with its top left corner at the painter's origin, black.
void drawPage(QPainter& p, const Page& page) {
    if (page.sketch) drawSketch(p, *page.sketch, page.unit);
    p.save();
    p.translate(0, page.linesTop);
    p.setPen(Qt::black);
    const std::array<QFont, 4> all = fonts();
    page.lines.forEachRun([&](const window::FormulaLayout::Run& run) {
        p.setFont(all[indexOf(run.style)]);
        p.drawText(QPoint(run.x, run.y), toQString(run.text));
    });
    // Bars on whole pixels stay sharp without smoothing.
    page.lines.forEachBar([&](const window::FormulaLayout::Bar& bar) {
        p.fillRect(QRect(bar.x, bar.y, bar.width, bar.height), Qt::black);
    });
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, page.rule, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    page.lines.forEachPolyline([&](const window::FormulaLayout::Radical& radical) {
        QPoint points[4];
        for (std::size_t i = 0; i < radical.size(); ++i) points[i] = {radical[i].x, radical[i].y};
        p.drawPolyline(points, 4);
    });
    p.restore();
}

// What the window does from the keyboard and its context menu.
constexpr struct {
    calc::Text text;
    QKeySequence::StandardKey key;
    void (*run)(SolutionWindow&);
} Actions[] = {
    {calc::Text::CopySolution, QKeySequence::Copy, [](SolutionWindow& w) { w.copy(); }},
    {calc::Text::PrintSolution, QKeySequence::Print, [](SolutionWindow& w) { w.printAsked(); }},
    {calc::Text::CloseSolution, QKeySequence::Cancel, [](SolutionWindow& w) { w.close(); }},
};

}  // namespace

SolutionWindow::SolutionWindow(QWidget* owner, std::function<void(calc::Rounding)> chooseRounding)
    : QAbstractScrollArea(owner), header_(new QWidget(this)), rounding_(new QComboBox(header_)) {
    SolutionAccessible::install();
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(toQString(calc::text(calc::Text::SolutionCaption)));
    setAccessibleName(windowTitle());
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    textWidth_ = qRound(TextWidth * logicalDpiX() / CssPixels);
    for (const auto& a : Actions) {
        auto* action = new QAction(toQString(calc::text(a.text)), this);
        action->setShortcuts(a.key);
        connect(action, &QAction::triggered, this, [this, run = a.run] { run(*this); });
        addAction(action);
    }
    auto* label = new QLabel(toQString(calc::text(calc::Text::RoundingName)) + ':', header_);
    label->setBuddy(rounding_);
    rounding_->setAccessibleName(toQString(calc::text(calc::Text::RoundingName)));
    for (const calc::Text place : {calc::Text::RoundAll, calc::Text::RoundTenths,
                                   calc::Text::RoundHundredths, calc::Text::RoundThousandths})
        rounding_->addItem(toQString(calc::text(place)));
    connect(rounding_, &QComboBox::activated, this,
            [chooseRounding](int index) { chooseRounding(static_cast<calc::Rounding>(index)); });
    auto* row = new QHBoxLayout(header_);
    row->setContentsMargins(Margin, Gap, Margin, 0);
    row->addWidget(label);
    row->addWidget(rounding_);
    row->addStretch();
    header_->setAutoFillBackground(true);
    header_->setBackgroundRole(QPalette::Base);
    setViewportMargins(0, headerHeight(), 0, 0);
}

int SolutionWindow::headerHeight() const {
    return header_->sizeHint().height();
}

void SolutionWindow::setSolution(const calc::Solution& solution, char16_t separator) {
    solution_ = solution;
    separator_ = separator;
    text_ = toDisplayText(calc::plainText(solution, separator)).trimmed();
    rounding_->setCurrentIndex(static_cast<int>(solution.rounding));
    setAccessibleDescription(text_);
    layOut();
    if (solution.empty()) return hide();
    if (!wanted_ || isVisible()) return;
    if (!placed_) showBeside();
    show();
}

void SolutionWindow::reopen() {
    wanted_ = true;
    if (solution_.empty()) return;
    if (!placed_) showBeside();
    show();
    raise();
    activateWindow();
}

void SolutionWindow::copy() const {
    QApplication::clipboard()->setText(text_);
}

void SolutionWindow::printAsked() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) print(printer);
}

void SolutionWindow::print(QPrinter& printer) const {
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPainter p(&printer);
    const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const double unit = printer.logicalDpiX() / CssPixels;
    const QPixmap shot = parentWidget()->grab();
    const QImage picture = shot.toImage().convertToFormat(QImage::Format_Grayscale8);
    const QSizeF pictureSize = shot.deviceIndependentSize() * unit;
    const double pictureBottom = pictureSize.height() + 2 * Gap * unit;
    const auto [page, scale] =
        window::fitToSheet(solution_, Metrics(&printer), printer.logicalDpiX(), area.width(),
                           area.height(), pictureBottom, separator_);
    p.scale(scale, scale);
    p.drawImage(QRectF(QPointF(0, 0), pictureSize), picture);
    p.translate(0, pictureBottom);
    drawPage(p, page);
}

void SolutionWindow::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    p.translate(Margin - horizontalScrollBar()->value(), Margin - verticalScrollBar()->value());
    drawPage(p, page_);
}

void SolutionWindow::resizeEvent(QResizeEvent*) {
    header_->setGeometry(0, 0, width(), headerHeight());
    updateScrollBars();
}

void SolutionWindow::closeEvent(QCloseEvent* event) {
    wanted_ = false;  // only the pupil closes it; the program hides it
    event->accept();
}

void SolutionWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu::exec(actions(), event->globalPos(), nullptr, this);
}

void SolutionWindow::showBeside() {
    placed_ = true;
    const QWidget* owner = parentWidget();
    const QRect frame = owner->frameGeometry();
    const QSize extra = frame.size() - owner->size();  // the window manager's frame
    const QRect screen = owner->screen()->availableGeometry();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // The page in a framed window, with a scroll bar where the screen is too low for it.
    const auto outer = [&] {
        QSize size(page_.width() + 2 * Margin, headerHeight() + page_.height() + 2 * Margin);
        if (size.height() + extra.height() > screen.height()) size.rwidth() += bar;
        return size.boundedTo(screen.size() - extra) + extra;
    };
    const auto place = [&](QSize size, int least) {
        return window::besideOwner({frame.x(), frame.y(), frame.width(), frame.height()},
                                   size.width(), size.height(), least,
                                   {screen.x(), screen.y(), screen.width(), screen.height()}, Gap);
    };
    const QSize wanted = outer();
    const double unit = logicalDpiX() / CssPixels;
    const int sketch = page_.sketch ? qCeil(page_.sketch->width * unit) : 0;
    const int least = extra.width() + std::max(qRound(MinWidth * unit), sketch + 2 * Margin + bar);
    window::ScreenRect at = place(wanted, least);
    if (at.width < wanted.width()) {  // narrowed to the room beside: the lines wrap to it
        textWidth_ = at.width - extra.width() - 2 * Margin - bar;
        layOut();
        at = place(outer(), at.width);
    }
    resize(at.width - extra.width(), at.height - extra.height());
    move(at.x, at.y);
}

void SolutionWindow::layOut() {
    page_ = layOutPage(solution_, separator_, viewport(), textWidth_);
    updateScrollBars();
    viewport()->update();
}

void SolutionWindow::updateScrollBars() {
    // Worked out from the whole area, as a bar shown before may no longer be needed.
    const QSize content(page_.width() + 2 * Margin, page_.height() + 2 * Margin);
    QSize view = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool tall = content.height() > view.height();
    const bool wide = content.width() > view.width() - (tall ? bar : 0);
    if (wide) view.rheight() -= bar;
    if (tall || content.height() > view.height()) view.rwidth() -= bar;
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, content.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
}

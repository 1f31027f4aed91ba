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
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <array>

#include "calc/texts.h"
#include "solutionaccessible.h"
#include "textconvert.h"
#include "window/design.h"

namespace {

using window::Drawing;
using window::FormulaLayout;
using Style = FormulaLayout::Style;
using Page = window::SolutionPage;

// The window's type face as a formula sets it; scripts smaller.
QFont fontOf(Style style) {
    QFont font(toQString(window::FontFamily));
    font.setPointSizeF(Page::points(style));
    font.setItalic(style.italic);
    return font;
}

// The fonts a formula uses, by FormulaLayout::fontIndex.
std::array<QFont, FormulaLayout::FontCount> fonts() {
    std::array<QFont, FormulaLayout::FontCount> all;
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = fontOf(FormulaLayout::styleOf(i));
    return all;
}

// The layout's font measures on one paint device, rounded to its pixels.
class Metrics final : public FormulaLayout::Metrics {
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
    const QFontMetricsF& of(Style style) const { return metrics_[FormulaLayout::fontIndex(style)]; }

    std::array<QFont, FormulaLayout::FontCount> fonts_;
    std::array<QFontMetricsF, FormulaLayout::FontCount> metrics_;
};

// A stroke's pen; Qt counts dashes in widths of the pen.
QPen penOf(Drawing::Pen pen) {
    const Drawing::PenDesign design = Drawing::design(pen);
    QPen qt(Qt::black, design.width);
    if (!design.dashes.empty()) {
        QList<qreal> pattern;
        for (const double d : design.dashes) pattern << d / design.width;
        qt.setDashPattern(pattern);
    }
    return qt;
}

// A letter at its anchor, in CSS pixels of its face's pixel size.
void label(QPainter& p, const Drawing::Label& l) {
    QFont font(toQString(window::FontFamily));
    font.setItalic(true);
    font.setPixelSize(qRound(Drawing::pixels(l.face)));
    p.setFont(font);
    const QString text = toQString(l.text);
    const double w = QFontMetricsF(font, p.device()).horizontalAdvance(text);
    const double shift = l.anchor == calc::Sketch::Anchor::Start    ? 0
                         : l.anchor == calc::Sketch::Anchor::Middle ? w / 2
                                                                    : w;
    p.drawText(QPointF(l.x - shift, l.y), text);
}

void paintSketch(QPainter& p, const Drawing& d) {
    p.save();
    p.scale(d.unit, d.unit);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    for (const Drawing::Stroke& s : d.strokes) {
        p.setPen(penOf(s.pen));
        const QRectF box(s.x1 - s.x2, s.y1 - s.y2, 2 * s.x2, 2 * s.y2);
        switch (s.shape) {
            case Drawing::Shape::Ellipse:
            case Drawing::Shape::Circle:
                p.drawEllipse(QPointF(s.x1, s.y1), s.x2, s.y2);
                break;
            case Drawing::Shape::FrontHalf:
                p.drawArc(box, 180 * 16, 180 * 16);
                break;
            case Drawing::Shape::BackHalf:
                p.drawArc(box, 0, 180 * 16);
                break;
            case Drawing::Shape::Line:
                p.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
                break;
            case Drawing::Shape::Rect:
                p.drawRect(QRectF(s.x1, s.y1, s.x2, s.y2));
                break;
            case Drawing::Shape::Sides:
                for (const double x : {s.x1, s.x1 + s.x2})
                    p.drawLine(QPointF(x, s.y1), QPointF(x, s.y1 + s.y2));
                break;
        }
    }
    for (const Drawing::Label& l : d.labels) label(p, l);
    p.restore();
}

// The drawing with the page's top left corner at the painter's origin.
void paint(QPainter& p, const Drawing& d) {
    if (d.band)
        p.fillRect(QRect(d.band->x, d.band->y, d.band->width, d.band->height),
                   QColor(QRgb(Drawing::BandColour)));
    if (!d.strokes.empty()) paintSketch(p, d);
    p.save();
    p.translate(0, d.linesTop);
    p.setPen(Qt::black);
    const auto all = fonts();
    for (const FormulaLayout::Run& run : d.runs) {
        p.setFont(all[FormulaLayout::fontIndex(run.style)]);
        p.drawText(QPoint(run.x, run.y), toQString(run.text));
    }
    // Bars on whole pixels stay sharp without smoothing.
    for (const FormulaLayout::Bar& bar : d.bars)
        p.fillRect(QRect(bar.x, bar.y, bar.width, bar.height), Qt::black);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, d.rule, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    for (const FormulaLayout::Radical& radical : d.radicals) {
        std::array<QPoint, std::tuple_size_v<FormulaLayout::Radical>> points;
        for (std::size_t i = 0; i < radical.size(); ++i) points[i] = {radical[i].x, radical[i].y};
        p.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
    p.restore();
}

// A key of the window's as Qt names it.
QKeySequence sequenceOf(window::SolutionKey key) {
    const int qt = key.key == window::SolutionKey::Escape   ? Qt::Key_Escape
                   : key.key == window::SolutionKey::Insert ? Qt::Key_Insert
                                                            : Qt::Key_A + (key.key - u'A');
    return QKeySequence(key.control ? (Qt::CTRL | Qt::Key(qt)) : QKeyCombination(Qt::Key(qt)));
}

}  // namespace

SolutionWindow::SolutionWindow(QWidget* owner, char16_t separator,
                               std::function<void(calc::Rounding)> chooseRounding,
                               std::function<void(std::u16string_view)> solveTask)
    : QAbstractScrollArea(owner),
      header_(new QWidget(this)),
      task_(new QPlainTextEdit(header_)),
      rounding_(new QComboBox(header_)),
      solve_(new QPushButton(toQString(calc::text(calc::Text::SolveButton)), header_)),
      view_(*this, separator, std::move(chooseRounding), std::move(solveTask)) {
    SolutionAccessible::install();
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(toQString(calc::text(calc::Text::SolutionCaption)));
    setAccessibleName(windowTitle());
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    for (const window::SolutionCommandDesign& c : window::SolutionCommands) {
        auto* action = new QAction(toQString(calc::text(c.text)), this);
        QList<QKeySequence> keys;
        for (const window::SolutionKey key : c.keys)
            if (key.key) keys << sequenceOf(key);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this,
                [this, command = c.command] { view_.run(command); });
        addAction(action);
    }
    auto* label = new QLabel(toQString(calc::text(calc::Text::RoundingName)) + ':', header_);
    label->setBuddy(rounding_);
    rounding_->setAccessibleName(toQString(calc::text(calc::Text::RoundingName)));
    for (const std::u16string& place : view_.roundingChoices())
        rounding_->addItem(toQString(place));
    connect(rounding_, &QComboBox::activated, this,
            [this](int index) { view_.chooseRounding(index); });
    const QString taskName = toQString(calc::text(calc::Text::FieldName));
    auto* taskLabel = new QLabel(taskName + ':', header_);
    taskLabel->setBuddy(task_);
    task_->setAccessibleName(taskName);
    task_->setTabChangesFocus(true);
    task_->setFixedHeight(task_->fontMetrics().lineSpacing() * 3 + 2 * task_->frameWidth() + 8);
    task_->installEventFilter(this);
    connect(solve_, &QPushButton::clicked, this, [this] { view_.solveTask(); });
    auto* taskRow = new QHBoxLayout;
    taskRow->addWidget(taskLabel, 0, Qt::AlignTop);
    taskRow->addWidget(task_, 1);
    taskRow->addWidget(solve_, 0, Qt::AlignTop);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(rounding_);
    row->addStretch();
    auto* rows = new QVBoxLayout(header_);
    rows->setContentsMargins(Page::Margin, Page::Gap, Page::Margin, 0);
    rows->addLayout(taskRow);
    rows->addLayout(row);
    header_->setAutoFillBackground(true);
    header_->setBackgroundRole(QPalette::Base);
    // Tab goes round the parts in the view's order; Qt's chain does the going.
    for (std::size_t i = 1; i < parts().size(); ++i) setTabOrder(parts()[i - 1], parts()[i]);
    setViewportMargins(0, header_->sizeHint().height(), 0, 0);
    verticalScrollBar()->setSingleStep(view_.lineStep());
}

bool SolutionWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the field, as the view says; Tab and the commands are Qt's.
    if (watched != task_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           view_.onKey(
               {window::SolutionKey::Enter, false, key->modifiers().testFlag(Qt::ShiftModifier)},
               window::SolutionPart::Task);
}

std::array<QWidget*, window::SolutionPartCount> SolutionWindow::parts() {
    return {task_, solve_, rounding_, this};
}

void SolutionWindow::focus(window::SolutionPart part) {
    parts()[static_cast<std::size_t>(part)]->setFocus(Qt::OtherFocusReason);
}

std::u16string SolutionWindow::taskText() const {
    return std::u16string(toView(task_->toPlainText()));
}

void SolutionWindow::print(QPrinter& printer) const {
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPainter p(&printer);
    const QSizeF area = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const QPixmap shot = parentWidget()->grab();
    const QImage picture = shot.toImage().convertToFormat(QImage::Format_Grayscale8);
    const QSizeF pictureSize =
        shot.deviceIndependentSize() * printer.logicalDpiX() / Page::CssPixels;
    const window::SolutionView::Sheet sheet =
        view_.printed(Metrics(&printer), printer.logicalDpiX(), area.width(), area.height(),
                      pictureSize.height());
    p.scale(sheet.scale, sheet.scale);
    p.drawImage(QRectF(QPointF(0, 0), pictureSize), picture);
    p.translate(0, sheet.pictureBottom);
    paint(p, window::drawingOf(sheet.page));
}

void SolutionWindow::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    const window::FormulaLayout::Point origin = view_.origin();
    p.translate(origin.x, origin.y);
    paint(p, view_.drawing());
}

void SolutionWindow::resizeEvent(QResizeEvent*) {
    placeHeader();
    const QSize view = maximumViewportSize();
    view_.resize(view.width(), view.height());
}

void SolutionWindow::scrollContentsBy(int, int) {
    view_.scrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update();
}

void SolutionWindow::closeEvent(QCloseEvent* event) {
    view_.close();  // only the pupil closes it; the program hides it
    event->accept();
}

void SolutionWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu::exec(actions(), event->globalPos(), nullptr, this);
}

std::unique_ptr<window::FormulaLayout::Metrics> SolutionWindow::metrics() const {
    return std::make_unique<Metrics>(viewport());
}

QSize SolutionWindow::frameExtra() const {
    const QWidget* owner = parentWidget();
    return owner->frameGeometry().size() - owner->size();  // the window manager's frame
}

window::SolutionRoom SolutionWindow::room() const {
    const QWidget* owner = parentWidget();
    const QRect frame = owner->frameGeometry();
    const QRect screen = owner->screen()->availableGeometry();
    const QSize extra = frameExtra();
    return {.owner = {frame.x(), frame.y(), frame.width(), frame.height()},
            .screen = {screen.x(), screen.y(), screen.width(), screen.height()},
            .frameWidth = extra.width(),
            .frameHeight = extra.height(),
            .bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this),
            .barAlways = false,
            .controls = header_->sizeHint().height()};
}

void SolutionWindow::move(window::ScreenRect frame) {
    const QSize extra = frameExtra();
    resize(frame.width - extra.width(), frame.height - extra.height());
    QWidget::move(frame.x, frame.y);
}

void SolutionWindow::show(bool activate) {
    QWidget::show();
    if (!activate) return;
    raise();
    activateWindow();
}

void SolutionWindow::setText(std::u16string_view text, int rounding) {
    text_ = toDisplayText(text);
    rounding_->setCurrentIndex(rounding);
    setAccessibleDescription(text_);
}

void SolutionWindow::setScroll(const window::SolutionScroll& scroll) {
    horizontalScrollBar()->setRange(0, scroll.xRange);
    horizontalScrollBar()->setPageStep(scroll.viewWidth);
    horizontalScrollBar()->setValue(scroll.x);
    verticalScrollBar()->setRange(0, scroll.yRange);
    verticalScrollBar()->setPageStep(scroll.viewHeight);
    verticalScrollBar()->setValue(scroll.y);
    placeHeader();
}

void SolutionWindow::placeHeader() {
    // Left of the scroll bar, which runs the window's whole height.
    const QScrollBar* bar = verticalScrollBar();
    const int barWidth = bar->maximum() > bar->minimum()
                             ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar)
                             : 0;
    header_->setGeometry(0, 0, width() - barWidth, header_->sizeHint().height());
}

void SolutionWindow::invalidate() {
    viewport()->update();
}

void SolutionWindow::copy(std::u16string_view text) {
    QApplication::clipboard()->setText(toDisplayText(text).trimmed());
}

void SolutionWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) print(printer);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "numberbox.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include "textconvert.h"

namespace {

// QLineEdit keeps this much room left and right of its line of text.
constexpr int LineMargin = 2;

// A one-line layout of `text` as QLineEdit makes its own: the same width
// decides, and the same drawing shows, whether the text fits.
void layOut(QTextLayout& layout) {
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

}  // namespace

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &NumberBox::offer);
    remeasure();
}

void NumberBox::write(std::u16string_view text) {
    state_.setText(text);
    setText(toQString(text));
    setCursorPosition(0);  // a long number shows its start
}

void NumberBox::setLocked(bool locked) {
    state_.setLocked(locked);
    setReadOnly(locked);
}

void NumberBox::setStep(std::u16string_view step) {
    if (step == state_.description()) return;  // most boxes, most times
    state_.setStep(step);
    setAccessibleDescription(toQString(step));
    shown();
}

void NumberBox::offer(const QString& text) {
    // Refused: an assistive tool wrote a locked box; its text comes back.
    if (!state_.offerText(toView(text))) return setText(toQString(state_.text()));
    shown();
}

void NumberBox::remeasure() {
    state_.setMeasure([this](std::u16string_view t) { return fits(toQString(t)); },
                      decimalSeparator(locale()));
}

void NumberBox::shown() {
    setToolTip(toQString(state_.tooltip(u"\n")));
    update();
}

bool NumberBox::fits(const QString& candidate) const {
    QTextLayout layout(candidate, font());
    layOut(layout);
    return qRound(layout.lineAt(0).naturalTextWidth()) + 1 <= lineArea(candidate).width();
}

void NumberBox::paintEvent(QPaintEvent* event) {
    if (!state_.rounded()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // As QLineEdit paints an unfocused box: frame and background, then the
    // line left-aligned and centred vertically.
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setClipRect(contentsArea());
    painter.setPen(palette().text().color());
    const QString fitted = toQString(state_.shownText());
    QTextLayout layout(fitted, font());
    layOut(layout);
    const int ascent = qRound(layout.lineAt(0).ascent());
    layout.draw(&painter, lineArea(fitted).topLeft() - QPoint(0, ascent - fontMetrics().ascent()));
}

void NumberBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    state_.setFocus(hasFocus());
    shown();
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    state_.setFocus(hasFocus());
    shown();
}

void NumberBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    remeasure();
    shown();
}

void NumberBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    const QEvent::Type type = event->type();
    if (type != QEvent::FontChange && type != QEvent::StyleChange && type != QEvent::LocaleChange)
        return;
    remeasure();
    shown();
}

QRect NumberBox::contentsArea() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .marginsRemoved(textMargins());
}

QRect NumberBox::lineArea(const QString& shown) const {
    const QRect r = contentsArea();
    const QFontMetrics metrics = fontMetrics();
    const int height = qMax(metrics.height(), metrics.boundingRect(shown).height());
    return {r.x() + LineMargin, r.y() + (r.height() - height + 1) / 2, r.width() - 2 * LineMargin,
            height};
}

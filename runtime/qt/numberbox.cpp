// SPDX-License-Identifier: GPL-3.0-or-later
#include "numberbox.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include "platform/fittext.h"
#include "textconvert.h"
#include "window/solutionnotes.h"

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
    connect(this, &QLineEdit::textChanged, this, &NumberBox::refit);
}

void NumberBox::paintEvent(QPaintEvent* event) {
    if (!fitted_) {
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
    QTextLayout layout(*fitted_, font());
    layOut(layout);
    const int ascent = qRound(layout.lineAt(0).ascent());
    layout.draw(&painter,
                lineArea(*fitted_).topLeft() - QPoint(0, ascent - fontMetrics().ascent()));
}

void NumberBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    refit();
}

void NumberBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    refit();
}

void NumberBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    refit();
}

void NumberBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::StyleChange || type == QEvent::LocaleChange)
        refit();
}

void NumberBox::refit() {
    std::optional<QString> fitted;
    if (!hasFocus()) {
        const QString full = text();
        const auto fits = [&](std::u16string_view candidate) {
            const QString shown = toQString(candidate);
            QTextLayout layout(shown, font());
            layOut(layout);
            return qRound(layout.lineAt(0).naturalTextWidth()) + 1 <= lineArea(shown).width();
        };
        const std::u16string shown =
            platform::fitNumberText(toView(full), decimalSeparator(locale()), fits);
        if (shown != toView(full)) fitted = toQString(shown);
    }
    fitted_ = fitted;
    setToolTip(
        toQString(window::boxTooltip(toView(step_), toView(text()), fitted_.has_value(), u"\n")));
    update();
}

void NumberBox::setStep(const QString& step) {
    if (step == step_) return;  // most boxes, most times: nothing to lay out again
    step_ = step;
    setAccessibleDescription(step);
    refit();
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "numberbox.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include "textconvert.h"

namespace {

// QLineEdit keeps this much room left and right of its line of text.
constexpr int LineMargin = 2;

// `layout` on one line as QLineEdit lays out its own: the same width decides,
// and the same drawing shows, whether a text fits.
QTextLine layOut(QTextLayout& layout) {
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return line;
}

}  // namespace

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        // Refused: a locked box written by an assistive tool gets its text back.
        if (!state_.offerText(toView(text))) return setText(toQString(state_.text()));
        shown();
    });
    remeasure();
}

void NumberBox::write(std::u16string_view text) {
    state_.setText(text);
    setText(toQString(text));
    setCursorPosition(0);
}

void NumberBox::setStep(std::u16string_view step) {
    if (step == state_.description()) return;  // most boxes, most times
    state_.setStep(step);
    setAccessibleDescription(toQString(step));
    shown();
}

void NumberBox::remeasure() {
    const auto fits = [this](std::u16string_view candidate) {
        const QString text = toQString(candidate);
        QTextLayout layout(text, font());
        return qRound(layOut(layout).naturalTextWidth()) + 1 <= lineArea(text).width();
    };
    state_.setMeasure(fits, decimalSeparator(locale()));
}

void NumberBox::shown() {
    setToolTip(toQString(state_.tooltip(u"\n")));
    update();
}

bool NumberBox::event(QEvent* event) {
    const bool taken = QLineEdit::event(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut)
        state_.setFocus(hasFocus());
    else if (type == QEvent::ReadOnlyChange)
        state_.setLocked(isReadOnly());
    else if (type == QEvent::Resize || type == QEvent::FontChange || type == QEvent::StyleChange ||
             type == QEvent::LocaleChange)
        remeasure();
    else
        return taken;
    shown();
    return taken;
}

void NumberBox::paintEvent(QPaintEvent* event) {
    if (!state_.rounded()) return QLineEdit::paintEvent(event);
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
    const int ascent = qRound(layOut(layout).ascent());
    layout.draw(&painter, lineArea(fitted).topLeft() - QPoint(0, ascent - fontMetrics().ascent()));
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

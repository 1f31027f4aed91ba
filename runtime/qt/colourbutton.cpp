// SPDX-License-Identifier: GPL-3.0-or-later
#include "colourbutton.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyleOptionFocusRect>

ColourButton::ColourButton(const QString& text, QColor colour, Qt::Alignment alignment,
                           QWidget* parent)
    : QPushButton(text, parent), colour_(colour), alignment_(alignment) {}

void ColourButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = rect();
    const bool down = isDown();
    painter.fillRect(area, colour_);
    qDrawShadePanel(&painter, area, palette(), down, 2);

    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area.translated(down ? 1 : 0, down ? 1 : 0), alignment_ | Qt::AlignVCenter,
                     text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = area.adjusted(4, 4, -4, -4);
        focus.backgroundColor = colour_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

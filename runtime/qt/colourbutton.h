// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPushButton>

// A push button that shows its own background colour on every style: most
// styles paint buttons with their own gradients and ignore the palette.
class ColourButton : public QPushButton {
    Q_OBJECT

public:
    ColourButton(const QString& text, QColor colour, Qt::Alignment alignment, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    Qt::Alignment alignment_;  // the text's, left to right; up and down it is centred
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

#include "window/numberbox.h"

// A grid box on Qt. Its state and what it shows are window::NumberBox's; this
// measures texts in its font, paints the fitted one, and tells the state of
// focus, size, font, read-only (locked) and every change of the text, undoing
// one the state refuses (a locked box written by an assistive tool).
// Example: a 65-pixel box holding "2.65331193145904" shows "2.653312".
class NumberBox : public QLineEdit {
    Q_OBJECT

public:
    explicit NumberBox(QWidget* parent);

    const window::NumberBox& state() const { return state_; }
    // The program writes the box, locked or not; a long number shows its start.
    void write(std::u16string_view text);
    // The step that found the box's number (empty: none), for its tooltip and description.
    void setStep(std::u16string_view step);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void remeasure();
    void shown();
    QRect contentsArea() const;
    QRect lineArea(const QString& shown) const;

    window::NumberBox state_;
};

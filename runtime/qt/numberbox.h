// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

#include <string_view>

#include "window/numberbox.h"

// A grid box on Qt: the state and what it shows are window::NumberBox's;
// this measures a candidate text in the box's font, paints the fitted text
// and tells the state of focus, size, font and every change of the text.
// A change from anyone but the program is offered to the state and undone
// when refused (a locked box).
// Example: a 65-pixel box holding "2.65331193145904" shows "2.653312".
class NumberBox : public QLineEdit {
    Q_OBJECT

public:
    explicit NumberBox(QWidget* parent);

    const window::NumberBox& state() const { return state_; }
    // The program writes the box, locked or not; its start shows first.
    void write(std::u16string_view text);
    // Locked: read-only to the keyboard, and any other change undone.
    void setLocked(bool locked);
    // The step that computed the box's number: its tooltip and accessible
    // description; empty for none.
    void setStep(std::u16string_view step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void offer(const QString& text);
    void remeasure();
    void shown();
    bool fits(const QString& candidate) const;
    QRect contentsArea() const;
    QRect lineArea(const QString& shown) const;

    window::NumberBox state_;
};

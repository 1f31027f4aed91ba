// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

#include <optional>

// A grid box. Without the keyboard focus, a number too wide for the box
// shows rounded to the digits that fit (platform::fitNumberText, measured in
// the box's font), with the full text as its tooltip. text() is always the
// full text: what the handlers, a screen reader and copying get, and what
// the box shows while it has the focus. A computed box's tooltip starts with
// the step that found its number (setStep).
// Example: a 65-pixel box holding "2.65331193145904" shows "2.653312".
class NumberBox : public QLineEdit {
    Q_OBJECT

public:
    explicit NumberBox(QWidget* parent);

    // What the box shows now: the fitted text, or else text().
    QString shownText() const { return fitted_.value_or(text()); }
    // The step that computed the box's number, first in its tooltip and
    // its accessible description; empty for none.
    void setStep(const QString& step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refit();
    QRect contentsArea() const;
    QRect lineArea(const QString& shown) const;

    std::optional<QString> fitted_;  // set while the box shows a shorter text
    QString step_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class SolutionWindow;

// What a screen reader finds in the solution's window: a read-only
// document named "Решение" whose text is the solution's plain text, so
// it can be read whole, line by line or word by word (Qt splits the
// text at its boundaries). It has a reading position and no selection.
// Example: textAtOffset(0, LineBoundary) gives the line "Дадено: …".
class SolutionAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit SolutionAccessible(SolutionWindow* window);

    // Installed once: every SolutionWindow gets this interface.
    static void install();

    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return cursor_; }
    void setCursorPosition(int position) override { cursor_ = position; }
    QString text(int start, int end) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override;

private:
    const QString& plainText() const;

    int cursor_ = 0;
};

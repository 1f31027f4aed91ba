// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "mainwindow.h"

// Types as the keyboard would, so that a locked box refuses it; any script.
inline void typeKeys(QLineEdit* box, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(box, &press);
    }
}

inline void type(QLineEdit* box, const QString& text) {
    box->clear();
    typeKeys(box, text);
}

inline void showActive(MainWindow& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The texts of Option1(k)'s row of boxes.
inline QStringList rowTexts(const MainWindow& w, int k) {
    QStringList texts;
    for (const QLineEdit* box : w.controls().Text2) texts << box->text();
    return texts.mid(5 * k, 5);
}

// Unlocked boxes, as indices.
inline QList<int> unlocked(const MainWindow& w) {
    QList<int> boxes;
    for (int i = 0; i < window::BoxCount; ++i)
        if (!w.controls().Text2[i]->isReadOnly()) boxes << i;
    return boxes;
}

inline QList<int> row(int k) {
    return {5 * k, 5 * k + 1, 5 * k + 2, 5 * k + 3, 5 * k + 4};
}

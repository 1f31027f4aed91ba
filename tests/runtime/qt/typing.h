// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

// Types as the keyboard would, so that a locked box refuses it; any script.
inline void typeKeys(QLineEdit* box, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(box, &press);
    }
}

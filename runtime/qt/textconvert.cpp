// SPDX-License-Identifier: GPL-3.0-or-later
#include "textconvert.h"

QString toDisplayText(std::u16string_view text) {
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

char16_t decimalSeparator(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.size() == 1 ? point.front().unicode() : u'.';
}

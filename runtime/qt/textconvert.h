// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <string_view>

// Qt's QString and the core's UTF-16 strings share their code units.
inline QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string_view toView(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// Texts keep CR LF line ends; a text widget shows a line break as "\n".
inline QString toDisplayText(std::u16string_view text) {
    return toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The decimal separator of `locale` as one character; '.' where the locale's
// is longer than one UTF-16 unit.
inline char16_t decimalSeparator(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.size() == 1 ? point.front().unicode() : u'.';
}

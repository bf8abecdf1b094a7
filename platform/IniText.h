// SPDX-License-Identifier: MIT
// Keys and values of one INI line, escaped and unescaped exactly as QSettings does, so that files
// written by earlier versions of the game read the same and they can read what we write.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Letters, digits, '_', '-' and '.' stay; '/' becomes '\'; everything else becomes %XX or %UXXXX.
QByteArray escapeIniKey(const QString& key);
// The reverse; a '%' that starts no valid escape stays as it is.
QString unescapeIniKey(QByteArrayView raw);

// A text value as QSettings writes it: escapes for control characters, quotes and backslashes,
// UTF-8 for the rest, quoted when it holds ';', ',' or '=' or starts or ends with a space. A
// leading '@' is doubled and a text holding NUL is written as "@String(...)".
QByteArray escapeIniValue(const QString& text);

// Plain ASCII without quotes or escapes: such a raw value stands for itself (less the spaces
// around it) and needs no decoding to be known readable.
bool isPlainIniValue(QByteArrayView raw);

// The text of a raw value (the bytes after '='), with commas taken literally: nothing when the
// value is damaged (an unclosed quote, a backslash at the very end, or bytes that are not UTF-8).
std::optional<QString> unescapeIniValue(QByteArrayView raw);

// What an unescaped value stands for. QSettings keeps typed values behind '@' forms; the game only
// ever stores text.
struct IniValue {
    enum class Kind { Text, NotText, Invalid };
    Kind kind = Kind::Text;
    QString text;
};
IniValue interpretIniValue(const QString& unescaped);

// SPDX-License-Identifier: MIT
// The escaping rules follow QSettings' INI format character for character: a file is shared with
// every earlier version of the game.
#include "platform/IniText.h"

#include <QBuffer>
#include <QDataStream>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QVariant>

#include <algorithm>

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

bool isAsciiLetterOrDigit(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

int octValue(char16_t c) {
    return c >= u'0' && c <= u'7' ? c - u'0' : -1;
}

void chopTrailingSpaces(QString& text, qsizetype limit) {
    qsizetype n = text.size();
    while (n > limit && (text[n - 1] == u' ' || text[n - 1] == u'\t'))
        --n;
    text.truncate(n);
}

// The arguments of "@Rect(1 2 3 4)" and its kin, as QSettings splits them.
qsizetype countArgs(const QString& s) {
    const qsizetype open = s.indexOf(u'(');
    const QString inner = s.mid(open + 1, s.size() - open - 2);
    return inner.split(u' ', Qt::SkipEmptyParts).size();
}

} // namespace

QByteArray escapeIniKey(const QString& key) {
    QByteArray result;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        if (c == u'/' && i + 1 == key.size()) {
            result += "%2F"; // a '\\' right before the '=' would escape it
        } else if (c == u'/') {
            result += '\\';
        } else if (isAsciiLetterOrDigit(c) || c == u'_' || c == u'-' || c == u'.') {
            result += static_cast<char>(c);
        } else if (c <= 0xFF) {
            result += '%';
            result += HexDigits[c / 16];
            result += HexDigits[c % 16];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += HexDigits[(c >> shift) & 0xF];
        }
    }
    return result;
}

QString unescapeIniKey(QByteArrayView raw) {
    // Nearly every key is plain: no escapes to look for.
    if (!raw.contains('\\') && !raw.contains('%') &&
        std::all_of(raw.begin(), raw.end(), [](char c) { return c > 0; }))
        return QString::fromLatin1(raw);
    QString result;
    qsizetype i = 0;
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            result += u'/';
            ++i;
        } else if (c == '%') {
            const bool wide = i + 1 < raw.size() && raw[i + 1] == 'U';
            const qsizetype digits = wide ? 4 : 2;
            const qsizetype first = i + (wide ? 2 : 1);
            int value = 0;
            bool ok = first + digits <= raw.size();
            for (qsizetype k = 0; ok && k < digits; ++k) {
                const int h = hexValue(static_cast<unsigned char>(raw[first + k]));
                ok = h >= 0;
                value = value * 16 + h;
            }
            if (ok) {
                result += QChar(static_cast<char16_t>(value));
                i = first + digits;
            } else {
                result += u'%';
                ++i;
            }
        } else {
            result += QChar::fromLatin1(c);
            ++i;
        }
    }
    return result;
}

QByteArray escapeIniValue(const QString& value) {
    QString text = value;
    if (text.contains(QChar(0)))
        text = QStringLiteral("@String(") + text + u')';
    else if (text.startsWith(u'@'))
        text.prepend(u'@');

    QStringEncoder toUtf8(QStringEncoder::Utf8);
    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u';' || c == u',' || c == u'=') needsQuotes = true;
        if (escapeNextIfDigit && hexValue(c) >= 0) {
            result += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case u'\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case u'\a':
            result += "\\a";
            break;
        case u'\b':
            result += "\\b";
            break;
        case u'\f':
            result += "\\f";
            break;
        case u'\n':
            result += "\\n";
            break;
        case u'\r':
            result += "\\r";
            break;
        case u'\t':
            result += "\\t";
            break;
        case u'\v':
            result += "\\v";
            break;
        case u'"':
        case u'\\':
            result += '\\';
            result += static_cast<char>(c);
            break;
        default:
            if (c <= 0x1F) {
                result += "\\x" + QByteArray::number(c, 16);
                escapeNextIfDigit = true;
            } else if (c < 0x80) {
                result += static_cast<char>(c);
            } else {
                // One character at a time through one encoder, as QSettings does: a surrogate
                // pair waits in the encoder for its second half.
                result += toUtf8(text[i]);
            }
        }
    }
    if (needsQuotes || (!result.isEmpty() && (result.front() == ' ' || result.back() == ' '))) {
        result.prepend('"');
        result += '"';
    }
    return result;
}

bool isPlainIniValue(QByteArrayView raw) {
    return std::all_of(raw.begin(), raw.end(),
                       [](char c) { return c >= ' ' && c < 0x7f && c != '"' && c != '\\'; });
}

std::optional<QString> unescapeIniValue(QByteArrayView raw) {
    // Nearly every value is plain: it stands for itself, less the spaces around it.
    if (isPlainIniValue(raw)) {
        qsizetype from = 0;
        qsizetype to = raw.size();
        while (from < to && raw[from] == ' ')
            ++from;
        while (to > from && raw[to - 1] == ' ')
            --to;
        return QString::fromLatin1(raw.sliced(from, to - from));
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString str = decoder.decode(raw);
    if (decoder.hasError()) return std::nullopt;

    QString result;
    bool inQuotes = false;
    bool quoted = false;
    qsizetype i = 0;
    const qsizetype n = str.size();
    auto skipSpaces = [&] {
        while (i < n && (str[i] == u' ' || str[i] == u'\t'))
            ++i;
    };
    skipSpaces();
    qsizetype chopLimit = 0;
    while (i < n) {
        const char16_t c = str[i].unicode();
        if (c == u'\\') {
            ++i;
            if (i >= n) return std::nullopt; // a line continuation: the rest went missing
            const char16_t e = str[i++].unicode();
            switch (e) {
            case u'a':
                result += u'\a';
                break;
            case u'b':
                result += u'\b';
                break;
            case u'f':
                result += u'\f';
                break;
            case u'n':
                result += u'\n';
                break;
            case u'r':
                result += u'\r';
                break;
            case u't':
                result += u'\t';
                break;
            case u'v':
                result += u'\v';
                break;
            case u'"':
            case u'?':
            case u'\'':
            case u'\\':
                result += QChar(e);
                break;
            case u'x': {
                if (i < n && hexValue(str[i].unicode()) >= 0) {
                    char16_t value = 0;
                    while (i < n && hexValue(str[i].unicode()) >= 0)
                        value = static_cast<char16_t>((value << 4) + hexValue(str[i++].unicode()));
                    result += QChar(value);
                }
                break;
            }
            default:
                if (octValue(e) >= 0) {
                    auto value = static_cast<char16_t>(octValue(e));
                    while (i < n && octValue(str[i].unicode()) >= 0)
                        value = static_cast<char16_t>((value << 3) + octValue(str[i++].unicode()));
                    result += QChar(value);
                }
                // any other escaped character is dropped, as QSettings does
                break;
            }
            chopLimit = result.size();
        } else if (c == u'"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
                chopLimit = result.size();
            }
        } else {
            result += QChar(c);
            ++i;
        }
    }
    if (inQuotes) return std::nullopt;
    if (!quoted) chopTrailingSpaces(result, chopLimit);
    return result;
}

IniValue interpretIniValue(const QString& s) {
    if (!s.startsWith(u'@')) return {IniValue::Kind::Text, s};
    if (s.endsWith(u')')) {
        if (s.startsWith(QLatin1String("@ByteArray("))) return {IniValue::Kind::NotText, {}};
        if (s.startsWith(QLatin1String("@String(")))
            return {IniValue::Kind::Text, s.mid(8, s.size() - 9)};
        if (s.startsWith(QLatin1String("@Variant(")) || s.startsWith(QLatin1String("@DateTime("))) {
            // A serialized value: text only when it holds a string.
            const qsizetype open = s.indexOf(u'(');
            QByteArray bytes = s.mid(open + 1, s.size() - open - 2).toLatin1();
            QDataStream stream(&bytes, QIODevice::ReadOnly);
            stream.setVersion(QDataStream::Qt_4_0);
            QVariant value;
            stream >> value;
            if (!value.isValid() || stream.status() != QDataStream::Ok)
                return {IniValue::Kind::Invalid, {}};
            if (value.typeId() != QMetaType::QString) return {IniValue::Kind::NotText, {}};
            return {IniValue::Kind::Text, value.toString()};
        }
        if ((s.startsWith(QLatin1String("@Rect(")) && countArgs(s) == 4) ||
            (s.startsWith(QLatin1String("@Size(")) && countArgs(s) == 2) ||
            (s.startsWith(QLatin1String("@Point(")) && countArgs(s) == 2))
            return {IniValue::Kind::NotText, {}};
        if (s == QLatin1String("@Invalid()")) return {IniValue::Kind::Invalid, {}};
    }
    if (s.startsWith(QLatin1String("@@"))) return {IniValue::Kind::Text, s.mid(1)};
    return {IniValue::Kind::Text, s};
}

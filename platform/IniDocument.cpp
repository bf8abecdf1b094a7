// SPDX-License-Identifier: MIT
// QSettings reads an INI file as one stream, where an open quote swallows the rest of the file.
// Here a line break always ends a line, whatever the line holds.
#include "platform/IniDocument.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView v) {
    // A byte order mark, which some editors put first, counts as blank; anywhere, so that a line
    // reads the same when the lines before it are dropped.
    while (!v.isEmpty() && (isBlank(v.front()) || v.startsWith("\xEF\xBB\xBF")))
        v = v.sliced(isBlank(v.front()) ? 1 : 3);
    while (!v.isEmpty() && isBlank(v.back()))
        v = v.chopped(1);
    return v;
}

// QSettings never writes control characters or bytes that are not UTF-8 into a line: a line that
// holds them was damaged from outside.
bool isCleanLine(QByteArrayView content) {
    bool ascii = true;
    for (const char c : content) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t') return false;
        if (u >= 0x80) ascii = false;
    }
    if (ascii) return true;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(content); // decoding happens on this conversion
    return !decoder.hasError();
}

QString sectionName(QByteArrayView raw) {
    if (raw.compare("general", Qt::CaseInsensitive) == 0) return {};
    if (raw.compare("%general", Qt::CaseInsensitive) == 0) return raw.sliced(1).toByteArray();
    return unescapeIniKey(raw);
}

QByteArrayView lineBreakOf(QByteArrayView raw) {
    if (raw.endsWith("\r\n")) return "\r\n";
    if (raw.endsWith('\n')) return "\n";
    if (raw.endsWith('\r')) return "\r";
    return {};
}

// A settings file saved by an editor as UTF-16, turned into the UTF-8 that the lines are read in.
QByteArray asUtf8(const QByteArray& bytes) {
    const bool little = bytes.startsWith("\xFF\xFE");
    const bool big = bytes.startsWith("\xFE\xFF");
    if (!little && !big) return bytes;
    QStringDecoder decode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    const QString text = decode(QByteArrayView(bytes).sliced(2));
    return text.toUtf8();
}

// What one line holds, found without keeping anything of it.
struct ParsedLine {
    using Kind = IniDocument::Kind;
    Kind kind = Kind::Blank;
    bool headerLike = false; // damaged, but starting with '['
    QByteArrayView name;     // a header's section name, an entry's key (both still escaped)
    QByteArrayView rawValue; // an entry's value as written
};

ParsedLine parseLine(QByteArrayView raw) {
    ParsedLine line;
    const QByteArrayView content = raw.chopped(lineBreakOf(raw).size());
    const QByteArrayView text = trimmed(content);
    auto damaged = [&] {
        line.kind = ParsedLine::Kind::Damaged;
        line.headerLike = !text.isEmpty() && text.front() == '[';
        return line;
    };
    if (!isCleanLine(content)) return damaged();
    if (text.isEmpty()) return line;
    if (text.front() == ';') {
        line.kind = ParsedLine::Kind::Comment;
        return line;
    }
    if (text.front() == '[') {
        const qsizetype close = text.indexOf(']');
        if (close < 0) return damaged();
        line.kind = ParsedLine::Kind::Section;
        line.name = trimmed(text.sliced(1, close - 1));
        return line;
    }
    // The first '=' outside quotes ends the key; a ';' outside quotes starts a comment.
    qsizetype equals = -1;
    qsizetype end = text.size();
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && c == '=' && equals < 0) {
            equals = i;
        } else if (!inQuotes && c == ';') {
            end = i;
            break;
        }
    }
    if (equals < 0 || equals > end) return damaged();
    const QByteArrayView key = trimmed(text.first(equals));
    if (key.isEmpty()) return damaged();
    const QByteArrayView value = text.sliced(equals + 1, end - equals - 1);
    if (!isPlainIniValue(value) && !unescapeIniValue(value)) return damaged();
    line.kind = ParsedLine::Kind::Entry;
    line.name = key;
    line.rawValue = value;
    return line;
}

bool isPlainKey(QByteArrayView key) {
    return std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

// A key escaped the one way that QSettings writes it, so that two spellings of one key meet.
QByteArray canonicalKey(QByteArrayView rawKey) {
    return isPlainKey(rawKey) ? rawKey.toByteArray() : escapeIniKey(unescapeIniKey(rawKey));
}

size_t keyHash(QByteArrayView escapedKey, uint32_t section) {
    return qHash(escapedKey, section);
}

} // namespace

IniDocument::IniDocument(const QByteArray& original, const QString& orphanSection)
    : m_source(asUtf8(original)), m_orphanSection(orphanSection) {
    m_currentSection = sectionIndex(orphanSection);
    const qsizetype n = m_source.size();
    const char* bytes = m_source.constData();
    m_lines.reserve(static_cast<size_t>(m_source.count('\n')) + 1);
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        if (end < n) end += (bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ? 2 : 1;
        addLine(start, end - start);
        start = end;
    }
    m_indexSorted = false;
}

QByteArrayView IniDocument::bytesOf(const Line& line) const {
    if (line.replacement >= 0) return m_replacements[static_cast<size_t>(line.replacement)];
    return QByteArrayView(m_source).sliced(line.start, line.size);
}

uint32_t IniDocument::sectionIndex(const QString& name) {
    if (const auto found = findSection(name)) return *found;
    const auto index = static_cast<uint32_t>(m_sections.size());
    m_sections.push_back(name);
    m_sectionIndex.insert(name, index);
    return index;
}

std::optional<uint32_t> IniDocument::findSection(const QString& name) const {
    const auto found = m_sectionIndex.constFind(name);
    if (found == m_sectionIndex.cend()) return std::nullopt;
    return *found;
}

void IniDocument::addLine(qsizetype start, qsizetype size) {
    Line line;
    line.start = start;
    line.size = size;
    line.section = m_currentSection;
    const ParsedLine parsed = parseLine(bytesOf(line));
    line.kind = parsed.kind;
    switch (parsed.kind) {
    case Kind::Blank:
    case Kind::Comment:
        break;
    case Kind::Section:
        m_currentSection = sectionIndex(sectionName(parsed.name));
        line.section = m_currentSection;
        break;
    case Kind::Entry:
        m_index.push_back({isPlainKey(parsed.name)
                               ? keyHash(parsed.name, line.section)
                               : keyHash(canonicalKey(parsed.name), line.section),
                           m_lines.size()});
        break;
    case Kind::Damaged:
        ++m_damagedLines;
        // A header that cannot be read: what follows belongs to no readable section, so it is
        // read as the orphan section rather than as the section before.
        if (parsed.headerLike && !m_orphanSection.isEmpty()) {
            line.damagedHeader = true;
            m_currentSection = sectionIndex(m_orphanSection);
            line.section = m_currentSection;
        }
        break;
    }
    m_lines.push_back(line);
}

void IniDocument::sortIndex() const {
    if (m_indexSorted) return;
    std::sort(m_index.begin(), m_index.end());
    m_indexSorted = true;
}

std::optional<size_t> IniDocument::lastEntry(const QString& section, const QString& key) const {
    const auto index = findSection(section);
    if (!index) return std::nullopt;
    const QByteArray escaped = escapeIniKey(key);
    const size_t hash = keyHash(escaped, *index);
    sortIndex();
    // The lines of this hash in file order: the last one that really is this key wins.
    auto from = std::lower_bound(m_index.begin(), m_index.end(), IndexEntry{hash, 0});
    auto to = std::upper_bound(m_index.begin(), m_index.end(), IndexEntry{hash, SIZE_MAX});
    while (to != from) {
        --to;
        const Line& line = m_lines[to->line];
        if (line.section == *index && canonicalKey(parseLine(bytesOf(line)).name) == escaped)
            return to->line;
    }
    return std::nullopt;
}

std::optional<IniValue> IniDocument::value(const QString& section, const QString& key) const {
    const auto i = lastEntry(section, key);
    if (!i) return std::nullopt;
    const ParsedLine parsed = parseLine(bytesOf(m_lines[*i]));
    return interpretIniValue(unescapeIniValue(parsed.rawValue).value_or(QString()));
}

std::vector<QString> IniDocument::keys(const QString& section) const {
    std::vector<QString> result;
    const auto index = findSection(section);
    if (!index) return result;
    for (const Line& l : m_lines) {
        if (l.kind != Kind::Entry || l.section != *index) continue;
        const QString key = unescapeIniKey(parseLine(bytesOf(l)).name);
        if (std::find(result.begin(), result.end(), key) == result.end()) result.push_back(key);
    }
    return result;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& text) {
    const QByteArray escapedKey = escapeIniKey(key);
    const QByteArray entry = escapedKey + '=' + escapeIniValue(text);
    if (const auto i = lastEntry(section, key)) {
        Line& l = m_lines[*i];
        const QByteArray lineBreak = lineBreakOf(bytesOf(l)).toByteArray();
        m_replacements.push_back(entry + (lineBreak.isEmpty() ? QByteArray("\n") : lineBreak));
        l.replacement = static_cast<int32_t>(m_replacements.size() - 1);
        return;
    }
    const uint32_t sectionNumber = sectionIndex(section);
    auto ownLine = [&](const QByteArray& bytes, Kind kind) {
        Line line;
        m_replacements.push_back(bytes);
        line.replacement = static_cast<int32_t>(m_replacements.size() - 1);
        line.kind = kind;
        line.section = sectionNumber;
        return line;
    };
    auto endLine = [&](size_t at) {
        if (lineBreakOf(bytesOf(m_lines[at])).isEmpty()) {
            const QByteArray with = bytesOf(m_lines[at]).toByteArray() + '\n';
            m_replacements.push_back(with);
            m_lines[at].replacement = static_cast<int32_t>(m_replacements.size() - 1);
        }
    };
    const QByteArrayView indexed = escapedKey;

    // After the section's last entry, else after its last header.
    std::optional<size_t> lastKey;
    std::optional<size_t> lastHeader;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].section != sectionNumber) continue;
        if (m_lines[i].kind == Kind::Entry) lastKey = i;
        if (m_lines[i].kind == Kind::Section) lastHeader = i;
    }
    const std::optional<size_t> after = lastKey ? lastKey : lastHeader;
    if (!after && section.isEmpty()) {
        insertLine(0, ownLine(entry + '\n', Kind::Entry), indexed);
        return;
    }
    if (!after) {
        // A new section at the end, after a blank line as QSettings separates them.
        size_t last = m_lines.size();
        while (last > 0 && m_lines[last - 1].kind == Kind::Damaged)
            --last;
        if (last > 0) {
            endLine(last - 1);
            Line blank = ownLine("\n", Kind::Blank);
            blank.section = m_lines[last - 1].section;
            m_lines.push_back(blank);
        }
        m_lines.push_back(ownLine('[' + escapeIniKey(section) + "]\n", Kind::Section));
        insertLine(m_lines.size(), ownLine(entry + '\n', Kind::Entry), indexed);
        return;
    }
    endLine(*after);
    insertLine(*after + 1, ownLine(entry + '\n', Kind::Entry), indexed);
}

void IniDocument::insertLine(size_t at, Line line, QByteArrayView escapedKey) {
    // Shifting keeps the order of equal hashes, which is file order.
    for (IndexEntry& entry : m_index)
        if (entry.line >= at) ++entry.line;
    const IndexEntry added{keyHash(escapedKey, line.section), at};
    if (m_indexSorted)
        m_index.insert(std::upper_bound(m_index.begin(), m_index.end(), added), added);
    else
        m_index.push_back(added);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), line);
}

QByteArray IniDocument::toBytes() const {
    QByteArray result;
    result.reserve(m_source.size() + 64);
    // Entries read as the orphan section without its header (at the start, or after a damaged
    // header) get the header, so that every reader finds them where this one did.
    const std::optional<uint32_t> orphan =
        m_orphanSection.isEmpty() ? std::nullopt : findSection(m_orphanSection);
    bool headerless = orphan.has_value();
    for (const Line& l : m_lines) {
        if (l.kind == Kind::Section) headerless = false;
        if (l.damagedHeader) headerless = true;
        if (l.kind == Kind::Entry && headerless && l.section == orphan) {
            result += '[' + escapeIniKey(m_orphanSection) + "]\n";
            headerless = false;
        }
        if (l.kind != Kind::Damaged) result += bytesOf(l);
    }
    return result;
}

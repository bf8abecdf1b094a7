// QSettings reads an INI file as one stream, where an open quote swallows the rest of the file.
// Here a line break always ends a line, whatever the line holds.
#include "IniDocument.h"

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
    for (const char c : content) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t') return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(content); // decoding happens on this conversion
    return !decoder.hasError();
}

QString sectionName(QByteArrayView raw) {
    if (raw.compare("general", Qt::CaseInsensitive) == 0) return {};
    if (raw.compare("%general", Qt::CaseInsensitive) == 0) return raw.sliced(1).toByteArray();
    return unescapeIniKey(raw);
}

QByteArray lineBreakOf(const QByteArray& raw) {
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

} // namespace

IniDocument::IniDocument(const QByteArray& original, const QString& orphanSection)
    : m_currentSection(orphanSection), m_orphanSection(orphanSection) {
    const QByteArray bytes = asUtf8(original);
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        if (end < n) end += (bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ? 2 : 1;
        parseLine(bytes.sliced(start, end - start));
        start = end;
    }
    reindex();
}

void IniDocument::reindex() {
    m_lastEntries.clear();
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Entry)
            m_lastEntries.insert({m_lines[i].section, m_lines[i].key}, i);
}

void IniDocument::parseLine(QByteArray raw) {
    Line line;
    line.section = m_currentSection;
    line.raw = std::move(raw);
    const QByteArrayView content = QByteArrayView(line.raw).chopped(lineBreakOf(line.raw).size());
    const QByteArrayView text = trimmed(content);

    auto damaged = [&] {
        line.kind = Kind::Damaged;
        // A header that cannot be read: what follows belongs to no readable section, so it is
        // read as the orphan section rather than as the section before.
        if (!text.isEmpty() && text.front() == '[') {
            line.damagedHeader = true;
            m_currentSection = m_orphanSection;
            line.section = m_orphanSection;
        }
        ++m_damagedLines;
        m_lines.push_back(std::move(line));
    };
    if (!isCleanLine(content)) return damaged();
    if (text.isEmpty()) {
        line.kind = Kind::Blank;
    } else if (text.front() == ';') {
        line.kind = Kind::Comment;
    } else if (text.front() == '[') {
        const qsizetype close = text.indexOf(']');
        if (close < 0) return damaged();
        m_currentSection = sectionName(trimmed(text.sliced(1, close - 1)));
        line.kind = Kind::Section;
        line.section = m_currentSection;
    } else {
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
        const std::optional<QString> value =
            unescapeIniValue(text.sliced(equals + 1, end - equals - 1));
        if (!value) return damaged();
        line.kind = Kind::Entry;
        line.key = unescapeIniKey(key);
        line.value = interpretIniValue(*value);
    }
    m_lines.push_back(std::move(line));
}

std::optional<size_t> IniDocument::lastEntry(const QString& section, const QString& key) const {
    const auto found = m_lastEntries.constFind({section, key});
    if (found == m_lastEntries.cend()) return std::nullopt;
    return *found;
}

std::optional<IniValue> IniDocument::value(const QString& section, const QString& key) const {
    if (const auto i = lastEntry(section, key)) return m_lines[*i].value;
    return std::nullopt;
}

std::vector<QString> IniDocument::keys(const QString& section) const {
    std::vector<QString> result;
    for (const Line& l : m_lines)
        if (l.kind == Kind::Entry && l.section == section &&
            std::find(result.begin(), result.end(), l.key) == result.end())
            result.push_back(l.key);
    return result;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& text) {
    const QByteArray entry = escapeIniKey(key) + '=' + escapeIniValue(text);
    if (const auto i = lastEntry(section, key)) {
        Line& l = m_lines[*i];
        const QByteArray lineBreak = lineBreakOf(l.raw);
        l.raw = entry + (lineBreak.isEmpty() ? QByteArray("\n") : lineBreak);
        l.value = {IniValue::Kind::Text, text};
        return;
    }
    Line line;
    line.raw = entry + '\n';
    line.kind = Kind::Entry;
    line.section = section;
    line.key = key;
    line.value = {IniValue::Kind::Text, text};

    // After the section's last entry, else after its last header.
    std::optional<size_t> lastKey;
    std::optional<size_t> lastHeader;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].section != section) continue;
        if (m_lines[i].kind == Kind::Entry) lastKey = i;
        if (m_lines[i].kind == Kind::Section) lastHeader = i;
    }
    const std::optional<size_t> after = lastKey ? lastKey : lastHeader;
    if (!after && section.isEmpty()) {
        insertLine(0, std::move(line));
        return;
    }
    if (!after) {
        // A new section at the end, after a blank line as QSettings separates them.
        size_t last = m_lines.size();
        while (last > 0 && m_lines[last - 1].kind == Kind::Damaged)
            --last;
        if (last > 0) {
            if (lineBreakOf(m_lines[last - 1].raw).isEmpty()) m_lines[last - 1].raw += '\n';
            Line blank;
            blank.raw = "\n";
            blank.section = m_lines[last - 1].section;
            m_lines.push_back(std::move(blank));
        }
        Line header;
        header.raw = '[' + escapeIniKey(section) + "]\n";
        header.kind = Kind::Section;
        header.section = section;
        m_lines.push_back(std::move(header));
        m_lastEntries.insert({section, key}, m_lines.size());
        m_lines.push_back(std::move(line));
        return;
    }
    if (lineBreakOf(m_lines[*after].raw).isEmpty()) m_lines[*after].raw += '\n';
    insertLine(*after + 1, std::move(line));
}

void IniDocument::insertLine(size_t at, Line line) {
    for (size_t& index : m_lastEntries)
        if (index >= at) ++index;
    m_lastEntries.insert({line.section, line.key}, at);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

QByteArray IniDocument::toBytes() const {
    QByteArray result;
    // Entries read as the orphan section without its header (at the start, or after a damaged
    // header) get the header, so that every reader finds them where this one did.
    bool headerless = !m_orphanSection.isEmpty();
    for (const Line& l : m_lines) {
        if (l.kind == Kind::Section) headerless = false;
        if (l.damagedHeader) headerless = true;
        if (l.kind == Kind::Entry && headerless && l.section == m_orphanSection) {
            result += '[' + escapeIniKey(m_orphanSection) + "]\n";
            headerless = false;
        }
        if (l.kind != Kind::Damaged) result += l.raw;
    }
    return result;
}

// SPDX-License-Identifier: MIT
// An INI file held line by line: every line is read on its own, so a damaged line costs only
// itself, and every line the program does not change is written back byte for byte.
#pragma once

#include "platform/IniText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The lines are kept as places in the file's bytes and read again when a value is asked for, so
// that a file of a million lines costs tens of megabytes, not hundreds.
class IniDocument {
  public:
    IniDocument() = default;
    // Lines before any readable section header, and after a damaged one, belong to
    // `orphanSection` when one is given: one damaged header then costs only its own line. A file
    // in UTF-16 (with its byte order mark) is read as such.
    explicit IniDocument(const QByteArray& bytes, const QString& orphanSection = {});

    // True when some line could not be read (it is left out of toBytes()).
    bool hasDamage() const { return m_damagedLines > 0; }
    int damagedLineCount() const { return m_damagedLines; }

    // The value of the last line that sets the key in the section; nothing when no readable line
    // sets it. The root section ("General" in the file) is the empty name.
    std::optional<IniValue> value(const QString& section, const QString& key) const;
    // The keys with a readable value in the section, in file order, without repeats.
    std::vector<QString> keys(const QString& section) const;

    // Replaces the line that value() reads, or adds a line at the end of the section (and the
    // section at the end of the file when it has none).
    void setValue(const QString& section, const QString& key, const QString& text);

    // The file: kept lines as they were, changed lines in QSettings' form, damaged lines left out.
    // Lines that were read as the orphan section without its header get the header back.
    QByteArray toBytes() const;

    // What a line of the file is.
    enum class Kind : uint8_t { Blank, Comment, Section, Entry, Damaged };

  private:
    struct Line {
        qsizetype start = 0; // in m_source, line break included
        qsizetype size = 0;
        int32_t replacement = -1; // else the line's bytes are m_replacements[replacement]
        uint32_t section = 0;     // index into m_sections
        Kind kind = Kind::Blank;
        bool damagedHeader = false; // a damaged line that looked like a section header
    };

    QByteArrayView bytesOf(const Line& line) const;
    void addLine(qsizetype start, qsizetype size);
    uint32_t sectionIndex(const QString& name);
    std::optional<uint32_t> findSection(const QString& name) const;
    std::optional<size_t> lastEntry(const QString& section, const QString& key) const;
    void insertLine(size_t at, Line line, QByteArrayView escapedKey);
    void sortIndex() const;

    QByteArray m_source;
    std::vector<Line> m_lines;
    std::vector<QByteArray> m_replacements;
    std::vector<QString> m_sections;
    QHash<QString, uint32_t> m_sectionIndex;
    uint32_t m_currentSection = 0;
    QString m_orphanSection;
    int m_damagedLines = 0;
    // Every entry line by a hash of its section and key, sorted by hash when first asked, so
    // that a large file is not searched line by line for every value and costs little memory.
    struct IndexEntry {
        size_t hash;
        size_t line;
        bool operator<(const IndexEntry& other) const {
            return hash != other.hash ? hash < other.hash : line < other.line;
        }
    };
    mutable std::vector<IndexEntry> m_index;
    mutable bool m_indexSorted = true;
};

// An INI file held line by line: every line is read on its own, so a damaged line costs only
// itself, and every line the program does not change is written back byte for byte.
#pragma once

#include "IniText.h"

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class IniDocument {
  public:
    IniDocument() = default;
    // Lines before any readable section header, and after a damaged one, belong to
    // `orphanSection` (the root section when it is empty): one damaged header then costs only its
    // own line. A file in UTF-16 (with its byte order mark) is read as such.
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

  private:
    enum class Kind { Blank, Comment, Section, Entry, Damaged };
    struct Line {
        QByteArray raw; // as in the file, with its line break
        Kind kind = Kind::Blank;
        QString section; // the section the line belongs to (a header: its own)
        QString key;
        IniValue value;
        bool damagedHeader = false; // a damaged line that looked like a section header
    };

    void parseLine(QByteArray raw);
    std::optional<size_t> lastEntry(const QString& section, const QString& key) const;
    void reindex();
    void insertLine(size_t at, Line line);

    std::vector<Line> m_lines;
    QString m_currentSection;
    QString m_orphanSection;
    int m_damagedLines = 0;
    // Section and key -> the index of the last line that sets it, so that a large file is not
    // searched line by line for every value.
    QHash<QPair<QString, QString>, size_t> m_lastEntries;
};

// An INI file held line by line: every line is read on its own, so a damaged line costs only
// itself, and every line the program does not change is written back byte for byte.
#pragma once

#include "IniText.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(const QByteArray& bytes);

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
    QByteArray toBytes() const;

  private:
    enum class Kind { Blank, Comment, Section, Entry, Damaged };
    struct Line {
        QByteArray raw; // as in the file, with its line break
        Kind kind = Kind::Blank;
        QString section; // the section the line belongs to (a header: its own)
        QString key;
        IniValue value;
    };

    void parseLine(QByteArray raw);
    std::optional<size_t> lastEntry(const QString& section, const QString& key) const;

    std::vector<Line> m_lines;
    QString m_currentSection;
    int m_damagedLines = 0;
};

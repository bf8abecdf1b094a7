// SPDX-License-Identifier: MIT
// The settings store `ini`: the game's remembered values as text under Tallowin/Morvek/V1.
#pragma once

#include "platform/SettingsFile.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

// A failed store operation. Its text reaches the player: the callers that can go on without the
// value catch it and show it, and any other is shown by the application's general error report.
class SettingsError : public std::runtime_error {
  public:
    explicit SettingsError(const QString& text);
    const QString& text() const { return m_text; }

  private:
    QString m_text;
};

// Receives what the store has to tell the player without failing: a damaged file kept aside, a
// file that cannot be read. Each such notice is given once per run. Without a hook the text goes
// to the standard error stream.
void setSettingsNoticeHook(std::function<void(const QString&)> hook);

enum class SettingKind { Flag, Number, Text };

// One stored value of the game: its name in section "common", its kind and the default a
// read gives when the value is missing (a flag's default is 1 or 0 in numberDefault).
struct SettingDef {
    const char* name;
    SettingKind kind;
    int32_t numberDefault;
    const char* textDefault;
};

inline constexpr char SettingsSection[] = "common";

// The fixed values the game stores, by what they hold.
namespace Setting {
inline constexpr SettingDef tongue{"tongue", SettingKind::Number, -1, ""};
inline constexpr SettingDef sound{"sound", SettingKind::Flag, 1, ""};
inline constexpr SettingDef music{"music", SettingKind::Flag, 1, ""};
inline constexpr SettingDef backMode{"backmode", SettingKind::Number, 0, ""};
inline constexpr SettingDef fair{"fair", SettingKind::Flag, 1, ""};
inline constexpr SettingDef mode{"mode", SettingKind::Number, 1, ""};
inline constexpr SettingDef player{"player", SettingKind::Text, 0, "Mr.Brain"};
inline constexpr SettingDef mainForm{"MainForm", SettingKind::Text, 0, ""};
} // namespace Setting

// Every fixed value the game stores (the best-list entries "hs<mode><index>" are named at run
// time).
inline constexpr SettingDef SettingsTable[] = {Setting::tongue,   Setting::sound, Setting::music,
                                               Setting::backMode, Setting::mode,  Setting::player,
                                               Setting::mainForm, Setting::fair};

// The store's integer syntax: leading spaces, optional sign, decimal digits or hexadecimal
// digits after "$", "x" or "0x" (any case), nothing after. Values outside 32 bits fail.
std::optional<int32_t> parseNumber(const QString& text);

class IniDocument;

class SettingsStore {
  public:
    // The per-user store: <GenericConfigLocation>/Tallowin/Morvek/V1.ini. The location is fixed
    // here.
    SettingsStore();
    // A store in the given INI file, for tools and tests.
    explicit SettingsStore(const QString& fileName);

    static QString defaultFileName();
    const QString& fileName() const { return m_fileName; }

    bool readFlag(const QString& section, const QString& name, bool def) const;
    int32_t readNumber(const QString& section, const QString& name, int32_t def) const;
    QString readText(const QString& section, const QString& name, const QString& def) const;
    void writeFlag(const QString& section, const QString& name, bool value);
    void writeNumber(const QString& section, const QString& name, int32_t value);
    void writeText(const QString& section, const QString& name, const QString& value);

    // Several texts in one read: a missing value or one that is not plain text gives def, so that
    // one bad value costs only its own place.
    std::vector<QString> readTexts(const QString& section, const std::vector<QString>& names,
                                   const QString& def) const;
    // Several texts in one store operation: the file is replaced once, with all of them or none.
    void writeTexts(const QString& section, const std::vector<std::pair<QString, QString>>& values);

    // A value's text as it stands in the file, nothing when it is missing or not text.
    using TextReader = std::function<std::optional<QString>(const QString& name)>;
    using Change = std::function<std::vector<std::pair<QString, QString>>(const TextReader&)>;
    // Reads, changes and writes in one store operation under the lock, so that what another copy
    // of the game wrote meanwhile is the base of the change. `firstName` names the value in an
    // error report.
    void updateTexts(const QString& section, const QString& firstName, const Change& change);

    // The table's values in section "common" with the table's defaults.
    bool readFlag(const SettingDef& def) const;
    int32_t readNumber(const SettingDef& def) const;
    QString readText(const SettingDef& def) const;
    void writeFlag(const SettingDef& def, bool value);
    void writeNumber(const SettingDef& def, int32_t value);
    void writeText(const SettingDef& def, const QString& value);

  private:
    // The value's text, or nothing when the file, section or value is missing.
    std::optional<QString> readValue(const QString& section, const QString& name) const;
    void writeValues(const QString& section,
                     const std::vector<std::pair<QString, QString>>& values);
    // The file parsed, or nothing when it cannot be read (the player has been told).
    std::shared_ptr<const IniDocument> document() const;

    QString m_fileName;
    mutable std::shared_ptr<const IniDocument> m_cached;
    mutable SettingsFileIdentity m_cachedIdentity;
};

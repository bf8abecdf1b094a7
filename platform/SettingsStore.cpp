// SPDX-License-Identifier: MIT
// The settings store: an INI file read line by line, parsed again only when it has changed, and
// replaced in one step for every write.
#include "platform/SettingsStore.h"

#include "platform/IniDocument.h"
#include "platform/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>
#include <memory>

SettingsError::SettingsError(const QString& text)
    : std::runtime_error(text.toStdString()), m_text(text) {}

std::optional<int32_t> parseNumber(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n) return std::nullopt;
    int64_t value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0 || digit >= base) return std::nullopt;
        value = value * base + digit;
        if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

namespace {

QString fillIn(const char* pattern, const QString& arg) {
    return QString::fromUtf8(pattern).arg(arg);
}

const char* const DataTypeError = "Ungültiger Datentyp für '%1'";
const char* const FetchError = "Fehler beim Holen der Daten für '%1'";
const char* const CreateKeyError = "Erzeugung von Schlüssel %1 misslungen";
const char* const SetError = "Fehler beim Setzen der Daten für '%1'";

// Why a write failed, in both languages, below the store's own error text.
const char* const LockedReason = "Die Einstellungsdatei ist gesperrt (%1).\n"
                                 "The settings file is locked (%1).";
const char* const NoLockReason = "%1 lässt sich nicht anlegen.\n"
                                 "%1 cannot be created.";
const char* const NotRegularReason = "%1 ist keine gewöhnliche Datei.\n"
                                     "%1 is not a regular file.";
const char* const UnreadableReason = "%1 kann nicht gelesen werden.\n"
                                     "%1 cannot be read.";
const char* const SymlinkReason = "%1 ist eine symbolische Verknüpfung; ihr wird nicht gefolgt.\n"
                                  "%1 is a symbolic link, which is not followed.";
const char* const NotOwnedReason = "%1 gehört einem anderen Benutzer.\n"
                                   "%1 belongs to another user.";
const char* const TooLargeReason = "%1 ist zu groß für eine Einstellungsdatei.\n"
                                   "%1 is too large for a settings file.";
const char* const CopyFailedReason = "Die beschädigte Datei kann nicht als %1 aufbewahrt werden.\n"
                                     "The damaged file cannot be kept as %1.";
const char* const DefaultsNotice = "Das Spiel läuft mit den Grundeinstellungen.\n"
                                   "The game runs with its default settings.";
const char* const DamagedNotice =
    "Die Einstellungsdatei %1 war beschädigt. Alles Lesbare wurde übernommen; die alte Datei "
    "liegt als %2 daneben.\n"
    "The settings file %1 was damaged. Everything readable was kept; the old file is saved "
    "beside it as %2.";

std::function<void(const QString&)> noticeHook;

// Once per run and kind of trouble for each file, or a damaged file would be announced again at
// every write until it is repaired.
void noticeOnce(const QString& key, const QString& text) {
    static QStringList given;
    if (given.contains(key)) return;
    given << key;
    if (noticeHook)
        noticeHook(text);
    else
        std::fputs(qPrintable(text + u'\n'), stderr);
}

QString nativeName(const QString& file) {
    return QDir::toNativeSeparators(file);
}

// The reason a file in this state cannot be used, or nothing for a usable one.
std::optional<QString> troubleWith(const SettingsFileContent& content, const QString& file) {
    using State = SettingsFileContent::State;
    switch (content.state) {
    case State::Missing:
    case State::Read:
        return std::nullopt;
    case State::NotRegular:
        return fillIn(NotRegularReason, nativeName(file));
    case State::Unreadable:
        return fillIn(UnreadableReason, nativeName(file));
    case State::TooLarge:
        return fillIn(TooLargeReason, nativeName(file));
    case State::Symlink:
        return fillIn(SymlinkReason, nativeName(file));
    case State::NotOwned:
        return fillIn(NotOwnedReason, nativeName(file));
    }
    return std::nullopt;
}

} // namespace

void setSettingsNoticeHook(std::function<void(const QString&)> hook) {
    noticeHook = std::move(hook);
}

SettingsStore::SettingsStore() : m_fileName(defaultFileName()) {}

SettingsStore::SettingsStore(const QString& fileName) : m_fileName(fileName) {}

QString SettingsStore::defaultFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tallowin/Morvek/V1.ini");
}

std::shared_ptr<const IniDocument> SettingsStore::document() const {
    // The file as parsed last, while it is still the same file: a start makes many reads, and a
    // large file must not be parsed for each of them.
    if (m_cached && settingsFileIdentity(m_fileName) == m_cachedIdentity) return m_cached;
    const SettingsFileContent content = readSettingsFile(m_fileName);
    // A file that cannot be read is a key that cannot be opened: the read gives its default, and
    // the player hears of it once.
    if (const auto trouble = troubleWith(content, m_fileName)) {
        noticeOnce(QStringLiteral("read:") + m_fileName,
                   *trouble + u'\n' + QString::fromUtf8(DefaultsNotice));
        return nullptr;
    }
    auto parsed = std::make_shared<const IniDocument>(content.bytes, QString(SettingsSection));
    m_cached.reset();
    if (content.state == SettingsFileContent::State::Read) {
        m_cached = parsed;
        m_cachedIdentity = content.identity;
    }
    return parsed;
}

std::optional<QString> SettingsStore::readValue(const QString& section, const QString& name) const {
    const auto doc = document();
    if (!doc) return std::nullopt;
    const std::optional<IniValue> value = doc->value(section, name);
    if (!value) return std::nullopt;
    if (value->kind == IniValue::Kind::Invalid) throw SettingsError(fillIn(FetchError, name));
    // Lists, byte arrays and other typed values are not plain text.
    if (value->kind == IniValue::Kind::NotText) throw SettingsError(fillIn(DataTypeError, name));
    QString text = value->text;
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0) text.truncate(nul);
    return text;
}

void SettingsStore::updateTexts(const QString& section, const QString& firstName,
                                const Change& change) {
    auto fail = [&](const QString& reason) {
        throw SettingsError(fillIn(SetError, firstName) + u'\n' + reason);
    };
    if (!QDir().mkpath(QFileInfo(m_fileName).absolutePath()))
        throw SettingsError(fillIn(CreateKeyError, section));

    QString keptCopy;
    {
        // Two copies of the game may write at once: the second waits for the first, a moment
        // only. A lock that no copy holds any more (a crash, or planted) does not count.
        const SettingsFileLock lock(m_fileName);
        if (!lock.locked())
            fail(fillIn(lock.error() == QLockFile::LockFailedError ? LockedReason : NoLockReason,
                        nativeName(lock.fileName())));

        // Read afresh under the lock, so that the other copy's last values are kept.
        const SettingsFileContent content = readSettingsFile(m_fileName);
        if (const auto trouble = troubleWith(content, m_fileName)) fail(*trouble);
        const bool unchanged = m_cached && content.state == SettingsFileContent::State::Read &&
                               content.identity == m_cachedIdentity;
        IniDocument document =
            unchanged ? *m_cached : IniDocument(content.bytes, QString(SettingsSection));
        const TextReader current = [&](const QString& name) -> std::optional<QString> {
            const std::optional<IniValue> value = document.value(section, name);
            if (!value || value->kind != IniValue::Kind::Text) return std::nullopt;
            return value->text;
        };
        const std::vector<std::pair<QString, QString>> values = change(current);
        if (values.empty()) return;
        if (document.hasDamage()) {
            // Damaged lines are left out of the new file: keep the old one whole beside it, as
            // private as the file itself.
            const QString copy = m_fileName + QStringLiteral(".damaged");
            if (!replaceSettingsFile(copy, content.bytes, content.mode))
                fail(fillIn(CopyFailedReason, nativeName(copy)));
            keptCopy = copy;
        }
        for (const auto& [name, text] : values)
            document.setValue(section, name, text);
        const auto written = replaceSettingsFile(m_fileName, document.toBytes(), content.mode);
        if (!written) throw SettingsError(fillIn(SetError, firstName));
        m_cached = std::make_shared<const IniDocument>(std::move(document));
        m_cachedIdentity = *written;
    }
    // Told only now: a message box waits for the player, and the lock must not wait with it.
    if (!keptCopy.isEmpty())
        noticeOnce(
            QStringLiteral("damaged:") + m_fileName,
            QString::fromUtf8(DamagedNotice).arg(nativeName(m_fileName), nativeName(keptCopy)));
}

void SettingsStore::writeValues(const QString& section,
                                const std::vector<std::pair<QString, QString>>& values) {
    if (values.empty()) return;
    updateTexts(section, values.front().first, [&](const TextReader&) { return values; });
}

std::vector<QString> SettingsStore::readTexts(const QString& section,
                                              const std::vector<QString>& names,
                                              const QString& def) const {
    std::vector<QString> result;
    result.reserve(names.size());
    const auto doc = document();
    if (!doc) return std::vector<QString>(names.size(), def);
    for (const QString& name : names) {
        const std::optional<IniValue> value = doc->value(section, name);
        if (!value || value->kind != IniValue::Kind::Text) {
            result.push_back(def);
            continue;
        }
        QString text = value->text;
        const qsizetype nul = text.indexOf(QChar(0));
        if (nul >= 0) text.truncate(nul);
        result.push_back(text);
    }
    return result;
}

void SettingsStore::writeTexts(const QString& section,
                               const std::vector<std::pair<QString, QString>>& values) {
    writeValues(section, values);
}

bool SettingsStore::readFlag(const QString& section, const QString& name, bool def) const {
    return readNumber(section, name, def ? 1 : 0) != 0;
}

int32_t SettingsStore::readNumber(const QString& section, const QString& name, int32_t def) const {
    const std::optional<QString> text = readValue(section, name);
    if (!text) return def;
    return parseNumber(*text).value_or(def);
}

QString SettingsStore::readText(const QString& section, const QString& name,
                                const QString& def) const {
    return readValue(section, name).value_or(def);
}

void SettingsStore::writeFlag(const QString& section, const QString& name, bool value) {
    writeValues(section, {{name, value ? QStringLiteral("1") : QStringLiteral("0")}});
}

void SettingsStore::writeNumber(const QString& section, const QString& name, int32_t value) {
    writeValues(section, {{name, QString::number(value)}});
}

void SettingsStore::writeText(const QString& section, const QString& name, const QString& value) {
    writeValues(section, {{name, value}});
}

bool SettingsStore::readFlag(const SettingDef& def) const {
    return readFlag(SettingsSection, def.name, def.numberDefault != 0);
}

int32_t SettingsStore::readNumber(const SettingDef& def) const {
    return readNumber(SettingsSection, def.name, def.numberDefault);
}

QString SettingsStore::readText(const SettingDef& def) const {
    return readText(SettingsSection, def.name, QString::fromUtf8(def.textDefault));
}

void SettingsStore::writeFlag(const SettingDef& def, bool value) {
    writeFlag(SettingsSection, def.name, value);
}

void SettingsStore::writeNumber(const SettingDef& def, int32_t value) {
    writeNumber(SettingsSection, def.name, value);
}

void SettingsStore::writeText(const SettingDef& def, const QString& value) {
    writeText(SettingsSection, def.name, value);
}

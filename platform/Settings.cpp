// The settings store over QSettings: one QSettings object per operation, every value as text.
#include "Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <memory>

ESettingsError::ESettingsError(const QString& text)
    : std::runtime_error(text.toStdString()), FText(text) {}

std::optional<int32_t> ParseNumber(const QString& text) {
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

QString Message(const char* pattern, const QString& arg) {
    return QString::fromUtf8(pattern).arg(arg);
}

const char* const DataTypeError = "Ungültiger Datentyp für '%1'";
const char* const FetchError = "Fehler beim Holen der Daten für '%1'";
const char* const CreateKeyError = "Erzeugung von Schlüssel %1 misslungen";
const char* const SetError = "Fehler beim Setzen der Daten für '%1'";

std::unique_ptr<QSettings> OpenStore(const QString& fileName, bool native) {
    return std::make_unique<QSettings>(fileName,
                                       native ? QSettings::NativeFormat : QSettings::IniFormat);
}

} // namespace

TLMDIniCtrl::TLMDIniCtrl() : FFileName(DefaultFileName()) {
#ifdef Q_OS_WIN
    FNative = true;
#endif
}

TLMDIniCtrl::TLMDIniCtrl(const QString& fileName) : FFileName(fileName) {}

QString TLMDIniCtrl::DefaultFileName() {
#ifdef Q_OS_WIN
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\Tallowin\\Morvek\\V1");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tallowin/Morvek/V1.ini");
#endif
}

std::optional<QString> TLMDIniCtrl::ReadValue(const QString& section, const QString& name) const {
    const auto store = OpenStore(FFileName, FNative);
    // An unreadable file is a key that cannot be opened: the read gives its default. A
    // malformed one (FormatError) still yields every value QSettings could parse.
    if (store->status() == QSettings::AccessError) return std::nullopt;
    store->beginGroup(section);
    if (!store->contains(name)) return std::nullopt;
    const QVariant value = store->value(name);
    if (!value.isValid()) throw ESettingsError(Message(FetchError, name));
    // Lists, byte arrays and @Variant blobs are not plain text.
    if (value.typeId() != QMetaType::QString) throw ESettingsError(Message(DataTypeError, name));
    QString text = value.toString();
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0) text.truncate(nul);
    return text;
}

void TLMDIniCtrl::WriteValue(const QString& section, const QString& name, const QString& text) {
    if (!FNative && !QDir().mkpath(QFileInfo(FFileName).absolutePath()))
        throw ESettingsError(Message(CreateKeyError, section));
    const auto store = OpenStore(FFileName, FNative);
    store->beginGroup(section);
    store->setValue(name, text);
    store->endGroup();
    store->sync();
    // A malformed file (FormatError) is rewritten with every value QSettings could parse, so
    // the write goes ahead. status() keeps only its first error, though, and a FormatError
    // would hide a failed write behind it: then read the value back to be sure.
    bool written = store->status() == QSettings::NoError;
    if (store->status() == QSettings::FormatError) {
        const auto check = OpenStore(FFileName, FNative);
        check->beginGroup(section);
        const QVariant stored = check->value(name);
        written = stored.typeId() == QMetaType::QString && stored.toString() == text;
    }
    if (!written) throw ESettingsError(Message(SetError, name));
}

bool TLMDIniCtrl::ReadFlag(const QString& section, const QString& name, bool def) const {
    return ReadNumber(section, name, def ? 1 : 0) != 0;
}

int32_t TLMDIniCtrl::ReadNumber(const QString& section, const QString& name, int32_t def) const {
    const std::optional<QString> text = ReadValue(section, name);
    if (!text) return def;
    return ParseNumber(*text).value_or(def);
}

QString TLMDIniCtrl::ReadText(const QString& section, const QString& name,
                              const QString& def) const {
    return ReadValue(section, name).value_or(def);
}

void TLMDIniCtrl::WriteFlag(const QString& section, const QString& name, bool value) {
    WriteValue(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TLMDIniCtrl::WriteNumber(const QString& section, const QString& name, int32_t value) {
    WriteValue(section, name, QString::number(value));
}

void TLMDIniCtrl::WriteText(const QString& section, const QString& name, const QString& value) {
    WriteValue(section, name, value);
}

bool TLMDIniCtrl::ReadFlag(const TSettingDef& def) const {
    return ReadFlag(SettingsSection, def.Name, def.NumberDefault != 0);
}

int32_t TLMDIniCtrl::ReadNumber(const TSettingDef& def) const {
    return ReadNumber(SettingsSection, def.Name, def.NumberDefault);
}

QString TLMDIniCtrl::ReadText(const TSettingDef& def) const {
    return ReadText(SettingsSection, def.Name, QString::fromUtf8(def.TextDefault));
}

void TLMDIniCtrl::WriteFlag(const TSettingDef& def, bool value) {
    WriteFlag(SettingsSection, def.Name, value);
}

void TLMDIniCtrl::WriteNumber(const TSettingDef& def, int32_t value) {
    WriteNumber(SettingsSection, def.Name, value);
}

void TLMDIniCtrl::WriteText(const TSettingDef& def, const QString& value) {
    WriteText(SettingsSection, def.Name, value);
}

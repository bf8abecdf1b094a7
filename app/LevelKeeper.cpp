// SPDX-License-Identifier: MIT
// The kept level's file: taken, written and removed under the settings lock, so that two copies
// starting together never both take it.
#include "app/LevelKeeper.h"

#include "platform/Application.h"
#include "platform/SettingsFile.h"
#include "platform/SettingsStore.h"
#include "platform/StateFolder.h"

#include <QCoreApplication>
#include <QFile>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

int64_t ownProcess() {
    return QCoreApplication::applicationPid();
}

// A process of this name runs under that id (after a crash or a reboot the id may be another
// program's).
bool isRunningCopy(int64_t pid) {
#ifdef Q_OS_UNIX
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)) return false;
    QFile theirs(QStringLiteral("/proc/%1/comm").arg(pid));
    QFile ours(QStringLiteral("/proc/self/comm"));
    if (!theirs.open(QIODevice::ReadOnly) || !ours.open(QIODevice::ReadOnly)) return true;
    return theirs.readAll() == ours.readAll();
#else
    Q_UNUSED(pid);
    return false;
#endif
}

// The level in a file as read; nothing when it could not be read or is no level.
std::optional<KeptLevel> levelIn(const SettingsFileContent& content) {
    if (content.state != SettingsFileContent::State::Read) return std::nullopt;
    return parseKeptLevel(std::string_view(content.bytes.constData(), content.bytes.size()));
}

void tellOnce(const QString& text) {
    static bool told = false;
    if (told) return;
    told = true;
    Application::reportNotice(text);
}

bool writeKept(KeptLevel level, int64_t owner) {
    if (gameStateFolder(true).isEmpty()) return false;
    level.owner = owner;
    const std::string text = keptLevelText(level);
    return replaceSettingsFile(LevelKeeper::fileName(),
                               QByteArray(text.data(), static_cast<qsizetype>(text.size())))
        .has_value();
}

} // namespace

LevelKeeper::LevelKeeper(Snapshot snapshot, QObject* parent)
    : QObject(parent), m_snapshot(std::move(snapshot)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(KeepDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { keep(false); });
}

QString LevelKeeper::fileName() {
    const QString home = stateHome();
    return home.isEmpty() ? QString() : home + QStringLiteral("/morvek/level.ini");
}

std::optional<KeptLevel> LevelKeeper::take() {
    if (!m_enabled || fileName().isEmpty() || gameStateFolder(false).isEmpty()) return std::nullopt;
    const QString path = fileName();
    // Held while the file is looked at and changed; a write goes ahead without it rather than
    // lose the level.
    const SettingsFileLock lock(SettingsStore::defaultFileName());
    const SettingsFileContent content = readSettingsFile(path);
    using State = SettingsFileContent::State;
    if (content.state == State::Missing) return std::nullopt;
    if (content.state == State::Symlink) {
        tellOnce(QStringLiteral("%1 ist eine symbolische Verknüpfung; ihr wird nicht gefolgt, "
                                "ein neues Spiel beginnt.\n"
                                "%1 is a symbolic link, which is not followed; a new level "
                                "begins.")
                     .arg(path));
        return std::nullopt;
    }
    const std::optional<KeptLevel> level = levelIn(content);
    if (!level) {
        // Kept aside whole, so that nothing of it is lost; the game goes on with a new level.
        const QString copy = path + QStringLiteral(".damaged");
        if (content.state == State::Read && replaceSettingsFile(copy, content.bytes, content.mode))
            QFile::remove(path);
        tellOnce(QStringLiteral("Der gespeicherte Spielstand %1 war beschädigt und liegt als %2 "
                                "daneben; ein neues Spiel beginnt.\n"
                                "The kept level %1 was damaged and is saved beside it as %2; a "
                                "new level begins.")
                     .arg(path, copy));
        return std::nullopt;
    }
    if (level->owner != 0 && level->owner != ownProcess() && isRunningCopy(level->owner))
        return std::nullopt; // another copy plays it
    writeKept(*level, ownProcess());
    return level;
}

bool LevelKeeper::mayWriteOver() const {
    // Only a kept level of this copy's, or none: another copy's, a closed one or one left by a
    // crash waits for the next start.
    const SettingsFileContent content = readSettingsFile(fileName());
    if (content.state == SettingsFileContent::State::Missing) return true;
    const auto level = levelIn(content);
    return level && level->owner == ownProcess();
}

void LevelKeeper::changed() {
    if (m_enabled && !m_timer.isActive()) m_timer.start();
}

void LevelKeeper::keep(bool closing) {
    m_timer.stop();
    if (!m_enabled || fileName().isEmpty()) return;
    const SettingsFileLock lock(SettingsStore::defaultFileName());
    if (mayWriteOver()) writeKept(m_snapshot(), closing ? 0 : ownProcess());
}

void LevelKeeper::drop() {
    m_timer.stop();
    if (!m_enabled || fileName().isEmpty()) return;
    const SettingsFileLock lock(SettingsStore::defaultFileName());
    const auto level = levelIn(readSettingsFile(fileName()));
    if (level && level->owner == ownProcess()) QFile::remove(fileName());
}

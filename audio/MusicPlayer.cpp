// SPDX-License-Identifier: MIT
// The background music: the "*.mid" files of the program folder, played one at a time.
#include "audio/MusicPlayer.h"

#include "audio/Audio.h"
#include "audio/MidiStream.h"
#include "logic/GameOptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>

namespace {

quint32 bigEndian32(const QByteArray& bytes, int at) {
    return (quint32(quint8(bytes[at])) << 24) | (quint32(quint8(bytes[at + 1])) << 16) |
           (quint32(quint8(bytes[at + 2])) << 8) | quint32(quint8(bytes[at + 3]));
}

quint16 bigEndian16(const QByteArray& bytes, int at) {
    return quint16((quint8(bytes[at]) << 8) | quint8(bytes[at + 1]));
}

} // namespace

bool isMidiFile(QIODevice& data) {
    const qint64 size = data.size();
    if (!data.seek(0)) return false;
    const QByteArray header = data.read(14);
    if (header.size() < 14 || !header.startsWith("MThd")) return false;
    const qint64 headerLength = bigEndian32(header, 4);
    const quint16 format = bigEndian16(header, 8);
    const quint16 tracks = bigEndian16(header, 10);
    const quint16 division = bigEndian16(header, 12);
    if (headerLength < 6 || format > 2 || tracks == 0 || division == 0) return false;
    qint64 at = 8 + headerLength;
    int found = 0;
    while (found < tracks) {
        if (at + 8 > size || !data.seek(at)) return false;
        const QByteArray chunk = data.read(8);
        if (chunk.size() < 8) return false;
        const qint64 length = bigEndian32(chunk, 4);
        if (at + 8 + length > size) return false;
        // Chunks of other kinds may stand between the tracks and are passed over.
        if (chunk.startsWith("MTrk")) ++found;
        at += 8 + length;
    }
    return true;
}

MusicPlayer::MusicPlayer(GameOptions& options, QString folder)
    : m_options(options), m_folder(std::move(folder)) {
    m_yieldHook = audioAddYieldHook([this] {
        std::lock_guard guard(m_musicLock);
        return m_music && m_music->suspend();
    });
}

MusicPlayer::~MusicPlayer() {
    audioRemoveYieldHook(m_yieldHook);
    close();
    if (m_closeHook) audioRemoveCloseHook(m_closeHook);
}

void MusicPlayer::setMusic(std::unique_ptr<MidiStream> music) {
    std::unique_ptr<MidiStream> old;
    {
        std::lock_guard guard(m_musicLock);
        old = std::move(m_music);
        m_music = std::move(music);
    }
    // Stopped outside the lock: stopping waits for the piece's threads.
}

QString MusicPlayer::folder() const {
    return m_folder;
}

QString MusicPlayer::fileName() const {
    return m_current.isEmpty() ? QString() : QDir(folder()).filePath(m_current);
}

QStringList MusicPlayer::matches() const {
    // Plain files of any kind, hidden ones too; pipes and devices would block or never end.
    return QDir(folder()).entryList({QStringLiteral("*.mid")}, QDir::Files | QDir::Hidden,
                                    QDir::Name);
}

bool MusicPlayer::playing() const {
    return m_music && m_music->playing();
}

bool MusicPlayer::needsTicks() const {
    // A piece that stepped aside for the effects goes on at a tick once their device rests.
    return !m_refused && (!playing() || m_music->suspended());
}

void MusicPlayer::close() {
    // A load still running is waited for, so that its piece is freed with it.
    if (m_pending.valid()) m_pending.get();
    setMusic(nullptr);
}

void MusicPlayer::play() {
    // The end of the piece wakes the owner, whose next tick starts it again.
    m_music->setFinishedHook(m_wake);
    m_music->play(m_error);
}

bool MusicPlayer::isPlayableFile(const QString& name) {
    const QString path = QDir(folder()).filePath(name);
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > MaxMidiFileSize ||
        !file.open(QIODevice::ReadOnly) || !isMidiFile(file)) {
        m_error = QStringLiteral("not a MIDI file: ") + name;
        return false;
    }
    return true;
}

void MusicPlayer::start() {
    close();
    m_current.clear();
    m_refused = false;
    m_tried.clear();
    m_options.musicFound = false;
    // Only the file is looked at here: whether MIDI plays at all, the first load tells.
    for (const QString& name : matches())
        if (isPlayableFile(name)) {
            m_current = name;
            m_options.musicFound = true;
            return;
        }
}

void MusicPlayer::tick() {
    if (!m_options.musicFound || !m_options.musicOn) return;
    // Stepped aside for the effects: on where it was once their device rests.
    if (m_music && m_music->suspended() && !audioIsOpen()) m_music->resume();
    if (m_pending.valid()) {
        if (m_pending.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
        takeLoaded();
    }
    if (!m_music) {
        if (m_refused || m_pending.valid()) return;
        m_tried.clear();
        QString name = !m_current.isEmpty() && isPlayableFile(m_current) ? m_current : QString();
        if (name.isEmpty()) name = nextFileWrapping(m_current);
        if (name.isEmpty())
            m_refused = true;
        else
            startLoading(name);
        return;
    }
    // Playing always begins at the start of the piece; a refusal is tried again next tick.
    if (!playing()) play();
}

MusicPlayer::Loaded MusicPlayer::load(const QString& path) {
    Loaded result;
    if (!audioMidiReady()) {
        result.error = QStringLiteral("no MIDI playback");
        result.noMidi = true;
        return result;
    }
    auto music = std::make_unique<MidiStream>();
    if (music->load(path, audioSoundFont(), result.error)) result.music = std::move(music);
    return result;
}

QString MusicPlayer::nextFileWrapping(const QString& after) {
    const QStringList names = matches();
    const QString next = nextFile(names, after);
    // Past the last file: the search begins again from the first.
    return next.isEmpty() && !after.isEmpty() ? nextFile(names, QString()) : next;
}

QString MusicPlayer::nextFile(const QStringList& names, const QString& after) {
    for (const QString& name : names) {
        if (!after.isEmpty() && QString::compare(name, after, Qt::CaseSensitive) <= 0) continue;
        if (m_tried.contains(name)) continue;
        if (isPlayableFile(name)) return name;
    }
    return {};
}

void MusicPlayer::startLoading(const QString& name) {
    // Once the device is gone (the program ends), ticks must not bring it back.
    if (!m_closeHook)
        m_closeHook = audioAddCloseHook([this] {
            close();
            m_refused = true;
        });
    audioChooseSoundFont();
    m_current = name;
    const QString path = QDir(folder()).filePath(name);
    m_pending = std::async(std::launch::async, [path, wake = m_wake] {
        Loaded loaded = load(path);
        if (wake) wake();
        return loaded;
    });
}

void MusicPlayer::takeLoaded() {
    Loaded result = m_pending.get();
    if (result.music) {
        setMusic(std::move(result.music));
        m_tried.clear();
        return;
    }
    m_error = result.error;
    if (result.noMidi) {
        // No MIDI playback on this machine: the music is unavailable, as if no file were found.
        m_options.musicFound = false;
        m_refused = true;
        return;
    }
    // The synthesizer would not take the file: on to the next, wrapping.
    m_tried << m_current;
    const QString next = nextFileWrapping(m_current);
    if (next.isEmpty()) {
        m_refused = true;
        return;
    }
    startLoading(next);
}

void MusicPlayer::toggle() {
    if (!m_options.musicFound) return;
    if (m_options.musicOn) {
        close();
        m_options.musicOn = false;
        return;
    }
    m_refused = false;
    m_tried.clear();
    const QString next = nextFileWrapping(m_current);
    if (next.isEmpty()) m_current.clear();
    m_options.musicOn = !next.isEmpty();
    // The piece starts at the first tick after it has loaded.
    if (m_options.musicOn) startLoading(next);
}

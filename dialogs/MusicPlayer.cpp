// The background music: the "*.mid" files of the program folder, played one at a time.
#include "MusicPlayer.h"

#include "Audio.h"
#include "GameGlobals.h"
#include "MixerLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>

namespace {

// A MIDI file is small; anything larger is not one and is not read into the synthesizer.
constexpr qint64 MaxMidiSize = 16 * 1024 * 1024;

quint32 BigEndian32(const QByteArray& bytes, int at) {
    return (quint32(quint8(bytes[at])) << 24) | (quint32(quint8(bytes[at + 1])) << 16) |
           (quint32(quint8(bytes[at + 2])) << 8) | quint32(quint8(bytes[at + 3]));
}

quint16 BigEndian16(const QByteArray& bytes, int at) {
    return quint16((quint8(bytes[at]) << 8) | quint8(bytes[at + 1]));
}

} // namespace

bool IsMidiFile(QIODevice& data) {
    const qint64 size = data.size();
    if (!data.seek(0)) return false;
    const QByteArray header = data.read(14);
    if (header.size() < 14 || !header.startsWith("MThd")) return false;
    const qint64 headerLength = BigEndian32(header, 4);
    const quint16 format = BigEndian16(header, 8);
    const quint16 tracks = BigEndian16(header, 10);
    const quint16 division = BigEndian16(header, 12);
    if (headerLength < 6 || format > 2 || tracks == 0 || division == 0) return false;
    qint64 at = 8 + headerLength;
    int found = 0;
    while (found < tracks) {
        if (at + 8 > size || !data.seek(at)) return false;
        const QByteArray chunk = data.read(8);
        if (chunk.size() < 8) return false;
        const qint64 length = BigEndian32(chunk, 4);
        if (at + 8 + length > size) return false;
        // Chunks of other kinds may stand between the tracks and are passed over.
        if (chunk.startsWith("MTrk")) ++found;
        at += 8 + length;
    }
    return true;
}

MusicPlayer::MusicPlayer() = default;

MusicPlayer::MusicPlayer(QString folder) : OwnFolder(std::move(folder)) {}

MusicPlayer::~MusicPlayer() {
    Close();
    if (CloseHook) AudioRemoveCloseHook(CloseHook);
}

QString MusicPlayer::Folder() const {
    return OwnFolder.isEmpty() ? QString::fromStdString(programDir) : OwnFolder;
}

QString MusicPlayer::FileName() const {
    return Current.isEmpty() ? QString() : QDir(Folder()).filePath(Current);
}

QStringList MusicPlayer::Matches() const {
    // Plain files of any kind, hidden ones too; pipes and devices would block or never end.
    return QDir(Folder()).entryList({QStringLiteral("*.mid")}, QDir::Files | QDir::Hidden,
                                    QDir::Name);
}

bool MusicPlayer::Playing() const {
    return Music && AudioIsOpen() && mixerLibrary()->playingMusic() != 0;
}

void MusicPlayer::SetHeld(bool held) {
    if (held == Held) return;
    Held = held;
    if (held)
        AudioHold();
    else
        AudioRelease();
}

void MusicPlayer::Close() {
    if (Pending.valid()) {
        // A load still running is waited for, so that its piece can be freed.
        const Loaded late = Pending.get();
        if (late.Music) mixerLibrary()->freeMusic(late.Music);
    }
    if (Music) {
        mixerLibrary()->haltMusic();
        mixerLibrary()->freeMusic(Music);
        Music = nullptr;
    }
    SetHeld(false);
}

bool MusicPlayer::IsPlayableFile(const QString& name) {
    const QString path = QDir(Folder()).filePath(name);
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > MaxMidiSize || !file.open(QIODevice::ReadOnly) ||
        !IsMidiFile(file)) {
        Error = QStringLiteral("not a MIDI file: ") + name;
        return false;
    }
    return true;
}

bool MusicPlayer::Playable(const QString& name) {
    if (!IsPlayableFile(name)) return false;
    if (!AudioMidiReady()) {
        Error = QStringLiteral("no MIDI playback");
        return false;
    }
    return true;
}

bool MusicPlayer::Open(const QString& name) {
    Close();
    if (!Playable(name)) return false;
    const QString path = QDir(Folder()).filePath(name);
    // Once the device is gone (the program ends), ticks must not bring it back.
    if (!CloseHook)
        CloseHook = AudioAddCloseHook([this] {
            Close();
            Refused = true;
        });
    const MixerLibrary& mix = *mixerLibrary();
    Music = mix.loadMus(QFile::encodeName(path).constData());
    if (Music && mix.getMusicType(Music) != MUS_MID) {
        mix.freeMusic(Music);
        Music = nullptr;
    }
    if (!Music) {
        Error = QString::fromUtf8(mix.getError());
        return false;
    }
    SetHeld(true);
    return true;
}

bool MusicPlayer::OpenNext(const QStringList& names, const QString& after) {
    for (const QString& name : names) {
        // The same comparison as the listing's name order, so a deleted current file still
        // leaves its place in the order.
        if (!after.isEmpty() && QString::compare(name, after, Qt::CaseSensitive) <= 0) continue;
        if (Open(name)) {
            Current = name;
            return true;
        }
    }
    return false;
}

void MusicPlayer::Start() {
    Close();
    Current.clear();
    Refused = false;
    Tried.clear();
    musicFound = false;
    if (!Background && !AudioMidiReady()) return;
    for (const QString& name : Matches())
        if (Background ? IsPlayableFile(name) : Playable(name)) {
            Current = name;
            musicFound = true;
            return;
        }
}

bool MusicPlayer::LoadCurrent() {
    if (Music) return true;
    if (Refused) return false;
    if (!Current.isEmpty() && Open(Current)) return true;
    // The file passed the checks but the mixer would not take it: on to the next, wrapping.
    const QStringList names = Matches();
    if (OpenNext(names, Current) || OpenNext(names, QString())) return true;
    Refused = true;
    return false;
}

void MusicPlayer::Tick() {
    if (!musicFound || !musicOn) return;
    if (Background) {
        TickInBackground();
        return;
    }
    if (Playing() || !LoadCurrent()) return;
    // Playing always begins at the start of the piece; a refusal is tried again next tick.
    const MixerLibrary& mix = *mixerLibrary();
    if (mix.playMusic(Music, 0) != 0) Error = QString::fromUtf8(mix.getError());
}

MusicPlayer::Loaded MusicPlayer::Load(const QString& path) {
    Loaded result;
    if (!AudioMidiReady()) {
        result.Error = QStringLiteral("no MIDI playback");
        result.NoMidi = true;
        return result;
    }
    const MixerLibrary& mix = *mixerLibrary();
    result.Music = mix.loadMus(QFile::encodeName(path).constData());
    if (result.Music && mix.getMusicType(result.Music) != MUS_MID) {
        mix.freeMusic(result.Music);
        result.Music = nullptr;
    }
    // SDL keeps its error text per thread: it is read here, on the loading thread.
    if (!result.Music) result.Error = QString::fromUtf8(mix.getError());
    return result;
}

QString MusicPlayer::NextFile(const QStringList& names, const QString& after) {
    for (const QString& name : names) {
        if (!after.isEmpty() && QString::compare(name, after, Qt::CaseSensitive) <= 0) continue;
        if (Tried.contains(name)) continue;
        if (IsPlayableFile(name)) return name;
    }
    return {};
}

void MusicPlayer::StartLoading(const QString& name) {
    // Once the device is gone (the program ends), ticks must not bring it back.
    if (!CloseHook)
        CloseHook = AudioAddCloseHook([this] {
            Close();
            Refused = true;
        });
    AudioChooseSoundFont();
    SetHeld(true);
    Current = name;
    const QString path = QDir(Folder()).filePath(name);
    Pending = std::async(std::launch::async, [path] { return Load(path); });
}

void MusicPlayer::TakeLoaded() {
    const Loaded result = Pending.get();
    if (result.Music) {
        Music = result.Music;
        Tried.clear();
        return;
    }
    Error = result.Error;
    if (result.NoMidi) {
        // No MIDI playback on this machine: the music is unavailable, as if no file were found.
        musicFound = false;
        Refused = true;
        SetHeld(false);
        return;
    }
    // The mixer would not take the file: on to the next, wrapping.
    Tried << Current;
    const QStringList names = Matches();
    QString next = NextFile(names, Current);
    if (next.isEmpty()) next = NextFile(names, QString());
    if (next.isEmpty()) {
        Refused = true;
        SetHeld(false);
        return;
    }
    StartLoading(next);
}

void MusicPlayer::TickInBackground() {
    if (Pending.valid()) {
        if (Pending.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
        TakeLoaded();
    }
    if (!Music) {
        if (Refused || Pending.valid()) return;
        Tried.clear();
        QString name = !Current.isEmpty() && IsPlayableFile(Current) ? Current : QString();
        const QStringList names = Matches();
        if (name.isEmpty()) name = NextFile(names, Current);
        if (name.isEmpty()) name = NextFile(names, QString());
        if (name.isEmpty())
            Refused = true;
        else
            StartLoading(name);
        return;
    }
    if (Playing()) return;
    const MixerLibrary& mix = *mixerLibrary();
    if (mix.playMusic(Music, 0) != 0) Error = QString::fromUtf8(mix.getError());
}

void MusicPlayer::Switch() {
    if (!musicFound) return;
    if (musicOn) {
        Close();
        musicOn = false;
        return;
    }
    Refused = false;
    const QStringList names = Matches();
    if (Background) {
        Tried.clear();
        QString next = NextFile(names, Current);
        if (next.isEmpty() && !Current.isEmpty()) {
            Current.clear();
            next = NextFile(names, QString());
        }
        musicOn = !next.isEmpty();
        // The piece starts at the first tick after it has loaded.
        if (musicOn) StartLoading(next);
        return;
    }
    musicOn = OpenNext(names, Current);
    if (!musicOn && !Current.isEmpty()) {
        // Past the last file: the search begins again from the first.
        Current.clear();
        musicOn = OpenNext(names, QString());
    }
    if (!musicOn) return;
    const MixerLibrary& mix = *mixerLibrary();
    if (mix.playMusic(Music, 0) != 0) Error = QString::fromUtf8(mix.getError());
}

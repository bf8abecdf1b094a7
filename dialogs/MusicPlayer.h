// The background music: the "*.mid" files of the program folder, played one at a time.
#pragma once

#include <QString>
#include <QStringList>

#include <future>

class QIODevice;
typedef struct _Mix_Music Mix_Music;

// A file that cannot be played (not a Standard MIDI File, cut short, unreadable, refused by the
// mixer) is passed over as if it were not there: the search goes on to the next name, and when
// no file can be played the music is unavailable at start, or stays off at a switch.
class MusicPlayer {
  public:
    // Searches programDir as it stands at each search.
    MusicPlayer();
    // Searches the given folder instead.
    explicit MusicPlayer(QString folder);
    // The game's player: the mixer, the SoundFont and the piece are loaded on a worker thread,
    // and a tick starts the music once they are ready, so the window never waits for them.
    // Start then takes a sound MIDI file as found without opening the device; should MIDI turn
    // out not to play at all, musicFound becomes false when the load reports it.
    ~MusicPlayer();
    void SetBackgroundLoading(bool background) { Background = background; }
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // At the main window's creation: chooses the first "*.mid" in name order that is a sound
    // MIDI file. musicFound := whether there is one and MIDI can be played at all. Loading it
    // (the SoundFont with it, a tenth of a second) waits for the first tick that plays it, so
    // the window is on screen sooner.
    void Start();
    // Each timer tick: while musicFound and musicOn, a piece that is not playing (it ended, or
    // was never started, or its play was refused) starts again from its beginning.
    void Tick();
    // The options dialog's music button: off, or on with the next file, wrapping to the first.
    // Does nothing while musicFound is false (the button is disabled then).
    void Switch();

    // The current match without its folder, empty when there is none.
    QString CurrentName() const { return Current; }
    // Folder and name of the current match.
    QString FileName() const;
    // A piece is open, and it is playing now.
    bool IsOpen() const { return Music != nullptr; }
    // A piece is being loaded on the worker thread.
    bool Loading() const { return Pending.valid(); }
    bool Playing() const;
    // The mixer's message from the last open or play that failed.
    QString LastError() const { return Error; }

    // The names matching "*.mid" in the folder, in name order: the order of the search.
    QStringList Matches() const;

  private:
    struct Loaded {
        Mix_Music* Music = nullptr;
        QString Error;
        bool NoMidi = false; // MIDI cannot be played at all
    };
    static Loaded Load(const QString& path);

    QString Folder() const;
    // A regular, complete MIDI file of sane size.
    bool IsPlayableFile(const QString& name);
    // The first playable name after `after` (all when empty) not tried yet in this round.
    QString NextFile(const QStringList& names, const QString& after);
    void StartLoading(const QString& name);
    // Takes the finished load: the piece, or the next file to try.
    void TakeLoaded();
    void TickInBackground();
    void SetHeld(bool held);
    // Opens the first playable name of `names` that sorts after `after` (all when empty).
    bool OpenNext(const QStringList& names, const QString& after);
    bool Open(const QString& name);
    // A regular, complete MIDI file of sane size, and MIDI playback exists.
    bool Playable(const QString& name);
    // Loads the current match into the mixer; the next ones in turn if the mixer refuses it.
    bool LoadCurrent();
    void Close();

    QString OwnFolder;
    QString Current;
    QString Error;
    Mix_Music* Music = nullptr;
    bool Refused = false; // no file of the folder would load: no retry on every tick
    int CloseHook = 0;
    bool Background = false;
    bool Held = false; // holds the audio device open
    std::future<Loaded> Pending;
    QStringList Tried; // names the mixer refused since the last success
};

// The frame of a Standard MIDI File: an "MThd" header of a known format, and every track chunk
// it announces complete within the data.
bool IsMidiFile(QIODevice& data);

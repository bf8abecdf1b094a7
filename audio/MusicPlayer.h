// SPDX-License-Identifier: MIT
// The background music: the "*.mid" files of the program folder, played one at a time.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <future>
#include <memory>
#include <mutex>

class MidiStream;
class QIODevice;
struct GameOptions;

// A file that cannot be played (not a Standard MIDI File, cut short, unreadable, refused by the
// synthesizer) is passed over as if it were not there: the search goes on to the next name, and
// when no file can be played the music is unavailable at start, or stays off at a switch.
class MusicPlayer {
  public:
    // Searches the given folder; musicOn and musicFound live in the player's options, which
    // must outlive the player.
    // The synthesizer, the SoundFont and a piece are loaded on a worker thread, and a tick starts
    // the music once they are ready, so the window never waits for them.
    MusicPlayer(GameOptions& options, QString folder);
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // At the main window's creation: chooses the first "*.mid" in name order that is a sound
    // MIDI file, without opening a device; musicFound becomes whether there is one. Loading it
    // waits for the first tick that plays it, so the window is on screen sooner. Should MIDI
    // turn out not to play at all, musicFound becomes false when that load reports it.
    void start();
    // Each timer tick: while musicFound and musicOn, a piece that is not playing (it ended, or
    // was never started, or its play was refused) starts again from its beginning.
    void tick();
    // The options dialog's music button: off, or on with the next file, wrapping to the first.
    // Does nothing while musicFound is false (the button is disabled then).
    void toggle();

    // The current match without its folder, empty when there is none.
    QString currentName() const { return m_current; }
    // Folder and name of the current match.
    QString fileName() const;
    // A piece is open, and it is playing now.
    bool isOpen() const { return m_music != nullptr; }
    // Ticks have something to do: a piece loads, or waits to be started or started again. While
    // a piece plays, or when no file would load, they have not.
    bool needsTicks() const;
    // Called on a worker thread when a load has finished or a piece has ended, so that the
    // owner ticks again; the hook must only post to the user-interface thread.
    void setWakeHook(std::function<void()> hook) { m_wake = std::move(hook); }
    // A piece is being loaded on the worker thread.
    bool loading() const { return m_pending.valid(); }
    bool playing() const;
    // The synthesizer's or device's message from the last open or play that failed.
    QString lastError() const { return m_error; }

    // The names matching "*.mid" in the folder, in name order: the order of the search.
    QStringList matches() const;

  private:
    struct Loaded {
        std::unique_ptr<MidiStream> music;
        QString error;
        bool noMidi = false; // MIDI cannot be played at all
    };
    static Loaded load(const QString& path);
    // Starts the open piece from its beginning.
    void play();
    // Takes or drops the open piece under m_musicLock.
    void setMusic(std::unique_ptr<MidiStream> music);

    QString folder() const;
    // A regular, complete MIDI file of sane size.
    bool isPlayableFile(const QString& name);
    // The first playable name after `after` (all when empty) not tried yet in this round.
    QString nextFile(const QStringList& names, const QString& after);
    // The same, from the first name again when none follows `after`.
    QString nextFileWrapping(const QString& after);
    void startLoading(const QString& name);
    // Takes the finished load: the piece, or the next file to try.
    void takeLoaded();
    void close();

    GameOptions& m_options;
    QString m_folder;
    QString m_current;
    QString m_error;
    std::unique_ptr<MidiStream> m_music;
    // Guards m_music against the yield hook, which may run on the effects' loading thread.
    mutable std::mutex m_musicLock;
    int m_yieldHook = 0;
    bool m_refused = false; // no file of the folder would load: no retry on every tick
    int m_closeHook = 0;
    std::future<Loaded> m_pending;
    std::function<void()> m_wake;
    QStringList m_tried; // names the synthesizer refused since the last success
};

// The frame of a Standard MIDI File: an "MThd" header of a known format, and every track chunk
// it announces complete within the data.
bool isMidiFile(QIODevice& data);

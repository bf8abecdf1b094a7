// SPDX-License-Identifier: MIT
// Keeps the level in progress in the player's state folder, so that closing, logging out or a
// crash resumes it at the next start.
#pragma once

#include "logic/KeptLevel.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// The file is <state>/morvek/level.ini, replaced in one step, never through a link. The copy of
// the game that plays the level names itself in it, so that a second copy started meanwhile
// leaves it alone; a copy writes or removes only a kept level that is its own (or none).
class LevelKeeper : public QObject {
  public:
    // The level now, as it would be kept.
    using Snapshot = std::function<KeptLevel()>;
    explicit LevelKeeper(Snapshot snapshot, QObject* parent = nullptr);

    static QString fileName();
    // Off: nothing is taken, written or removed (a game started with a seed of its own).
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // At the start: the kept level for this copy, which now names itself in the file; nothing
    // when there is none, another running copy plays it, or it cannot be read (a damaged file is
    // kept beside it as level.ini.damaged and the player is told once).
    std::optional<KeptLevel> take();
    // A move was made: the level is written within the next KeepDelayMs.
    void changed();
    // Writes the level now; `closing` lets the next start take it.
    void keep(bool closing);
    // The level is over (solved or replaced): the kept one goes, if it is this copy's.
    void drop();

    static constexpr int KeepDelayMs = 10000;
    // For the tests: when the delayed write is due.
    bool writePending() const { return m_timer.isActive(); }

  private:
    bool mayWriteOver() const;

    Snapshot m_snapshot;
    QTimer m_timer;
    bool m_enabled = true;
};

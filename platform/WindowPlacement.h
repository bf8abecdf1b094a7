// SPDX-License-Identifier: MIT
// The main window's placement: saves and restores the main window's placement, keeps its minimum
// size.
#pragma once

#include "platform/SettingsStore.h"

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QTimer;
class QWidget;

// Smallest outer size of the main window.
inline constexpr int32_t TrackMinWidth = 750;
inline constexpr int32_t TrackMinHeight = 480;

// Show commands of the placement record.
inline constexpr int32_t swShowNormal = 1;
inline constexpr int32_t swShowMinimized = 2;
inline constexpr int32_t swShowMaximized = 3;

// An outer window rectangle; Right and Bottom lie just outside it.
struct PlacementRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const PlacementRect&) const = default;
};

// The normal rectangle of a record "200,flags,showCmd,left,top,right,bottom". Nothing when the
// record is not exactly seven fields with the marker "200" first, or when one of the four
// coordinates is not an integer or lies beyond the largest widget size: such a record counts
// as missing.
std::optional<PlacementRect> parsePlacement(const QString& record);
QString formatPlacement(int32_t flags, int32_t showCmd, const PlacementRect& normal);

// Moves the rectangle, size kept, onto the virtual desktop (left, top, width, height): first
// off the right and bottom edges (at the desktop's width and height), then off the left and top.
PlacementRect moveOntoDesktop(PlacementRect r, const QRect& desktop);

// Top-left corner of a window of this outer size centred on the screen (truncated halves).
QPoint centredPosition(const QSize& window, const QRect& screen);

// Widens or heightens a rectangle below the minimum size, keeping its left and top.
PlacementRect enforceMinimumSize(PlacementRect r);

// A rectangle whose edges were stored the wrong way round, turned the right way.
PlacementRect normalized(PlacementRect r);

// A frame a window manager may really draw: no side negative, none thicker than a title bar can
// be, none that would leave the window no inside.
bool isPlausibleFrame(const QMargins& frame, const QSize& outer);

// Keeps the top band of a window (its title and tool bar, topHeight high, full width) on one
// screen: unless one screen holds it already, the window goes onto the screen it overlaps most
// (or the nearest), no larger than that screen but not below the minimum size, moved as little
// as possible. No screens: unchanged.
PlacementRect keepTopOnScreen(PlacementRect r, int32_t topHeight,
                              const std::vector<QRect>& screens);

class WindowPlacement : public QObject {
  public:
    // Watches the main window: the placement is restored at its first show, before the
    // window's own show handler runs, and from then on its outer size is kept at 750 x 480 or
    // more.
    WindowPlacement(QWidget* mainWindow, SettingsStore& ini);

    // Reads the record and places the window (or centres it), then applies the minimum size.
    // Runs by itself at the first show; may throw SettingsError.
    void restorePlacement();
    // Writes the record of the window's normal rectangle. The main window calls it in its
    // destroy path, before closeHelp; may throw SettingsError.
    void savePlacement();
    // The record that savePlacement writes, for a caller that writes it with other values.
    QString placementRecord();

    // Height of the window's top part that must come up on a screen, below the frame's top
    // edge; 0 means the whole window.
    int32_t keepOnScreenHeight = 0;

    QString section = QString::fromLatin1(SettingsSection);
    QString iniKey = QString::fromLatin1(Setting::mainForm.name);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The frame as Qt sees it: zero until the window system has told it.
    QMargins qtFrame() const;
    // The frame as the window manager reports it, else as Qt sees it, else the last one seen:
    // only a plausible frame counts.
    QMargins currentFrame() const;
    void applyMinimumSize(const QMargins& frame);
    // Where the window manager gives no frame in advance: once the frame shows up, the
    // window is placed once more so that its outer rectangle is the one wanted.
    void watchForFrame();

    QWidget* m_window;
    SettingsStore& m_ini;
    bool m_restored = false;
    // Outer rectangle wanted, until the frame it was placed with is known to be right.
    std::optional<QRect> m_pendingOuter;
    QMargins m_assumedFrame;
    QTimer* m_frameWatch;
    int m_frameChecks = 0;
    // The frame seen last while the window was in the normal state.
    QMargins m_lastFrame;
};

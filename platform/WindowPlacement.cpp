// SPDX-License-Identifier: MIT
// Placement record, desktop clamping and the main window's show and destroy steps.
#include "platform/WindowPlacement.h"

#include "platform/X11Window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

std::optional<PlacementRect> parsePlacement(const QString& record) {
    if (record.isEmpty()) return std::nullopt;
    QStringList fields = record.split(u',');
    if (fields.last().isEmpty()) fields.removeLast(); // a comma at the very end adds no field
    if (fields.size() != 7 || fields[0] != u"200") return std::nullopt;
    // No window reaches beyond the largest widget size: edges further out are a damaged record,
    // and their widths would overflow the clamping arithmetic.
    constexpr int32_t Limit = QWIDGETSIZE_MAX;
    int32_t v[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<int32_t> n = parseNumber(fields[3 + i]);
        if (!n || *n > Limit || *n < -Limit) return std::nullopt;
        v[i] = *n;
    }
    return PlacementRect{v[0], v[1], v[2], v[3]};
}

QString formatPlacement(int32_t flags, int32_t showCmd, const PlacementRect& normal) {
    return QStringLiteral("200,%1,%2,%3,%4,%5,%6")
        .arg(flags)
        .arg(showCmd)
        .arg(normal.left)
        .arg(normal.top)
        .arg(normal.right)
        .arg(normal.bottom);
}

PlacementRect moveOntoDesktop(PlacementRect r, const QRect& desktop) {
    const int32_t w = std::abs(r.right - r.left);
    const int32_t h = std::abs(r.bottom - r.top);
    if (r.right > desktop.width()) {
        r.left = desktop.width() - w;
        r.right = desktop.width();
    }
    if (r.bottom > desktop.height()) {
        r.top = desktop.height() - h;
        r.bottom = desktop.height();
    }
    if (r.left < desktop.left()) {
        r.right = desktop.left() + w;
        r.left = desktop.left();
    }
    if (r.top < desktop.top()) {
        r.bottom = desktop.top() + h;
        r.top = desktop.top();
    }
    return r;
}

QPoint centredPosition(const QSize& window, const QRect& screen) {
    return {screen.left() + (screen.width() - window.width()) / 2,
            screen.top() + (screen.height() - window.height()) / 2};
}

PlacementRect enforceMinimumSize(PlacementRect r) {
    if (r.right - r.left < TrackMinWidth) r.right = r.left + TrackMinWidth;
    if (r.bottom - r.top < TrackMinHeight) r.bottom = r.top + TrackMinHeight;
    return r;
}

PlacementRect normalized(PlacementRect r) {
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    return r;
}

PlacementRect keepTopOnScreen(PlacementRect r, int32_t topHeight,
                              const std::vector<QRect>& screens) {
    if (screens.empty()) return r;
    const int64_t height = r.bottom - r.top;
    const int64_t band = topHeight > 0 ? std::min<int64_t>(topHeight, height) : height;
    const QRect top(r.left, r.top, r.right - r.left, static_cast<int>(band));
    for (const QRect& s : screens)
        if (s.contains(top)) return r;

    // The screen the window overlaps most; failing that, the one nearest to its centre.
    const QRect whole(r.left, r.top, r.right - r.left, static_cast<int>(height));
    const QRect* target = nullptr;
    int64_t best = -1;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(whole);
        const int64_t area = int64_t{common.width()} * common.height();
        if (!common.isEmpty() && area > best) {
            best = area;
            target = &s;
        }
    }
    if (!target) {
        const QPoint centre = whole.center();
        for (const QRect& s : screens) {
            const int64_t d = (s.center() - centre).manhattanLength();
            if (!target || d < best) {
                best = d;
                target = &s;
            }
        }
    }
    const QRect& s = *target;
    const int32_t w = std::clamp<int64_t>(r.right - r.left, 0, std::max(s.width(), TrackMinWidth));
    const int32_t h = std::clamp<int64_t>(height, 0, std::max(s.height(), TrackMinHeight));
    const int32_t keep = static_cast<int32_t>(std::min<int64_t>(band, h));
    // Left and top edges win where the window cannot fit.
    const int32_t left = std::max(s.left(), std::min(r.left, s.left() + s.width() - w));
    const int32_t topEdge = std::max(s.top(), std::min(r.top, s.top() + s.height() - keep));
    return {left, topEdge, left + w, topEdge + h};
}

WindowPlacement::WindowPlacement(QWidget* mainWindow, SettingsStore& ini)
    : QObject(mainWindow), m_window(mainWindow), m_ini(ini), m_frameWatch(new QTimer(this)) {
    m_window->installEventFilter(this);
    m_frameWatch->setInterval(20);
    connect(m_frameWatch, &QTimer::timeout, this, [this] { watchForFrame(); });
}

QMargins WindowPlacement::qtFrame() const {
    const QRect outer = m_window->frameGeometry();
    const QRect inner = m_window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

bool isPlausibleFrame(const QMargins& frame, const QSize& outer) {
    constexpr int ThickestSide = 200;
    const int sides[] = {frame.left(), frame.top(), frame.right(), frame.bottom()};
    for (const int side : sides)
        if (side < 0 || side > ThickestSide) return false;
    return frame.left() + frame.right() < outer.width() &&
           frame.top() + frame.bottom() < outer.height();
}

QMargins WindowPlacement::currentFrame() const {
    const QSize outer = m_window->frameGeometry().size();
    if (const auto reported = frameExtents(m_window);
        reported && isPlausibleFrame(*reported, outer))
        return *reported;
    const QMargins qt = qtFrame();
    return isPlausibleFrame(qt, outer) ? qt : m_lastFrame;
}

void WindowPlacement::applyMinimumSize(const QMargins& frame) {
    m_window->setMinimumSize(TrackMinWidth - frame.left() - frame.right(),
                             TrackMinHeight - frame.top() - frame.bottom());
}

static QRect toRect(const PlacementRect& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

static PlacementRect fromRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

static std::vector<QRect> screenAreas() {
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    return areas;
}

void WindowPlacement::restorePlacement() {
    // The window is centred at its own size and only then enlarged to the minimum; the limit
    // holds from here on even when the record cannot be read.
    const QSize ownSize = m_window->size();
    // The window manager says which frame it will draw before the window is on screen, so the
    // outer rectangle comes out right at once; no move or resize has to follow the framing.
    // The window will be at least of the smallest size: a frame must leave an inside to that.
    const QSize smallest(TrackMinWidth, TrackMinHeight);
    std::optional<QMargins> announced = frameExtents(m_window, 500);
    if (announced && !isPlausibleFrame(*announced, smallest)) announced.reset();
    const QMargins qt = qtFrame();
    const QMargins frame = announced.value_or(isPlausibleFrame(qt, smallest) ? qt : QMargins());
    m_lastFrame = frame;
    applyMinimumSize(frame);
    const QString record = m_ini.readText(section, iniKey, QString());
    if (m_window->windowState() &
        (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return; // the normal rectangle is the platform's business then
    const std::optional<PlacementRect> stored = parsePlacement(record);
    if (onWayland()) {
        // The compositor places the window and draws or omits its frame: the stored rectangle's
        // size is the inside, as it was saved.
        if (stored) {
            const PlacementRect inside = enforceMinimumSize(normalized(*stored));
            m_window->resize(inside.right - inside.left, inside.bottom - inside.top);
        }
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    PlacementRect outer;
    if (stored) {
        outer = normalized(*stored);
        if (screen) outer = moveOntoDesktop(outer, screen->virtualGeometry());
    } else {
        // The window's own size is its outer size, as the form was designed.
        const QPoint corner =
            screen ? centredPosition(ownSize, screen->geometry()) : m_window->pos();
        outer = fromRect(QRect(corner, ownSize));
    }
    outer = enforceMinimumSize(outer);
    const int32_t keep = keepOnScreenHeight > 0 ? frame.top() + keepOnScreenHeight : 0;
    outer = keepTopOnScreen(outer, keep, screenAreas());
    m_window->setGeometry(toRect(outer).marginsRemoved(frame));
    // A window manager that announces nothing: the frame's corner is placed instead of the
    // inside's, so that the window maps at its place, and its size is set once the frame shows.
    m_pendingOuter.reset();
    if (!announced && windowManagerRunning()) {
        if (QWindow* handle = m_window->windowHandle())
            handle->setFramePosition(QPoint(outer.left, outer.top));
        m_pendingOuter = toRect(outer);
        m_assumedFrame = frame;
        m_frameChecks = 0;
        m_frameWatch->start();
    }
}

void WindowPlacement::watchForFrame() {
    // About two seconds; a frame that has not come by then is not coming.
    if (!m_pendingOuter || ++m_frameChecks > 100 || !m_window->isVisible() ||
        m_window->windowState() != Qt::WindowNoState) {
        m_frameWatch->stop();
        m_pendingOuter.reset();
        return;
    }
    // Only the window manager's own word counts: Qt's estimate comes before the window manager
    // has framed the window, and may be anything then.
    const std::optional<QMargins> frame = frameExtents(m_window);
    if (!frame || frame->isNull() || *frame == m_assumedFrame ||
        !isPlausibleFrame(*frame, m_pendingOuter->size()))
        return;
    m_frameWatch->stop();
    m_lastFrame = *frame;
    applyMinimumSize(*frame);
    const QRect inside = m_pendingOuter->marginsRemoved(*frame);
    // The corner is in place already: the inside only takes its size, and the frame keeps its
    // corner.
    m_window->resize(inside.size());
    if (QWindow* handle = m_window->windowHandle())
        handle->setFramePosition(m_pendingOuter->topLeft());
    m_pendingOuter.reset();
}

void WindowPlacement::savePlacement() {
    m_ini.writeText(section, iniKey, placementRecord());
}

QString WindowPlacement::placementRecord() {
    if (onWayland()) {
        // The inside alone, where the platform keeps the frame and the place to itself: the size
        // then stays the same over any number of starts. The place stored by an X11 session
        // stays as it was.
        const QRect inside = m_window->normalGeometry();
        QPoint corner;
        try {
            if (const auto stored = parsePlacement(m_ini.readText(section, iniKey, QString())))
                corner = QPoint(stored->left, stored->top);
        } catch (const SettingsError&) {
        }
        return formatPlacement(
            0, m_window->isMaximized() ? swShowMaximized : swShowNormal,
            {corner.x(), corner.y(), corner.x() + inside.width(), corner.y() + inside.height()});
    }
    int32_t showCmd = swShowNormal;
    if (m_window->isMinimized())
        showCmd = swShowMinimized;
    else if (m_window->isMaximized())
        showCmd = swShowMaximized;
    // A maximised window's frame may differ from its normal one: use the normal frame.
    if (m_window->windowState() == Qt::WindowNoState) m_lastFrame = currentFrame();
    return formatPlacement(0, showCmd,
                           fromRect(m_window->normalGeometry().marginsAdded(m_lastFrame)));
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            // Only the show the program asks for; a spontaneous one (restored from the task
            // bar) must not put the window back.
            if (!m_restored && !event->spontaneous()) {
                m_restored = true;
                restorePlacement();
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

// Placement record, desktop clamping and the main window's show and destroy steps.
#include "Placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

std::optional<TPlacementRect> ParsePlacement(const QString& record) {
    if (record.isEmpty()) return std::nullopt;
    QStringList fields = record.split(u',');
    if (fields.last().isEmpty()) fields.removeLast(); // a comma at the very end adds no field
    if (fields.size() != 7 || fields[0] != u"200") return std::nullopt;
    // No window reaches beyond the largest widget size: edges further out are a damaged record,
    // and their widths would overflow the clamping arithmetic.
    constexpr int32_t Limit = QWIDGETSIZE_MAX;
    int32_t v[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<int32_t> n = ParseNumber(fields[3 + i]);
        if (!n || *n > Limit || *n < -Limit) return std::nullopt;
        v[i] = *n;
    }
    return TPlacementRect{v[0], v[1], v[2], v[3]};
}

QString FormatPlacement(int32_t flags, int32_t showCmd, const TPlacementRect& normal) {
    return QStringLiteral("200,%1,%2,%3,%4,%5,%6")
        .arg(flags)
        .arg(showCmd)
        .arg(normal.Left)
        .arg(normal.Top)
        .arg(normal.Right)
        .arg(normal.Bottom);
}

TPlacementRect MoveOntoDesktop(TPlacementRect r, const QRect& desktop) {
    const int32_t w = std::abs(r.Right - r.Left);
    const int32_t h = std::abs(r.Bottom - r.Top);
    if (r.Right > desktop.width()) {
        r.Left = desktop.width() - w;
        r.Right = desktop.width();
    }
    if (r.Bottom > desktop.height()) {
        r.Top = desktop.height() - h;
        r.Bottom = desktop.height();
    }
    if (r.Left < desktop.left()) {
        r.Right = desktop.left() + w;
        r.Left = desktop.left();
    }
    if (r.Top < desktop.top()) {
        r.Bottom = desktop.top() + h;
        r.Top = desktop.top();
    }
    return r;
}

QPoint CentredPosition(const QSize& window, const QRect& screen) {
    return {screen.left() + (screen.width() - window.width()) / 2,
            screen.top() + (screen.height() - window.height()) / 2};
}

TPlacementRect EnforceMinimumSize(TPlacementRect r) {
    if (r.Right - r.Left < TrackMinWidth) r.Right = r.Left + TrackMinWidth;
    if (r.Bottom - r.Top < TrackMinHeight) r.Bottom = r.Top + TrackMinHeight;
    return r;
}

TLMDForm::TLMDForm(QWidget* mainWindow, TLMDIniCtrl& ini)
    : QObject(mainWindow), FWindow(mainWindow), FIni(ini) {
    FWindow->installEventFilter(this);
}

QMargins TLMDForm::FrameMargins() const {
    const QRect outer = FWindow->frameGeometry();
    const QRect inner = FWindow->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void TLMDForm::ApplyMinimumSize(const QMargins& frame) {
    FWindow->setMinimumSize(TrackMinWidth - frame.left() - frame.right(),
                            TrackMinHeight - frame.top() - frame.bottom());
}

// Outer rectangle of a window of this inner size centred on the primary screen.
static QRect Centred(const QSize& outerSize, const QPoint& fallback) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return {screen ? CentredPosition(outerSize, screen->geometry()) : fallback, outerSize};
}

static QRect ToRect(const TPlacementRect& r) {
    return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top};
}

static TPlacementRect FromRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void TLMDForm::RestorePlacement() {
    // The window is centred at its own size and only then enlarged to the minimum; the limit
    // holds from here on even when the record cannot be read.
    const QSize ownSize = FWindow->size();
    ApplyMinimumSize(FrameMargins());
    const QString record = FIni.ReadText(Section, IniKey, QString());
    if (FWindow->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return; // the normal rectangle is the platform's business then
    const std::optional<TPlacementRect> stored = ParsePlacement(record);
    FPendingCentre = !stored;
    FPendingOuter.reset();
    const QMargins frame = FrameMargins();
    QRect outer;
    if (stored) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        outer = ToRect(screen ? MoveOntoDesktop(*stored, screen->virtualGeometry()) : *stored);
        FPendingOuter = outer;
    } else {
        FCentreSize = ownSize;
        outer = Centred(FCentreSize.grownBy(frame), FWindow->pos());
    }
    FWindow->setGeometry(ToRect(EnforceMinimumSize(FromRect(outer))).marginsRemoved(frame));
    // Before the window is on screen its frame may still be unknown (zero): place it once
    // more when the frame is known, or it would grow by its frame on every run.
    QTimer::singleShot(0, this, [this] { FitToFrame(); });
}

void TLMDForm::FitToFrame() {
    if (!FWindow->isVisible() || FWindow->windowState() != Qt::WindowNoState) return;
    const QMargins frame = FrameMargins();
    if (frame.isNull()) return;
    FLastFrame = frame;
    if (!FPendingOuter && !FPendingCentre) return;
    const QRect outer =
        FPendingOuter ? *FPendingOuter : Centred(FCentreSize.grownBy(frame), FWindow->pos());
    FPendingOuter.reset();
    FPendingCentre = false;
    ApplyMinimumSize(frame);
    FWindow->setGeometry(ToRect(EnforceMinimumSize(FromRect(outer))).marginsRemoved(frame));
}

void TLMDForm::SavePlacement() {
    int32_t showCmd = swShowNormal;
    if (FWindow->isMinimized())
        showCmd = swShowMinimized;
    else if (FWindow->isMaximized())
        showCmd = swShowMaximized;
    // A maximised window's frame may differ from its normal one: use the normal frame.
    const QMargins frame =
        FWindow->windowState() == Qt::WindowNoState ? FrameMargins() : FLastFrame;
    FIni.WriteText(
        Section, IniKey,
        FormatPlacement(0, showCmd, FromRect(FWindow->normalGeometry().marginsAdded(frame))));
}

bool TLMDForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FWindow) {
        switch (event->type()) {
        case QEvent::Show:
            // Only the show the program asks for; a spontaneous one (restored from the task
            // bar) must not put the window back.
            if (!FRestored && !event->spontaneous()) {
                FRestored = true;
                RestorePlacement();
            } else {
                FitToFrame();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (FWindow->isVisible()) FitToFrame();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

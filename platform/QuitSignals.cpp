// SPDX-License-Identifier: MIT
// A signal handler may do next to nothing: it writes a byte into a pipe, and a socket notifier
// hands the request to the event loop.
#include "platform/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#endif

namespace {

#ifdef Q_OS_UNIX
int signalPipe[2] = {-1, -1};
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

constexpr int QuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onQuitSignal(int sig) {
    if (requested.exchange(true)) {
        // The player (or the session) insists: end now, as the signal would have.
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    const int saved = errno;
    const char byte = static_cast<char>(sig);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}
#endif

} // namespace

void installQuitSignals(std::function<void()> onSignal) {
#ifdef Q_OS_UNIX
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [onSignal = std::move(onSignal)] {
                         char byte = 0;
                         while (::read(signalPipe[0], &byte, 1) > 0) {
                         }
                         onSignal();
                     });
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : QuitSignals)
        sigaction(sig, &action, nullptr);
#else
    (void)onSignal;
#endif
}

// A signal handler may do next to nothing: it writes a byte into a pipe, and a socket notifier
// hands the request to the event loop.
#include "QuitSignals.h"

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
int Pipe[2] = {-1, -1};
std::atomic<bool> Requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

constexpr int QuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnQuitSignal(int sig) {
    if (Requested.exchange(true)) {
        // The player (or the session) insists: end now, as the signal would have.
        std::signal(sig, SIG_DFL);
        std::raise(sig);
        return;
    }
    const int saved = errno;
    const char byte = static_cast<char>(sig);
    [[maybe_unused]] const ssize_t n = ::write(Pipe[1], &byte, 1);
    errno = saved;
}
#endif

} // namespace

void InstallQuitSignals(std::function<void()> onSignal) {
#ifdef Q_OS_UNIX
    if (Pipe[0] >= 0 || ::pipe2(Pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier =
        new QSocketNotifier(Pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [onSignal = std::move(onSignal)] {
                         char byte = 0;
                         while (::read(Pipe[0], &byte, 1) > 0) {
                         }
                         onSignal();
                     });
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : QuitSignals)
        sigaction(sig, &action, nullptr);
#else
    (void)onSignal;
#endif
}

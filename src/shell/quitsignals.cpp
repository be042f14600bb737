// SPDX-License-Identifier: GPL-3.0-or-later
#include "quitsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int wakeFds[2] = {-1, -1};

extern "C" void onQuitSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing else is safe to do here.
    [[maybe_unused]] ssize_t n = ::write(wakeFds[0], &byte, 1);
    errno = saved;
}

} // namespace

bool catchQuitSignals() {
    if (wakeFds[0] >= 0)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeFds) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    return true;
}

void watchQuitSignals(std::function<void()> onQuit) {
    if (!catchQuitSignals())
        return;
    auto *notifier =
        new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onQuit = std::move(onQuit)] {
        char buffer[64];
        while (::read(wakeFds[1], buffer, sizeof buffer) > 0) {
        }
        onQuit();
    });
}

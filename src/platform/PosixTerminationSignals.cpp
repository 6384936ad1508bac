#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

#include "platform/TerminationSignals.h"

namespace lh::platform {

namespace {

int g_writeEnd = -1;

extern "C" void onTerminationSignal(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    (void)!::write(g_writeEnd, &byte, 1);  // a full pipe already holds a request
    errno = saved;
}

int setUp() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return -1;
    }
    g_writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        if (::sigaction(signal, &action, nullptr) != 0) {
            return -1;
        }
    }
    return ends[0];
}

}  // namespace

int terminationSignalPipe() {
    static const int readEnd = setUp();
    return readEnd;
}

}  // namespace lh::platform

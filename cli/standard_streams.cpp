#include "standard_streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvex::cli {

namespace {

/// errno of the first failed write, kept for the message.
int g_writeError = 0;

} // namespace

void occupyClosedStandardStreams() {
#ifndef _WIN32
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // Opened the other way round, the stream still refuses what its
        // program asks of it: input cannot be read, output not written.
        const int taken = open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
        if (taken != -1 && taken != fd) {
            dup2(taken, fd);
            close(taken);
        }
    }
#endif
}

bool writeStandardOutput(std::string_view bytes) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (written != bytes.size()) {
        g_writeError = errno;
        return false;
    }
    return finishStandardOutput();
}

bool finishStandardOutput() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
    if (g_writeError == 0) g_writeError = errno;
    return false;
}

int outputLost() {
    std::fprintf(stderr, "quorvex-cli: cannot write to standard output: %s\n",
                 std::strerror(g_writeError != 0 ? g_writeError : EIO));
    return kExitUnwritten;
}

} // namespace quorvex::cli

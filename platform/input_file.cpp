#include "input_file.h"

#include "system_memory.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#define QUORVEX_OPEN_FLAGS (_O_RDONLY | _O_BINARY)
#define QUORVEX_NONBLOCK 0
#define fstat _fstat64
#define stat _stat64
#define read _read
#define close _close
#define S_ISREG(m) (((m)&_S_IFMT) == _S_IFREG)
#else
#include <unistd.h>
#define QUORVEX_OPEN_FLAGS (O_RDONLY | O_CLOEXEC)
#define QUORVEX_NONBLOCK O_NONBLOCK
#endif

namespace quorvex::platform {

namespace {

/// The first buffer of an input whose size is not known, and the least it grows by.
constexpr std::size_t kFirstChunk = std::size_t(1) << 16;
/// The most one read asks for (a count every system's read takes).
constexpr std::size_t kLargestRead = std::size_t(1) << 30;

} // namespace

std::uint64_t inputByteLimit() {
    const std::uint64_t available = availableMemoryBytes();
    return available == 0 ? kMaxInputBytes : std::min(kMaxInputBytes, available / 4);
}

InputFile::~InputFile() {
    if (m_ownsFd) ::close(m_fd);
}

ReadStatus InputFile::open(const std::string& path, Accept accept) {
    // Opened without waiting, so that a FIFO without a writer is refused
    // rather than blocking the window; regular files ignore the flag.
    const int flags = QUORVEX_OPEN_FLAGS | (accept == Accept::RegularOnly ? QUORVEX_NONBLOCK : 0);
    m_fd = ::open(path.c_str(), flags);
    if (m_fd < 0) return ReadStatus::Failed;
    m_ownsFd = true;
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) return ReadStatus::Failed;
    if (!S_ISREG(info.st_mode)) {
        if (accept == Accept::RegularOnly) return ReadStatus::NotRegular;
        return ReadStatus::Done;
    }
    m_reportedSize = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return ReadStatus::Done;
}

void InputFile::openStandardInput() {
#ifdef _WIN32
    _setmode(0, _O_BINARY);
#endif
    m_fd = 0;
    m_ownsFd = false;
    m_reportedSize = 0;
}

ReadStatus InputFile::readAll(std::string& out, std::uint64_t limit) {
    out.clear();
    if (m_reportedSize > limit) return ReadStatus::TooLarge;
    // One byte more than reported, so that the end shows without growing.
    std::size_t used = 0;
    try {
        out.resize(std::max<std::uint64_t>(m_reportedSize + 1, kFirstChunk));
        for (;;) {
            if (used == out.size()) {
                if (used > limit) break;
                out.resize(
                    std::min<std::uint64_t>(std::max(used * 2, used + kFirstChunk), limit + 1));
            }
            const auto want = std::min<std::size_t>(out.size() - used, kLargestRead);
            const auto got = ::read(m_fd, out.data() + used, static_cast<unsigned>(want));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                out.clear();
                return ReadStatus::Failed;
            }
            if (got == 0) break;
            used += static_cast<std::size_t>(got);
        }
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return ReadStatus::NoMemory;
    }
    if (used > limit) {
        out.clear();
        out.shrink_to_fit();
        return ReadStatus::TooLarge;
    }
    out.resize(used);
    return ReadStatus::Done;
}

} // namespace quorvex::platform

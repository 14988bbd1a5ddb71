#pragma once

#include <cstdint>
#include <string>

namespace quorvex::platform {

/// No input is read beyond this many bytes, however much memory there is:
/// the largest system anyone types or loads is some megabytes, while an
/// endless stream (/dev/zero, a pipe that never ends) would otherwise be
/// read until the memory runs out.
inline constexpr std::uint64_t kMaxInputBytes = std::uint64_t(2) << 30;

/// The most bytes an input may hold on this machine now: kMaxInputBytes,
/// or a quarter of the free memory when that is less (the text is held
/// several times over on its way to the edit area or into a command).
std::uint64_t inputByteLimit();

/// How reading an input went.
enum class ReadStatus {
    Done,
    NotRegular, ///< a FIFO, device or folder where only a file will do
    TooLarge,   ///< more bytes than the limit allows
    NoMemory,   ///< the memory ran out while reading
    Failed,     ///< the system refused (errno tells why)
};

/// One input file, read to its end in one go. Its reported size is only a
/// hint: files under /proc report 0 and hold more, others grow while read.
class InputFile {
public:
    enum class Accept {
        RegularOnly, ///< refuse anything else without waiting (never blocks)
        Anything,    ///< pipes and devices too, as a command-line tool reads them
    };

    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    /// Opens path (UTF-8) for reading.
    ReadStatus open(const std::string& path, Accept accept);
    /// Reads standard input from here on.
    void openStandardInput();

    /// The size the system reports; 0 for pipes, devices and /proc files.
    std::uint64_t reportedSize() const { return m_reportedSize; }

    /// Reads everything that is left into out, refusing more than limit bytes.
    ReadStatus readAll(std::string& out, std::uint64_t limit);

private:
    int m_fd = -1;
    bool m_ownsFd = false;
    std::uint64_t m_reportedSize = 0;
};

} // namespace quorvex::platform

// writeWholeFile for builds without Qt (the WebAssembly one), with the C
// library: into a temporary file beside the target, which then takes its
// place; a device or a pipe is written directly.
#include "whole_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quorvex::platform {

namespace {

std::string writeTo(const std::string& path, const PieceWriter& produce) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return std::strerror(errno);
    const bool written = produce([&](std::string_view piece) {
        return std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
    });
    const int why = errno;
    const bool closed = std::fclose(file) == 0;
    return written && closed ? std::string() : std::string(std::strerror(why));
}

} // namespace

std::string writeWholeFile(const std::string& path, const PieceWriter& produce) {
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return writeTo(path, produce);
    const std::string temporary = path + ".part";
    if (std::string why = writeTo(temporary, produce); !why.empty()) {
        std::remove(temporary.c_str());
        return why;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        std::remove(temporary.c_str());
        return why;
    }
    return {};
}

} // namespace quorvex::platform

#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace quorvex::testing {

/// A folder of its own in the system's temporary folder, named after the
/// test but unique (mkdtemp), removed with everything in it at the end: two
/// runs of the suite on one machine never share or delete each other's files.
class TempDir {
public:
    explicit TempDir(const std::string& label) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("quorvex-" + label + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace quorvex::testing

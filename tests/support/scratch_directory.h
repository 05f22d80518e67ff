#pragma once
// A fresh directory below the system's temporary folder, removed with everything in it when the
// object goes.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavrel::testing_support {

class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& name = "tavrel") {
        std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
        if (mkdtemp(pattern.data())) path_ = pattern;
        // An unprivileged child process must reach the files inside.
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms(0755), ignored);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace tavrel::testing_support

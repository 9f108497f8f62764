#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// A folder of its own under the temporary directory, named after the tag and
// this process, made empty at the start and removed with everything in it.
struct ScratchDir {
    std::filesystem::path path;

    explicit ScratchDir(const std::string& tag)
        : path(std::filesystem::temp_directory_path() /
               ("vellmoor-" + tag + "-" + std::to_string(getpid()))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
};

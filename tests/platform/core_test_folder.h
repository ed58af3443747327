// A temporary folder for tests that touch files, removed with its contents.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/files.h"

class CoreTestFolder {
public:
    CoreTestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velamo-core-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        InvalidatePathCache();
    }
    ~CoreTestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
        InvalidatePathCache();
    }
    CoreTestFolder(const CoreTestFolder&) = delete;
    CoreTestFolder& operator=(const CoreTestFolder&) = delete;

    // The folder with a trailing separator, as the program's AppDir has it.
    std::string Dir() const { return root_.string() + "/"; }
    std::string Path(const std::string& relative) const { return (root_ / relative).string(); }

    void MakeFolder(const std::string& relative) const { std::filesystem::create_directories(root_ / relative); }
    void WriteFile(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::string& relative) const {
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path root_;
};

// The folder the generator writes into. Paths are given as the program
// builds them, relative and with "\" separators.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gfx/graphics.h"
#include "tools/datagen/RiffWriters.h"

class TDataTree {
public:
    explicit TDataTree(std::string root) : root_(std::move(root)) {}

    void WriteBytes(const std::string& relative, const std::string& bytes);
    void WriteBmp(const std::string& relative, const TBitmap& picture);
    void WriteWav(const std::string& relative, const TPcm& sound, int bits = 8);

    // The path on this system: root + relative with "/" separators.
    std::string FullPath(const std::string& relative) const;

    int FilesWritten() const { return files_; }
    std::uintmax_t BytesWritten() const { return bytes_; }

private:
    void MakeParentFolders(const std::string& fullPath);

    std::string root_;
    int files_ = 0;
    std::uintmax_t bytes_ = 0;
};

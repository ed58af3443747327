#include "tools/datagen/DataTree.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

std::string TDataTree::FullPath(const std::string& relative) const {
    std::string path = root_ + "/" + relative;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

void TDataTree::MakeParentFolders(const std::string& fullPath) {
    std::filesystem::create_directories(std::filesystem::path(fullPath).parent_path());
}

void TDataTree::WriteBytes(const std::string& relative, const std::string& bytes) {
    const std::string path = FullPath(relative);
    MakeParentFolders(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
    ++files_;
    bytes_ += bytes.size();
}

void TDataTree::WriteBmp(const std::string& relative, const TBitmap& picture) {
    const std::string path = FullPath(relative);
    MakeParentFolders(path);
    picture.SaveToFile(path);
    ++files_;
    bytes_ += std::filesystem::file_size(path);
}

void TDataTree::WriteWav(const std::string& relative, const TPcm& sound, int bits) {
    WriteBytes(relative, WavFile(sound, bits));
}

#include "simulations/BestTimes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/strings.h"

namespace {

// A line's row, or false when the line cannot be read.
bool ParseRow(const String& Line, TTableRow& Row) {
    const std::size_t bar = Line.find('|');
    const String time = bar == String::npos ? Line : Line.substr(bar + 1);
    try {
        Row.Time = StrToInt(time);
    } catch (const EConvertError&) {
        return false;
    }
    if (Row.Time < 0) return false;
    Row.Name = bar == String::npos ? String() : Line.substr(0, bar);
    return true;
}

// The name without what would break its line.
String FileName(const String& Name) {
    String out;
    std::size_t pos = 0;
    while (pos < Name.size()) {
        const char32_t ch = NextCodePoint(Name, pos);
        if (IsNameCharacter(ch)) AppendUtf8(out, ch);
    }
    return out;
}

// 0, or the error that stopped the writing.
int WriteAll(int Fd, std::string_view Bytes) {
    while (!Bytes.empty()) {
        const ssize_t n = ::write(Fd, Bytes.data(), Bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        Bytes.remove_prefix(std::size_t(n));
    }
    return 0;
}

}  // namespace

std::vector<TTableRow> ParseBestTimes(std::string_view Bytes) {
    std::vector<TTableRow> rows;
    for (const String& line : SplitLines(Cp1250ToUtf8(Bytes))) {
        if (int(rows.size()) == BestTimesRows) break;
        TTableRow row;
        if (ParseRow(line, row)) rows.push_back(std::move(row));
    }
    return rows;
}

std::string FormatBestTimes(std::span<const TTableRow, BestTimesRows> Rows) {
    String text;
    for (const TTableRow& row : Rows) text += FileName(row.Name) + "|" + IntToStr(row.Time) + "\r\n";
    return Utf8ToCp1250(text);
}

bool IsNameCharacter(char32_t Ch) { return Ch >= 0x20 && Ch != 0x7F && Ch != '|'; }

void ReplaceFileAtomically(const String& FileName, std::string_view Bytes) {
    const String target = ResolvePath(FileName);
    const String temporary = target + ".new";
    // A file that may not be written is not replaced either; the new one
    // keeps the old one's permissions.
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) throw EFCreateError(FileName, errno);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) throw EFCreateError(FileName, errno);
    // The first step that fails decides the error; the old file is then
    // untouched.
    int error = existed && ::fchmod(fd, old.st_mode & 07777) != 0 ? errno : 0;
    if (!error) error = WriteAll(fd, Bytes);
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        NoteFileSystemChange(temporary);
        throw EFCreateError(FileName, error);
    }
    NoteFileSystemChange(target);
    // The rename itself reaches the disk with the folder's entry.
    std::filesystem::path folder = std::filesystem::path(target).parent_path();
    if (folder.empty()) folder = ".";
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

String FormatTime(int Seconds) {
    const int rest = Seconds % 60;
    return IntToStr(Seconds / 60) + (rest < 10 ? ":0" : ":") + IntToStr(rest);
}

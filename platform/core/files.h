// File names as the program writes them ("hl_obr\konec1.bmp" under AppDir):
// both separators are accepted and each name is matched without regard to
// letter case, with a cache of folder listings.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/core/types.h"

// Maps a program path to the real file system path. Components that exist
// in another letter case are replaced by their real spelling; a component
// that does not exist is kept as written (so a file can be created there).
// Empty components collapse, an absolute path stays absolute. A last
// component "name.dll" (any case) that does not exist resolves to "name.so"
// when that exists, in any letter case: library names are mapped this way
// for every caller.
String ResolvePath(const String& path);
// Forget cached folder listings (after files were created or deleted
// outside the platform's own calls).
void InvalidatePathCache();
// For the platform's own calls that create, rename or delete a file or
// folder: forgets the listings that change. realPath is the resolved path.
void NoteFileSystemChange(const String& realPath);

bool FileExists(const String& fileName);
bool DirectoryExists(const String& dirName);
// Modification time of the file as a packed date-time, or -1 when the file
// does not exist.
int FileAge(const String& fileName);

// Everything up to and including the last "\", "/" or ":".
String ExtractFilePath(const String& fileName);
String ExtractFileName(const String& fileName);
bool IsPathDelimiter(char c);

// ---- Reading data files ----
// Every file the program reads goes through the calls below: only a regular
// file is read. A FIFO, socket, device or folder, also one behind a link, is
// a file that cannot be read; it is never waited on or read from.

// The largest file of each kind that is read: far above any real file of the
// kind (the largest picture is 4 MB, sounds and animations a few MB, texts
// some 100 kB), far below the machine's memory.
namespace file_limit {
inline constexpr std::int64_t kPicture = std::int64_t(32) << 20;
inline constexpr std::int64_t kSound = std::int64_t(32) << 20;
inline constexpr std::int64_t kAnimation = std::int64_t(48) << 20;
inline constexpr std::int64_t kCursor = std::int64_t(1) << 20;
inline constexpr std::int64_t kText = std::int64_t(4) << 20;
// The best-times file is read only up to its ten rows, and never further
// than this looking for them.
inline constexpr std::int64_t kBestTimes = std::int64_t(1) << 20;
}  // namespace file_limit

// Opens the real path for reading when it is a regular file: without
// blocking (a FIFO does not hold the caller) and without becoming the
// controlling terminal, then checked on the descriptor itself. The
// descriptor (blocking again), or -1 with errno: EISDIR for a folder, ENXIO
// for any other file that is not a regular one.
int OpenRegularFile(const String& realPath);

// A data file open for reading (see OpenRegularFile); EFOpenError when it
// cannot be opened or read.
class TDataFile {
public:
    explicit TDataFile(const String& fileName);
    ~TDataFile();
    TDataFile(const TDataFile&) = delete;
    TDataFile& operator=(const TDataFile&) = delete;

    // The size when it was opened.
    std::int64_t Size() const { return size_; }
    // Up to count bytes; fewer only at the end of the file.
    std::size_t Read(char* buffer, std::size_t count);

private:
    String name_;
    int fd_ = -1;
    std::int64_t size_ = 0;
};

// The whole data file, which may be at most limit bytes (file_limit);
// EFOpenError when it cannot be read or is larger. The memory taken is the
// file's size.
std::string ReadDataFile(const String& fileName, std::int64_t limit);

// ---- Writing files ----

// Puts a new file at the real path: write (0 or an errno) fills a temporary
// file made beside it under a name of its own ("<name>.<process>.<n>.tmp"),
// created exclusively and never through a link (a file or link already at a
// name is passed over, never written through); it is flushed to the disk,
// renamed over the path (a link there is replaced, not followed), and the
// folder is flushed. A crash at any moment leaves the old file or the new
// one. The new file has mode, less the umask; with exact, mode itself.
// 0, or the errno of the first step that failed; the temporary is then
// removed and the old file is untouched.
int WriteFileReplacing(const String& realPath, int mode, bool exact, const std::function<int(int fd)>& write);

// Writes all the bytes to the descriptor: 0, or the errno that stopped it.
int WriteAllBytes(int fd, std::string_view bytes);

// Replaces the file with bytes through WriteFileReplacing. The new file
// keeps the old regular file's permissions, else it is made 0644 (never a
// device's or a link target's); a regular file that may not be written
// (read-only) is not replaced. EFCreateError on failure, the old file kept.
void ReplaceFileAtomically(const String& fileName, std::string_view bytes);

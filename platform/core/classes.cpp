#include "platform/core/classes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/strings.h"

// ---- TStream ----

std::int64_t TStream::GetSize() {
    std::int64_t pos = Seek(0, TSeekOrigin::soCurrent);
    std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(pos, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.GetSize();
    }
    std::vector<Byte> buffer(std::size_t(std::min<std::int64_t>(count, 65536)));
    std::int64_t left = count;
    while (left > 0) {
        std::int64_t chunk = std::min<std::int64_t>(left, std::int64_t(buffer.size()));
        source.ReadBuffer(buffer.data(), chunk);
        WriteBuffer(buffer.data(), chunk);
        left -= chunk;
    }
    return count;
}

// ---- TMemoryStream ----

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    const auto size = std::int64_t(data_.size());
    if (count <= 0 || pos_ < 0 || pos_ >= size) return 0;
    std::int64_t n = std::min(count, size - pos_);
    std::memcpy(buffer, data_.data() + pos_, std::size_t(n));
    pos_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0 || pos_ < 0) return 0;
    if (pos_ + count > std::int64_t(data_.size())) data_.resize(std::size_t(pos_ + count));
    std::memcpy(data_.data() + pos_, buffer, std::size_t(count));
    pos_ += count;
    return count;
}

// A position may lie before the start or past the end: reads there give
// nothing, a write past the end extends the stream.
std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    switch (origin) {
        case TSeekOrigin::soBeginning: pos_ = offset; break;
        case TSeekOrigin::soCurrent: pos_ += offset; break;
        case TSeekOrigin::soEnd: pos_ = std::int64_t(data_.size()) + offset; break;
    }
    return pos_;
}

void TMemoryStream::SetSize(std::int64_t size) {
    data_.resize(std::size_t(std::max<std::int64_t>(size, 0)));
    pos_ = std::min(pos_, std::int64_t(data_.size()));
}

void TMemoryStream::LoadFromFile(const String& fileName, std::int64_t limit) {
    std::string bytes = ReadDataFile(fileName, limit);
    data_.assign(bytes.begin(), bytes.end());
    pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    std::int64_t size = source.GetSize();
    data_.resize(std::size_t(std::max<std::int64_t>(size, 0)));
    pos_ = 0;
    source.ReadBuffer(data_.data(), std::int64_t(data_.size()));
}

void TMemoryStream::SaveToFile(const String& fileName) {
    TFileStream file(fileName, fmCreate);
    file.WriteBuffer(data_.data(), std::int64_t(data_.size()));
}

void TMemoryStream::Clear() {
    data_.clear();
    pos_ = 0;
}

// ---- TFileStream ----

TFileStream::TFileStream(const String& fileName, Word mode) {
    const String realPath = ResolvePath(fileName);
    if ((mode & fmCreate) == fmCreate) {
        const bool existed = ::access(realPath.c_str(), F_OK) == 0;
        fd_ = ::open(realPath.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) throw EFCreateError(fileName, errno);
        if (!existed) NoteFileSystemChange(realPath);
        return;
    }
    int flags = O_RDONLY;
    if ((mode & 3) == fmOpenWrite) flags = O_WRONLY;
    if ((mode & 3) == fmOpenReadWrite) flags = O_RDWR;
    fd_ = ::open(realPath.c_str(), flags | O_CLOEXEC);
    if (fd_ < 0) throw EFOpenError(fileName, errno);
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        throw EFOpenError(fileName, EISDIR);
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::read(fd_, out + done, std::size_t(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < count) {
        ssize_t n = ::write(fd_, in + done, std::size_t(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    int whence = SEEK_SET;
    if (origin == TSeekOrigin::soCurrent) whence = SEEK_CUR;
    if (origin == TSeekOrigin::soEnd) whence = SEEK_END;
    return std::int64_t(::lseek(fd_, off_t(offset), whence));
}

void TFileStream::SetSize(std::int64_t size) {
    if (::ftruncate(fd_, off_t(size)) != 0) throw EWriteError("Stream write error");
}

// ---- TStrings ----

namespace {

[[noreturn]] void ThrowIndexError(int index) {
    throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

bool IsCommaBlank(char c) { return Byte(c) <= ' '; }

// A quoted item starting at text[pos] == '"': "" stands for one quote; an item
// without its closing quote runs to the end. pos ends after the closing quote.
String ExtractQuoted(const String& text, std::size_t& pos) {
    String item;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                item += '"';
                pos += 2;
                continue;
            }
            ++pos;
            break;
        }
        item += text[pos++];
    }
    return item;
}

bool NeedsQuotes(const String& item) {
    return std::any_of(item.begin(), item.end(), [](char c) { return IsCommaBlank(c) || c == '"' || c == ','; });
}

String Quoted(const String& item) {
    String out = "\"";
    for (char c : item) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + '"';
}

}  // namespace

const String& TStrings::Get(int index) const {
    if (index < 0 || index >= Count()) ThrowIndexError(index);
    return items_[std::size_t(index)];
}

void TStrings::Put(int index, const String& s) {
    if (index < 0 || index >= Count()) ThrowIndexError(index);
    items_[std::size_t(index)] = s;
}

int TStrings::Add(const String& s) {
    items_.push_back(s);
    return Count() - 1;
}

void TStrings::Insert(int index, const String& s) {
    if (index < 0 || index > Count()) ThrowIndexError(index);
    items_.insert(items_.begin() + index, s);
}

void TStrings::Delete(int index) {
    if (index < 0 || index >= Count()) ThrowIndexError(index);
    items_.erase(items_.begin() + index);
}

void TStrings::Clear() { items_.clear(); }

String TStrings::GetText() const {
    String text;
    for (const String& line : items_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const String& text) {
    items_.clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == String::npos) end = text.size();
        items_.push_back(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
}

void TStrings::SetCommaText(const String& text) {
    items_.clear();
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsCommaBlank(text[pos])) ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == '"') {
            items_.push_back(ExtractQuoted(text, pos));
        } else {
            std::size_t start = pos;
            while (pos < text.size() && !IsCommaBlank(text[pos]) && text[pos] != ',') ++pos;
            items_.push_back(text.substr(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == ',') {
            if (pos + 1 == text.size()) items_.emplace_back();  // a final comma ends an empty item
            ++pos;
            skipBlanks();
        }
    }
}

String TStrings::GetCommaText() const {
    if (items_.size() == 1 && items_[0].empty()) return "\"\"";
    String text;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i > 0) text += ',';
        text += NeedsQuotes(items_[i]) ? Quoted(items_[i]) : items_[i];
    }
    return text;
}

int TStrings::IndexOf(const String& s) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiCompareText(items_[std::size_t(i)], s) == 0) return i;
    return -1;
}

void TStrings::LoadFromFile(const String& fileName) { SetText(Cp1250ToUtf8(ReadDataFile(fileName, file_limit::kText))); }

void TStrings::LoadFromStream(TStream& stream) {
    std::int64_t pos = stream.GetPosition();
    std::int64_t size = stream.GetSize();
    std::string bytes(std::size_t(std::max<std::int64_t>(size - pos, 0)), '\0');
    stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    SetText(Cp1250ToUtf8(bytes));
}

void TStrings::SaveToFile(const String& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TStrings::SaveToStream(TStream& stream) const {
    std::string bytes = Utf8ToCp1250(GetText());
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

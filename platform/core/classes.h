// Streams and string lists.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/types.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t GetSize();
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t GetPosition() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
    // Reads exactly count bytes or raises EReadError.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    std::int64_t CopyFrom(TStream& source, std::int64_t count);  // count 0: the whole source
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t GetSize() override { return std::int64_t(data_.size()); }
    void SetSize(std::int64_t size) override;

    // EFOpenError when it cannot be read or is larger than limit (file_limit).
    void LoadFromFile(const String& fileName, std::int64_t limit);
    void LoadFromStream(TStream& source);
    void SaveToFile(const String& fileName);    // EFCreateError
    void Clear();
    Byte* Memory() { return data_.data(); }
    const std::vector<Byte>& Bytes() const { return data_; }

private:
    std::vector<Byte> data_;
    std::int64_t pos_ = 0;
};

enum : Word { fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002, fmCreate = 0xFF00 };

class TFileStream : public TStream {
public:
    // fmCreate makes or truncates the file (EFCreateError); otherwise the
    // file must exist (EFOpenError "Cannot open file ...").
    TFileStream(const String& fileName, Word mode);
    ~TFileStream() override;
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;

private:
    int fd_ = -1;
};

// A list of strings (UTF-8 inside). Files and streams are read and written
// in code page 1250 with CR LF line ends.
class TStrings : public TObject {
public:
    int Count() const { return int(items_.size()); }
    // Index outside 0..Count-1 raises EListError.
    const String& Get(int index) const;
    void Put(int index, const String& s);
    const String& operator[](int index) const { return Get(index); }

    int Add(const String& s);
    void Insert(int index, const String& s);
    void Delete(int index);
    void Clear();

    // Lines joined, each ended by CR LF.
    String GetText() const;
    // Splits at CR LF, lone CR or lone LF; a final line end adds no empty line.
    void SetText(const String& text);

    // The class library's comma text: items separated by commas or blanks;
    // blanks around an item are skipped; double quotes group an item.
    void SetCommaText(const String& text);
    String GetCommaText() const;

    // Index of the first line equal to s, letter case ignored; -1 if none.
    int IndexOf(const String& s) const;

    void LoadFromFile(const String& fileName);  // a text file (file_limit::kText); EFOpenError
    void LoadFromStream(TStream& stream);       // from the current position to the end
    void SaveToFile(const String& fileName);    // EFCreateError
    void SaveToStream(TStream& stream) const;
    void Assign(const TStrings& other) { items_ = other.items_; }

    const std::vector<String>& Items() const { return items_; }

protected:
    std::vector<String> items_;
};

class TStringList : public TStrings {};

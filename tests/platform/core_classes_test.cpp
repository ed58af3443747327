#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_test_folder.h"
#include "platform/core/classes.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"

namespace {

using Lines = std::vector<String>;

Lines CommaSplit(const String& text) {
    TStringList list;
    list.SetCommaText(text);
    return list.Items();
}

TEST(CoreCommaText, SplitsAsTheClassLibrary) {
    struct Case {
        const char* text;
        Lines items;
    };
    const Case cases[] = {
        {"1,2, 3 4,,5", {"1", "2", "3", "4", "", "5"}},
        {"a,b,c", {"a", "b", "c"}},
        {"  a  ,  b  ", {"a", "b"}},
        {"a b\tc", {"a", "b", "c"}},
        {"a,", {"a", ""}},
        {",a", {"", "a"}},
        {",,", {"", "", ""}},
        {"a , , b", {"a", "", "b"}},
        {"", {}},
        {"   ", {}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"\",x", {"", "x"}},
        {"\"open", {"open"}},
        {"\"ab\"cd,e", {"ab", "cd", "e"}},
        {"žluť,kůň", {"žluť", "kůň"}},
    };
    for (const auto& c : cases) EXPECT_EQ(CommaSplit(c.text), c.items) << c.text;
}

TEST(CoreCommaText, JoinQuotesWhatWouldNotSplitBack) {
    struct Case {
        Lines items;
        const char* text;
    };
    const Case cases[] = {
        {{"1", "2", "3"}, "1,2,3"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"a,b"}, "\"a,b\""},
        {{"a", "", "b"}, "a,,b"},
        {{""}, "\"\""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        TStringList list;
        for (const auto& item : c.items) list.Add(item);
        EXPECT_EQ(list.GetCommaText(), c.text);
        EXPECT_EQ(CommaSplit(list.GetCommaText()), c.items) << c.text;
    }
}

TEST(CoreStringList, TextSplitsAtEveryLineEnd) {
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},  // a final line without its line end
        {"a\nb\rc\r\n", {"a", "b", "c"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR are two line ends
        {"\r\n", {""}},
        {"", {}},
        {" x \r\n", {" x "}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(list.Items(), c.lines) << c.text;
    }
}

TEST(CoreStringList, TextRoundTrip) {
    TStringList list;
    list.Add("[hasič]");
    list.Add("");
    list.Add("Příliš žluťoučký kůň");
    EXPECT_EQ(list.GetText(), "[hasič]\r\n\r\nPříliš žluťoučký kůň\r\n");
    TStringList copy;
    copy.SetText(list.GetText());
    EXPECT_EQ(copy.Items(), list.Items());
}

TEST(CoreStringList, IndexOfIgnoresLetterCase) {
    TStringList list;
    list.SetText("[kuchař]\r\n[HASIČ]\r\n[hasič]\r\n[Švadlena]\r\n");
    EXPECT_EQ(list.IndexOf("[hasič]"), 1);
    EXPECT_EQ(list.IndexOf("[KUCHAŘ]"), 0);
    EXPECT_EQ(list.IndexOf("[šVADLENA]"), 3);
    EXPECT_EQ(list.IndexOf("[hasic]"), -1);
    EXPECT_EQ(list.IndexOf("hasič"), -1);  // whole lines only
}

TEST(CoreStringList, IndexErrors) {
    TStringList list;
    list.Add("a");
    list.Add("b");
    auto message = [](auto action) -> String {
        try {
            action();
        } catch (const EListError& e) {
            return e.Message;
        }
        return "no error";
    };
    EXPECT_EQ(message([&] { list.Get(2); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { (void)list[-1]; }), "List index out of bounds (-1)");
    EXPECT_EQ(message([&] { list.Put(5, "x"); }), "List index out of bounds (5)");
    EXPECT_EQ(message([&] { list.Delete(2); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.Insert(3, "x"); }), "List index out of bounds (3)");

    list.Insert(2, "c");  // at the end
    list.Insert(0, "z");
    list.Put(1, "A");
    list.Delete(2);
    EXPECT_EQ(list.Items(), (Lines{"z", "A", "c"}));
}

TEST(CoreStringList, FilesAreCodePage1250WithCrLf) {
    CoreTestFolder folder;
    folder.WriteFile("Data/hasic.dat", "Ji\xF8\xED\r\n\x8Akoda\nposledn\xED");
    TStringList list;
    list.LoadFromFile(folder.Dir() + "DATA\\HASIC.DAT");
    EXPECT_EQ(list.Items(), (Lines{"Jiří", "Škoda", "poslední"}));

    list.Add("日");  // no place in the code page
    list.SaveToFile(folder.Dir() + "data\\Novy.dat");
    EXPECT_EQ(folder.ReadFile("Data/Novy.dat"), "Ji\xF8\xED\r\n\x8Akoda\r\nposledn\xED\r\n?\r\n");

    // The platform's own file creation is seen by the next lookup.
    EXPECT_TRUE(FileExists(folder.Dir() + "DATA\\NOVY.DAT"));

    try {
        list.LoadFromFile(folder.Dir() + "data\\chybi.dat");
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message.rfind("Cannot open file \"" + folder.Dir() + "data\\chybi.dat\"", 0), 0u) << e.Message;
    }
    EXPECT_THROW(list.SaveToFile(folder.Dir() + "chybi\\x.dat"), EFCreateError);
}

TEST(CoreStringList, LoadFromStreamStartsAtTheCurrentPosition) {
    TMemoryStream stream;
    const std::string bytes = "skip\r\n\xE8\x61j\r\nml\xE9ko";
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(6);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(list.Items(), (Lines{"čaj", "mléko"}));

    TMemoryStream out;
    list.SaveToStream(out);
    EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), "\xE8\x61j\r\nml\xE9ko\r\n");
}

TEST(CoreStream, MemoryStreamPositionsAndBytes) {
    TMemoryStream stream;
    const Byte data[] = {1, 2, 3, 4, 5};
    stream.WriteBuffer(data, 5);
    EXPECT_EQ(stream.GetPosition(), 5);
    EXPECT_EQ(stream.GetSize(), 5);

    // Read one byte, step back one, write one: as a scrambling pass does.
    stream.SetPosition(1);
    Byte b = 0;
    stream.ReadBuffer(&b, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soCurrent), 1);
    b = 0x20;
    stream.WriteBuffer(&b, 1);
    EXPECT_EQ(stream.Bytes(), (std::vector<Byte>{1, 0x20, 3, 4, 5}));

    EXPECT_EQ(stream.Seek(-2, TSeekOrigin::soEnd), 3);
    Byte two[2] = {};
    EXPECT_EQ(stream.Read(two, 10), 2);
    EXPECT_EQ(stream.Read(two, 1), 0);
    EXPECT_THROW(stream.ReadBuffer(two, 1), EReadError);

    // Before the start nothing is read or written.
    stream.SetPosition(-1);
    EXPECT_EQ(stream.Read(two, 1), 0);
    EXPECT_EQ(stream.Write(two, 1), 0);

    // Writing past the end extends the stream with zeros.
    stream.SetPosition(7);
    stream.WriteBuffer(data, 1);
    EXPECT_EQ(stream.Bytes(), (std::vector<Byte>{1, 0x20, 3, 4, 5, 0, 0, 1}));

    stream.SetSize(2);
    EXPECT_EQ(stream.GetPosition(), 2);
    stream.Clear();
    EXPECT_EQ(stream.GetSize(), 0);
    EXPECT_EQ(stream.GetPosition(), 0);
}

TEST(CoreStream, FileStreamModesAndErrors) {
    CoreTestFolder folder;
    folder.MakeFolder("Data");
    {
        TFileStream out(folder.Dir() + "data\\Skore.bin", fmCreate);
        out.WriteBuffer("abcdef", 6);
        EXPECT_EQ(out.GetSize(), 6);
    }
    EXPECT_EQ(folder.ReadFile("Data/Skore.bin"), "abcdef");
    {
        TFileStream io(folder.Dir() + "DATA\\SKORE.BIN", fmOpenReadWrite);
        io.SetPosition(2);
        io.WriteBuffer("XY", 2);
        io.SetPosition(0);
        char all[6] = {};
        io.ReadBuffer(all, 6);
        EXPECT_EQ(std::string(all, 6), "abXYef");
        EXPECT_THROW(io.ReadBuffer(all, 1), EReadError);
        io.SetSize(3);
    }
    EXPECT_EQ(folder.ReadFile("Data/Skore.bin"), "abX");
    {
        TFileStream in(folder.Dir() + "data\\skore.bin", fmOpenRead);
        char c = 0;
        EXPECT_EQ(in.Write("z", 1), 0);  // read-only: nothing written
        EXPECT_EQ(in.Read(&c, 1), 1);
        EXPECT_EQ(c, 'a');
    }
    {
        TFileStream again(folder.Dir() + "data\\skore.bin", fmCreate);  // truncates
    }
    EXPECT_EQ(folder.ReadFile("Data/Skore.bin"), "");

    const std::string missing = folder.Dir() + "data\\chybi.bin";
    for (Word mode : {fmOpenRead, fmOpenWrite, fmOpenReadWrite}) {
        try {
            TFileStream stream(missing, mode);
            FAIL() << "opened a missing file, mode " << mode;
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message, "Cannot open file \"" + missing + "\". No such file or directory");
        }
    }
    EXPECT_THROW(TFileStream(folder.Dir() + "Data", fmOpenRead), EFOpenError);
    try {
        TFileStream stream(folder.Dir() + "chybi\\x.bin", fmCreate);
        FAIL() << "created a file in a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message.rfind("Cannot create file \"" + folder.Dir() + "chybi\\x.bin\". ", 0), 0u);
    }
}

TEST(CoreStream, MemoryStreamFilesAndCopies) {
    CoreTestFolder folder;
    folder.WriteFile("Profese.dat", "\x01\x02\x03");
    TMemoryStream stream;
    stream.LoadFromFile(folder.Dir() + "PROFESE.DAT", file_limit::kText);
    EXPECT_EQ(stream.Bytes(), (std::vector<Byte>{1, 2, 3}));
    EXPECT_EQ(stream.GetPosition(), 0);
    EXPECT_THROW(stream.LoadFromFile(folder.Dir() + "chybi.dat", file_limit::kText), EFOpenError);

    stream.SetPosition(3);
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(stream, 0), 3);  // 0 copies the whole source from its start
    EXPECT_EQ(copy.Bytes(), stream.Bytes());
    stream.SetPosition(1);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(stream, 2), 2);
    EXPECT_EQ(part.Bytes(), (std::vector<Byte>{2, 3}));
    EXPECT_THROW(part.CopyFrom(stream, 1), EReadError);

    TMemoryStream loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.Bytes(), stream.Bytes());

    stream.SaveToFile(folder.Dir() + "kopie.dat");
    EXPECT_EQ(folder.ReadFile("kopie.dat"), "\x01\x02\x03");
    EXPECT_THROW(stream.SaveToFile(folder.Dir() + "chybi\\kopie.dat"), EFCreateError);
}

}  // namespace

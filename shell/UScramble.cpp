#include "shell/UScramble.h"

#include "platform/core/files.h"

void ScrambleStream(TStream& Stream) {
    Stream.SetPosition(0);
    while (Stream.GetPosition() < Stream.GetSize()) {
        Byte b = 0;
        Stream.ReadBuffer(&b, 1);
        Stream.Seek(-1, TSeekOrigin::soCurrent);
        b ^= ScrambleKey;
        Stream.WriteBuffer(&b, 1);
    }
    Stream.SetPosition(0);
}

void LoadScrambledText(const String& FileName, TStrings& Lines) {
    TMemoryStream stream;
    stream.LoadFromFile(FileName, file_limit::kText);
    ScrambleStream(stream);
    Lines.LoadFromStream(stream);
}

String SectionKey(const String& Code) { return "[" + Code + "]"; }

int FindSection(const TStrings& Lines, const String& Code) {
    const String key = SectionKey(Code);
    if (Lines.GetText().find(key) == String::npos) return -1;
    return Lines.IndexOf(key);
}

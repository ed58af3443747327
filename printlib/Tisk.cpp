// The print library "Tisk": one export, Profese, that prints a profession's
// sheet. The host loads the library for each print and unloads it again.
//
// Calling convention: Profese is an extern "C" function with the platform's
// C calling convention (on Linux x86-64 the System V ABI that every C
// function has; there is no other to choose from), declared the same in the
// host. Its one argument is a pointer to the host's short string (the short
// string passed by reference); the library copies it and never writes to
// it. Failures leave the export as C++ exceptions of the platform library's
// types (the host and the library share that library and the C++ run time),
// which the host's exception handler receives.
#include "platform/core/strings.h"
#include "platform/ui/controls.h"
#include "printlib/UProfese.h"
#include "shell/UDataRoots.h"

namespace {

// The library's own owner of its forms, made when the library is loaded and
// freed, with whatever it still owns, when it is unloaded. The data roots
// live as long.
class TLibraryOwner : public TComponent {
public:
    TLibraryOwner() : TComponent(nullptr) { InitPaths(); }
    ~TLibraryOwner() override { DonePaths(); }
};

TLibraryOwner& LibraryOwner() {
    static TLibraryOwner owner;
    return owner;
}

// Made at load time, not at the first call, so that the roots are set as
// soon as the library is in. The library's objects are initialised in link
// order and this unit is linked last, so the roots' strings exist by then.
[[maybe_unused]] const bool loaded = (LibraryOwner(), true);

}  // namespace

extern "C" __attribute__((visibility("default"))) void Profese(const ShortString* Code) {
    const String code = Cp1250ToUtf8(std::string_view(Code->Chars, Code->Length));
    PrintProfession(code, &LibraryOwner());
}

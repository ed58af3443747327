// Stand-ins for the print library in the detail page's tests. Each tells the
// notice log that it was loaded, called (with the code it was given) and
// unloaded; DETAIL_TESTLIB_THROWS makes the call fail, DETAIL_TESTLIB_NO_EXPORT
// leaves the export out.
#include <stdexcept>
#include <string>

#include "platform/backend/backend.h"
#include "platform/core/types.h"

__attribute__((constructor)) static void Loaded() { backend::Current().Notice("test print library loaded"); }
__attribute__((destructor)) static void Unloaded() { backend::Current().Notice("test print library unloaded"); }

#ifndef DETAIL_TESTLIB_NO_EXPORT
extern "C" __attribute__((visibility("default"))) void Profese(const ShortString* Code) {
    backend::Current().Notice("test print library Profese " + std::string(Code->Chars, Code->Length));
#ifdef DETAIL_TESTLIB_THROWS
    throw std::runtime_error("the test library's print failed");
#endif
}
#endif

#include "platform/default_backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/backend/headless/headless.h"
#include "platform/backend/sdl/sdl_backend.h"

namespace backend {

namespace {

// The program run by hand on the headless backend: no input will ever come,
// so once it waits with nothing left to happen it is closed as its window
// would be (else it would wait for ever). VELAMO_NOTICE_LOG=FILE appends the
// notices there, a line each with the virtual time in ms, to follow the run.
std::unique_ptr<Backend> StandaloneHeadless() {
    auto b = std::make_unique<headless::HeadlessBackend>();
    headless::HeadlessBackend* self = b.get();
    self->SetIdleHandler([self] {
        self->Notice("headless: nothing more to happen, closing");
        Event quit{};
        quit.kind = EventKind::Quit;
        self->Schedule(self->Elapsed(), quit);
    });
    const char* log = std::getenv("VELAMO_NOTICE_LOG");
    if (log && *log) {
        std::shared_ptr<std::FILE> file(std::fopen(log, "a"), [](std::FILE* f) {
            if (f) std::fclose(f);
        });
        if (file) {
            self->SetNoticeObserver([file](const headless::TimedNotice& n) {
                std::fprintf(file.get(), "%llu %s\n", static_cast<unsigned long long>(n.at), n.text.c_str());
                std::fflush(file.get());
            });
        }
    }
    return b;
}

}  // namespace

void InstallDefault() {
    const char* choice = std::getenv("VELAMO_BACKEND");
    if (choice && std::strcmp(choice, "headless") == 0) Install(StandaloneHeadless());
    else Install(CreateSdlBackend());
}

}  // namespace backend

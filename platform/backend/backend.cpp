#include "platform/backend/backend.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/backend/headless/headless.h"
#include "platform/backend/sdl/sdl_backend.h"

namespace backend {

namespace {
std::unique_ptr<Backend>& Slot() {
    static std::unique_ptr<Backend> slot;
    return slot;
}
}  // namespace

std::uint32_t SoundBuffer::DurationMs() const {
    return std::uint32_t((samples.size() / 2) * 1000 / 44100);
}

Backend& Current() {
    if (!Slot()) throw std::logic_error("no backend installed");
    return *Slot();
}

void Install(std::unique_ptr<Backend> b) { Slot() = std::move(b); }

bool Installed() { return Slot() != nullptr; }

void InstallDefault() {
    const char* choice = std::getenv("VELAMO_BACKEND");
    if (choice && std::strcmp(choice, "headless") == 0) Install(std::make_unique<headless::HeadlessBackend>());
    else Install(CreateSdlBackend());
}

}  // namespace backend

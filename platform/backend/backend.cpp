#include "platform/backend/backend.h"

#include <stdexcept>

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

}  // namespace backend

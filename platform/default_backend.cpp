#include "platform/default_backend.h"

#include <cstdlib>
#include <cstring>

#include "platform/backend/headless/headless.h"
#include "platform/backend/sdl/sdl_backend.h"

namespace backend {

void InstallDefault() {
    const char* choice = std::getenv("VELAMO_BACKEND");
    if (choice && std::strcmp(choice, "headless") == 0) Install(std::make_unique<headless::HeadlessBackend>());
    else Install(CreateSdlBackend());
}

}  // namespace backend

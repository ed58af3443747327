// The real display, input, clock and sound, over SDL2.
#pragma once

#include <memory>

#include "platform/backend/backend.h"

namespace backend { std::unique_ptr<Backend> CreateSdlBackend(); }

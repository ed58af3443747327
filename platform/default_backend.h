// The backend the program starts on: the one choice that knows both
// backends, so it stands above them.
#pragma once

namespace backend {

// Installs the headless backend when VELAMO_BACKEND=headless, else SDL.
void InstallDefault();

}  // namespace backend

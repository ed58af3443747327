// The program file of Velamo: the backend, the application object, then the
// main block.
#include <cstdio>

#include "platform/backend/backend.h"
#include "shell/Velamo.h"

int main() {
    try {
        backend::InstallDefault();
        TApplication app;
        return VelamoMain();
    } catch (std::exception& e) {
        std::fprintf(stderr, "Velamo: %s\n", e.what());
        return 1;
    }
}

// The program file of Velamo.
#include <cstdio>
#include <exception>

#include "platform/sys/termination.h"
#include "shell/Velamo.h"

int main() {
    int exitCode = 1;
    try {
        exitCode = RunVelamo();
    } catch (std::exception& e) {
        std::fprintf(stderr, "Velamo: %s\n", e.what());
    }
    // Ended by a kill: cleaned up, now obeyed.
    sys::EndByTerminationSignal();
    return exitCode;
}

// velamo-datagen FOLDER: writes the placeholder data tree into FOLDER.
#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

#include "tools/datagen/Generate.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        TSpeech speech;
        RequestShellSpeech(speech);
        RequestGameSpeech(speech);
        RequestSimulationSpeech(speech);
        speech.Run(int(std::max(2u, std::thread::hardware_concurrency())));
        TDataTree tree(argv[1]);
        WriteShellFiles(tree, speech);
        WriteGameFiles(tree, speech);
        WriteSimulationFiles(tree, speech);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%d files, %.1f MB, %.1f s%s\n", tree.FilesWritten(), double(tree.BytesWritten()) / 1e6, seconds,
                    speech.Available() ? "" : " (no speech synthesiser: tones instead)");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velamo-datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}

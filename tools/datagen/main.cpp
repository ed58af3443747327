// velamo-datagen --output FOLDER: writes the placeholder data tree into FOLDER.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <thread>

#include "tools/datagen/Generate.h"

namespace {

const char* const kUsage =
    "usage: velamo-datagen --output FOLDER\n"
    "Writes the placeholder data tree (pictures, sounds, animations, cursors and\n"
    "text files) into FOLDER, creating it when missing.\n"
    "\n"
    "  -o, --output FOLDER   the folder to write into\n"
    "  -h, --help            show this help and exit\n";

struct CommandLine {
    enum class Outcome { Generate, Help, Refused };
    Outcome outcome = Outcome::Refused;
    std::string output;
    std::string why;  // for a refusal
};

CommandLine Parse(int argc, char** argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            line.outcome = CommandLine::Outcome::Help;
            return line;
        }
        if (arg == "-o" || arg == "--output") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                line.why = arg + " needs a folder";
                return line;
            }
            line.output = argv[++i];
        } else if (arg.rfind("--output=", 0) == 0 && arg.size() > std::strlen("--output=")) {
            line.output = arg.substr(std::strlen("--output="));
        } else if (!arg.empty() && arg[0] == '-') {
            line.why = "unknown option " + arg;
            return line;
        } else {
            line.why = "unexpected argument " + arg;
            return line;
        }
    }
    if (line.output.empty()) {
        line.why = "no output folder";
        return line;
    }
    line.outcome = CommandLine::Outcome::Generate;
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = Parse(argc, argv);
    if (line.outcome == CommandLine::Outcome::Help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (line.outcome == CommandLine::Outcome::Refused) {
        std::fprintf(stderr, "velamo-datagen: %s\n%s", line.why.c_str(), kUsage);
        return 2;
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        TSpeech speech;
        RequestShellSpeech(speech);
        RequestGameSpeech(speech);
        RequestSimulationSpeech(speech);
        speech.Run(int(std::max(2u, std::thread::hardware_concurrency())));
        TDataTree tree(line.output);
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

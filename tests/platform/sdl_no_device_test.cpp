// The SDL backend on a machine without a display or without a sound card:
// it says so in one line on standard error instead of running unseen, or
// of the sound library's own messages.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "platform/backend/backend.h"
#include "platform/backend/sdl/sdl_backend.h"
#include "platform/backend/sdl/sdl_probe.h"
#include "platform/core/exceptions.h"
#include "platform/media/sound_channel.h"

namespace {

struct ChildRun {
    int status = -1;
    std::string errors;  // what it wrote on standard error
};

// Runs `body` in a child process whose standard error is read back; the
// child's exit status is `body`'s result.
ChildRun InChild(const std::function<int()>& body) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        dup2(pipeEnds[1], STDERR_FILENO);
        _exit(body());
    }
    close(pipeEnds[1]);
    ChildRun run;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) run.errors.append(buffer, std::size_t(n));
    close(pipeEnds[0]);
    waitpid(pid, &run.status, 0);
    return run;
}

int Lines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

// No display at all: no X, no Wayland, nothing named in SDL_VIDEODRIVER.
// SDL would choose its offscreen driver then, and the program would run
// where nobody sees it.
TEST(SdlWithoutDisplay, StartingFailsWithOneLineNamingTheMissingDisplay) {
    const ChildRun run = InChild([] {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        try {
            backend::Install(backend::CreateSdlBackend());
        } catch (const Exception& e) {
            // The one line the program prints for it.
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        return 0;
    });
    ASSERT_TRUE(WIFEXITED(run.status));
    EXPECT_EQ(WEXITSTATUS(run.status), 1) << "a backend started without a display";
    EXPECT_EQ(Lines(run.errors), 1) << run.errors;
    EXPECT_NE(run.errors.find("needs a graphical display"), std::string::npos) << run.errors;
}

// No sound card, as the sound library finds it: the card it is told to use
// does not exist.
TEST(SdlWithoutSoundCard, OneLineSaysSoundIsOffAndSoundsStillLastTheirLength) {
    const ChildRun run = InChild([] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "alsa", 1);
        setenv("ALSA_CARD", "VelamoNoSuchCard", 1);
        setenv("ALSA_PCM_CARD", "VelamoNoSuchCard", 1);
        backend::Install(backend::CreateSdlBackend());
        if (!backend::sdl::AudioDriverName(backend::Current()).empty()) return 2;
        // 0.3 s of silence at 44100 Hz, stereo.
        auto sound = std::make_shared<backend::SoundBuffer>();
        sound->samples.assign(2 * 13230, 0);
        media::SoundChannel& channel = media::EffectsChannel();
        channel.Start(sound, false, "");
        const bool playingAtStart = channel.Playing();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const bool playingAfter100 = channel.Playing();
        std::this_thread::sleep_for(std::chrono::milliseconds(350));
        const bool playingAfter450 = channel.Playing();
        backend::Install(nullptr);
        return playingAtStart && playingAfter100 && !playingAfter450 ? 0 : 3;
    });
    ASSERT_TRUE(WIFEXITED(run.status));
    EXPECT_NE(WEXITSTATUS(run.status), 2) << "a sound device opened on a card that does not exist";
    EXPECT_NE(WEXITSTATUS(run.status), 3) << "the sound's length was not followed without a device";
    EXPECT_EQ(WEXITSTATUS(run.status), 0);
    EXPECT_EQ(Lines(run.errors), 1) << run.errors;
    EXPECT_NE(run.errors.find("sound is off"), std::string::npos) << run.errors;
}

}  // namespace

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <vector>

#include "platform/backend/sdl/sdl_channels.h"

using backend::SoundBuffer;
using backend::sdl::ChannelMixer;

namespace {

// A stereo sound whose left and right samples are given frame by frame.
std::shared_ptr<const SoundBuffer> Sound(std::vector<std::int16_t> interleaved) {
    auto s = std::make_shared<SoundBuffer>();
    s->samples = std::move(interleaved);
    return s;
}

std::vector<std::int16_t> Mixed(ChannelMixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> out(frames * 2, 12345);  // garbage that must be overwritten
    mixer.Mix(out.data(), frames);
    return out;
}

using Samples = std::vector<std::int16_t>;

}  // namespace

TEST(SdlChannels, OneSoundPlaysOnceThenSilence) {
    ChannelMixer mixer;
    mixer.Play(0, Sound({1, -1, 2, -2, 3, -3}), false);
    EXPECT_EQ(Mixed(mixer, 5), (Samples{1, -1, 2, -2, 3, -3, 0, 0, 0, 0}));
    EXPECT_FALSE(mixer.Playing(0));
    EXPECT_EQ(Mixed(mixer, 2), (Samples{0, 0, 0, 0}));
}

TEST(SdlChannels, PositionCarriesAcrossBuffers) {
    ChannelMixer mixer;
    mixer.Play(1, Sound({1, 1, 2, 2, 3, 3, 4, 4}), false);
    EXPECT_EQ(Mixed(mixer, 3), (Samples{1, 1, 2, 2, 3, 3}));
    EXPECT_TRUE(mixer.Playing(1));
    EXPECT_EQ(Mixed(mixer, 2), (Samples{4, 4, 0, 0}));
}

TEST(SdlChannels, LoopWrapsWithinAndAcrossBuffers) {
    ChannelMixer mixer;
    mixer.Play(0, Sound({1, 1, 2, 2}), true);
    EXPECT_EQ(Mixed(mixer, 5), (Samples{1, 1, 2, 2, 1, 1, 2, 2, 1, 1}));
    EXPECT_EQ(Mixed(mixer, 2), (Samples{2, 2, 1, 1}));
    EXPECT_TRUE(mixer.Playing(0));
}

TEST(SdlChannels, EmptyOrMissingSoundsAreSilent) {
    ChannelMixer mixer;
    mixer.Play(0, Sound({}), true);  // an empty loop must not hang the callback
    mixer.Play(1, nullptr, true);
    EXPECT_EQ(Mixed(mixer, 2), (Samples{0, 0, 0, 0}));
    EXPECT_FALSE(mixer.Playing(0));
    EXPECT_FALSE(mixer.Playing(1));
}

TEST(SdlChannels, ChannelsAddAndClipTo16Bits) {
    ChannelMixer mixer;
    mixer.Play(0, Sound({30000, -30000, 100, -100, 32767, -32768}), false);
    mixer.Play(1, Sound({10000, -10000, 23, 200, 1, -1}), false);
    EXPECT_EQ(Mixed(mixer, 3), (Samples{32767, -32768, 123, 100, 32767, -32768}));
}

TEST(SdlChannels, PlayReplacesAndStopSilencesOnlyItsChannel) {
    ChannelMixer mixer;
    auto first = Sound({5, 5, 6, 6, 7, 7});
    mixer.Play(0, first, false);
    mixer.Play(1, Sound({100, 100, 100, 100, 100, 100, 100, 100}), true);
    EXPECT_EQ(Mixed(mixer, 1), (Samples{105, 105}));

    // The replaced sound comes back to the caller; the new one starts at its beginning.
    EXPECT_EQ(mixer.Play(0, Sound({1, 1, 2, 2}), false), first);
    EXPECT_EQ(Mixed(mixer, 2), (Samples{101, 101, 102, 102}));

    EXPECT_NE(mixer.Stop(1), nullptr);
    EXPECT_FALSE(mixer.Playing(1));
    mixer.Play(0, Sound({9, 9}), false);
    EXPECT_EQ(Mixed(mixer, 2), (Samples{9, 9, 0, 0}));
}

TEST(SdlChannels, ChannelsOutsideTheTwoAreIgnored) {
    ChannelMixer mixer;
    auto s = Sound({7, 7});
    EXPECT_EQ(mixer.Play(2, s, false), s);
    EXPECT_EQ(mixer.Play(-1, s, true), s);
    EXPECT_FALSE(mixer.Playing(2));
    EXPECT_EQ(Mixed(mixer, 1), (Samples{0, 0}));
}

TEST(SdlChannels, FirstMixOfEachNewSoundIsStamped) {
    ChannelMixer mixer;
    EXPECT_EQ(mixer.FirstMixedNs(), 0);
    Mixed(mixer, 4);
    EXPECT_EQ(mixer.FirstMixedNs(), 0) << "silence is not a sound reaching the device";

    mixer.Play(0, Sound(Samples(64, 1)), false);
    EXPECT_EQ(mixer.FirstMixedNs(), 0) << "stamped when mixed, not when started";
    Mixed(mixer, 4);
    const std::int64_t first = mixer.FirstMixedNs();
    EXPECT_GT(first, 0);
    Mixed(mixer, 4);
    EXPECT_EQ(mixer.FirstMixedNs(), first) << "the same sound going on is not new";

    mixer.Play(1, Sound(Samples(64, 1)), false);
    Mixed(mixer, 4);
    EXPECT_GE(mixer.FirstMixedNs(), first);
    EXPECT_NE(mixer.FirstMixedNs(), first);
}

// The audio thread's wait while nothing plays: Mix called from another
// thread, as the device's callback is.
namespace {
using namespace std::chrono_literals;

std::int64_t SteadyNs(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

std::future<Samples> MixOnAnotherThread(ChannelMixer& mixer, std::size_t frames) {
    return std::async(std::launch::async, [&mixer, frames] { return Mixed(mixer, frames); });
}
}  // namespace

TEST(SdlChannels, SilentMixWaitsForTheNextSoundOnceWaitingIsOn) {
    ChannelMixer mixer;
    mixer.WaitWhileSilent(0);
    std::future<Samples> mixed = MixOnAnotherThread(mixer, 3);
    EXPECT_EQ(mixed.wait_for(100ms), std::future_status::timeout) << "nothing plays: no buffer of silence";
    mixer.Play(1, Sound({4, 4, 5, 5}), false);
    ASSERT_EQ(mixed.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(mixed.get(), (Samples{4, 4, 5, 5, 0, 0}));
}

TEST(SdlChannels, MixGoesOnWithoutWaitingWhileASoundPlaysOrBeforeTheStart) {
    struct Case {
        const char* name;
        bool looped;
        std::int64_t waitFromNs;  // steady-clock time waiting starts
    };
    const std::int64_t later = SteadyNs(std::chrono::steady_clock::now() + 1h);
    for (const Case& c : {Case{"a loop at its end wraps on", true, 0}, Case{"before the start, silence", false, later}}) {
        SCOPED_TRACE(c.name);
        ChannelMixer mixer;
        mixer.WaitWhileSilent(c.waitFromNs);
        if (c.looped) {
            mixer.Play(0, Sound({1, 1, 2, 2}), true);
            Mixed(mixer, 2);  // exactly to the loop's end
        }
        std::future<Samples> mixed = MixOnAnotherThread(mixer, 2);
        ASSERT_EQ(mixed.wait_for(5s), std::future_status::ready);
        EXPECT_EQ(mixed.get(), c.looped ? (Samples{1, 1, 2, 2}) : (Samples{0, 0, 0, 0}));
    }
}

TEST(SdlChannels, ReleaseEndsTheWaitAndEveryLaterOne) {
    ChannelMixer mixer;
    mixer.WaitWhileSilent(0);
    std::future<Samples> mixed = MixOnAnotherThread(mixer, 2);
    EXPECT_EQ(mixed.wait_for(50ms), std::future_status::timeout);
    mixer.Release();
    ASSERT_EQ(mixed.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(mixed.get(), (Samples{0, 0, 0, 0}));
    std::future<Samples> again = MixOnAnotherThread(mixer, 1);
    ASSERT_EQ(again.wait_for(5s), std::future_status::ready) << "a closing device is never kept waiting";
}

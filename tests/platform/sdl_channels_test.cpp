#include <gtest/gtest.h>

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

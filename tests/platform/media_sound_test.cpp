#include <gtest/gtest.h>

#include <filesystem>

#include "platform/backend/headless/headless.h"
#include "platform/core/exceptions.h"
#include "platform/media/mediaplayer.h"
#include "platform/media/sound.h"
#include "platform/media/sound_file.h"
#include "tests/platform/media_test_support.h"

using namespace media_test;

namespace {

struct WavCase {
    const char* name;
    unsigned format, bits, channels;
    std::uint32_t rate, frames, expectedMs;
};

TEST(MediaWav, DecodesEveryVariantToDeviceFormatWithItsDuration) {
    const WavCase cases[] = {
        {"pcm8 mono 11025", kWavPcm, 8, 1, 11025, 11025, 1000},
        {"pcm8 stereo 22050", kWavPcm, 8, 2, 22050, 11025, 500},
        {"pcm16 mono 11025", kWavPcm, 16, 1, 11025, 5513, 500},
        {"pcm16 stereo 22050", kWavPcm, 16, 2, 22050, 44100, 2000},
        {"pcm16 stereo 44100", kWavPcm, 16, 2, 44100, 4410, 100},
        {"a-law mono 8000", kWavALaw, 8, 1, 8000, 8000, 1000},
        {"u-law stereo 11025", kWavMuLaw, 8, 2, 11025, 2756, 250},
        {"pcm8 mono at the lowest rate", kWavPcm, 8, 1, 1000, 500, 500},
        {"pcm16 stereo at the highest rate", kWavPcm, 16, 2, 192000, 19200, 100},
    };
    for (const WavCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto bytes = MakeWav(c.format, c.bits, c.channels, c.rate, c.frames);
        media::SoundPtr sound = media::DecodeWav(bytes.data(), bytes.size());
        ASSERT_TRUE(sound);
        EXPECT_NEAR(double(sound->DurationMs()), double(c.expectedMs), 2.0);
        EXPECT_EQ(sound->samples.size() % 2, 0u);
        int loudest = 0;
        for (auto s : sound->samples) loudest = std::max(loudest, std::abs(int(s)));
        EXPECT_GT(loudest, 1000) << "the square wave must survive the conversion";
    }
}

TEST(MediaWav, DecodesAdpcmBlockByBlock) {
    // 22 blocks at 11025 Hz: 11000 samples (MS) or 11110 (IMA).
    for (auto [format, ms] : {std::pair{kWavMsAdpcm, 997.7}, std::pair{kWavImaAdpcm, 1007.7}}) {
        SCOPED_TRACE(format);
        const auto bytes = MakeAdpcmWav(format, 11025, 22);
        media::SoundPtr sound = media::DecodeWav(bytes.data(), bytes.size());
        ASSERT_TRUE(sound);
        EXPECT_NEAR(double(sound->DurationMs()), ms, 2.0);
    }
}

TEST(MediaWav, RejectsWhatIsNoSound) {
    auto good = MakeWavMs(100);
    std::vector<std::uint8_t> truncatedHeader(good.begin(), good.begin() + 20);
    std::vector<std::uint8_t> notRiff = good;
    notRiff[0] = 'X';
    std::vector<std::uint8_t> badFormat = good;
    badFormat[20] = 0x55;  // an encoding nobody decodes here
    badFormat[21] = 0x55;
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"empty", {}}, {"truncated header", truncatedHeader}, {"not RIFF", notRiff}, {"unknown encoding", badFormat}};
    for (auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(media::DecodeWav(bytes.data(), bytes.size()));
    }
}

std::vector<std::uint8_t> Patched32(std::vector<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    return b;
}

std::vector<std::uint8_t> Joined(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::uint8_t> Chunk(const char* id, std::uint32_t claimed, std::size_t present) {
    std::vector<std::uint8_t> c;
    PutFourCC(c, id);
    Put32(c, claimed);
    c.resize(8 + present, 0);
    return c;
}

// Damaged and hostile files are refused before a decoder allocates what
// their headers claim: a-law at 1 Hz asked for about 1 GB of device samples,
// and the 68-byte file (a header hidden at offset 16 behind a "WAVE" start)
// for a 4 GB data chunk.
TEST(MediaWav, RefusesDamagedStructureAndImpossibleFormats) {
    const auto good = MakeWavMs(100);  // 44-byte header, data from 36
    auto withRiffSize = [&](std::uint32_t size) { return Patched32(good, 4, size); };
    auto hiddenHeader = [] {
        std::vector<std::uint8_t> f;
        PutFourCC(f, "WAVE");
        PutFourCC(f, "JUNK");
        Put32(f, 16);
        Put32(f, 0);
        auto real = Patched32(MakeWav(kWavPcm, 8, 1, 8000, 8), 40, 0xFFFFFFF0);
        return Joined(f, real);
    }();
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 100);
    std::vector<std::uint8_t> dataFirst = Patched32(good, 12, 0x61746164);  // "data"
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"a-law at 1 Hz", MakeWav(kWavALaw, 8, 1, 1, 980)},
        {"rate below 1000", MakeWav(kWavPcm, 8, 1, 999, 500)},
        {"rate above 192000", MakeWav(kWavPcm, 8, 1, 192001, 500)},
        {"no channels", MakeWav(kWavPcm, 8, 0, 11025, 500)},
        {"three channels", MakeWav(kWavPcm, 8, 3, 11025, 500)},
        {"header at offset 16", hiddenHeader},
        {"data chunk past the file", cut},
        {"RIFF size past the file", withRiffSize(std::uint32_t(good.size()) + 2)},
        {"data before the format", dataFirst},
        {"chunk after the data past the file", Joined(withRiffSize(0x7FFFFFFF), Chunk("LIST", 0x7FFFFFF0, 4))},
        {"over 64 MB on the device", MakeWav(kWavPcm, 8, 1, 1000, 400000)},
    };
    EXPECT_EQ(hiddenHeader.size(), 68u);
    for (auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(media::DecodeWav(bytes.data(), bytes.size()));
    }
}

TEST(MediaWav, ToleratesAMissingLastPadByteAndBytesPastTheRiffExtent) {
    // An odd data chunk whose RIFF size counts the pad byte that is missing.
    auto odd = MakeWav(kWavPcm, 8, 1, 11025, 1103);
    odd = Patched32(odd, 4, std::uint32_t(odd.size() - 8));
    odd.pop_back();
    const auto trailing = Joined(Joined(MakeWavMs(100), Chunk("LIST", 4, 4)), {1, 2, 3});
    for (const auto& bytes : {odd, trailing}) {
        media::SoundPtr sound = media::DecodeWav(bytes.data(), bytes.size());
        ASSERT_TRUE(sound);
        EXPECT_NEAR(double(sound->DurationMs()), 100.0, 2.0);
    }
}

class MediaSound : public ::testing::Test {
protected:
    void SetUp() override {
        if (backend::Installed()) sndPlaySoundA(nullptr, 3);  // left over when the suite runs in one process
        fake = &InstallFakeBackend();
        WriteFile(dir.File("long.wav"), MakeWavMs(2000));
        WriteFile(dir.File("short.wav"), MakeWavMs(300));
        longWav = dir.File("long.wav");
        shortWav = dir.File("short.wav");
    }
    FakeBackend* fake = nullptr;
    TempDir dir;
    std::string longWav, shortWav;
};

// A second call while (or after) a first sound plays.
struct SecondCallCase {
    const char* name;
    UINT firstFlags;
    std::uint32_t after;       // ms after the first start
    bool secondIsNil;
    UINT secondFlags;
    BOOL expectedResult;
    std::size_t expectedPlays;
    const char* expectedNotice;  // a notice the second call must give
    bool stopsTheDevice;
    bool firstStillPlays;
};

TEST_F(MediaSound, SecondCallFollowsTheFlagRules) {
    const SecondCallCase cases[] = {
        {"async cuts what plays", 3, 500, false, 3, 1, 2, "sound stop ch0 flags=3", true, false},
        {"no-stop is dropped while a sound plays", 3, 500, false, 0x13, 0, 1, "sound drop ch0 flags=19", false, true},
        {"no-stop is dropped while a loop plays", 11, 60000, false, 0x13, 0, 1, "sound drop ch0 flags=19", false, true},
        {"no-stop plays once the first has ended", 3, 2500, false, 0x13, 1, 2, "sound end ch0 flags=3", false, false},
        {"nil with 3 stops", 3, 500, true, 3, 1, 1, "sound stop ch0 flags=3", true, false},
        {"nil with 0 stops a loop", 11, 9000, true, 0, 1, 1, "sound stop ch0 flags=11", true, false},
    };
    for (const SecondCallCase& c : cases) {
        SCOPED_TRACE(c.name);
        sndPlaySoundA(nullptr, 3);  // what the previous case left playing
        fake = &InstallFakeBackend();
        ASSERT_EQ(sndPlaySoundA(longWav.c_str(), c.firstFlags), 1);
        fake->now += c.after;
        BOOL result = c.secondIsNil ? sndPlaySoundA(nullptr, c.secondFlags) : sndPlaySoundA(shortWav.c_str(), c.secondFlags);
        EXPECT_EQ(result, c.expectedResult);
        EXPECT_EQ(fake->plays.size(), c.expectedPlays);
        EXPECT_FALSE(fake->NoticesStarting(c.expectedNotice).empty());
        EXPECT_EQ(fake->stops.size(), c.stopsTheDevice ? 1u : 0u);
        if (c.firstStillPlays) {
            EXPECT_TRUE(SoundIsPlaying());
        }
        EXPECT_TRUE(fake->sleeps.empty()) << "an asynchronous call never waits";
    }
}

TEST_F(MediaSound, NoticesGiveChannelFlagsFileLengthAndTheEndsOwnTick) {
    sndPlaySoundA(shortWav.c_str(), 3);
    fake->now += 5000;  // the platform looks long after the end
    EXPECT_FALSE(SoundIsPlaying());
    ASSERT_EQ(fake->notices.size(), 2u);
    EXPECT_EQ(fake->notices[0], "sound start ch0 flags=3 file=" + shortWav + " ms=300");
    EXPECT_EQ(fake->notices[1], "sound end ch0 flags=3 file=" + shortWav + " tick=1300");
}

TEST_F(MediaSound, SynchronousSoundHoldsTheCallerForItsLengthAndProcessesNothing) {
    for (UINT flags : {0u, 2u}) {
        SCOPED_TRACE(flags);
        fake = &InstallFakeBackend();
        std::uint32_t start = fake->now;
        EXPECT_EQ(sndPlaySoundA(shortWav.c_str(), flags), 1);
        EXPECT_EQ(fake->now - start, 300u);
        EXPECT_EQ(fake->sleeps, std::vector<std::uint32_t>{300});
        EXPECT_EQ(fake->polls, 0);
        EXPECT_FALSE(SoundIsPlaying());
        ASSERT_EQ(fake->notices.size(), 2u);
        EXPECT_EQ(fake->notices[1], "sound end ch0 flags=" + std::to_string(flags) + " file=" + shortWav +
                                        " tick=" + std::to_string(start + 300));
    }
}

TEST_F(MediaSound, LoopPlaysUntilStoppedOrReplaced) {
    ASSERT_EQ(sndPlaySoundA(shortWav.c_str(), 11), 1);
    ASSERT_EQ(fake->plays.size(), 1u);
    EXPECT_TRUE(fake->plays[0].loop);
    fake->now += 100000;
    EXPECT_TRUE(SoundIsPlaying());
    sndPlaySoundA(longWav.c_str(), 3);  // replaced
    ASSERT_EQ(fake->plays.size(), 2u);
    EXPECT_FALSE(fake->plays[1].loop);
    EXPECT_EQ(fake->stops.size(), 1u);
    EXPECT_TRUE(fake->NoticesStarting("sound end").empty()) << "a loop never ends by itself";
}

struct MissingCase {
    UINT flags;
    BOOL expectedResult;
    bool defaultPlays;
    bool waits;
};

TEST_F(MediaSound, MissingFileIsSilentOnlyWithNoDefault) {
    const MissingCase cases[] = {
        {3, 0, false, false}, {0x13, 0, false, false}, {2, 0, false, false}, {0, 1, true, true}, {1, 1, true, false}};
    std::string missing = dir.File("nothing.wav");
    for (const MissingCase& c : cases) {
        SCOPED_TRACE(c.flags);
        fake = &InstallFakeBackend();
        EXPECT_EQ(sndPlaySoundA(missing.c_str(), c.flags), c.expectedResult);
        EXPECT_EQ(fake->plays.size(), c.defaultPlays ? 1u : 0u);
        EXPECT_EQ(!fake->sleeps.empty(), c.waits);
        EXPECT_FALSE(fake->NoticesStarting("sound missing ch0 flags=" + std::to_string(c.flags)).empty());
        if (c.defaultPlays) {
            std::string start = "sound start ch0 flags=" + std::to_string(c.flags) + " file=(default)";
            EXPECT_FALSE(fake->NoticesStarting(start).empty());
        }
    }
}

TEST_F(MediaSound, MissingFileWithNoDefaultStillCutsWhatPlays) {
    sndPlaySoundA(longWav.c_str(), 3);
    EXPECT_EQ(sndPlaySoundA(dir.File("nothing.wav").c_str(), 3), 0);
    EXPECT_FALSE(SoundIsPlaying());
    EXPECT_EQ(fake->stops.size(), 1u);
}

TEST_F(MediaSound, FileIsDecodedAtStartAndDecodedAgainWhenItChanges) {
    sndPlaySoundA(longWav.c_str(), 3);
    std::filesystem::remove(longWav);  // the caller deletes the copy while it plays
    EXPECT_TRUE(SoundIsPlaying());
    WriteFile(longWav, MakeWavMs(700));
    std::filesystem::last_write_time(longWav, std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
    sndPlaySoundA(longWav.c_str(), 3);
    ASSERT_EQ(fake->plays.size(), 2u);
    EXPECT_EQ(fake->plays[1].ms, 700u);
}

TEST(MediaSoundHeadless, LengthsAndEndsAcrossTheClockWrap) {
    TempDir dir;
    WriteFile(dir.File("a.wav"), MakeWavMs(300));
    auto owned = std::make_unique<headless::HeadlessBackend>(0xFFFFFF00u);
    headless::HeadlessBackend& device = *owned;
    backend::Install(std::move(owned));
    std::string file = dir.File("a.wav");

    sndPlaySoundA(file.c_str(), 3);
    device.Sleep(290);  // the clock has wrapped; 10 ms are left
    EXPECT_TRUE(SoundIsPlaying());
    device.Sleep(10);
    EXPECT_FALSE(SoundIsPlaying());

    std::uint32_t before = device.Ticks();
    EXPECT_EQ(sndPlaySoundA(file.c_str(), 0), 1);
    EXPECT_EQ(std::uint32_t(device.Ticks() - before), 300u);

    std::vector<String> texts;
    for (const auto& n : device.Notices()) texts.push_back(n.text);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1], "sound end ch0 flags=3 file=" + file + " tick=44");  // 0xFFFFFF00 + 300, wrapped
    EXPECT_EQ(device.Sounds().size(), 2u);
    EXPECT_EQ(device.Sounds()[0].durationMs, 300u);
}

TEST_F(MediaSound, MediaPlayerPlaysOnItsOwnChannelBesideTheSound) {
    TMediaPlayer player;
    EXPECT_EQ(player.Mode(), mpNotReady);
    sndPlaySoundA(longWav.c_str(), 3);
    player.FileName = shortWav;
    player.Open();
    EXPECT_EQ(player.Mode(), mpStopped);
    player.Play();
    EXPECT_EQ(player.Mode(), mpPlaying);
    ASSERT_EQ(fake->plays.size(), 2u);
    EXPECT_EQ(fake->plays[1].channel, 1);
    EXPECT_TRUE(fake->stops.empty()) << "help does not cut the sound";
    EXPECT_TRUE(fake->sleeps.empty()) << "Play returns at once";

    EXPECT_EQ(sndPlaySoundA(shortWav.c_str(), 0x13), 0) << "channel 0 still plays";
    sndPlaySoundA(nullptr, 3);
    EXPECT_EQ(player.Mode(), mpPlaying) << "stopping the sound leaves the help";
    EXPECT_EQ(sndPlaySoundA(shortWav.c_str(), 0x13), 1) << "help alone does not block a no-stop sound";

    fake->now += 301;
    EXPECT_EQ(player.Mode(), mpStopped);
    EXPECT_FALSE(fake->NoticesStarting("help end ch1 file=" + shortWav).empty());
    EXPECT_FALSE(fake->NoticesStarting("help start ch1 file=" + shortWav + " ms=300").empty());
}

TEST_F(MediaSound, MediaPlayerStopKeepsThePositionAndOpenClosesTheOldDevice) {
    TMediaPlayer player;
    player.FileName = longWav;
    player.Open();
    player.Play();
    fake->now += 500;
    player.Stop();
    EXPECT_EQ(player.Mode(), mpStopped);
    EXPECT_EQ(fake->stops, (std::vector<std::pair<int, std::uint32_t>>{{1, fake->now}}));
    player.Play();
    ASSERT_EQ(fake->plays.size(), 2u);
    EXPECT_NEAR(double(fake->plays[1].ms), 1500.0, 1.0);

    player.FileName = shortWav;
    player.Open();  // closes the playing device first
    EXPECT_EQ(fake->stops.size(), 2u);
    EXPECT_EQ(player.Mode(), mpStopped);
    EXPECT_EQ(fake->NoticesStarting("help stop ch1").size(), 2u);
}

TEST_F(MediaSound, MediaPlayerIsAComponentOfItsForm) {
    auto* form = new TComponent(nullptr);
    auto* player = new TMediaPlayer(form);
    EXPECT_EQ(player->Owner(), form);
    EXPECT_EQ(form->ComponentCount(), 1);
    player->FileName = longWav;
    player->Open();
    player->Play();
    form->Free();  // the owner frees the player, which stops its help
    ASSERT_EQ(fake->stops.size(), 1u);
    EXPECT_EQ(fake->stops[0].first, 1);
}

TEST_F(MediaSound, MediaPlayerOpenFailureIsItsOwnError) {
    TMediaPlayer player;
    for (std::string name : {dir.File("nothing.wav"), dir.Path()}) {
        SCOPED_TRACE(name);
        player.FileName = name;
        try {
            player.Open();
            ADD_FAILURE() << "Open must fail";
        } catch (const EMCIDeviceError& e) {
            EXPECT_EQ(std::string(e.what()).find("Cannot open file"), std::string::npos);
        }
        EXPECT_EQ(player.Mode(), mpNotReady);
        EXPECT_THROW(player.Play(), EMCIDeviceError);
    }
}

}  // namespace

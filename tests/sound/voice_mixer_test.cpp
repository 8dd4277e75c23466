#include <gtest/gtest.h>

#include "sound/voice_mixer.h"

namespace tvk {
namespace {

Voice MakeVoice(const std::vector<int16_t>& samples) {
    Voice voice;
    voice.samples = samples.data();
    voice.frameCount = int64_t(samples.size() / 2);
    voice.playing = true;
    return voice;
}

TEST(Gains, HundredthsOfADecibelBecomeAmplitude) {
    EXPECT_EQ(HundredthsToGain(0), kUnityGain);
    EXPECT_EQ(HundredthsToGain(500), kUnityGain);
    EXPECT_EQ(HundredthsToGain(-2000), 6554);  // a tenth
    EXPECT_EQ(HundredthsToGain(-600), 32846);  // about half
    EXPECT_EQ(HundredthsToGain(-5000), 207);
    EXPECT_EQ(HundredthsToGain(-10000), 0);
    EXPECT_EQ(HundredthsToGain(-20000), 0);
}

TEST(Gains, PanAttenuatesTheOtherSide) {
    VoiceGains centre = GainsFor(0, 0);
    EXPECT_EQ(centre.left, kUnityGain);
    EXPECT_EQ(centre.right, kUnityGain);
    VoiceGains right = GainsFor(0, 10000);
    EXPECT_EQ(right.left, 0);
    EXPECT_EQ(right.right, kUnityGain);
    VoiceGains left = GainsFor(-2000, -2000);
    EXPECT_EQ(left.left, HundredthsToGain(-2000));
    EXPECT_EQ(left.right, HundredthsToGain(-4000));
    // Out-of-range values are held to the scale's ends.
    VoiceGains wild = GainsFor(3000, -50000);
    EXPECT_EQ(wild.left, kUnityGain);
    EXPECT_EQ(wild.right, 0);
    EXPECT_EQ(GainsFor(-30000, 0).left, 0);
}

TEST(MixVoices, SumsVoicesIntoWhatIsAlreadyThere) {
    std::vector<int16_t> a = {100, 200, 300, 400};
    std::vector<int16_t> b = {-50, 50, -50, 50};
    Voice va = MakeVoice(a), vb = MakeVoice(b);
    vb.gains = {kUnityGain / 2, kUnityGain};
    Voice* voices[] = {&va, &vb};
    std::vector<int16_t> out = {1, 1, 1, 1, 9, 9};
    MixVoices(out.data(), 3, voices, 2);
    EXPECT_EQ(out, (std::vector<int16_t>{1 + 100 - 25, 1 + 200 + 50, 1 + 300 - 25, 1 + 400 + 50, 9, 9}));
    // Both ended inside the block: stopped and rewound.
    EXPECT_FALSE(va.playing);
    EXPECT_EQ(va.position, 0);
    EXPECT_FALSE(vb.playing);
}

TEST(MixVoices, ClipsInsteadOfWrapping) {
    std::vector<int16_t> loud = {30000, -30000};
    Voice v1 = MakeVoice(loud), v2 = MakeVoice(loud);
    Voice* voices[] = {&v1, &v2};
    std::vector<int16_t> out = {10000, -10000};
    MixVoices(out.data(), 1, voices, 2);
    EXPECT_EQ(out, (std::vector<int16_t>{32767, -32768}));
}

TEST(MixVoices, ContinuesAcrossBlocksAndLoops) {
    std::vector<int16_t> ramp;
    for (int i = 0; i < 600; ++i) ramp.insert(ramp.end(), {int16_t(i), int16_t(-i)});
    Voice once = MakeVoice(ramp);
    Voice* voices[] = {&once};
    std::vector<int16_t> out(2 * 400, 0);
    MixVoices(out.data(), 400, voices, 1);  // crosses the internal chunk size
    EXPECT_EQ(out[2 * 399], 399);
    EXPECT_EQ(once.position, 400);
    std::fill(out.begin(), out.end(), 0);
    MixVoices(out.data(), 400, voices, 1);
    EXPECT_EQ(out[0], 400);
    EXPECT_EQ(out[2 * 199 + 1], -599);
    EXPECT_EQ(out[2 * 200], 0);  // ended at frame 600
    EXPECT_FALSE(once.playing);

    std::vector<int16_t> three = {1, 1, 2, 2, 3, 3};
    Voice loop = MakeVoice(three);
    loop.looping = true;
    Voice* looping[] = {&loop};
    std::vector<int16_t> seven(14, 0);
    MixVoices(seven.data(), 7, looping, 1);
    EXPECT_EQ(seven, (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3, 1, 1}));
    EXPECT_TRUE(loop.playing);
    EXPECT_EQ(loop.position, 1);
}

TEST(MixVoices, SilentAndStoppedVoicesAddNothing) {
    std::vector<int16_t> s = {1000, 1000};
    Voice silent = MakeVoice(s), stopped = MakeVoice(s), empty;
    silent.gains = GainsFor(-10000, 0);
    stopped.playing = false;
    empty.playing = true;
    Voice* voices[] = {&silent, &stopped, &empty};
    std::vector<int16_t> out = {5, 5};
    MixVoices(out.data(), 1, voices, 3);
    EXPECT_EQ(out, (std::vector<int16_t>{5, 5}));
}

TEST(EffectsMixer, KeepsOnlyPlayingVoicesListed) {
    EffectsMixer mixer(2);
    std::vector<int16_t> s = {10, 10, 20, 20};
    Voice a = MakeVoice(s), b = MakeVoice(s), c = MakeVoice(s);
    a.playing = b.playing = c.playing = false;
    mixer.Start(a, {}, false);
    mixer.Start(b, {}, false);
    mixer.Start(c, {}, false);  // beyond the capacity: not started
    EXPECT_EQ(mixer.PlayingCount(), 2u);
    EXPECT_FALSE(mixer.IsPlaying(c));
    mixer.Start(a, {}, false);  // already listed: not listed twice
    EXPECT_EQ(mixer.PlayingCount(), 2u);

    std::vector<int16_t> out(2, 0);
    mixer.Render(out.data(), 1);
    EXPECT_EQ(out[0], 20);
    mixer.Stop(a);
    EXPECT_FALSE(mixer.IsPlaying(a));
    EXPECT_EQ(a.position, 0);
    EXPECT_EQ(mixer.PlayingCount(), 1u);
    mixer.Render(out.data(), 1);  // b reaches its end and leaves the list
    EXPECT_EQ(mixer.PlayingCount(), 0u);
    EXPECT_FALSE(mixer.IsPlaying(b));
    mixer.Start(c, {}, false);
    EXPECT_TRUE(mixer.IsPlaying(c));

    Voice nothing;
    mixer.Start(nothing, {}, false);
    EXPECT_FALSE(mixer.IsPlaying(nothing));
}

}  // namespace
}  // namespace tvk

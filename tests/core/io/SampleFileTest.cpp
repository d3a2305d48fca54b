#include "core/io/SampleFile.h"
#include "core/kit/Instrument.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"
#include "support/WaveBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using quom::ReadFailure;
using soundfiles::Type;

std::vector<float> samplesOf(const std::string& path)
{
    const auto sample = quom::readSampleFile(path);
    EXPECT_TRUE(sample) << sample.error().message();
    return sample ? sample->samples : std::vector<float>{};
}

TEST(SampleFile, EachTypeLoadsTheSamplesOfItsWaveTwin)
{
    TempDir dir;
    const auto tones = soundfiles::tones(22050, 44100);
    dir.write("twin.wav", wavebytes::mono16(tones));
    const std::vector<float> twin = samplesOf(dir.file("twin.wav"));
    ASSERT_EQ(twin.size(), tones.size());

    // Lossless types give back the very samples.
    for (const auto& [name, type] :
        {std::pair{"twin.flac", Type::Flac}, std::pair{"twin.aiff", Type::Aiff}}) {
        ASSERT_TRUE(soundfiles::write(dir.file(name), type, 44100, tones)) << name;
        EXPECT_EQ(samplesOf(dir.file(name)), twin) << name;
    }
    // Lossy ones keep the sound within what the codec keeps.
    for (const auto& [name, type] :
        {std::pair{"twin.ogg", Type::OggVorbis}, std::pair{"twin.mp3", Type::Mp3}}) {
        ASSERT_TRUE(soundfiles::write(dir.file(name), type, 44100, tones)) << name;
        const std::vector<float> lossy = samplesOf(dir.file(name));
        EXPECT_NEAR(static_cast<double>(lossy.size()), static_cast<double>(twin.size()), 2048) << name;
        EXPECT_GT(soundfiles::bestCorrelation(twin, lossy, 1200), 0.99) << name;
    }
    // Opus knows 48 kHz, not 44.1.
    const auto tones48 = soundfiles::tones(24000, 48000);
    ASSERT_TRUE(soundfiles::write(dir.file("twin.opus"), Type::Opus, 48000, tones48));
    const auto opus = quom::readSampleFile(dir.file("twin.opus"));
    ASSERT_TRUE(opus) << opus.error().message();
    EXPECT_EQ(opus->sampleRate, 48000u);
    std::vector<float> reference;
    for (const auto v : tones48)
        reference.push_back(v / 32768.0f);
    EXPECT_GT(soundfiles::bestCorrelation(reference, opus->samples, 1200), 0.99);

    // Slots load them as they load waves.
    quom::CInstrument slot;
    ASSERT_TRUE(slot.LoadWave(dir.file("twin.flac")));
    EXPECT_EQ(slot.data.values(), twin);
}

TEST(SampleFile, AWavIsAlwaysTheWaveReadersAndEveryRefusalSaysWhy)
{
    TempDir dir;
    const auto tones = soundfiles::tones(1000, 44100);
    ASSERT_TRUE(soundfiles::write(dir.file("flac.wav"), Type::Flac, 44100, tones));
    const auto misnamed = quom::readSampleFile(dir.file("flac.wav"));
    EXPECT_EQ(misnamed.error().kind, ReadFailure::WrongMagic) << "a .wav loads exactly as it always did";

    dir.write("wave.flac", wavebytes::mono16(tones));
    EXPECT_EQ(samplesOf(dir.file("wave.flac")).size(), tones.size());

    dir.write("notes.ogg", std::string("just some text\n"));
    const auto text = quom::readSampleFile(dir.file("notes.ogg"));
    EXPECT_EQ(text.error().message(), dir.file("notes.ogg") + ": not a sound file");

    const auto missing = quom::readSampleFile(dir.file("gone.mp3"));
    EXPECT_EQ(missing.error().message(), dir.file("gone.mp3") + ": No such file or directory");
    EXPECT_EQ(quom::readSampleFile(dir.path()).error().kind, ReadFailure::Unreadable);
}

TEST(SampleFile, AFileOfAnotherRateKeepsItsPitchOnlyWhenAsked)
{
    // One second of 440 Hz recorded at 48 kHz.
    std::vector<std::int16_t> tone;
    for (int i = 0; i < 48000; ++i)
        tone.push_back(static_cast<std::int16_t>(
            std::lround(16000 * std::sin(2 * std::numbers::pi * 440 * i / 48000.0))));
    TempDir dir;
    dir.write("a48.wav",
        wavebytes::riffWave(
            {wavebytes::fmtChunk(1, 16, 1, 48000), wavebytes::dataChunk(wavebytes::pcm16(tone))}));

    quom::CInstrument asIs;
    ASSERT_TRUE(asIs.LoadWave(dir.file("a48.wav"), quom::FileRate::AsIf44100));
    EXPECT_EQ(asIs.data.values(), samplesOf(dir.file("a48.wav"))) << "as it always played";
    EXPECT_EQ(asIs.fileRate, 48000u);
    EXPECT_NEAR(soundfiles::toneFrequency(asIs.data.values(), 44100), 440 * 44100 / 48000.0, 0.5);

    quom::CInstrument own;
    ASSERT_TRUE(own.LoadWave(dir.file("a48.wav"), quom::FileRate::Own));
    EXPECT_EQ(own.fileRate, 48000u);
    EXPECT_NEAR(static_cast<double>(own.length()), 44100, 1);
    EXPECT_NEAR(soundfiles::toneFrequency(own.data.values(), 44100), 440, 0.5);
    // The resampled tone is the tone itself at 44100 Hz, away from the ends.
    double worst = 0;
    for (std::size_t i = 1000; i + 1000 < own.length(); ++i)
        worst = std::max(worst,
            std::abs(own.data[i] - 16000 / 32768.0 * std::sin(2 * std::numbers::pi * 440 * i / 44100.0)));
    EXPECT_LT(worst, 1e-3);
}

} // namespace

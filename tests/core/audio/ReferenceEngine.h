#pragma once

#include "core/kit/Kit.h"
#include "core/model/Cell.h"

#include <array>
#include <cstdint>

// The engine's output defined the slow, obvious way: every frame visits the 64
// tracks in row order, each with its own step counter, then the preview voice.
// The real engine must match it bit for bit.
class ReferenceEngine {
public:
    ReferenceEngine(const quom::Grid& pattern, const quom::CKit& kit);

    void Reset();
    void StartPreview(int slot, quom::Cell color);
    void Render(std::uint32_t frameCount, float* out);

    bool playing = false;
    float gain = 1.0f;
    int tempo = 120;
    std::uint8_t mode = 1;
    int samplesPerStep = 0;

private:
    struct Track {
        const quom::CInstrument* instrument = nullptr;
        bool active = false;
        float volume = 0.0f;
        float pan = 0.0f;
        std::uint32_t count = 0;
        int step = -1;
        float position = 0.0f;
        float ratio = 1.0f;
        int row = 0;
    };

    void NextFrame(Track& t, float& left, float& right);
    void previewFrame(float& left, float& right);

    const quom::Grid& pattern_;
    const quom::CKit& kit_;
    std::array<Track, quom::kRows> tracks_;

    const quom::CInstrument* previewInstrument_ = nullptr;
    float previewVolume_ = 0.0f;
    float previewPan_ = 0.0f;
    float previewPosition_ = 0.0f;
    float previewRatio_ = 1.0f;
    std::uint32_t previewCount_ = 0;
    std::uint32_t previewLength_ = 0;
};

#include "ReferenceEngine.h"

#include "core/audio/SampleReading.h"

using namespace quom;

ReferenceEngine::ReferenceEngine(const Grid& pattern, const CKit& kit)
    : pattern_(pattern)
    , kit_(kit)
{
    for (int r = 0; r < kRows; ++r)
        tracks_[r].row = r;
}

void ReferenceEngine::Reset()
{
    for (auto& t : tracks_) {
        t.active = false;
        t.count = 0;
        t.step = -1;
        t.position = 0.0f;
    }
    previewCount_ = 0;
    previewInstrument_ = nullptr;
}

void ReferenceEngine::StartPreview(int slot, Cell color)
{
    previewInstrument_ = &kit_.slot(slot);
    previewPosition_ = 0.0f;
    previewVolume_ = static_cast<float>(redOf(color)) / 255.0f;
    previewPan_ = static_cast<float>(greenOf(color)) / 255.0f;
    previewRatio_ = static_cast<float>(1.5 - (1.0 - blueOf(color) / 255.0));
    previewLength_ = static_cast<std::uint32_t>(samplesPerStep);
    previewCount_ = 0;
}

void ReferenceEngine::previewFrame(float& left, float& right)
{
    const CInstrument& inst = *previewInstrument_;
    const float s = SampleAt(inst, previewPosition_, mode);
    previewPosition_ = AdvancePosition(inst, previewPosition_, previewRatio_);
    const float v = previewVolume_ * s;
    left = v * (1.0f - previewPan_);
    right = v * previewPan_;
    previewCount_ += 1;
    if (previewCount_ == previewLength_)
        previewInstrument_ = nullptr;
}

void ReferenceEngine::Render(std::uint32_t frameCount, float* out)
{
    if (!playing) {
        for (std::uint32_t f = 0; f < frameCount; ++f) {
            float l = 0.0f;
            float r = 0.0f;
            if (previewInstrument_ != nullptr) {
                float pl = 0.0f;
                float pr = 0.0f;
                previewFrame(pl, pr);
                l += pl;
                r += pr;
            }
            out[2 * f] = l;
            out[2 * f + 1] = r;
        }
        return;
    }
    samplesPerStep = 10584000 / (clampTempo(tempo) * 16);
    for (int i = 0; i < kRows; ++i)
        tracks_[i].instrument = &kit_.slot(i);
    for (std::uint32_t f = 0; f < frameCount; ++f) {
        float accL = 0.0f;
        float accR = 0.0f;
        for (auto& t : tracks_) {
            float l;
            float r;
            NextFrame(t, l, r);
            accL += l;
            accR += r;
        }
        if (previewInstrument_ != nullptr) {
            float l;
            float r;
            previewFrame(l, r);
            accL += l;
            accR += r;
        }
        out[2 * f] = gain * accL;
        out[2 * f + 1] = gain * accR;
    }
}

void ReferenceEngine::NextFrame(Track& t, float& left, float& right)
{
    left = right = 0.0f;
    const auto sps = static_cast<std::uint32_t>(samplesPerStep);
    if (t.count >= sps || t.step == -1) {
        t.step = t.step + 1 == 64 ? 0 : t.step + 1;
        t.active = false;
        t.count = 0;
        const Cell cell = pattern_[cellIndex(t.step, t.row)];
        if (cell != 0) {
            t.position = 0.0f;
            t.active = true;
            t.volume = static_cast<float>(redOf(cell)) / 255.0f;
            t.pan = static_cast<float>(greenOf(cell)) / 255.0f;
            t.ratio = static_cast<float>(1.5 - (1.0 - blueOf(cell) / 255.0));
        }
    }
    if (t.active && t.count < sps) {
        const CInstrument& inst = *t.instrument;
        float s = SampleAt(inst, t.position, mode);
        t.position = AdvancePosition(inst, t.position, t.ratio);
        if (inst.fade && inst.length() != 0) {
            if (t.count < 20)
                s = s * static_cast<float>(t.count) / 20.0f;
            else if (static_cast<int>(t.count) > samplesPerStep - 20)
                s = s * static_cast<float>(samplesPerStep - static_cast<int>(t.count)) / 20.0f;
        }
        const float v = t.volume * s;
        left = v * (1.0f - t.pan);
        right = v * t.pan;
    }
    t.count += 1;
}

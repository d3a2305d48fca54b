#include "core/audio/Engine.h"

#include <algorithm>
#include <cmath>

namespace quom {
namespace {

// Every float sum in the same order as mixing frame by frame: the tracks add into
// the accumulators in row order, the preview last.
void writeScaled(const float* accL, const float* accR, float gain, int frames, float* out) noexcept
{
    for (int f = 0; f < frames; ++f) {
        out[2 * f] = gain * accL[f];
        out[2 * f + 1] = gain * accR[f];
    }
}

void writeUnscaled(const float* accL, const float* accR, int frames, float* out) noexcept
{
    for (int f = 0; f < frames; ++f) {
        out[2 * f] = accL[f];
        out[2 * f + 1] = accR[f];
    }
}

// A position the engine can step by: finite, within reach of whole steps, and moving
// forwards by at most a step per frame.
bool usable(const BlockSync& sync) noexcept
{
    constexpr double kFarthestStep = 1e15;
    return std::abs(sync.step) < kFarthestStep && sync.stepsPerFrame > 0 && sync.stepsPerFrame <= 1;
}

} // namespace

Engine::Engine()
{
    preparePositionTables();
    for (int r = 0; r < kRows; ++r)
        tracks_[r] = CTrack(r);
    setKit(nullptr);
}

Engine::Engine(const Grid& pattern)
    : Engine()
{
    offlinePattern_ = &pattern;
}

Engine::~Engine() = default;

void Engine::Reset(int column) noexcept
{
    const int first = column >= 0 && column < kColumns ? column : 0;
    resetRequest_.store(ResetRequest{nextSerial(), first}.pack(), std::memory_order_release);
}

void Engine::StartPreview(int slot, Cell color) noexcept
{
    if (slot < 0 || slot >= kKitSlots)
        return;
    previewRequest_.store(PreviewRequest{nextSerial(), true, slot, color}.pack(), std::memory_order_release);
}

void Engine::StopPreview() noexcept
{
    previewRequest_.store(PreviewRequest{.serial = nextSerial()}.pack(), std::memory_order_release);
}

void Engine::setKit(std::shared_ptr<const CKit> kit)
{
    std::shared_ptr<const CKit> old = std::move(kit_);
    kit_ = kit ? std::move(kit) : std::make_shared<const CKit>();
    audioKit_.store(kit_.get(), std::memory_order_seq_cst);
    retire(std::move(old));
}

void Engine::startAudition(std::shared_ptr<const CInstrument> sound)
{
    std::shared_ptr<const CInstrument> old = std::move(audition_);
    audition_ = std::move(sound);
    auditionSound_.store(audition_.get(), std::memory_order_seq_cst);
    auditionSerial_.store(nextSerial(), std::memory_order_seq_cst);
    retire(std::move(old));
}

void Engine::retire(std::shared_ptr<const void> object)
{
    // Sequentially consistent with the two epoch increments in Render and with the
    // stores before this call: if the audio thread read the old pointer, its block
    // began before those stores, so the epoch read here is odd until that block has
    // ended; any later block reads the new pointer first.
    const std::uint64_t epoch = epoch_.load(std::memory_order_seq_cst);
    if (object && epoch % 2 == 1)
        retired_.push_back({std::move(object), epoch});
    releaseRetired();
}

void Engine::releaseRetired()
{
    const std::uint64_t now = epoch_.load(std::memory_order_seq_cst);
    std::erase_if(retired_, [now](const Retired& r) { return r.epoch != now; });
}

void Engine::Render(std::uint32_t frameCount, float* out) noexcept
{
    Render(frameCount, out, nullptr);
}

void Engine::Render(std::uint32_t frameCount, float* out, const BlockSync* sync) noexcept
{
    epoch_.fetch_add(1, std::memory_order_seq_cst);
    const CKit& kit = *audioKit_.load(std::memory_order_seq_cst);
    midiOut_.beginBlock();
    applyRequests();
    const std::uint8_t mode = interpolation_.load(std::memory_order_relaxed);
    const bool following = sync != nullptr && offlinePattern_ == nullptr;
    const bool running = offlinePattern_ != nullptr
        || (following ? sync->rolling && usable(*sync) : playing_.load(std::memory_order_relaxed));

    if (following && !running && rolling_.load(std::memory_order_relaxed))
        resetTracks(0); // the source stopped: it starts the pattern afresh when it rolls
    if (running && following) {
        followSync(*sync, frameCount);
    } else if (running) {
        syncAnchored_ = false;
        const TempoSource* tempo = tempo_.load(std::memory_order_acquire);
        samplesPerStepNow_ = framesPerStep(tempo ? tempo->tempo() : kDefaultTempo);
    }
    if (running)
        samplesPerStep_.store(samplesPerStepNow_, std::memory_order_relaxed);
    if (!running) {
        syncAnchored_ = false;
        midiOut_.allNotesOff(0);
    }
    rolling_.store(running, std::memory_order_relaxed);
    followedTempo_.store(following ? sync->tempo : 0.0, std::memory_order_relaxed);
    const bool ownSound = ownSound_.load(std::memory_order_relaxed);
    const LiveGrid* live = pattern_.load(std::memory_order_acquire);
    const float gain = gain_.load(std::memory_order_relaxed);

    std::uint32_t done = 0;
    while (done < frameCount) {
        const int frames = static_cast<int>(std::min<std::uint32_t>(frameCount - done, kChunkFrames));
        std::fill_n(accL_.begin(), frames, 0.0f);
        std::fill_n(accR_.begin(), frames, 0.0f);
        if (running)
            renderChunk(kit, live, mode, ownSound, running && following, done, frames);
        mixPreview(kit, mode, frames);
        mixAudition(frames);
        if (running)
            writeScaled(accL_.data(), accR_.data(), gain, frames, out + 2 * done);
        else
            writeUnscaled(accL_.data(), accR_.data(), frames, out + 2 * done);
        done += static_cast<std::uint32_t>(frames);
    }
    epoch_.fetch_add(1, std::memory_order_seq_cst);
}

void Engine::applyRequests() noexcept
{
    const std::uint64_t audition = auditionSerial_.load(std::memory_order_seq_cst);
    if (audition != auditionSeen_) {
        auditionSeen_ = audition;
        auditionNow_ = {auditionSound_.load(std::memory_order_seq_cst), 0};
    }
    const auto reset = ResetRequest::unpack(resetRequest_.load(std::memory_order_acquire));
    if (reset.serial != resetSeen_) {
        resetSeen_ = reset.serial;
        resetTracks(reset.column);
    }
    const auto preview = PreviewRequest::unpack(previewRequest_.load(std::memory_order_acquire));
    if (preview.serial == previewSeen_)
        return;
    previewSeen_ = preview.serial;
    if (preview.serial < reset.serial)
        return; // made before the Reset, which stopped the preview
    preview_ = Preview{};
    if (preview.start) {
        preview_.slot = preview.slot;
        preview_.note = noteOf(preview.color);
        preview_.length = static_cast<std::uint32_t>(samplesPerStepNow_);
    }
}

void Engine::resetTracks(int column) noexcept
{
    for (auto& t : tracks_)
        t.Reset();
    midiOut_.allNotesOff(0);
    step_ = -1;
    firstColumn_ = column;
    count_ = 0;
    preview_ = Preview{};
    column_.store(-1, std::memory_order_relaxed);
}

void Engine::followSync(const BlockSync& sync, std::uint32_t frameCount) noexcept
{
    // Within half a step of where the last block left it, the source moved on as
    // expected (a clock's jitter, a tempo change); further, it was located or just
    // started, and the pattern goes on from the next whole step.
    constexpr double kLocateSteps = 0.5;
    constexpr double kSameStep = 1e-9; // a step due at the block's first frame, after rounding
    if (!syncAnchored_ || std::abs(sync.step - expectedSyncStep_) > kLocateSteps) {
        nextSyncStep_ = static_cast<std::int64_t>(std::ceil(sync.step - kSameStep));
        syncAnchored_ = true;
    }
    syncStep_ = sync.step;
    syncStepsPerFrame_ = sync.stepsPerFrame;
    expectedSyncStep_ = sync.step + sync.stepsPerFrame * frameCount;
    const double frames = std::round(1.0 / sync.stepsPerFrame);
    samplesPerStepNow_ = static_cast<int>(std::clamp(frames, static_cast<double>(framesPerStep(kMaxTempo)),
        static_cast<double>(framesPerStep(kMinTempo))));
}

std::uint32_t Engine::syncStepFrame() const noexcept
{
    constexpr double kLastFrame = 4294967295.0;
    const double frame
        = std::ceil((static_cast<double>(nextSyncStep_) - syncStep_) / syncStepsPerFrame_ - 1e-9);
    return static_cast<std::uint32_t>(std::clamp(frame, 0.0, kLastFrame));
}

void Engine::queueSwitch(const LiveGrid* pattern, const TempoSource* tempo) noexcept
{
    queuedTempo_.store(tempo, std::memory_order_relaxed);
    queuedPattern_.store(pattern, std::memory_order_release);
}

void Engine::landQueuedSwitch(const LiveGrid*& live, bool following) noexcept
{
    const LiveGrid* next = queuedPattern_.exchange(nullptr, std::memory_order_acq_rel);
    if (next == nullptr)
        return;
    const TempoSource* tempo = queuedTempo_.load(std::memory_order_relaxed);
    pattern_.store(next, std::memory_order_release);
    tempo_.store(tempo, std::memory_order_release);
    live = next;
    if (!following) {
        // The new pattern's first step already lasts as long as its own tempo says.
        samplesPerStepNow_ = framesPerStep(tempo ? tempo->tempo() : kDefaultTempo);
        samplesPerStep_.store(samplesPerStepNow_, std::memory_order_relaxed);
    }
    landedAtWrap_.store(wraps_.load(std::memory_order_relaxed), std::memory_order_relaxed);
    switchesLanded_.fetch_add(1, std::memory_order_release);
}

void Engine::advanceStep(const LiveGrid*& live, std::uint32_t blockFrame, int column, bool following) noexcept
{
    if (offlinePattern_ == nullptr && column == 0 && step_ == kColumns - 1) {
        wraps_.fetch_add(1, std::memory_order_release);
        landQueuedSwitch(live, following);
    }
    step_ = column;
    count_ = 0;
    if (offlinePattern_) {
        for (auto& t : tracks_)
            t.startStep((*offlinePattern_)[cellIndex(step_, t.row())]);
    } else {
        for (auto& t : tracks_)
            t.startStep(live ? live->at(step_, t.row()) : 0);
        midiOut_.startStep(blockFrame, step_, live);
    }
    column_.store(step_, std::memory_order_relaxed);
}

void Engine::renderChunk(const CKit& kit, const LiveGrid*& live, std::uint8_t mode, bool ownSound,
    bool following, std::uint32_t blockFrame, int frames) noexcept
{
    int sps = samplesPerStepNow_;
    int f = 0;
    while (f < frames) {
        const std::uint32_t at = blockFrame + static_cast<std::uint32_t>(f);
        int span = frames - f;
        if (following) {
            // The source places every step; a step it starts late is silent after its
            // own length, as the note it played has ended.
            const std::uint32_t due = syncStepFrame();
            if (due <= at) {
                const auto column = static_cast<int>(((nextSyncStep_ % kColumns) + kColumns) % kColumns);
                advanceStep(live, at, column, true);
                ++nextSyncStep_;
                // One step per frame at most, whatever speed a source claims.
                if (syncStepFrame() <= at)
                    nextSyncStep_
                        = static_cast<std::int64_t>(std::ceil(syncStep_ + syncStepsPerFrame_ * (at + 1)));
                continue;
            }
            span = static_cast<int>(std::min<std::uint32_t>(due - at, static_cast<std::uint32_t>(span)));
        } else if (step_ == -1 || count_ >= sps) {
            advanceStep(
                live, at, step_ == -1 ? firstColumn_ : (step_ + 1 == kColumns ? 0 : step_ + 1), false);
            sps = samplesPerStepNow_;
        }
        const int sounding = step_ == -1 ? 0 : std::max(0, std::min(span, sps - count_));
        if (!following)
            span = sounding;
        if (ownSound && sounding > 0) {
            // A live block finds the tracks' data out of the caches; an offline chunk keeps
            // it warm, and fetching ahead would only push out the accumulators.
            if (frames <= kPrefetchFrames) {
                for (auto& t : tracks_)
                    t.prefetchSpan(kit.slot(t.row()), count_, sounding);
            }
            for (auto& t : tracks_)
                t.renderSpan(
                    kit.slot(t.row()), mode, count_, sps, sounding, accL_.data() + f, accR_.data() + f);
        }
        count_ += span;
        f += span;
    }
}

void Engine::mixPreview(const CKit& kit, std::uint8_t mode, int frames) noexcept
{
    if (preview_.slot < 0)
        return;
    const CInstrument& instrument = kit.slot(preview_.slot);
    if (preview_.length == 0) {
        mixNote(instrument, mode, preview_.note, false, 0, 0, frames, accL_.data(), accR_.data());
        return;
    }
    const auto n = static_cast<int>(std::min<std::uint32_t>(frames, preview_.length - preview_.count));
    mixNote(instrument, mode, preview_.note, false, 0, 0, n, accL_.data(), accR_.data());
    preview_.count += static_cast<std::uint32_t>(n);
    if (preview_.count == preview_.length)
        preview_.slot = -1;
}

void Engine::mixAudition(int frames) noexcept
{
    const CInstrument* sound = auditionNow_.sound;
    if (!sound)
        return;
    const float* d = sound->data.data();
    const std::uint32_t length = sound->length();
    // Centred at full volume: half the sample on each side, as the pan law gives.
    int f = 0;
    for (; f < frames && auditionNow_.position < length; ++f, ++auditionNow_.position) {
        const float s = 0.5f * d[auditionNow_.position];
        accL_[f] += s;
        accR_[f] += s;
    }
    if (auditionNow_.position >= length)
        auditionNow_.sound = nullptr;
}

} // namespace quom

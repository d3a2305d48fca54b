#include "core/audio/StemRender.h"

#include "core/files/MidiExport.h"
#include "core/io/FloatWaveWriter.h"
#include "core/io/WaveWriter.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <new>
#include <system_error>
#include <thread>

namespace quom {
namespace {

constexpr int kBlockRows = 16;

bool rowPlays(std::span<const Grid> patterns, const LoopPasses& passes, int row)
{
    return std::any_of(passes.begin(), passes.end(), [&](const LoopPass& pass) {
        const Grid& grid = patterns[static_cast<std::size_t>(pass.pattern)];
        for (int column = 0; column < kColumns; ++column) {
            if (grid[cellIndex(column, row)] != 0)
                return true;
        }
        return false;
    });
}

std::string twoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string fileNamePart(const std::string& name)
{
    std::string out = name;
    for (char& c : out) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || c == '-' || c == '_' || c == '.';
        if (!plain)
            c = '_';
    }
    return out;
}

std::string inFolder(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + '/' + name;
}

// What became of one part's stem.
struct StemOutcome {
    float peak = 0.0f; // 0: silent, no file
    bool written = false;
    WriteResult failure{true, {}};
};

// Runs job(i) for every part, as many at once as there are cores; each job renders on
// the threads left over.
void forEachPart(std::size_t parts, int threads, const std::function<void(std::size_t, int)>& job)
{
    const auto workers = std::clamp<std::size_t>(parts, 1, static_cast<std::size_t>(threads));
    const int threadsEach = std::max(1, threads / static_cast<int>(workers));
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < parts;)
            job(i, threadsEach);
    };
    std::vector<std::jthread> helpers;
    helpers.reserve(workers - 1);
    try {
        for (std::size_t i = 1; i < workers; ++i)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer workers: the parts nobody took are rendered below.
    }
    work();
}

} // namespace

std::vector<StemPart> stemParts(
    std::span<const Grid> patterns, const LoopPasses& passes, StemGrouping grouping)
{
    const int size = grouping == StemGrouping::Blocks ? kBlockRows : 1;
    std::vector<StemPart> parts;
    for (int first = 0; first < kRows; first += size) {
        for (int row = first; row < first + size; ++row) {
            if (rowPlays(patterns, passes, row)) {
                parts.push_back({first, size});
                break;
            }
        }
    }
    return parts;
}

std::string stemFileName(const StemPart& part, const CKit& kit)
{
    if (part.rowCount > 1)
        return "rows-" + twoDigits(part.firstRow + 1) + '-' + twoDigits(part.firstRow + part.rowCount)
            + ".wav";
    const std::string name = fileNamePart(midiTrackName(kit.slot(part.firstRow).name));
    return twoDigits(part.firstRow + 1) + (name.empty() ? "" : "-" + name) + ".wav";
}

std::vector<float> renderStem(std::span<const Grid> patterns, const LoopPasses& passes, const StemPart& part,
    std::shared_ptr<const CKit> kit, const LoopSettings& settings, int threads, const std::atomic<bool>* stop)
{
    std::vector<Grid> only(patterns.begin(), patterns.end());
    for (Grid& grid : only) {
        for (int column = 0; column < kColumns; ++column) {
            for (int row = 0; row < kRows; ++row) {
                if (row < part.firstRow || row >= part.firstRow + part.rowCount)
                    grid[cellIndex(column, row)] = 0;
            }
        }
    }
    return renderLoop(only, passes, std::move(kit), settings, threads, stop);
}

StemsWritten writeStems(const std::string& folder, std::span<const Grid> patterns, const LoopPasses& passes,
    std::shared_ptr<const CKit> kit, const LoopSettings& settings, StemGrouping grouping, StemFormat format,
    std::span<const float> mix, const std::atomic<bool>* stop)
{
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
    const std::vector<StemPart> parts = stemParts(patterns, passes, grouping);
    std::vector<StemOutcome> outcomes(parts.size());
    StemsWritten out;
    out.mixPeak = peakOf(mix);
    const CKit noKit;
    const CKit& names = kit ? *kit : noKit;

    // Writes the stems that sound and are no louder than the shared peak (16-bit).
    const auto renderAndWrite = [&](float sharedPeak) {
        forEachPart(parts.size(), renderThreads(), [&](std::size_t i, int threads) {
            StemOutcome& outcome = outcomes[i];
            try {
                std::vector<float> stem
                    = renderStem(patterns, passes, parts[i], kit, settings, threads, stop);
                if (stopped())
                    return;
                outcome.peak = peakOf(stem);
                if (outcome.peak == 0.0f || (format == StemFormat::Pcm16 && outcome.peak > sharedPeak))
                    return;
                const std::string path = inFolder(folder, stemFileName(parts[i], names));
                outcome.failure = format == StemFormat::Float
                    ? WriteWaveFloat(path, stem, 2)
                    : WriteWave16(path, stem, 2, {.peak = 1.0f, .rootKey = {}, .sharedPeak = sharedPeak});
                outcome.written = static_cast<bool>(outcome.failure);
            } catch (const std::bad_alloc&) {
                outcome.failure
                    = {false, inFolder(folder, stemFileName(parts[i], names)) + ": out of memory"};
            }
        });
    };
    renderAndWrite(out.mixPeak);
    // A stem louder than the mix (its sound cancelled there by another's) sets the
    // shared peak: all are written again by it, and so must the mix be.
    const auto loudest = std::max_element(outcomes.begin(), outcomes.end(),
        [](const StemOutcome& a, const StemOutcome& b) { return a.peak < b.peak; });
    if (format == StemFormat::Pcm16 && loudest != outcomes.end() && loudest->peak > out.mixPeak
        && !stopped()) {
        out.mixPeak = loudest->peak;
        renderAndWrite(out.mixPeak);
    }

    out.result = {true, {}};
    out.stopped = stopped();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!outcomes[i].failure) {
            out.result = outcomes[i].failure;
            return out;
        }
        if (outcomes[i].written)
            out.files.push_back(inFolder(folder, stemFileName(parts[i], names)));
    }
    return out;
}

} // namespace quom

#include "core/transport/Exports.h"

#include "core/files/MidiExport.h"
#include "core/io/WaveWriter.h"

#include <limits>

namespace quom {
namespace {

std::vector<Grid> storedPatterns(Project& project)
{
    project.storeCurrentPattern();
    std::vector<Grid> patterns(kPatternSlots);
    for (int i = 0; i < kPatternSlots; ++i)
        patterns[static_cast<std::size_t>(i)] = project.model().slot(i);
    return patterns;
}

bool stopped(const std::atomic<bool>* stop) noexcept
{
    return stop && stop->load(std::memory_order_relaxed);
}

} // namespace

bool fitsWaveFile(std::uint64_t frames, StemFormat format) noexcept
{
    // The RIFF size counts the data and the chunks before it (at most 80 bytes of them).
    constexpr std::uint64_t kMaxRiffBytes = std::numeric_limits<std::uint32_t>::max() - 80;
    const std::uint64_t bytesPerFrame = format == StemFormat::Float ? 8 : 4;
    return frames <= kMaxRiffBytes / bytesPerFrame;
}

bool fitsWaveFile(const ExportJob& job, StemFormat format) noexcept
{
    return fitsWaveFile(loopFrames(job.passes), format);
}

ExportJob takeExport(Project& project, Transport& transport)
{
    transport.stop();
    const Engine& live = transport.engine();
    return {
        storedPatterns(project), transport.passesToExport(), live.kit(), {live.interpolation(), live.gain()}};
}

WriteResult writeExportWave(const std::string& path, const ExportJob& job, const std::atomic<bool>* stop)
{
    std::vector<float> buffer
        = renderLoop(job.patterns, job.passes, job.kit, job.settings, renderThreads(), stop);
    if (stopped(stop))
        return {false, path + ": the export was stopped"};
    return WriteWave16(path, buffer, 2);
}

StemsWritten writeExportStems(const std::string& folder, const ExportJob& job, StemGrouping grouping,
    StemFormat format, const std::atomic<bool>* stop)
{
    const std::vector<float> mix
        = renderLoop(job.patterns, job.passes, job.kit, job.settings, renderThreads(), stop);
    if (stopped(stop)) {
        StemsWritten none;
        none.result = {true, {}};
        none.stopped = true;
        return none;
    }
    return writeStems(folder, job.patterns, job.passes, job.kit, job.settings, grouping, format, mix, stop);
}

WriteResult exportMidiAsPlayed(
    Project& project, Transport& transport, const std::string& path, MidiMapping mapping)
{
    if (!transport.songOn())
        return project.exportMidi(path, mapping);
    const std::vector<Grid> patterns = storedPatterns(project);
    return exportPassesMidi(path, patterns, transport.passesToExport(), *project.kit(), mapping);
}

} // namespace quom

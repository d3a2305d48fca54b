#pragma once

#include "core/audio/LoopRender.h"
#include "core/audio/StemRender.h"
#include "core/files/MidiMapping.h"
#include "core/io/AtomicFile.h"
#include "core/project/Project.h"
#include "core/transport/Transport.h"

#include <memory>
#include <string>
#include <vector>

// The window's exports of what the transport plays: the current pattern once, or the
// song once while it is on (Transport::passesToExport). What to render is taken on the
// window thread; the render and the files may then be made on another thread, so a
// window keeps drawing through a long song. The files are the command line's for the
// same project, pattern or song: quom render, quom render --stems, quom midi --song.
namespace quom {

struct ExportJob {
    std::vector<Grid> patterns; // every slot, the current pattern as it is shown
    LoopPasses passes;
    std::shared_ptr<const CKit> kit; // the one playing
    LoopSettings settings; // the live engine's interpolation and gain
};

// Window thread: stops playback, stores the current pattern into its slot and takes the
// passes to export with the project's patterns and what the live engine plays them with.
ExportJob takeExport(Project& project, Transport& transport);

// Whether a stereo wave file of frames, 16-bit (or 32-bit float), stays within the 4 GiB
// the format's sizes allow; a longer song would only fail after a long render.
bool fitsWaveFile(std::uint64_t frames, StemFormat format = StemFormat::Pcm16) noexcept;
bool fitsWaveFile(const ExportJob& job, StemFormat format = StemFormat::Pcm16) noexcept;

// Any thread; the job outlives the call. 16-bit, normalised as the Export command
// always has been. Once stop (when given) is set from another thread the render ends
// early and no file is written.
WriteResult writeExportWave(
    const std::string& path, const ExportJob& job, const std::atomic<bool>* stop = nullptr);

// Any thread: the stems of the job into folder (which must exist), on all cores; stop
// as writeStems takes it.
StemsWritten writeExportStems(const std::string& folder, const ExportJob& job, StemGrouping grouping,
    StemFormat format, const std::atomic<bool>* stop = nullptr);

// Window thread: the current pattern at the project's tempo, or, while the song is on,
// the song once with a tempo change wherever it is heard.
WriteResult exportMidiAsPlayed(
    Project& project, Transport& transport, const std::string& path, MidiMapping mapping);

} // namespace quom

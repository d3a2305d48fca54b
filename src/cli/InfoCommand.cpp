#include "cli/Commands.h"
#include "cli/Json.h"
#include "core/files/FileType.h"
#include "core/files/PatternFile.h"
#include "core/files/ProjectFile.h"
#include "core/io/Bytes.h"
#include "core/io/SampleFile.h"
#include "core/io/SoundFileReader.h"
#include "core/io/WaveReader.h"
#include "core/kit/Kit.h"
#include "core/operations/SongText.h"

#include <array>
#include <ostream>

namespace quom::cli {
namespace {

struct InfoRequest {
    std::string path;
    std::vector<std::uint8_t> bytes;
    bool samples = false; // --samples: include the decoded sample values
};

// Prints one JSON object for a file of a known type; returns the exit status.
using Describe = int (*)(const InfoRequest& request, std::ostream& out, std::ostream& err);

// A sample as it loads into a slot: "wave" for RIFF WAVE, "sound" for the other types.
int describeSample(const char* type, const ReadResult<DecodedWave>& sample, const InfoRequest& request,
    std::ostream& out, std::ostream& err)
{
    if (!sample) {
        err << "quom info: " << sample.error().message() << '\n';
        return kExitFailure;
    }
    out << "{\"type\":\"" << type << "\",\"frames\":" << sample->samples.size()
        << ",\"rootKey\":" << int{sample->rootKey} << ",\"sampleRate\":" << sample->sampleRate;
    if (request.samples)
        out << ",\"samples\":" << jsonFloatArray(sample->samples);
    out << "}\n";
    return kExitOk;
}

int describeWave(const InfoRequest& request, std::ostream& out, std::ostream& err)
{
    return describeSample("wave", decodeWave(request.bytes, request.path), request, out, err);
}

// The cells as unsigned words, in cell-index order.
std::string jsonCells(const Grid& cells)
{
    std::string out = "[";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ',';
        out += std::to_string(cells[i]);
    }
    out += ']';
    return out;
}

std::string jsonPattern(std::int32_t tempo, const Grid& cells)
{
    // The field is unsigned in the file; report it as stored.
    return "\"tempo\":" + std::to_string(static_cast<std::uint32_t>(tempo))
        + ",\"cells\":" + jsonCells(cells);
}

// A kit slot as kit files and project files hold it.
std::string jsonSlot(const std::string& sample, bool loop, bool fade)
{
    return std::string("{\"sample\":") + jsonString(sample) + ",\"loop\":" + jsonBool(loop)
        + ",\"fade\":" + jsonBool(fade) + '}';
}

int describeProject(const InfoRequest& request, std::ostream& out, std::ostream& err)
{
    const auto project = parseProjectFile(request.bytes, request.path);
    if (!project) {
        err << "quom info: " << project.error().message() << '\n';
        return kExitFailure;
    }
    out << "{\"type\":\"project\",\"patterns\":[";
    for (int s = 0; s < kPatternSlots; ++s)
        out << (s > 0 ? ",{" : "{") << jsonPattern(project->tempos[s], project->patterns[s]) << '}';
    out << "],\"kit\":[";
    for (int i = 0; i < kProjectKitSlots; ++i) {
        const ProjectSlot& slot = project->slots[i];
        out << (i > 0 ? "," : "") << jsonSlot(slot.name, slot.loop, slot.fade);
    }
    // The song as `quom apply` takes it; a project without one says nothing new.
    if (!project->song.empty())
        out << "],\"song\":" << jsonString(songText(project->song)) << '}';
    else
        out << ']' << '}';
    out << '\n';
    if (!project->skippedSection.empty())
        err << "quom info: " << request.path << ": " << project->skippedSection << '\n';
    return kExitOk;
}

// The kit as loading it into a cleared kit leaves it; no sample is read.
int describeKit(const InfoRequest& request, std::ostream& out, std::ostream& err)
{
    CKit kit;
    if (const ReadStatus read = kit.readKitFile(request.path); !read) {
        err << "quom info: " << read.error().message() << '\n';
        return kExitFailure;
    }
    out << "{\"type\":\"kit\",\"slots\":[";
    for (int i = 0; i < kKitSlots; ++i) {
        const CInstrument& s = kit.slot(i);
        out << (i > 0 ? "," : "") << jsonSlot(s.name, s.loop, s.fade);
    }
    out << "]}\n";
    return kExitOk;
}

int describePattern(const InfoRequest& request, std::ostream& out, std::ostream& err)
{
    const auto pattern = parsePatternFile(request.bytes, request.path);
    if (!pattern) {
        err << "quom info: " << pattern.error().message() << '\n';
        return kExitFailure;
    }
    out << "{\"type\":\"pattern\"," << jsonPattern(pattern->tempo, pattern->cells) << "}\n";
    return kExitOk;
}

struct Describer {
    FileType type;
    Describe describe;
};

constexpr std::array kDescribers{
    Describer{FileType::Wave, describeWave},
    Describer{FileType::Kit, describeKit},
    Describer{FileType::Project, describeProject},
    Describer{FileType::Pattern, describePattern},
};

constexpr const char* kUsage = "usage: quom info FILE --json [--samples]\n";

} // namespace

int runInfo(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders&)
{
    InfoRequest request;
    bool json = false;
    for (const auto& a : args) {
        if (a == "--json") {
            json = true;
        } else if (a == "--samples") {
            request.samples = true;
        } else if (a.starts_with("--") || !request.path.empty()) {
            err << kUsage;
            return kExitUsage;
        } else {
            request.path = a;
        }
    }
    if (request.path.empty() || !json) {
        err << kUsage;
        return kExitUsage;
    }

    // The type is known only from the content, so the largest kind bounds the read.
    auto bytes = readRegularFile(request.path, {"a file quom info describes", kSampleFileKind.largest});
    if (!bytes) {
        err << "quom info: " << bytes.error().message() << '\n';
        return kExitFailure;
    }
    request.bytes = std::move(*bytes);
    const FileType type = detectFileType(request.bytes);
    for (const auto& d : kDescribers) {
        if (d.type == type)
            return d.describe(request, out, err);
    }
    // Sample files of other types than wave are told by the library that reads them.
    if (auto sound = decodeSoundFile(request.bytes, request.path);
        sound || sound.error().kind != ReadFailure::WrongMagic)
        return describeSample("sound", sound, request, out, err);
    err << "quom info: " << request.path << ": not a file type that quom info knows\n";
    return kExitFailure;
}

} // namespace quom::cli

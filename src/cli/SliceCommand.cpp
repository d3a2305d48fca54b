#include "cli/Commands.h"
#include "core/kit/Slicer.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

namespace quom::cli {
namespace {

constexpr std::string_view kUsage = "usage: quom slice IN.wav -o FOLDER [--kit OUT.kit] [--own-rate]\n";

struct SliceRequest {
    std::string input;
    std::string folder;
    std::string kitPath; // empty: no kit file
    FileRate rate = FileRate::AsIf44100; // --own-rate: the setting "Play samples at their own rate"
};

std::optional<SliceRequest> parse(const Args& args)
{
    SliceRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size() && !args[i + 1].empty();
        if (a == "-o" && hasValue && request.folder.empty()) {
            request.folder = args[++i];
        } else if (a == "--kit" && hasValue && request.kitPath.empty()) {
            request.kitPath = args[++i];
        } else if (a == "--own-rate") {
            request.rate = FileRate::Own;
        } else if (!a.empty() && !a.starts_with('-') && request.input.empty()) {
            request.input = a;
        } else {
            return std::nullopt;
        }
    }
    if (request.input.empty() || request.folder.empty())
        return std::nullopt;
    return request;
}

std::string fileNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool createFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

} // namespace

int runSlice(const Args& args, std::ostream& out, std::ostream& err, const PictureReaders&)
{
    (void)out;
    const auto request = parse(args);
    if (!request) {
        err << kUsage;
        return kExitUsage;
    }

    CInstrument source;
    if (const ReadStatus loaded = source.LoadWave(request->input, request->rate); !loaded) {
        err << "quom slice: " << loaded.error().message() << '\n';
        return kExitFailure;
    }
    // Checked before the folder is made, so that a refused file leaves no trace.
    if (source.length() < kMinSliceSourceFrames) {
        err << "The file '" << fileNameOf(request->input) << "' is too short.\n";
        return kExitFailure;
    }
    if (!createFolder(request->folder)) {
        err << "quom slice: " << request->folder << ": cannot create the folder\n";
        return kExitFailure;
    }
    const SliceResult sliced = writeSlices(source.data.values(), request->input, request->folder);
    if (!sliced) {
        err << "quom slice: " << sliced.error << '\n';
        return kExitFailure;
    }

    if (request->kitPath.empty())
        return kExitOk;
    CKit kit;
    for (int i = 0; i < kKitSlots; ++i)
        kit.slot(i).name = sliced.paths[i];
    if (const auto saved = kit.Save(request->kitPath); !saved) {
        err << "quom slice: " << saved.error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace quom::cli

// Project files (.qom).
#include "FuzzFile.h"

#include "core/files/FileType.h"
#include "core/files/ProjectFile.h"

#include <algorithm>
#include <span>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span bytes(data, size);
    quom::detectFileType(bytes);
    const auto project = quom::parseProjectFile(bytes, "fuzz.qom");
    if (!project)
        return 0;
    // A project that was read can be written, and what is written reads back the same.
    const auto again = quom::parseProjectFile(quom::encodeProjectFile(*project), "fuzz.qom");
    const auto fields = [](const quom::ProjectSlot& s) {
        return std::tie(s.name, s.loop, s.fade, s.minKey, s.maxKey, s.scaleIndex);
    };
    if (!again || again->tempos != project->tempos || again->patterns != project->patterns
        || !std::equal(again->slots.begin(), again->slots.end(), project->slots.begin(),
            [&](const auto& a, const auto& b) { return fields(a) == fields(b); }))
        fuzzFailure("a project that does not read back");
    return 0;
}

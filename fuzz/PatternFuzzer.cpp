// Pattern files (.pat).
#include "FuzzFile.h"

#include "core/files/FileType.h"
#include "core/files/PatternFile.h"

#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span bytes(data, size);
    quom::detectFileType(bytes);
    const auto pattern = quom::parsePatternFile(bytes, "fuzz.pat");
    if (!pattern)
        return 0;
    // What is written must read back as it was.
    const auto written = quom::encodePatternFile(*pattern);
    const auto again = quom::parsePatternFile(written, "fuzz.pat");
    if (!again || again->tempo != pattern->tempo || again->cells != pattern->cells)
        fuzzFailure("a pattern that does not read back");
    return 0;
}

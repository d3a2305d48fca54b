// Kit files: the line reader and the kit that reads its slots from it.
#include "FuzzFile.h"

#include "core/kit/Kit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quom::CKit kit;
    if (!kit.readKitFile(writeFuzzFile(data, size, "fuzz.kit")))
        fuzzFailure("a readable kit file refused");
    return 0;
}

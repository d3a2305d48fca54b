// Pictures to import, decoded by Qt's image readers and averaged into a pattern.
#include "FuzzFile.h"
#include "OffscreenApplication.h"

#include "platform/pictures/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    startOffscreenApplication("fuzz_picture");
    // Qt picks the decoder by content; the name only keeps the file apart.
    quom::readPictureFile(writeFuzzFile(data, size, "fuzz.picture"));
    return 0;
}

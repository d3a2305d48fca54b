// Pictures to import, decoded by Qt's image readers and averaged into a pattern.
#include "FuzzFile.h"

#include "platform/pictures/Picture.h"

#include <QGuiApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // As in the sub-commands: the SVG reader needs fonts for text, so a GUI application
    // object, and no display.
    static const bool kOffscreen = ::setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0;
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    if (!kOffscreen)
        fuzzFailure("cannot set QT_QPA_PLATFORM");
    // Qt picks the decoder by content; the name only keeps the file apart.
    quom::readPictureFile(writeFuzzFile(data, size, "fuzz.picture"));
    return 0;
}

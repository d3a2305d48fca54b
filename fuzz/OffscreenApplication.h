#pragma once

#include "FuzzFile.h"

#include <QGuiApplication>

#include <cstdlib>

// Made once, before the first input: as in the program, Qt's picture readers (SVG text
// needs fonts) and values stored as Qt types need a GUI application object, and a fuzzer
// has no display.
inline void startOffscreenApplication(const char* name)
{
    static const bool kOffscreen = ::setenv("QT_QPA_PLATFORM", "offscreen", 1) == 0;
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    static QGuiApplication application(argc, argv);
    if (!kOffscreen)
        fuzzFailure("cannot set QT_QPA_PLATFORM");
}

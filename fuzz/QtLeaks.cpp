// Qt keeps its font caches, and the font libraries under them, until after the leak check
// at exit: what they hold then is not a leak of a read picture.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6Gui.so\n"
           "leak:libfreetype.so\n"
           "leak:libharfbuzz.so\n"
           "leak:libfontconfig.so\n";
}

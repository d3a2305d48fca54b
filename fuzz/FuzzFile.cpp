#include "FuzzFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

const std::filesystem::path& fuzzFolder()
{
    static const std::filesystem::path kFolder = [] {
        auto f = std::filesystem::temp_directory_path() / ("quom-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return kFolder;
}

std::string writeFuzzFile(const std::uint8_t* data, std::size_t size, const std::string& name)
{
    const std::string path = (fuzzFolder() / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush())
        fuzzFailure("cannot write the input file");
    return path;
}

void fuzzFailure(const char* what)
{
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

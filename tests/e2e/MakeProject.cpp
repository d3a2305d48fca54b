// Writes a small project for the end-to-end tests: one click sample and pattern 1
// with notes at the given cells.
//
//   quom_e2e_project FOLDER TEMPO COLUMN:ROW...
//
// Creates FOLDER/click.wav (mono, 16 bits: 64 frames at half scale, then silence)
// and FOLDER/test.qom whose rows play that click. Prints, one per line, the frame at
// which each column's step starts after playback starts, as the engine defines it.

#include "core/audio/Engine.h"
#include "core/files/ProjectFile.h"
#include "core/io/AtomicFile.h"
#include "core/io/Bytes.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

constexpr int kClickFrames = 64;
constexpr int kSampleFrames = 512;

std::vector<std::uint8_t> clickWave()
{
    quom::ByteWriter w;
    const std::uint32_t dataBytes = kSampleFrames * 2;
    w.text("RIFF");
    w.u32le(36 + dataBytes);
    w.text("WAVEfmt ");
    w.u32le(16);
    w.u16le(1);
    w.u16le(1);
    w.u32le(44100);
    w.u32le(88200);
    w.u16le(2);
    w.u16le(16);
    w.text("data");
    w.u32le(dataBytes);
    for (int i = 0; i < kSampleFrames; ++i)
        w.u16le(i < kClickFrames ? 16384 : 0);
    return w.bytes();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: quom_e2e_project FOLDER TEMPO COLUMN:ROW...\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int tempo = std::atoi(argv[2]);

    const std::string click = folder + "/click.wav";
    if (!quom::writeFileAtomically(click, clickWave())) {
        std::fprintf(stderr, "cannot write %s\n", click.c_str());
        return 1;
    }

    quom::ProjectFileData project;
    project.tempos[0] = tempo;
    std::set<int> columns;
    for (int i = 3; i < argc; ++i) {
        int column = 0, row = 0;
        if (std::sscanf(argv[i], "%d:%d", &column, &row) != 2 || column < 0 || column >= quom::kColumns
            || row < 0 || row >= quom::kRows) {
            std::fprintf(stderr, "bad cell %s\n", argv[i]);
            return 2;
        }
        project.patterns[0][quom::cellIndex(column, row)] = quom::makeCell(255, 128, 128);
        project.slots[row].name = click;
        columns.insert(column);
    }
    const std::string path = folder + "/test.qom";
    if (!quom::writeProjectFile(path, project)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    for (int column : columns)
        std::printf("%d\n", column * quom::framesPerStep(tempo));
    return 0;
}

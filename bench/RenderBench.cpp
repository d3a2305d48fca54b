#include "core/files/ProjectFile.h"
#include "core/io/WaveWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace quom;

// A project whose first pattern has every cell painted, at 120 BPM, with 64
// one-second noise samples: the heaviest pattern a project can hold. Its folder is
// removed when the benchmark program ends.
class FullProject {
public:
    FullProject()
    {
        char folder[] = "/tmp/quom-bench-XXXXXX";
        dir_ = mkdtemp(folder);
        std::mt19937 gen(3);
        std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
        std::uniform_int_distribution<int> byte(0, 255);
        ProjectFileData project;
        for (int s = 0; s < kProjectKitSlots; ++s) {
            std::vector<float> sample(44100);
            for (auto& v : sample)
                v = noise(gen);
            project.slots[s].name = dir_ + "/noise" + std::to_string(s) + ".wav";
            WriteWave16(project.slots[s].name, sample, 1);
        }
        for (auto& cell : project.patterns[0])
            cell = makeCell(byte(gen), byte(gen), byte(gen)) | 1;
        writeProjectFile(path(), project);
    }
    ~FullProject() { std::filesystem::remove_all(dir_); }
    FullProject(const FullProject&) = delete;
    FullProject& operator=(const FullProject&) = delete;

    std::string path() const { return dir_ + "/full.qom"; }
    std::string output() const { return dir_ + "/full.wav"; }

private:
    std::string dir_;
};

// quom render of the fully painted pattern as a whole process: start, read the
// project and its 64 samples, render the 8-second pass, write the wave file.
void renderProcess(benchmark::State& state)
{
    static const FullProject kFiles;
    const std::string project = kFiles.path();
    const std::string output = kFiles.output();
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            execl(QUOM_BINARY, QUOM_BINARY, "render", project.c_str(), "-o", output.c_str(), nullptr);
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("quom render failed");
            break;
        }
    }
    state.counters["realtime"]
        = benchmark::Counter(static_cast<double>(state.iterations()) * 8.0, benchmark::Counter::kIsRate);
}
BENCHMARK(renderProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

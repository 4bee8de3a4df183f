// The setup operations on the host services, each measured beside a floor: the plain system calls
// that any implementation of the same operation has to make, timed in the same run.
#include "platform/host/HostPlatform.h"
#include "setup/DeviceTypes.h"
#include "setup/Install.h"
#include "setup/SystemStore.h"
#include "setup/Upgrade.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The host services with the command left out (starting a process would swamp what is measured)
// and any message taken as a broken set-up.
class QuietPlatform : public HostPlatform {
public:
    using HostPlatform::HostPlatform;
    int RunCommand(const std::string&) override { return 0; }
    void ShowMessage(const std::string& text) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
        std::abort();
    }
};

// A fresh folder standing for C:\, removed at exit.
std::string MakeDrive()
{
    static std::vector<std::string> drives;
    static const bool cleanUp = std::atexit([] {
        std::error_code ignored;
        for (const std::string& drive : drives)
            fs::remove_all(drive, ignored);
    }) == 0;
    (void)cleanUp;
    std::string pattern = (fs::temp_directory_path() / "corvane-bench-XXXXXX").string();
    if (!::mkdtemp(&pattern[0]))
        std::abort();
    drives.push_back(pattern);
    return pattern;
}

// --- Claiming a number when 01 .. taken are in use -------------------------------------------

struct ClaimDrive {
    std::string root;
    int taken = 0;
};

const ClaimDrive& DriveWithTaken(int taken)
{
    static std::map<int, ClaimDrive> drives;
    ClaimDrive& drive = drives[taken];
    if (drive.root.empty()) {
        drive.root = MakeDrive();
        drive.taken = taken;
        fs::create_directory(drive.root + "/kel");
        for (int n = 1; n <= taken; ++n)
            fs::create_directory(drive.root + "/kel/" + SystemName("wxyz-lt", n));
    }
    return drive;
}

// Puts the drive back as it was: the claimed directory and its marker go.
void Unclaim(const ClaimDrive& drive)
{
    const std::string directory = drive.root + "/kel/" + SystemName("wxyz-lt", drive.taken + 1);
    if (::unlink((directory + "/sysname.dat").c_str()) != 0 || ::rmdir(directory.c_str()) != 0)
        std::abort();
}

void InstallClaim(benchmark::State& state)
{
    const ClaimDrive& drive = DriveWithTaken(static_cast<int>(state.range(0)));
    QuietPlatform os(drive.root, "C:\\corvane\\corvane.exe");
    for (auto _ : state) {
        if (!InstallSystem(os, "WXYZ", "LT"))
            std::abort();
        state.PauseTiming();
        Unclaim(drive);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (drive.taken + 1));
}

// The same mkdir calls (the base, each taken number, the free one) and one file write.
void FloorClaim(benchmark::State& state)
{
    const ClaimDrive& drive = DriveWithTaken(static_cast<int>(state.range(0)));
    const std::string base = drive.root + "/kel";
    for (auto _ : state) {
        ::mkdir(base.c_str(), 0777);
        std::string directory;
        for (int n = 1; n <= kLastSystemNumber; ++n) {
            directory = base + "/" + SystemName("wxyz-lt", n);
            if (::mkdir(directory.c_str(), 0777) == 0)
                break;
        }
        std::FILE* marker = std::fopen((directory + "/sysname.dat").c_str(), "wb");
        if (!marker || std::fputs(directory.c_str() + base.size() + 1, marker) < 0 || std::fclose(marker) != 0)
            std::abort();
        state.PauseTiming();
        Unclaim(drive);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (drive.taken + 1));
}

// --- Listing a base directory of many entries ------------------------------------------------

const std::string& DriveWithSystems(int count)
{
    static std::map<int, std::string> drives;
    std::string& root = drives[count];
    if (root.empty()) {
        root = MakeDrive();
        fs::create_directory(root + "/kel");
        for (int n = 0; n < count; ++n)
            fs::create_directory(root + "/kel/s" + std::to_string(n) + "-lt01");
    }
    return root;
}

void ListSystems(benchmark::State& state)
{
    const std::string& root = DriveWithSystems(static_cast<int>(state.range(0)));
    QuietPlatform os(root, "C:\\corvane\\corvane.exe");
    for (auto _ : state) {
        const std::vector<std::string> systems = ListInstalledSystems(os, kBaseDirectory);
        if (systems.size() != static_cast<size_t>(state.range(0)))
            std::abort();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A readdir loop keeping the names with a dash: the same result, without the Windows path layer.
void FloorList(benchmark::State& state)
{
    const std::string base = DriveWithSystems(static_cast<int>(state.range(0))) + "/kel";
    for (auto _ : state) {
        std::vector<std::string> systems;
        DIR* dir = ::opendir(base.c_str());
        if (!dir)
            std::abort();
        while (const dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != ".." && name.find('-') != std::string::npos)
                systems.push_back(std::move(name));
        }
        ::closedir(dir);
        if (systems.size() != static_cast<size_t>(state.range(0)))
            std::abort();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// --- Loading a catalogue ---------------------------------------------------------------------

// range(0): size in MiB; range(1): 0 for short tokens ("LT WX PRM TR9 GNX" lines), 1 for one token.
const std::string& DriveWithCatalogue(int mebibytes, bool oneToken)
{
    static std::map<std::pair<int, bool>, std::string> drives;
    std::string& root = drives[{mebibytes, oneToken}];
    if (root.empty()) {
        root = MakeDrive();
        fs::create_directory(root + "/corvane");
        const std::string line = oneToken ? std::string(1024, 'T') : "LT WX PRM TR9 GNX\n";
        const size_t size = static_cast<size_t>(mebibytes) << 20;
        std::string text;
        while (text.size() < size)
            text += line;
        text.resize(size, 'T');
        std::ofstream(root + "/corvane/keldevicetypes.dat", std::ios::binary) << text;
    }
    return root;
}

void LoadCatalogue(benchmark::State& state)
{
    const std::string& root = DriveWithCatalogue(static_cast<int>(state.range(0)), state.range(1) != 0);
    QuietPlatform os(root, "C:\\corvane\\corvane.exe");
    for (auto _ : state) {
        size_t bytes = 0;
        LoadDeviceTypes(os, [&bytes](const std::string& type) { bytes += type.size(); });
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
}

// Reading the file once, in the same 64 KiB pieces the reader uses.
void FloorRead(benchmark::State& state)
{
    const std::string path =
        DriveWithCatalogue(static_cast<int>(state.range(0)), state.range(1) != 0) + "/corvane/keldevicetypes.dat";
    std::string chunk(64 * 1024, '\0');
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
            std::abort();
        size_t bytes = 0;
        size_t got;
        while ((got = std::fread(&chunk[0], 1, chunk.size(), file)) > 0)
            bytes += got;
        std::fclose(file);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
}

// Not a floor: reading the file into one string of its size, to show what holding a token of that
// size in fresh memory costs by itself.
void WholeRead(benchmark::State& state)
{
    const std::string path =
        DriveWithCatalogue(static_cast<int>(state.range(0)), state.range(1) != 0) + "/corvane/keldevicetypes.dat";
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file)
            std::abort();
        std::string text(static_cast<size_t>(state.range(0)) << 20, '\0');
        const size_t got = std::fread(&text[0], 1, text.size(), file);
        std::fclose(file);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
}

}  // namespace

BENCHMARK(FloorClaim)->Arg(99)->Arg(998)->Unit(benchmark::kMicrosecond);
BENCHMARK(InstallClaim)->Arg(99)->Arg(998)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ListSystems)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorRead)->Args({16, 0})->Args({64, 0})->Args({16, 1})->Args({64, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(LoadCatalogue)->Args({16, 0})->Args({64, 0})->Args({16, 1})->Args({64, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(WholeRead)->Args({16, 1})->Args({64, 1})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Every drive is made, and written out, before anything is timed: a floor measured while the
    // file system still flushes a hundred thousand new directories would be no floor.
    for (int taken : {99, 998})
        DriveWithTaken(taken);
    for (int count : {10000, 100000})
        DriveWithSystems(count);
    for (int mebibytes : {16, 64}) {
        DriveWithCatalogue(mebibytes, false);
        DriveWithCatalogue(mebibytes, true);
    }
    ::sync();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The setup operations on the Windows services, each measured beside a floor: the plain Win32 and
// C run-time calls that any implementation of the same operation has to make, timed in the same run.
#include "bench/Harness.h"
#include "platform/File.h"
#include "platform/win32/Win32Platform.h"
#include "setup/DeviceTypes.h"
#include "setup/Install.h"
#include "setup/SystemStore.h"
#include "setup/Upgrade.h"
#include "unicode/Wide.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kRepetitions = 9;

// A broken set-up or a wrong result: the run stops, and what it made is removed on the way out.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The Windows services with the command left out (starting a process would swamp what is measured)
// and any message but the one expected taken as a broken set-up.
class QuietPlatform : public Win32Platform {
public:
    using Win32Platform::Win32Platform;
    std::optional<int> RunCommand(const CommandRun&) override { return 0; }
    void ShowMessage(const std::string& text) override
    {
        if (expected.empty() || text.compare(0, expected.size(), expected) != 0)
            throw Failure("unexpected message: " + text.substr(0, 200));
        shown = text;
    }
    std::string expected;  ///< how the one message expected starts; "" for none
    std::string shown;     ///< the last message expected and shown
};

// Directories and files made for one measurement, removed again, newest first, when it goes.
class Scratch {
public:
    explicit Scratch(PlatformServices& os) : m_os(os) {}
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch()
    {
        for (auto made = m_made.rbegin(); made != m_made.rend(); ++made) {
            if (!m_os.RemoveEntry(made->first))
                std::fprintf(stderr, "corvane_bench: could not remove %s\n", made->first.c_str());
        }
    }

    void Directory(const std::string& path)
    {
        if (m_os.MakeDirectory(path) != MakeDirResult::Created)
            throw Failure("could not make " + path);
        m_made.emplace_back(path, false);
    }

    // Written in binary, so the bytes on disk are exactly `bytes`.
    void File(const std::string& path, const std::string& bytes)
    {
        ::File file(path, "wb");
        if (!file)
            throw Failure("could not make " + path);
        m_made.emplace_back(path, true);
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.Get()) == bytes.size();
        if (!file.Close() || !written)
            throw Failure("could not write " + path);
    }

private:
    PlatformServices& m_os;
    std::vector<std::pair<std::string, bool>> m_made;  // path, and whether it is a file
};

// One line of the table: medians, their ratio, the spread of the ratio over the repetitions, and
// the operation's time per unit of size (`scale` units of `unit` to the second), to compare sizes.
void Report(const char* operation, const std::string& size, const Comparison& c, double units, double scale,
            const char* unit)
{
    std::printf("| %-38s | %-15s | %9.3f ms | %9.3f ms | %5.2f | %5.2f-%5.2f | %7.2f %-12s |\n", operation,
                size.c_str(), c.time * 1e3, c.floor * 1e3, c.time / c.floor, c.lowestRatio, c.highestRatio,
                c.time * scale / units, unit);
    std::fflush(stdout);
}

// --- Claiming the next number when 01 .. taken are in use --------------------------------------

std::string ClaimDirectory(int number)
{
    return std::string(kBaseDirectory) + "\\wxyz-lt" + (number < 10 ? "0" : "") + std::to_string(number);
}

void Claim(QuietPlatform& os, int taken)
{
    Scratch store(os);
    store.Directory(kBaseDirectory);
    for (int number = 1; number <= taken; ++number)
        store.Directory(ClaimDirectory(number));

    const std::string claimed = ClaimDirectory(taken + 1);
    const auto unclaim = [&] {
        if (!os.RemoveEntry(claimed + "\\" + kMarkerFileName) || !os.RemoveEntry(claimed))
            throw Failure("no marker in " + claimed);
    };
    const auto install = [&] {
        if (InstallSystem(os, "WXYZ", "LT") != SetupResult::Done)
            throw Failure("InstallSystem failed");
    };
    // The base, every taken number and the free one, each made and let fail, then the marker.
    const auto floor = [&] {
        CreateDirectoryW(Wide(kBaseDirectory).c_str(), nullptr);
        std::string directory;
        for (int number = 1; number <= kLastSystemNumber; ++number) {
            directory = ClaimDirectory(number);
            if (CreateDirectoryW(Wide(directory).c_str(), nullptr))
                break;
        }
        const std::string path = directory + "\\" + kMarkerFileName;
        std::FILE* marker = _wfopen(Wide(path).c_str(), L"w");
        if (!marker)
            throw Failure("could not open " + path);
        const bool written = std::fputs(directory.c_str() + std::strlen(kBaseDirectory) + 1, marker) >= 0;
        if (std::fclose(marker) != 0 || !written)
            throw Failure("could not write " + path);
    };
    Report("claim the next number (InstallSystem)", std::to_string(taken) + " taken",
           Compare({install, unclaim}, {floor, unclaim}, kRepetitions), taken + 1, 1e6, "us / number");
}

// --- Listing a base directory of many entries ----------------------------------------------------

void List(QuietPlatform& os, int count)
{
    const std::string base = ProgramDirectory(os) + "systems";
    Scratch store(os);
    store.Directory(base);
    for (int n = 0; n < count; ++n)
        store.Directory(base + "\\s" + std::to_string(n) + "-lt01");

    const auto check = [count](const std::vector<std::string>& systems) {
        if (systems.size() != static_cast<size_t>(count))
            throw Failure("listed " + std::to_string(systems.size()) + " of " + std::to_string(count) + " systems");
    };
    const auto list = [&] { check(ListInstalledSystems(os, base)); };
    // "." and ".." hold no dash, so the dash test alone keeps the systems.
    const std::wstring pattern = Wide(base + "\\*");
    const auto floor = [&] {
        std::vector<std::string> systems;
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW(pattern.c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            throw Failure("could not list " + base);
        do {
            if (std::wcschr(found.cFileName, L'-'))
                systems.push_back(Narrow(found.cFileName));
        } while (FindNextFileW(find, &found));
        FindClose(find);
        check(systems);
    };
    Report("list the base (ListInstalledSystems)", std::to_string(count) + " entries",
           Compare({list, nullptr}, {floor, nullptr}, kRepetitions), count, 1e6, "us / entry");
}

// --- Loading the catalogue -----------------------------------------------------------------------

void Catalogue(QuietPlatform& os, int mebibytes, bool oneToken)
{
    // CR LF line ends, as a catalogue edited on Windows has them: the text-mode reads of both sides
    // then have line ends to translate.
    const size_t size = static_cast<size_t>(mebibytes) << 20;
    std::string text;
    if (oneToken) {
        text.assign(size, 'T');
    } else {
        const std::string line = "LT WX PRM TR9 GNX\r\n";
        text.reserve(size + line.size());
        while (text.size() < size)
            text += line;
        text.resize(size);
    }
    size_t tokenBytes = 0;
    size_t lineEnds = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        tokenBytes += std::strchr(" \r\n", text[i]) ? 0 : 1;
        lineEnds += text.compare(i, 2, "\r\n") == 0 ? 1 : 0;
    }
    const std::string path = ProgramDirectory(os) + kCatalogueFileName;
    Scratch files(os);
    files.File(path, text);

    const auto load = [&] {
        size_t bytes = 0;
        for (const std::string& type : LoadDeviceTypes(os))
            bytes += type.size();
        if (bytes != tokenBytes)
            throw Failure("LoadDeviceTypes handed over " + std::to_string(bytes) + " bytes");
    };
    // Read as the services read it: text mode, which turns every CR LF into LF.
    std::string chunk(64 * 1024, '\0');
    const auto floor = [&] {
        std::FILE* file = _wfopen(Wide(path).c_str(), L"r");
        if (!file)
            throw Failure("could not open " + path);
        size_t bytes = 0;
        size_t got;
        while ((got = std::fread(&chunk[0], 1, chunk.size(), file)) > 0)
            bytes += got;
        std::fclose(file);
        if (bytes != size - lineEnds)
            throw Failure("read " + std::to_string(bytes) + " bytes of " + path);
    };
    Report(oneToken ? "load the catalogue, one token" : "load the catalogue, short tokens",
           std::to_string(mebibytes) + " MiB", Compare({load, nullptr}, {floor, nullptr}, kRepetitions), mebibytes, 1e3,
           "ms / MiB");

    // An install with a type the catalogue lacks: the catalogue loaded, searched, and a few of its
    // types named in a message that stays short.
    const auto refuse = [&] {
        os.expected = "The system type NOPE is not one of the ";
        const SetupResult result = InstallSystem(os, "WXYZ", "NOPE");
        os.expected.clear();
        if (result != SetupResult::Refused || os.shown.size() > 200)
            throw Failure("a type not offered gave " + os.shown.substr(0, 200));
    };
    Report(oneToken ? "type not offered, one token" : "type not offered, short tokens",
           std::to_string(mebibytes) + " MiB", Compare({refuse, nullptr}, {floor, nullptr}, kRepetitions), mebibytes,
           1e3, "ms / MiB");
}

constexpr const char* kParts[] = {"claim", "list", "catalogue"};

bool Wanted(int argc, char** argv, const char* part)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], part) == 0)
            return true;
    }
    return argc < 2;
}

}  // namespace

// Arguments name the parts to run (claim, list, catalogue); none runs them all.
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const auto named = [&](const char* part) { return std::strcmp(argv[i], part) == 0; };
        if (std::none_of(std::begin(kParts), std::end(kParts), named)) {
            std::fprintf(stderr, "usage: corvane_bench [claim] [list] [catalogue]\n");
            return 2;
        }
    }
    try {
        QuietPlatform os;
        // Claims count the numbers in C:\kel, and the bench removes C:\kel afterwards: it must be
        // the bench's own.
        if (os.PathType(kBaseDirectory) != PathKind::Missing)
            throw Failure(std::string(kBaseDirectory) + " exists already; run the bench in a prefix of its own");
        std::printf("Medians of %d repetitions; ratio = time / floor, and its lowest-highest over the repetitions.\n\n",
                    kRepetitions);
        std::printf("| %-38s | %-15s | %12s | %12s | %5s | %11s | %-20s |\n", "operation", "size", "time", "floor",
                    "ratio", "spread", "time / size");
        std::printf("|%s|%s|%s|%s|%s|%s|%s|\n", std::string(40, '-').c_str(), std::string(17, '-').c_str(),
                    std::string(14, '-').c_str(), std::string(14, '-').c_str(), std::string(7, '-').c_str(),
                    std::string(13, '-').c_str(), std::string(22, '-').c_str());
        if (Wanted(argc, argv, "claim")) {
            Claim(os, 99);
            Claim(os, 998);
        }
        if (Wanted(argc, argv, "list")) {
            List(os, 1000);
            List(os, 10000);
        }
        if (Wanted(argc, argv, "catalogue")) {
            for (bool oneToken : {false, true}) {
                Catalogue(os, 4, oneToken);
                Catalogue(os, 16, oneToken);
            }
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "corvane_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}

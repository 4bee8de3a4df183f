// The timing harness: steady_clock around each run, medians over repetitions. Standard library only.
#include "bench/Harness.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// Seconds spent in `runs` runs of `what`, its restores left out.
double TimeRuns(const Timed& what, int runs)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration spent{};
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        what.run();
        spent += Clock::now() - start;
        if (what.restore)
            what.restore();
    }
    return std::chrono::duration<double>(spent).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

Comparison Compare(const Timed& operation, const Timed& floor, int repetitions)
{
    // The first runs pay for what later ones find ready: Wine's code paths, the allocator's
    // pages, the host's directory and page caches.
    TimeRuns(operation, 2);
    const double floorOnce = TimeRuns(floor, 2) / 2;
    const int runs = std::max(1, static_cast<int>(0.1 / std::max(floorOnce, 1e-9)));

    std::vector<double> times, floors, ratios;
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        // Taking turns going first keeps a drift in the machine's load (other builds start and
        // stop) from always landing on the same side.
        double time, floorTime;
        if (repetition % 2 == 0) {
            time = TimeRuns(operation, runs) / runs;
            floorTime = TimeRuns(floor, runs) / runs;
        } else {
            floorTime = TimeRuns(floor, runs) / runs;
            time = TimeRuns(operation, runs) / runs;
        }
        times.push_back(time);
        floors.push_back(floorTime);
        ratios.push_back(time / floorTime);
    }
    Comparison result;
    result.time = Median(times);
    result.floor = Median(floors);
    result.lowestRatio = *std::min_element(ratios.begin(), ratios.end());
    result.highestRatio = *std::max_element(ratios.begin(), ratios.end());
    return result;
}

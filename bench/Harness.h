// A small timing harness: an operation and its floor timed alternately in one run, medians compared.
#pragma once

#include <functional>

/// One thing to time. Only `run` is timed; `restore`, when set, runs untimed after every run and
/// puts back what `run` changed, so that every run meets the same state.
struct Timed {
    std::function<void()> run;
    std::function<void()> restore;
};

/// Seconds per run of an operation and of its floor (medians over the repetitions), and the
/// lowest and highest ratio of one repetition's operation time to the same repetition's floor.
struct Comparison {
    double time = 0;
    double floor = 0;
    double lowestRatio = 0;
    double highestRatio = 0;
};

/// Runs each of the two twice untimed, then times them alternately, `repetitions` times; each
/// repetition times as many runs of each as fill about a tenth of a second of the floor, and the
/// two take turns going first. Whatever `run` or `restore` does on failure is theirs to decide.
Comparison Compare(const Timed& operation, const Timed& floor, int repetitions);

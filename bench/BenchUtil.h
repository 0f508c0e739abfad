#pragma once
// Small helpers shared by the benchmark programs: timing, peak memory, figure output.
#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Peak resident set size of this process so far, in MiB.
double PeakRssMiB();

// The corpus file named by VARNET_CORPUS; exits with a message when it is missing.
std::string CorpusPath();

// Prints "figure <name> <value> <unit>", optionally followed by an anchor measured in the same run.
void Figure(const std::string& name, double value, const std::string& unit);
void Figure(const std::string& name, double value, const std::string& unit,
            const std::string& anchorName, double anchorValue);

// Median and maximum of a list of samples.
double Median(std::vector<double> samples);
double Maximum(const std::vector<double>& samples);

// The median time of `runs` calls of f, in seconds.
template <class F>
double MedianSeconds(int runs, F&& f)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        f();
        samples.push_back(SecondsSince(start));
    }
    return Median(samples);
}

} // namespace bench

namespace bench {

// Runs a program to its end and reports its wall time and peak resident size (MiB);
// seconds is negative when the program could not be run.
struct ProcessFigures {
    double seconds = -1;
    double peakMiB = 0;
};
ProcessFigures RunProcess(const std::vector<std::string>& argv);

} // namespace bench

#include "BenchUtil.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace bench {

double PeakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string CorpusPath()
{
    const char* path = std::getenv("VARNET_CORPUS");
    if (path == nullptr || *path == '\0') {
        std::fprintf(stderr, "VARNET_CORPUS is not set; run bench/run\n");
        std::exit(2);
    }
    return path;
}

void Figure(const std::string& name, double value, const std::string& unit)
{
    std::printf("figure %s %.6g %s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

void Figure(const std::string& name, double value, const std::string& unit,
            const std::string& anchorName, double anchorValue)
{
    std::printf("figure %s %.6g %s anchor %s %.6g\n", name.c_str(), value, unit.c_str(),
                anchorName.c_str(), anchorValue);
    std::fflush(stdout);
}

double Median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double Maximum(const std::vector<double>& samples)
{
    return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

} // namespace bench

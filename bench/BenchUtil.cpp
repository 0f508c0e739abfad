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

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace bench {

ProcessFigures RunProcess(const std::vector<std::string>& argv)
{
    ProcessFigures f;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 1, 0);
    auto start = Clock::now();
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return f;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) < 0)
        return f;
    f.seconds = SecondsSince(start);
    f.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return f;
}

} // namespace bench

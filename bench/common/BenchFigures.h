#pragma once
// What the benchmarks measure with: milliseconds of a clock's duration or since the clock's
// start, the median and 99th percentile of a run's times, a file's bytes.

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace benchfigures {

inline double Ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The same in every process of the machine (the system's performance counter on Windows),
// so that a time one process writes can be compared with another's.
inline double NowMs()
{
    return Ms(std::chrono::steady_clock::now().time_since_epoch());
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

inline double Percentile99(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, v.size() * 99 / 100)];
}

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace benchfigures

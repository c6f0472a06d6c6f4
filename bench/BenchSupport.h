#pragma once

#include <algorithm>
#include <vector>

// The middle one of a run of timings: what a run of the same work usually takes.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

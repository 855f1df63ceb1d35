#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

// The value below which the fraction q of the samples lie (nearest rank); 0 without samples.
inline double percentile(std::vector<double> samples, double q)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(std::ceil(q * double(samples.size())));
    return samples[std::clamp<std::size_t>(rank, 1, samples.size()) - 1];
}

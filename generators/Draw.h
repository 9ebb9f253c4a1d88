// The generators' choices, from the random engine's raw output only: the
// library's distributions differ between implementations, and a seed must
// make the same event everywhere.
#pragma once

#include <cstdint>
#include <random>

namespace benchevent {

class Draw {
public:
    explicit Draw(std::uint32_t u_seed) : Gen(u_seed) {}
    // 0 to n - 1; 0 for n below 1.
    int Below(int n) { return n < 1 ? 0 : static_cast<int>(Gen() % static_cast<std::uint32_t>(n)); }
    int Between(int n_low, int n_high) { return n_low + Below(n_high - n_low + 1); }
    bool Percent(int n_percent) { return Below(100) < n_percent; }

private:
    std::mt19937 Gen;
};

} // namespace benchevent

#include "zelkit/base/ZelKeyedObject.h"

#include <algorithm>
#include <iterator>

namespace {

// The table sizes: primes, so that keys handed out in steps still spread
// over every bucket.
constexpr UINT kPrimes[] = {
    53, 101, 211, 331, 503, 701, 809, 907, 1009, 1103, 1201, 1301,
    1511, 1801, 2003, 2411, 2801, 3203, 3607, 4001, 4507, 5003, 6007, 7001,
    8009, 9001, 10007, 12007, 14009, 16001, 18013, 20011, 22003, 24001, 27011,
};
static_assert(std::size(kPrimes) == 35);

} // namespace

UINT ZelHashSize::GetSize(UINT n_count)
{
    // n + n / 5 in 64 bits: a count near the top of the range must not wrap
    // to a small table.
    const std::uint64_t u_wanted = std::uint64_t(n_count) + n_count / 5;
    const auto p_prime = std::lower_bound(std::begin(kPrimes), std::end(kPrimes), u_wanted,
        [](UINT u_prime, std::uint64_t u) { return u_prime < u; });
    if (p_prime != std::end(kPrimes))
        return *p_prime;
    return static_cast<UINT>(std::min<std::uint64_t>(u_wanted, 0xFFFFFFFFu));
}

LONG ZelKeyCounter::Settle(std::int64_t ll_next, std::vector<LONG> v_keys, std::int64_t ll_stored)
{
    if (0 <= ll_next && ll_next < INT32_MAX)
        return static_cast<LONG>(ll_next);
    // Keys below 0 are no counter's: the lists refuse or drop them.
    v_keys.erase(std::remove_if(v_keys.begin(), v_keys.end(), [](LONG l_key) { return l_key < 0; }), v_keys.end());
    std::sort(v_keys.begin(), v_keys.end());
    std::int64_t ll_bestStart = 0;
    std::int64_t ll_bestLength = 0;
    std::int64_t ll_free = 0; // the first key above the keys walked so far
    auto run_to = [&](std::int64_t ll_end) {
        if (ll_end - ll_free > ll_bestLength) {
            ll_bestStart = ll_free;
            ll_bestLength = ll_end - ll_free;
        }
    };
    for (LONG l_key : v_keys) {
        run_to(l_key);
        ll_free = std::max<std::int64_t>(ll_free, std::int64_t(l_key) + 1);
    }
    run_to(std::int64_t(INT32_MAX) + 1);
    if (ll_bestStart <= ll_stored && ll_stored < ll_bestStart + ll_bestLength && ll_stored < INT32_MAX)
        return static_cast<LONG>(ll_stored);
    return static_cast<LONG>(std::min<std::int64_t>(ll_bestStart, INT32_MAX));
}

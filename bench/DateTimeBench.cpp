// Tick-to-parts conversion over the repeated slot times of a timetable,
// with the conversion cache and with the plain arithmetic.
//
// The timetable: 30 days, 12 venues, slots every 15 minutes from 07:00 to
// 23:00 with lengths of 15 to 75 minutes; the venues of a day share their
// slot times, so about 4000 tick counts are distinct. One pass walks the
// timetable as a grid painter or an export does: day by day, venue by
// venue, slot by slot, reading the hour and minute of each slot's start and
// end (four conversions per slot). A second benchmark converts the same
// times in a random order, the cache's worst case.
#include "zelkit/datetime/CHighTime.h"

#include <benchmark/benchmark.h>

#include <algorithm>

#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr std::int32_t iDays = 30;
constexpr std::int32_t iVenues = 12;

struct Slot {
    std::int64_t llStart;
    std::int64_t llEnd;
};

// The slots of each day (shared by every venue of the day).
const std::vector<std::vector<Slot>>& DaySlots()
{
    static const std::vector<std::vector<Slot>> v_days = [] {
        std::vector<std::vector<Slot>> v(iDays);
        const CHighTime o_base(2000, 1, 1);
        for (std::int32_t i_day = 0; i_day < iDays; ++i_day)
            for (std::int32_t i_minute = 7 * 60; i_minute < 23 * 60; i_minute += 15) {
                const CHighTime o_start = o_base + CHighTimeSpan(i_day, 0, i_minute);
                const CHighTime o_end = o_start + CHighTimeSpan(0, 0, 15 * (1 + (i_minute / 15 + i_day) % 5));
                v[i_day].push_back({static_cast<std::int64_t>(o_start), static_cast<std::int64_t>(o_end)});
            }
        return v;
    }();
    return v_days;
}

std::vector<std::int64_t> TimetableWalk()
{
    std::vector<std::int64_t> v_walk;
    for (const std::vector<Slot>& v_slots : DaySlots())
        for (std::int32_t i_venue = 0; i_venue < iVenues; ++i_venue)
            for (const Slot& o_slot : v_slots)
                v_walk.insert(v_walk.end(), {o_slot.llStart, o_slot.llStart, o_slot.llEnd, o_slot.llEnd});
    return v_walk;
}

std::vector<std::int64_t> RandomOrder()
{
    std::vector<std::int64_t> v_walk = TimetableWalk();
    std::shuffle(v_walk.begin(), v_walk.end(), std::mt19937(20240229));
    return v_walk;
}

std::size_t DistinctTimes()
{
    std::vector<std::int64_t> v = TimetableWalk();
    std::sort(v.begin(), v.end());
    return static_cast<std::size_t>(std::unique(v.begin(), v.end()) - v.begin());
}

template <bool (*Convert)(std::int64_t, CHighTime::_HighTimeFormat&)>
void Run(benchmark::State& o_state, const std::vector<std::int64_t>& v_walk)
{
    CHighTime::_HighTimeFormat o_parts;
    // Warm the cache as a running program's would be.
    for (std::int64_t ll : v_walk)
        Convert(ll, o_parts);
    std::int64_t ll_sum = 0;
    for (auto _ : o_state) {
        for (std::int64_t ll : v_walk) {
            Convert(ll, o_parts);
            ll_sum += o_parts.iHour + o_parts.iMinute;
        }
        benchmark::DoNotOptimize(ll_sum);
    }
    o_state.SetItemsProcessed(o_state.iterations() * static_cast<std::int64_t>(v_walk.size()));
    o_state.counters["distinct"] = static_cast<double>(DistinctTimes());
}

void BM_TimetableCached(benchmark::State& o_state)
{
    Run<&CHighTime::ConvertLongLongToTime>(o_state, TimetableWalk());
}
void BM_TimetableUncached(benchmark::State& o_state)
{
    Run<&CHighTime::ComputeLongLongToTime>(o_state, TimetableWalk());
}
void BM_RandomOrderCached(benchmark::State& o_state)
{
    Run<&CHighTime::ConvertLongLongToTime>(o_state, RandomOrder());
}
void BM_RandomOrderUncached(benchmark::State& o_state)
{
    Run<&CHighTime::ComputeLongLongToTime>(o_state, RandomOrder());
}

// About 92,000 conversions a pass.
BENCHMARK(BM_TimetableCached)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimetableUncached)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomOrderCached)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomOrderUncached)->Iterations(50)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

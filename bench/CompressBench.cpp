// Speed and ratio of the block compressor. Each run reports MB/s of input
// (bytes_per_second) and the ratio as compressed size / input size.
#include "zelkit/services/ZelCompress.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;
constexpr std::size_t kSize = 1 << 20;

// Lines of the kind a text export of an event holds.
Bytes Text()
{
    static const char* const a_names[] = {"Anders", "Brooke", "Chen", "Dara", "Elif", "Farid", "Greta", "Hollis"};
    static const char* const a_venues[] = {"Main hall", "Court 1", "Court 2", "Studio", "Annex"};
    std::mt19937 gen(1);
    std::string s;
    while (s.size() < kSize) {
        s += "Group ";
        s += std::to_string(gen() % 300);
        s += '\t';
        s += a_venues[gen() % 5];
        s += '\t';
        s += a_names[gen() % 8];
        s += ' ';
        s += a_names[gen() % 8];
        s += "\t0" + std::to_string(8 + gen() % 2) + ":" + std::to_string(10 + gen() % 50) + "\r\n";
    }
    s.resize(kSize);
    return Bytes(s.begin(), s.end());
}

// Records like an event file's timeslot sections: little-endian keys,
// offsets and lengths, mostly small and repeating.
Bytes EventBinary()
{
    std::mt19937 gen(2);
    Bytes v;
    auto word = [&](std::uint32_t u) {
        for (int i = 0; i < 4; ++i)
            v.push_back(static_cast<BYTE>(u >> (8 * i)));
    };
    for (std::uint32_t u_slot = 0; v.size() < kSize; ++u_slot) {
        word(3);                             // schema
        word(u_slot % 96 * 9000000u);        // start offset
        word(gen() % 3 == 0 ? 27000000u : 18000000u); // length
        word(u_slot % 7);                    // set key
        word(gen() % 4 == 0 ? gen() % 500 : 0xFFFFFFFFu); // item data
        word(0xFFFFFFFFu);                   // combination key
    }
    v.resize(kSize);
    return v;
}

Bytes RandomBytes()
{
    std::mt19937 gen(3);
    Bytes v(kSize);
    for (auto& b : v)
        b = static_cast<BYTE>(gen());
    return v;
}

Bytes Data(int i_kind)
{
    switch (i_kind) {
    case 0: return Text();
    case 1: return EventBinary();
    default: return RandomBytes();
    }
}

const char* KindName(int i_kind)
{
    static const char* const a_names[] = {"text", "event binary", "random"};
    return a_names[i_kind];
}

void BM_Compress(benchmark::State& state)
{
    const Bytes v_data = Data(static_cast<int>(state.range(0)));
    LONG l_block = 0;
    for (auto _ : state) {
        BYTE* p_block = cmprsdata(v_data.data(), static_cast<LONG>(v_data.size()), &l_block, TRUE);
        benchmark::DoNotOptimize(p_block);
        std::free(p_block);
    }
    state.SetLabel(KindName(static_cast<int>(state.range(0))));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * v_data.size()));
    state.counters["ratio"] = static_cast<double>(l_block) / static_cast<double>(v_data.size());
}

void BM_Uncompress(benchmark::State& state)
{
    const Bytes v_data = Data(static_cast<int>(state.range(0)));
    LONG l_block = 0;
    BYTE* p_block = cmprsdata(v_data.data(), static_cast<LONG>(v_data.size()), &l_block, TRUE);
    LONG l_out = 0;
    for (auto _ : state) {
        BYTE* p_out = ucmprsdata(p_block, l_block, &l_out);
        benchmark::DoNotOptimize(p_out);
        std::free(p_out);
    }
    std::free(p_block);
    if (static_cast<std::size_t>(l_out) != v_data.size())
        state.SkipWithError("round trip lost bytes");
    state.SetLabel(KindName(static_cast<int>(state.range(0))));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * v_data.size()));
    state.counters["ratio"] = static_cast<double>(l_block) / static_cast<double>(v_data.size());
}

} // namespace

BENCHMARK(BM_Compress)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Uncompress)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

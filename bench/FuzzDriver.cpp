// A small mutation driver for fuzz targets, for compilers without
// libFuzzer. It takes the flags the scripts give libFuzzer:
//
//     fuzz_event_file [-max_total_time=S] [-runs=N] [-seed=N] [-max_len=N]
//                     [-artifact_prefix=P] CORPUS_OR_FILE...
//
// (libFuzzer's -timeout, -rss_limit_mb and -print_final_stats are accepted
// and left to the sanitizers and the caller.)
//
// Every given file (and every file of a given folder) runs once first; then
// inputs mutated from the corpus run until the time or the run count is
// used up. When the code is built with -fsanitize-coverage=trace-pc, an
// input that reaches code no input reached before joins the corpus (and,
// when the first argument is a folder, is written there). A run that fails
// leaves its input in P + "crash-<hash>" and ends the driver with status 1.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* p_data, std::size_t n_size);
// Present only when the sanitizers are linked in (a plain build runs the
// seeds as a test without them).
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*p_callback)(void));

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// ---- coverage ----

constexpr std::size_t nMapSize = 1 << 16;
std::uint8_t g_aMap[nMapSize];
std::uint8_t g_aSeen[nMapSize];
std::uintptr_t g_uPrevious = 0;
bool g_bCoverage = false;

// The buckets of hit counts, so that a loop run more often counts as new
// once per order of magnitude.
std::uint8_t Bucket(std::uint8_t n)
{
    if (n == 0)
        return 0;
    if (n < 4)
        return static_cast<std::uint8_t>(1u << (n - 1));
    if (n < 8)
        return 8;
    if (n < 16)
        return 16;
    if (n < 32)
        return 32;
    if (n < 128)
        return 64;
    return 128;
}

// ---- the input of the present run, for the failure handlers ----

Bytes g_vCurrent;
std::string g_sArtifactPrefix;

std::uint64_t Hash(const Bytes& v)
{
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint8_t b : v)
        h = (h ^ b) * 1099511628211ull;
    return h;
}

// Written with plain system calls: it also runs from a signal handler.
void SaveCurrent()
{
    static bool b_saved = false;
    if (b_saved)
        return;
    b_saved = true;
    char a_name[4096];
    std::snprintf(a_name, sizeof a_name, "%scrash-%016llx", g_sArtifactPrefix.c_str(),
                  static_cast<unsigned long long>(Hash(g_vCurrent)));
    const int i_fd = ::open(a_name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (i_fd >= 0) {
        std::size_t n_done = 0;
        while (n_done < g_vCurrent.size()) {
            const ssize_t n = ::write(i_fd, g_vCurrent.data() + n_done, g_vCurrent.size() - n_done);
            if (n <= 0)
                break;
            n_done += static_cast<std::size_t>(n);
        }
        ::close(i_fd);
        const char a_note[] = "fuzz driver: the failing input is in ";
        ssize_t n_ignored = ::write(2, a_note, sizeof a_note - 1);
        n_ignored = ::write(2, a_name, std::strlen(a_name));
        n_ignored = ::write(2, "\n", 1);
        (void)n_ignored;
    }
}

void OnDeath() { SaveCurrent(); }

void OnSignal(int i_signal)
{
    SaveCurrent();
    std::signal(i_signal, SIG_DFL);
    std::raise(i_signal);
}

// ---- mutations ----

class Mutator {
public:
    explicit Mutator(std::uint64_t u_seed) : Random(u_seed) {}

    Bytes Mutate(const std::vector<Bytes>& v_corpus, std::size_t n_maxLen)
    {
        Bytes v = v_corpus[Below(v_corpus.size())];
        const std::size_t n_steps = 1 + Below(4);
        for (std::size_t i = 0; i < n_steps; ++i)
            Step(v, v_corpus);
        if (v.size() > n_maxLen)
            v.resize(n_maxLen);
        return v;
    }

private:
    std::size_t Below(std::size_t n)
    {
        return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(Random);
    }

    void Step(Bytes& v, const std::vector<Bytes>& v_corpus)
    {
        static const std::uint32_t a_interesting[] = {0, 1, 2, 3, 4, 6, 7, 13, 15, 21, 22, 29, 32, 40, 41,
                                                      0x7F, 0x80, 0xFF, 0x100, 0xFFFE, 0xFFFF, 0x10000,
                                                      0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
        switch (Below(v.empty() ? 2 : 9)) {
        case 0: { // insert random bytes
            const std::size_t n = 1 + Below(8), i_at = Below(v.size() + 1);
            Bytes v_new(n);
            for (std::uint8_t& b : v_new)
                b = static_cast<std::uint8_t>(Below(256));
            v.insert(v.begin() + static_cast<std::ptrdiff_t>(i_at), v_new.begin(), v_new.end());
            break;
        }
        case 1: { // splice with another input
            const Bytes& v_other = v_corpus[Below(v_corpus.size())];
            if (v_other.empty())
                break;
            const std::size_t i_from = Below(v_other.size()), n = 1 + Below(v_other.size() - i_from);
            const std::size_t i_at = Below(v.size() + 1);
            v.insert(v.begin() + static_cast<std::ptrdiff_t>(i_at),
                     v_other.begin() + static_cast<std::ptrdiff_t>(i_from),
                     v_other.begin() + static_cast<std::ptrdiff_t>(i_from + n));
            break;
        }
        case 2: // flip a bit
            v[Below(v.size())] ^= static_cast<std::uint8_t>(1u << Below(8));
            break;
        case 3: // set a byte
            v[Below(v.size())] = static_cast<std::uint8_t>(Below(256));
            break;
        case 4: { // an interesting 32-bit word, little-endian
            const std::uint32_t u = a_interesting[Below(std::size(a_interesting))];
            const std::size_t i_at = Below(v.size());
            for (std::size_t k = 0; k < 4 && i_at + k < v.size(); ++k)
                v[i_at + k] = static_cast<std::uint8_t>(u >> (8 * k));
            break;
        }
        case 5: { // add to a byte
            std::uint8_t& b = v[Below(v.size())];
            b = static_cast<std::uint8_t>(b + static_cast<int>(Below(33)) - 16);
            break;
        }
        case 6: { // erase a run
            const std::size_t i_at = Below(v.size()), n = 1 + Below(std::min<std::size_t>(64, v.size() - i_at));
            v.erase(v.begin() + static_cast<std::ptrdiff_t>(i_at), v.begin() + static_cast<std::ptrdiff_t>(i_at + n));
            break;
        }
        case 7: { // repeat a run
            const std::size_t i_at = Below(v.size()), n = 1 + Below(std::min<std::size_t>(64, v.size() - i_at));
            const Bytes v_run(v.begin() + static_cast<std::ptrdiff_t>(i_at),
                              v.begin() + static_cast<std::ptrdiff_t>(i_at + n));
            v.insert(v.begin() + static_cast<std::ptrdiff_t>(i_at), v_run.begin(), v_run.end());
            break;
        }
        default: // cut the end
            v.resize(Below(v.size() + 1));
            break;
        }
    }

    std::mt19937_64 Random;
};

Bytes ReadFile(const fs::path& p_file)
{
    std::ifstream in(p_file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs one input; true when it reached new code.
bool Run(const Bytes& v)
{
    g_vCurrent = v;
    if (g_bCoverage) {
        std::memset(g_aMap, 0, sizeof g_aMap);
        g_uPrevious = 0;
    }
    LLVMFuzzerTestOneInput(v.data(), v.size());
    if (!g_bCoverage)
        return false;
    bool b_new = false;
    for (std::size_t i = 0; i < nMapSize; ++i) {
        const std::uint8_t u = Bucket(g_aMap[i]);
        if ((u & ~g_aSeen[i]) != 0) {
            g_aSeen[i] |= u;
            b_new = true;
        }
    }
    return b_new;
}

bool Flag(const char* p_arg, const char* p_name, long long& ll_value)
{
    const std::size_t n = std::strlen(p_name);
    if (std::strncmp(p_arg, p_name, n) != 0 || p_arg[n] != '=')
        return false;
    ll_value = std::atoll(p_arg + n + 1);
    return true;
}

} // namespace

// Called at every basic block of the code built with trace-pc coverage:
// counts the edge from the previous block.
extern "C" __attribute__((no_sanitize_coverage, no_sanitize_address, no_sanitize_undefined)) void
__sanitizer_cov_trace_pc()
{
    const std::uintptr_t u_pc = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
    const std::size_t i = ((u_pc >> 2) ^ g_uPrevious) & (nMapSize - 1);
    if (g_aMap[i] != 255)
        ++g_aMap[i];
    g_uPrevious = (u_pc >> 3) & (nMapSize - 1);
    g_bCoverage = true;
}

int main(int argc, char** argv)
{
    long long ll_seconds = 0, ll_runs = -1, ll_seed = 1, ll_maxLen = 1 << 20;
    std::vector<fs::path> v_inputs;
    for (int i = 1; i < argc; ++i) {
        long long ll = 0;
        if (Flag(argv[i], "-max_total_time", ll))
            ll_seconds = ll;
        else if (Flag(argv[i], "-runs", ll))
            ll_runs = ll;
        else if (Flag(argv[i], "-seed", ll))
            ll_seed = ll;
        else if (Flag(argv[i], "-max_len", ll))
            ll_maxLen = ll;
        else if (std::strncmp(argv[i], "-artifact_prefix=", 17) == 0)
            g_sArtifactPrefix = argv[i] + 17;
        else if (Flag(argv[i], "-timeout", ll) || Flag(argv[i], "-rss_limit_mb", ll)
                 || Flag(argv[i], "-print_final_stats", ll))
            continue; // libFuzzer's own limits and reports: nothing to do here
        else if (argv[i][0] == '-')
            std::fprintf(stderr, "fuzz driver: %s ignored\n", argv[i]);
        else
            v_inputs.emplace_back(argv[i]);
    }
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(OnDeath);
    for (int i_signal : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL})
        std::signal(i_signal, OnSignal);

    // The given inputs, each once, in name order.
    std::vector<fs::path> v_files;
    for (const fs::path& p : v_inputs) {
        if (fs::is_directory(p)) {
            for (const auto& entry : fs::directory_iterator(p))
                if (entry.is_regular_file())
                    v_files.push_back(entry.path());
        } else {
            v_files.push_back(p);
        }
    }
    std::sort(v_files.begin(), v_files.end());
    std::vector<Bytes> v_corpus;
    for (const fs::path& p : v_files) {
        Bytes v = ReadFile(p);
        if (static_cast<long long>(v.size()) > ll_maxLen)
            v.resize(static_cast<std::size_t>(ll_maxLen));
        Run(v);
        v_corpus.push_back(std::move(v));
    }
    std::printf("fuzz driver: %zu inputs ran%s\n", v_corpus.size(), g_bCoverage ? ", coverage on" : "");
    if (v_corpus.empty())
        v_corpus.emplace_back();

    const fs::path p_corpusDir = !v_inputs.empty() && fs::is_directory(v_inputs[0]) ? v_inputs[0] : fs::path();
    Mutator mutator(static_cast<std::uint64_t>(ll_seed));
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(ll_seconds);
    long long n_runs = 0, n_new = 0;
    while ((ll_runs < 0 || n_runs < ll_runs)
           && (ll_seconds <= 0 ? ll_runs >= 0 : std::chrono::steady_clock::now() < t_end)) {
        Bytes v = mutator.Mutate(v_corpus, static_cast<std::size_t>(ll_maxLen));
        ++n_runs;
        if (Run(v)) {
            ++n_new;
            if (!p_corpusDir.empty()) {
                char a_name[32];
                std::snprintf(a_name, sizeof a_name, "%016llx", static_cast<unsigned long long>(Hash(v)));
                std::ofstream(p_corpusDir / a_name, std::ios::binary)
                    .write(reinterpret_cast<const char*>(v.data()), static_cast<std::streamsize>(v.size()));
            }
            v_corpus.push_back(std::move(v));
        }
    }
    std::printf("fuzz driver: %lld mutated inputs ran, %lld reached new code, corpus %zu\n", n_runs, n_new,
                v_corpus.size());
    return 0;
}

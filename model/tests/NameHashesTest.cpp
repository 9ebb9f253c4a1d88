#include "model/ListRoom.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Names added one after another with look-ups between, against a walk of
// the names added: the last position of a name, or -1. Names repeat, the
// room made at the start is too small, none or right, and every hash is
// also forced into a few values, so that whole runs of slots and filter
// words are shared.
TEST(NameHashes, FindsTheLastPositionOfANameAsAWalkWould)
{
    struct Case {
        int nRoom;
        int nNames;
        int nDistinct;
        std::uint64_t uHashMask;
    };
    const Case a_cases[] = {
        {0, 200, 50, ~std::uint64_t(0)},
        {10, 3000, 2000, ~std::uint64_t(0)},
        {5000, 5000, 5000, ~std::uint64_t(0)},
        {100, 400, 300, 0xF00000F0000000F3u},
    };
    for (const Case& c : a_cases) {
        std::mt19937 rng(7);
        NameHashes hashes;
        hashes.Init(c.nRoom);
        std::vector<std::string> v_added;
        auto hash_of = [&](const std::string& s) { return NameHashes::Hash(s) & c.uHashMask; };
        auto walk = [&](const std::string& s) {
            for (int i = static_cast<int>(v_added.size()); i-- > 0;) {
                if (v_added[static_cast<std::size_t>(i)] == s)
                    return i;
            }
            return -1;
        };
        for (int i = 0; i < c.nNames; ++i) {
            const std::string s_name = "name " + std::to_string(rng() % static_cast<unsigned>(c.nDistinct));
            const std::string s_other = "other " + std::to_string(rng() % 100u);
            for (const std::string& s : {s_name, s_other}) {
                hashes.Prefetch(hash_of(s));
                const int i_found = hashes.FindLast(
                    hash_of(s), [&](int i_at) { return v_added[static_cast<std::size_t>(i_at)] == s; });
                ASSERT_EQ(i_found, walk(s)) << c.nRoom << " " << c.nNames << " " << i << " " << s;
            }
            hashes.Add(hash_of(s_name), static_cast<int>(v_added.size()));
            v_added.push_back(s_name);
        }
        hashes.Clear();
        EXPECT_EQ(hashes.FindLast(hash_of("name 1"), [](int) { return true; }), -1) << "cleared";
    }
}

} // namespace

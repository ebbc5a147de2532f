// The player's C++ side: the calls as packed for the page, the ranks the bars
// are drawn by, and the page's data where a text could break out of it.
#include "player/page.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using adtlab::Call;
using adtlab::player::encode_calls;

TEST(Player, PacksCallsFollowingValuesThroughSwaps) {
    struct Case {
        const char *what;
        std::vector<int> input;
        std::vector<Call> calls;
        const char *packed;
    };
    const Case cases[] = {
        {"a comparison", {3, 1}, {Call::comparison(3, 1, false)}, "AAABAA=="},
        {"a swap", {3, 1}, {Call::swap(0, 1)}, "AIABAA=="},
        {"values moved by a swap",
         {3, 1},
         {Call::swap(0, 1), Call::comparison(3, 1, true)},
         "AIABAAEAAIA="},
        {"a value not in the array", {3, 1}, {Call::comparison(9, 3, true)}, "/38AgA=="},
        {"a swap past the array moves nothing",
         {3, 1},
         {Call::swap(0, 40000), Call::comparison(3, 1, false)},
         "AID/fwAAAQA="},
        {"no calls", {3, 1}, {}, ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(encode_calls(c.input, c.calls), c.packed) << c.what;
    }
    // Reported sites keep equal values apart: positions 1 and 0, not 1 twice.
    const std::vector<Call> equal = {Call::comparison(4, 4, true)};
    const std::vector<adtlab::CallSite> sites = {{70, 1, 0}};
    EXPECT_EQ(encode_calls({4, 4}, equal), "AQABgA==");
    EXPECT_EQ(encode_calls({4, 4}, equal, &sites), "AQAAgA==");
}

TEST(Player, RanksValuesInTheLibrarysOrder) {
    // The library orders by magnitude, the negative value first of two.
    EXPECT_EQ(adtlab::player::value_ranks({5, INT_MIN, 5, 0, 2000000000, -1}),
              (std::vector<unsigned int>{2, 4, 2, 0, 3, 1}));
    EXPECT_EQ(adtlab::player::value_ranks({5, -5}), (std::vector<unsigned int>{1, 0}));
    EXPECT_EQ(adtlab::player::value_ranks({7, 7, 7}), (std::vector<unsigned int>{0, 0, 0}));
    EXPECT_TRUE(adtlab::player::value_ranks({}).empty());
}

TEST(Player, WritesTextsThatCannotEndTheScript) {
    const std::vector<Call> calls = {Call::swap(0, 0)};
    adtlab::player::Group group;
    group.name = "quick";
    group.input = {1};
    group.compares = true;
    group.sentence = "</script><b>\"x\"\n";
    group.panels.push_back({"yours-quick", "yours", "quick", &calls, "killed", std::nullopt});
    group.panels.push_back({"library-quick", "library", "quick", &calls, std::nullopt,
                            adtlab::player::Expected{{0, "0"}, {std::nullopt, ""}}});
    const std::string data = adtlab::player::page_data("t", {group});
    for (const char *expected :
         {R"("sentence": "\u003c/script\u003e\u003cb\u003e\"x\"\u000a")",
          R"("firstDifference": null)", R"("ended": "killed")",
          R"("expected": {"comparisons": 0, "swaps": null, "comparisons_rule": "0")"}) {
        EXPECT_NE(data.find(expected), std::string::npos) << expected << " in " << data;
    }
    EXPECT_EQ(data.find('<'), std::string::npos);
    EXPECT_EQ(data.find("ended", data.find("library-quick")), std::string::npos);
}

} // namespace

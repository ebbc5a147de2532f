// What the pages that play sorts share: the calls packed for the player, the
// ranks its bars are drawn by, and the page written from player.html with the
// data of its panels. The data's JSON is described at the top of player.js.
#pragma once

#include "sort_calls/calls.h"
#include "sort_calls/formulas.h"

#include <optional>
#include <string>
#include <vector>

namespace adtlab::player {

// The most values a page plays: a call's positions take 15 bits, and 0x7fff
// stands for a value not in the array.
inline constexpr unsigned int most_values = 0x7fff;

// The rank of each value in the library's order: 0 for the values that go
// first, one more for each next distinct value. The page draws its bars by
// rank, so that any ints, however large or negative, draw alike.
std::vector<unsigned int> value_ranks(const std::vector<int> &values);

// The calls as the player reads them, four bytes each, in base64. A call
// whose positions or values are not in the array is kept, so that the calls
// keep their numbers, and marks nothing on the page.
// With the sites a library sort reported, a comparison's positions are its
// own, equal values apart.
std::string encode_calls(const std::vector<int> &input, const std::vector<Call> &calls,
                         const std::vector<CallSite> *sites = nullptr);

// The most calls of a run whose sites and steps a page carries: past them a
// run plays too fast to follow any step (200,000 calls at one a frame take
// 55 minutes), and its steps would more than double the page's size.
inline constexpr std::size_t most_explained_calls = 200000;

// A count that a formula gives, beside the rule in words ("n(n-1)/2"); no
// count where the formula says nothing of this input.
struct ExpectedCount {
    std::optional<unsigned long long> count;
    std::string rule;
};
struct Expected {
    ExpectedCount comparisons;
    ExpectedCount swaps;
};

// What the formulas say of a sort's counts, for the page; nothing where no
// formula holds.
std::optional<Expected> expected_of(const ExpectedCounts &counts);

// One panel: the calls of one sort of its group's input.
struct Panel {
    std::string id;        // the prefix of its counters' ids: "quick", "yours-quick"
    std::string title;     // "quick sort", "yours"
    std::string algorithm; // the sort's name in the table of sorts, whose entry
                           // gives a recorded run's source and its range words
    const std::vector<Call> *calls;
    std::optional<std::string> ended; // how the run ended when not by itself
    std::optional<Expected> expected;
    const Recording *recording = nullptr; // a library sort's sites and steps
};

// Panels that play the same input side by side.
struct Group {
    std::string name; // "" for the only group of a page
    std::vector<int> input;
    std::vector<Panel> panels;
    bool compares = false;                              // a learner's sort beside the library's
    std::optional<unsigned long long> first_difference; // 1-based call number
    std::string sentence;                               // the difference in words
};

// The page's data, as player.js reads it.
std::string page_data(const std::string &title, const std::vector<Group> &groups);

// Writes the page to `path`; returns what went wrong, or an empty text.
std::string write_page(const std::string &path, const std::string &title,
                       const std::vector<Group> &groups);

} // namespace adtlab::player

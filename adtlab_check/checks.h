// The checks of each kind, run in the built harness: the sorts against the
// library's on a battery of inputs and inputs chosen from the seed; the
// queue, stack and fixed strings on operations chosen from the seed, which
// the harness only carries out.
#pragma once

#include "child.h"
#include "result.h"

#include "sort_calls/sorts.h"

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace adtlab::check {

// What each check of the built harness finds.
// With `keep_calls`, a sort's record keeps its calls for a page of them.
CheckResult check_sort(const SortAlgorithm &algorithm, const Harness &harness,
                       bool keep_calls = false);
std::vector<CheckResult> check_module(const std::string &kind, const Harness &harness);

// How a child ended, in the record: its words (returned) and its kind's
// name.
std::string record_ending(CheckResult &result, const Ending &ending, const Limits &limits);

// The checks of a kind by name, one point each: "selection_sort", ...,
// "queue_empty", ..., in the order they run.
std::vector<std::string> check_names(const std::string &kind);

// The random numbers of check `name` for a seed, the same on every machine.
std::mt19937_64 seeded_random(unsigned long long seed, const std::string &name);

} // namespace adtlab::check

// The checks of each kind, run in the built harness: the sorts against the
// library's on a battery of inputs; the queue, stack and fixed strings by
// the harness itself.
#pragma once

#include "child.h"
#include "result.h"

#include "sort_calls/sorts.h"

#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// What each check of the built harness finds.
CheckResult check_sort(const SortAlgorithm &algorithm, const Harness &harness);
std::vector<CheckResult> check_module(const std::string &kind, const Harness &harness);

} // namespace adtlab::check

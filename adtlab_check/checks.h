// The checks of sorts, run in the built harness: each sort against the
// library's on a battery of inputs and inputs chosen from the seed.
#pragma once

#include "child.h"
#include "kinds.h"
#include "result.h"

#include "sort_calls/sorts.h"

#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// What each check of the built harness finds.
// With `keep_calls`, a sort's record keeps its calls for a page of them.
CheckResult check_sort(const SortAlgorithm &algorithm, const Harness &harness,
                       bool keep_calls = false);

// The checks of the sorts kind: the assignment's sorts, in its order.
std::vector<std::string> sort_check_names(const Kind &kind, const Assignment &assignment);
std::vector<CheckResult> check_sorts(const Kind &kind, const Assignment &assignment,
                                     const Harness &harness, bool keep_calls);

} // namespace adtlab::check

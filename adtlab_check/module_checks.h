// The queue, stack and fixed-string checks: each is a script of operations
// chosen from a seed, which the harness carries out and answers one line
// each; the answers are judged here against a model of the module.
#pragma once

#include "child.h"
#include "kinds.h"
#include "result.h"

#include <string>
#include <vector>

namespace adtlab::check {

// The names of a module kind's checks, and the checks, in order.
std::vector<std::string> module_check_names(const Kind &kind, const Assignment &assignment);
std::vector<CheckResult> check_module(const Kind &kind, const Assignment &assignment,
                                      const Harness &harness, bool keep_calls);

} // namespace adtlab::check

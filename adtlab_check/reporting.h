// What adtlab-check says of a check: one verdict per sort or module, and
// for a failure, the input and what went wrong.
#pragma once

#include "matching.h"
#include "result.h"

#include <cstddef>
#include <string>
#include <vector>

namespace adtlab::check {

// "(3 values) 3 -1 2", the first twelve values at most.
std::string show_input(const std::vector<int> &values);

// "call 2: expected ...; got ... (1 comparison and 0 swaps before it)",
// and when the sort never called goes_before or swap though the library's
// does, a line that says so; `sorted` tells whether its result was right.
std::string describe(const Mismatch &mismatch, const std::vector<Call> &expected,
                     const std::vector<Call> &got, bool sorted);

// "the harness's report has a malformed line: TEXT", sixty characters of it
// at most: the module wrote into the report or broke the harness's memory.
std::string malformed_line(const std::string &line);

// One check's verdict as the text report shows it, e.g.
// "queue_empty: conforms\n" or "NAME: does not conform\n  WHY\n".
std::string text_verdict(const CheckResult &check);

} // namespace adtlab::check

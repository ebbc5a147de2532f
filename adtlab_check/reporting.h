// What adtlab-check says of a check: one verdict per sort or module, and
// for a failure, the input and what went wrong.
#pragma once

#include "matching.h"
#include "result.h"

#include <cstddef>
#include <string>
#include <vector>

namespace adtlab::check {

// "(3 values) 3 -1 2", the first `shown` values at most, then "...".
std::string show_input(const std::vector<int> &values, std::size_t shown = 12);

// "call 2: expected ...; got ... (1 comparison and 0 swaps before it)".
std::string mismatch_line(const Mismatch &mismatch, const CallCounts &before);

// What a sort's record says under "does not conform", a line each: the
// input (its first `shown` values), then the first differing call and what
// the sort did there in words, or the fault, or how the run ended.
std::vector<std::string> sort_lines(const CheckResult &check, std::size_t shown = 12);

// The lines one after another, `separator` between them.
std::string joined(const std::vector<std::string> &lines, const std::string &separator);

// "the harness's report has a malformed line: TEXT", sixty characters of it
// at most: the module wrote into the report or broke the harness's memory.
std::string malformed_line(const std::string &line);

// One check's verdict as the text report shows it, e.g.
// "queue_empty: conforms\n" or "NAME: does not conform\n  WHY\n".
std::string text_verdict(const CheckResult &check);

} // namespace adtlab::check

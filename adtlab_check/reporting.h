// What adtlab-check prints: one verdict per sort or module on standard
// output, and for a failure, the input and what went wrong.
#pragma once

#include "matching.h"

#include <cstddef>
#include <string>
#include <vector>

namespace adtlab::check {

// "(3 values) 3 -1 2", the first twelve values at most.
std::string show_input(const std::vector<int> &values);

// "call 2: expected ...; got ... (1 comparisons and 0 swaps before it)"
std::string describe(const Mismatch &mismatch, const std::vector<Call> &got);

void report_missing(const std::string &name);
void report_conforms(const std::string &name, std::size_t inputs);
void report_conforms(const std::string &name);
void report_does_not_conform(const std::string &name, const std::string &why);

} // namespace adtlab::check

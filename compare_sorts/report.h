// What compare_sorts prints: a table or CSV rows, one per run, or with
// --doubling one per run with its growth; and the inputs themselves.
#pragma once

#include "measure.h"

#include "sort_calls/formulas.h"

#include <optional>
#include <vector>

namespace compare_sorts {

// The table's shape column: 12 characters, or the longest shape name of
// `inputs` where that is longer.
int shape_width(const std::vector<Input> &inputs);

// With `expected`, the counts each run must make where a formula says so,
// beside the counts in the table and at the end of each CSV row; a null
// `expected` row has none of them.
void print_header(bool csv, bool expected, int shape_width);
void print_row(bool csv, const Input &input, const adtlab::SortAlgorithm &algorithm, const Run &run,
               const adtlab::ExpectedCounts *expected, int shape_width);

// The same at the end of CSV rows only.
void print_doubling_header(bool csv, bool expected, int shape_width);
// `before` is the run of the same series at half the size, if any.
void print_doubling_row(bool csv, const Input &input, const adtlab::SortAlgorithm &algorithm,
                        const Run &run, const std::optional<Run> &before,
                        const adtlab::ExpectedCounts *expected, int shape_width);

// Whether a count of the run is not what its formula says.
bool differs_from_formula(const Run &run, const adtlab::ExpectedCounts &expected);

// The line under a table in which a count passed the library's 32-bit counter.
void print_wrap_note();

// The line under a table in which a count differs from its formula.
void print_formula_note();

// One line per input, its values separated by single spaces: what --file reads.
void print_inputs(const std::vector<Input> &inputs);

} // namespace compare_sorts

// What compare_sorts prints: a table or CSV rows, one per run, or with
// --doubling one per run with its growth; and the inputs themselves.
#pragma once

#include "measure.h"

#include <optional>
#include <vector>

namespace compare_sorts {

void print_header(bool csv);
void print_row(bool csv, const Input &input, const adtlab::SortAlgorithm &algorithm,
               const Run &run);

void print_doubling_header(bool csv);
// `before` is the run of the same series at half the size, if any.
void print_doubling_row(bool csv, const Input &input, const adtlab::SortAlgorithm &algorithm,
                        const Run &run, const std::optional<Run> &before);

// The line under a table in which a count passed the library's counter.
void print_wrap_note();

// One line per input, its values separated by single spaces: what --file reads.
void print_inputs(const std::vector<Input> &inputs);

} // namespace compare_sorts

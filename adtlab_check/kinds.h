// The kinds of module that adtlab-check checks, one entry each: its name on
// the command line, its harness, what the harness links, and its checks.
// The usage text, the command line's validation, the build and the checks
// all read this table.
#pragma once

#include "child.h"
#include "result.h"

#include "sort_calls/sorts.h"

#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace adtlab::check {

struct Step;

// One operation check of a module: its name ("queue_enqueue") and the
// steps it takes for the random numbers of a seed.
struct ModuleCheck {
    const char *name;
    std::vector<Step> (*steps)(std::mt19937_64 &random);
};

// What a run checks beyond its kind: the sorts of the assignment, in the
// table's order; the other kinds ignore them.
struct Assignment {
    std::vector<const SortAlgorithm *> sorts = default_sorts();
};

struct Kind {
    std::string_view name;                   // "sorts", "queue", ...
    std::string_view summary;                // its lines in the usage text, indented after the name
    std::string_view harness;                // the harness's source, without ".c"
    bool links_counter;                      // the harness links ordtally, which counts calls
    bool plays_calls;                        // its checks keep calls that a page plays (--html)
    bool checks_sorts;                       // its checks are the assignment's sorts (--sorts)
    std::span<const ModuleCheck> operations; // a module's checks; none for sorts
    // Its checks' names in the order they run, and the checks themselves.
    std::vector<std::string> (*check_names)(const Kind &kind, const Assignment &assignment);
    std::vector<CheckResult> (*check)(const Kind &kind, const Assignment &assignment,
                                      const Harness &harness, bool keep_calls);
};

std::span<const Kind> kinds();

// The kind of a name, or nullptr.
const Kind *kind_named(std::string_view name);

// "sorts, queue, stack or fstring"
std::string kind_names_in_words();

// The KIND part of the usage text: each name and its summary.
std::string kinds_usage();

} // namespace adtlab::check

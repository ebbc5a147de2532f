// The table of the library's sorts: everything the programs, the checker,
// the pages and the benchmarks know of a sort is its one entry here, and
// nothing looks a fact up by comparing a sort's name.
#pragma once

#include "sort_calls/formulas.h"
#include "sort_calls/sort_list.h"
#include "sorting/sorting.h"
#include "textbook_sorts/textbook_sorts.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace adtlab {

// The library whose source file holds a sort, shown beside its calls.
enum class SortLibrary : char { sorting, textbook_sorts };

// What adtlab-check may accept of a learner's calls besides the library's
// own sequence.
enum class CallMatching : char {
    exact,      // only the same calls in the same order
    partitions, // partition by partition, the sides of each in either order
};

struct SortAlgorithm {
    const char *name;
    void (*sort)(int[], unsigned int);
    SortLibrary library;
    // Run by the programs, and checked, unless the user names the sorts: the
    // three of the sorting library.
    bool by_default;
    // The counts the sort of `input` must make, where a formula holds; null
    // for a sort with no formula at all.
    ExpectedCounts (*formulas)(const std::vector<int> &input);
    // At least as many calls as the sort makes on any n values, for the
    // forecast of a long run.
    std::uint64_t (*most_calls)(std::uint64_t n);
    CallMatching matching;
    // What the player says a range step works on: "partitioning 0-7".
    const char *range_words;
};

namespace sort_bounds {
std::uint64_t pairs(std::uint64_t n);
std::uint64_t selection(std::uint64_t n);
std::uint64_t twice_the_pairs(std::uint64_t n); // two calls a pair, and n more
std::uint64_t heap(std::uint64_t n);
std::uint64_t quick3(std::uint64_t n);
} // namespace sort_bounds

inline constexpr SortAlgorithm sort_algorithms[] = {
    {"selection", selection_sort, SortLibrary::sorting, true, selection_counts,
     sort_bounds::selection, CallMatching::exact, "looking for the least of"},
    {"insertion", insertion_sort, SortLibrary::sorting, true, insertion_counts,
     sort_bounds::twice_the_pairs, CallMatching::exact, "inserting into"},
    {"quick", quick_sort, SortLibrary::sorting, true, quick_counts, sort_bounds::twice_the_pairs,
     CallMatching::partitions, "partitioning"},
    {"bubble", bubble_sort, SortLibrary::textbook_sorts, false, bubble_counts,
     sort_bounds::twice_the_pairs, CallMatching::exact, "bubbling through"},
    {"shell", shell_sort, SortLibrary::textbook_sorts, false, shell_counts,
     sort_bounds::twice_the_pairs, CallMatching::exact, "sorting by gaps"},
    {"heap", heap_sort, SortLibrary::textbook_sorts, false, nullptr, sort_bounds::heap,
     CallMatching::exact, "keeping a heap of"},
    {"quick3", quick3_sort, SortLibrary::textbook_sorts, false, quick3_counts, sort_bounds::quick3,
     CallMatching::partitions, "partitioning in three"},
};

// The C list names the same sorts in the same order.
namespace sort_list_check {
#define ADTLAB_SORT_NAME(name) #name,
inline constexpr std::string_view names[] = {ADTLAB_SORTS(ADTLAB_SORT_NAME)};
#undef ADTLAB_SORT_NAME
constexpr bool same_as_table() {
    return std::equal(
        std::begin(names), std::end(names), std::begin(sort_algorithms), std::end(sort_algorithms),
        [](std::string_view name, const SortAlgorithm &entry) { return name == entry.name; });
}
static_assert(same_as_table(), "sort_list.h and the table of sorts differ");
} // namespace sort_list_check

// The sort of that name, or null.
const SortAlgorithm *find_sort(std::string_view name);

// The sorts the programs run unless told which.
std::vector<const SortAlgorithm *> default_sorts();

// "selection, insertion, ... or quick3", for messages.
std::string sort_names();

} // namespace adtlab

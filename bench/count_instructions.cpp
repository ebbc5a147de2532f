// One sort of random input, by the library or by its inline copy, for
// callgrind to count with --toggle-collect='measured_sort*': only the sort is
// collected, not the making of the input nor the reading of the counts.
//
//     count_instructions SORT library|inline N [watched]
//     count_instructions --sizes
//
// Prints the comparisons and swaps, so that a caller can check that both
// made the same calls. With "watched" an observer counts the calls too; the
// driver can watch, so link-time optimisation cannot drop the observer's
// test from an unwatched run. --sizes prints each sort of the table with the
// size it is measured at, one "SORT N" a line.
#include "inline_sorts.h"

#include "sort_inputs/shapes.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using inline_sorts::Counts;

// The two sorts to measure, as measured_sort calls them: one load from here
// to either function, so that the library's count is the sort's alone.
struct Sort {
    void (*library)(int[], unsigned int);
    inline_sorts::InlineSort inline_copy;
};

// Sizes of random input that callgrind counts in seconds: the quadratic
// sorts on fewer values than the n log n ones. One for every sort of the
// list, in its order, or this does not compile.
namespace measured_size {
constexpr unsigned int selection = 5000;
constexpr unsigned int insertion = 5000;
constexpr unsigned int quick = 200000;
constexpr unsigned int bubble = 5000;
constexpr unsigned int shell = 200000;
constexpr unsigned int heap = 200000;
constexpr unsigned int quick3 = 200000;
} // namespace measured_size

#define MEASURED_SIZE(name) measured_size::name,
constexpr unsigned int measured_sizes[] = {ADTLAB_SORTS(MEASURED_SIZE)};
#undef MEASURED_SIZE

// The list and the table name the same sorts in the same order (sorts.h
// checks it), so measured_sizes[k] is the size of sort_algorithms[k].
int print_sizes() {
    for (std::size_t k = 0; k < std::size(measured_sizes); ++k) {
        std::printf("%s %u\n", adtlab::sort_algorithms[k].name, measured_sizes[k]);
    }
    return 0;
}

// "count_instructions selection|insertion|... library|inline N [watched]".
int usage() {
    std::string names;
    for (const adtlab::SortAlgorithm &algorithm : adtlab::sort_algorithms) {
        names += names.empty() ? "" : "|";
        names += algorithm.name;
    }
    std::fprintf(stderr,
                 "usage: count_instructions %s library|inline N [watched]\n"
                 "       count_instructions --sizes\n",
                 names.c_str());
    return 2;
}

unsigned long long watched_calls = 0;

void count_comparison(int, int, bool, void *) {
    ++watched_calls;
}

void count_swap(const int *, unsigned int, unsigned int, void *) {
    ++watched_calls;
}

} // namespace

extern "C" __attribute__((noinline)) void measured_sort(const Sort *sort, bool library, int a[],
                                                        unsigned int n, Counts *counts) {
    if (library) {
        sort->library(a, n);
    } else {
        sort->inline_copy(a, n, *counts);
    }
}

int main(int argc, char *argv[]) {
    if (argc == 2 && std::string_view(argv[1]) == "--sizes") {
        return print_sizes();
    }
    std::optional<Sort> sort;
    bool arity = argc == 4 || (argc == 5 && std::string_view(argv[4]) == "watched");
    for (const inline_sorts::PairedSort &paired : inline_sorts::paired_sorts()) {
        if (arity && paired.library->name == std::string_view(argv[1])) {
            sort = Sort{paired.library->sort, paired.inline_copy};
        }
    }
    std::string_view kind = arity ? argv[2] : "";
    if (!sort || (kind != "library" && kind != "inline")) {
        return usage();
    }
    if (argc == 5) {
        const order_observer observer = {count_comparison, count_swap, nullptr};
        watch_order(&observer);
    }
    auto n = static_cast<unsigned int>(std::strtoul(argv[3], nullptr, 10));
    std::vector<int> values = adtlab::make_input("random", n, 1);
    Counts counts;
    reset_comparisons_counter();
    reset_swaps_counter();
    measured_sort(&*sort, kind == "library", values.data(), n, &counts);
    if (kind == "library") {
        counts.comparisons = comparisons_count();
        counts.swaps = swaps_count();
    }
    std::printf("%llu %llu\n", counts.comparisons, counts.swaps);
    return 0;
}

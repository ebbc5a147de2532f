// One sort of random input, by the library or by its inline copy, for
// callgrind to count with --toggle-collect='measured_sort*': only the sort is
// collected, not the making of the input nor the reading of the counts.
//
//     count_instructions selection|insertion|quick library|inline N [watched]
//
// Prints the comparisons and swaps, so that a caller can check that both
// made the same calls. With "watched" an observer counts the calls too; the
// driver can watch, so link-time optimisation cannot drop the observer's
// test from an unwatched run.
#include "inline_sorts.h"

#include "sort_inputs/shapes.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
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
    std::optional<Sort> sort;
    bool arity = argc == 4 || (argc == 5 && std::string_view(argv[4]) == "watched");
    for (const inline_sorts::PairedSort &paired : inline_sorts::paired_sorts()) {
        if (arity && paired.library->name == std::string_view(argv[1])) {
            sort = Sort{paired.library->sort, paired.inline_copy};
        }
    }
    std::string_view kind = arity ? argv[2] : "";
    if (!sort || (kind != "library" && kind != "inline")) {
        std::fputs("usage: count_instructions selection|insertion|quick library|inline N "
                   "[watched]\n",
                   stderr);
        return 2;
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

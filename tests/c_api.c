/* A C11 driver: every public header compiles as C and every library links
 * through its C names. Exits 0 when the calls give the expected answers. */
#include "ordtally/ordtally.h"
#include "sorting/sorting.h"
#include "wordrow/wordrow.h"

#include <stdio.h>

static int failures = 0;

static void check(bool ok, const char *what) {
    if (!ok) {
        fprintf(stderr, "failed: %s\n", what);
        failures += 1;
    }
}

static void check_sorting(void) {
    int a[] = {5, 4, 3, 2, 1};
    reset_comparisons_counter();
    reset_swaps_counter();
    set_current_time();
    quick_sort(a, 5);
    double ms = calculate_elapsed_time();
    check(comparisons_number() == 14, "quick sort comparisons");
    check(swaps_number() == 4, "quick sort swaps");
    check(ms >= 0.0, "elapsed time");
    check(array_is_sorted(a, 5), "sorted");
    check(goes_before(-1, 1) && !goes_before(1, -1), "order");
}

static void check_wordrow(void) {
    fstring words[3] = {"ant", "bee", "ant"};
    fstring other[3] = {"bee", "ant", "ant"};
    fstring copy[3];
    array_copy(copy, words, 3);
    check(fstring_eq(copy[1], other[0]), "copy");
    check(array_value_count(words, 3, words[0]) == 2, "value count");
    check(array_is_permutation_of(words, other, 3), "permutation");
}

int main(void) {
    check_sorting();
    check_wordrow();
    return failures == 0 ? 0 : 1;
}

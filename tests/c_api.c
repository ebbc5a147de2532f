/* A C11 driver: every public header compiles as C and every library links
 * through its C names. Exits 0 when the calls give the expected answers. */
#include "adt/stack.h"
#include "climstat/climstat.h"
#include "lineload/lineload.h"
#include "ordtally/ordtally.h"
#include "sorting/sorting.h"
#include "textbook_sorts/textbook_sorts.h"
#include "wordrow/wordrow.h"

#include <stdio.h>
#include <stdlib.h>

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
    unsigned long long comparisons = comparisons_count();
    unsigned long long swaps = swaps_count();
    check(comparisons == 14 && comparisons_count() == 14, "quick sort whole comparisons");
    check(swaps == 4, "quick sort whole swaps");
    check(comparisons_number() == 14, "quick sort comparisons");
    check(swaps_number() == 4, "quick sort swaps");
    check(comparisons_count() == 15 && swaps_count() == 5, "a 32-bit read adds one");
    check(ms >= 0.0, "elapsed time");
    check(array_is_sorted(a, 5), "sorted");
    check(goes_before(-1, 1) && !goes_before(1, -1), "order");
}

static void check_textbook_sorts(void) {
    int a[] = {5, 4, 3, 2, 1};
    reset_comparisons_counter();
    reset_swaps_counter();
    bubble_sort(a, 5);
    check(comparisons_number() == 10, "bubble sort comparisons");
    check(swaps_number() == 10, "bubble sort swaps");
    int b[] = {2, 2, 2};
    reset_comparisons_counter();
    reset_swaps_counter();
    quick3_sort(b, 3);
    check(comparisons_number() == 4 && swaps_number() == 0, "quick3 sort of equal values");
    int c[] = {3, -8, 0, 7, -1, 4, 2};
    int d[] = {3, -8, 0, 7, -1, 4, 2};
    shell_sort(c, 7);
    heap_sort(d, 7);
    check(array_is_sorted(c, 7) && array_is_sorted(d, 7), "shell and heap sort");
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

static void check_climstat(void) {
    weather_record(*table)[WEATHER_MONTHS][WEATHER_DAYS] = calloc(1, sizeof(weather_table));
    if (table == NULL) {
        check(false, "table allocation");
        return;
    }
    table[36][11][27].min_temp = -40;
    table[3][5][0].max_temp = 35;
    table[3][8][1].rainfall = 7;
    /* Through a const pointer: C11 has no implicit const for arrays of arrays. */
    const weather_record(*readonly)[WEATHER_MONTHS][WEATHER_DAYS] = (void *)table;
    int maxima[WEATHER_YEARS];
    month rainiest[WEATHER_YEARS];
    higher_maximum_temperature(readonly, maxima);
    highest_monthly_rainfall(readonly, rainiest);
    check(lower_minimum_temperature(readonly) == -40, "lowest minimum");
    check(maxima[3] == 35 && maxima[4] == 0, "highest maxima");
    check(rainiest[3] == SEPTEMBER && rainiest[4] == JANUARY, "rainiest months");
    free(table);
}

static void check_lineload(void) {
    const char *path = "c_api_queue.txt";
    FILE *file = fopen(path, "w");
    if (file == NULL) {
        check(false, "queue file");
        return;
    }
    fputs("empty: 0\n4 -2 7\n", file);
    fclose(file);
    queue q = queue_from_file(path);
    remove(path);
    check(queue_size(q) == 3, "loaded queue size");
    q = queue_disscard(q, 1);
    check(queue_size(q) == 2, "size after a removal");
    queue_destroy(q);
}

static void check_stack(void) {
    stack s = stack_push(stack_push(stack_empty(), 1), 2);
    int *array = stack_to_array(s);
    check(array != NULL && array[0] == 2 && array[1] == 1, "stack to array");
    free(array);
    s = stack_pop(s);
    check(stack_size(s) == 1 && !stack_is_empty(s), "stack size");
    stack_destroy(s);
}

int main(void) {
    check_sorting();
    check_textbook_sorts();
    check_wordrow();
    check_climstat();
    check_lineload();
    check_stack();
    return failures == 0 ? 0 : 1;
}

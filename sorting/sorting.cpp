#include "sorting/sorting.h"

#include "sorting/sort_steps.h"

namespace {

using namespace adtlab::sort_steps;

// Position of the first smallest element of a[i..length-1].
template <bool watched> unsigned int min_pos_from(int a[], unsigned int i, unsigned int length) {
    unsigned int min_pos = i;
    step<watched>(ORDER_STEP_RANGE, i, length - 1);
    step<watched>(ORDER_STEP_MINIMUM, i, i);
    for (unsigned int j = i + 1; j < length; ++j) {
        if (!before<watched>(a, min_pos, j)) {
            min_pos = j;
            step<watched>(ORDER_STEP_MINIMUM, j, j);
        }
    }
    return min_pos;
}

// Sorts a[0..i] given a[0..i-1] sorted, walking a[i] down by adjacent swaps.
template <bool watched> void insert(int a[], unsigned int i) {
    step<watched>(ORDER_STEP_RANGE, 0, i);
    step<watched>(ORDER_STEP_KEY, i, i);
    for (unsigned int j = i; j > 0 && !before<watched>(a, j - 1, j); --j) {
        exchange<watched>(a, j - 1, j);
        step<watched>(ORDER_STEP_KEY, j - 1, j - 1);
    }
    step<watched>(ORDER_STEP_SORTED, 0, i);
}

// Partitions a[left..right] around its first element and returns the
// position where that pivot ends.
template <bool watched> unsigned int partition(int a[], unsigned int left, unsigned int right) {
    unsigned int pivot = left;
    unsigned int i = left + 1;
    unsigned int j = right;
    step<watched>(ORDER_STEP_RANGE, left, right);
    step<watched>(ORDER_STEP_PIVOT, pivot, pivot);
    while (i <= j) {
        if (before<watched>(a, i, pivot)) {
            ++i;
        } else if (before<watched>(a, pivot, j)) {
            --j;
        } else {
            exchange<watched>(a, i, j);
            ++i;
            --j;
        }
    }
    exchange<watched>(a, j, pivot);
    step<watched>(ORDER_STEP_PLACED, j, j);
    return j;
}

// Sorts a[left..right]. The two sides of a partition are independent, so
// recursing on the smaller one and looping on the larger one makes the same
// calls in another order while keeping the depth logarithmic.
template <bool watched> void quick_sort_rec(int a[], unsigned int left, unsigned int right) {
    while (left < right) {
        unsigned int pivot = partition<watched>(a, left, right);
        unsigned int left_end = pivot == 0 ? 0 : pivot - 1;
        if (pivot - left < right - pivot) {
            quick_sort_rec<watched>(a, left, left_end);
            left = pivot + 1;
        } else {
            quick_sort_rec<watched>(a, pivot + 1, right);
            right = left_end;
        }
    }
    if (left == right) {
        step<watched>(ORDER_STEP_PLACED, left, left);
    }
}

template <bool watched> void selection(int a[], unsigned int length) {
    for (unsigned int i = 0; i < length; ++i) {
        exchange<watched>(a, i, min_pos_from<watched>(a, i, length));
        step<watched>(ORDER_STEP_PLACED, i, i);
    }
}

template <bool watched> void insertion(int a[], unsigned int length) {
    if (length > 0) {
        step<watched>(ORDER_STEP_SORTED, 0, 0);
    }
    for (unsigned int i = 1; i < length; ++i) {
        insert<watched>(a, i);
    }
    if (length > 0) {
        step<watched>(ORDER_STEP_PLACED, 0, length - 1);
    }
}

// The watched instances stay out of the public functions, so that the
// unwatched loops are compiled as if alone there: what the watched ones
// report cannot change how the unwatched ones are allocated registers.
[[gnu::noinline]] void watched_selection(int a[], unsigned int length) {
    selection<true>(a, length);
}

[[gnu::noinline]] void watched_insertion(int a[], unsigned int length) {
    insertion<true>(a, length);
}

[[gnu::noinline]] void watched_quick(int a[], unsigned int length) {
    if (length > 0) {
        quick_sort_rec<true>(a, 0, length - 1);
    }
}

} // namespace

void selection_sort(int a[], unsigned int length) {
    if (order_watched()) {
        watched_selection(a, length);
    } else {
        selection<false>(a, length);
    }
}

void insertion_sort(int a[], unsigned int length) {
    if (order_watched()) {
        watched_insertion(a, length);
    } else {
        insertion<false>(a, length);
    }
}

void quick_sort(int a[], unsigned int length) {
    unsigned int right = length == 0 ? 0 : length - 1;
    if (order_watched()) {
        watched_quick(a, length);
    } else {
        quick_sort_rec<false>(a, 0, right);
    }
}

#include "textbook_sorts/textbook_sorts.h"

#include "sorting/sort_steps.h"

namespace {

using namespace adtlab::sort_steps;

template <bool watched> void bubble(int a[], unsigned int length) {
    for (unsigned int end = length == 0 ? 0 : length - 1; end > 0; --end) {
        step<watched>(ORDER_STEP_RANGE, 0, end);
        for (unsigned int j = 0; j < end; ++j) {
            if (!before<watched>(a, j, j + 1)) {
                exchange<watched>(a, j, j + 1);
            }
        }
        step<watched>(ORDER_STEP_PLACED, end, end);
    }
    if (length > 0) {
        step<watched>(ORDER_STEP_PLACED, 0, 0);
    }
}

// Knuth's first gap for `length` values: 1, 4, 13, ... while below length/3.
unsigned int first_gap(unsigned int length) {
    unsigned int gap = 1;
    while (gap < length / 3) {
        gap = 3 * gap + 1;
    }
    return gap;
}

// Walks a[i] down its chain of positions `gap` apart, as insertion does.
// i is at least gap, so the first comparison is always made: said as a
// do-while, the unwatched walk compiles as tightly as a plain one.
template <bool watched> void insert_gapped(int a[], unsigned int i, unsigned int gap) {
    step<watched>(ORDER_STEP_KEY, i, i);
    unsigned int j = i;
    do {
        if (before<watched>(a, j - gap, j)) {
            return;
        }
        exchange<watched>(a, j - gap, j);
        j -= gap;
        step<watched>(ORDER_STEP_KEY, j, j);
    } while (j >= gap);
}

template <bool watched> void shell(int a[], unsigned int length) {
    if (length == 0) {
        return;
    }
    step<watched>(ORDER_STEP_RANGE, 0, length - 1);
    for (unsigned int gap = first_gap(length); gap > 0; gap = (gap - 1) / 3) {
        for (unsigned int i = gap; i < length; ++i) {
            insert_gapped<watched>(a, i, gap);
        }
    }
    step<watched>(ORDER_STEP_PLACED, 0, length - 1);
}

// Moves a[i] down the max-heap a[0..size-1] until no child comes after it.
// Inlined at both its calls: a sift of its own would test for an observer
// in its loop, which the unwatched instance only skips where it knows that
// none is set.
template <bool watched>
[[gnu::always_inline]] inline void sift(int a[], unsigned int i, unsigned int size) {
    while (i < size / 2) { // a[i] has a child, 2i+1 < size, without overflow
        unsigned int child = 2 * i + 1;
        if (child + 1 < size && !before<watched>(a, child + 1, child)) {
            ++child;
        }
        if (before<watched>(a, child, i)) {
            return;
        }
        exchange<watched>(a, i, child);
        i = child;
    }
}

template <bool watched> void heap(int a[], unsigned int length) {
    if (length == 0) {
        return;
    }
    step<watched>(ORDER_STEP_RANGE, 0, length - 1);
    for (unsigned int i = length / 2; i-- > 0;) {
        sift<watched>(a, i, length);
    }
    for (unsigned int end = length - 1; end > 0; --end) {
        exchange<watched>(a, 0, end);
        step<watched>(ORDER_STEP_PLACED, end, end);
        step<watched>(ORDER_STEP_RANGE, 0, end - 1);
        sift<watched>(a, 0, end);
    }
    step<watched>(ORDER_STEP_PLACED, 0, 0);
}

// The bounds of the values equal to the pivot once a[left..right] is
// partitioned into before, equal and after.
struct Equal {
    unsigned int first;
    unsigned int last;
};

template <bool watched> Equal partition3(int a[], unsigned int left, unsigned int right) {
    unsigned int lt = left;
    unsigned int i = left + 1;
    unsigned int gt = right;
    step<watched>(ORDER_STEP_RANGE, left, right);
    step<watched>(ORDER_STEP_PIVOT, lt, lt);
    while (i <= gt) {
        if (!before<watched>(a, i, lt)) {
            exchange<watched>(a, i, gt);
            --gt; // i > lt >= left, so gt stays at least left
        } else if (!before<watched>(a, lt, i)) {
            exchange<watched>(a, lt, i);
            ++lt;
            ++i;
            step<watched>(ORDER_STEP_PIVOT, lt, lt);
        } else {
            ++i;
        }
    }
    step<watched>(ORDER_STEP_PLACED, lt, gt);
    return {lt, gt};
}

// Sorts a[left..right], the smaller side first and the larger one in the
// loop, as sorting's quick sort does, keeping the depth logarithmic.
template <bool watched> void quick3_rec(int a[], unsigned int left, unsigned int right) {
    while (left < right) {
        const Equal equal = partition3<watched>(a, left, right);
        const unsigned int before_size = equal.first - left;
        const unsigned int after_size = right - equal.last;
        if (before_size < after_size) {
            if (before_size > 0) {
                quick3_rec<watched>(a, left, equal.first - 1);
            }
            left = equal.last + 1;
        } else {
            if (after_size > 0) {
                quick3_rec<watched>(a, equal.last + 1, right);
            }
            if (before_size == 0) {
                return;
            }
            right = equal.first - 1;
        }
    }
    if (left == right) {
        step<watched>(ORDER_STEP_PLACED, left, left);
    }
}

template <bool watched> void quick3(int a[], unsigned int length) {
    if (length > 0) {
        quick3_rec<watched>(a, 0, length - 1);
    }
}

// As in sorting: the watched instances stay out of the public functions.
[[gnu::noinline]] void watched_bubble(int a[], unsigned int n) {
    bubble<true>(a, n);
}
[[gnu::noinline]] void watched_shell(int a[], unsigned int n) {
    shell<true>(a, n);
}
[[gnu::noinline]] void watched_heap(int a[], unsigned int n) {
    heap<true>(a, n);
}
[[gnu::noinline]] void watched_quick3(int a[], unsigned int n) {
    quick3<true>(a, n);
}

} // namespace

void bubble_sort(int a[], unsigned int length) {
    order_watched() ? watched_bubble(a, length) : bubble<false>(a, length);
}

void shell_sort(int a[], unsigned int length) {
    order_watched() ? watched_shell(a, length) : shell<false>(a, length);
}

void heap_sort(int a[], unsigned int length) {
    order_watched() ? watched_heap(a, length) : heap<false>(a, length);
}

void quick3_sort(int a[], unsigned int length) {
    order_watched() ? watched_quick3(a, length) : quick3<false>(a, length);
}

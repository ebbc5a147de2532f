// What every counted sort of the library is made of, private to the sorting
// libraries: each sort comes in two instances, watched and unwatched, and
// compares, exchanges and reports its steps only through these.
#pragma once

#include "ordtally/ordtally.h"

namespace adtlab::sort_steps {

// The algorithms come in two instances. The unwatched one, run while no
// observer is set, tells the compiler so before every comparison and swap;
// with link-time optimisation the observer's test then vanishes from its
// loops, and counting costs no more than plain increments.
template <bool watched> void assume_watching() {
    if (!watched && order_watched()) {
        __builtin_unreachable();
    }
}

// The watched instance reports its steps, each with the line of the caller
// (the default argument is taken where the call is); the unwatched one has
// no trace of them.
template <bool watched>
void step(order_step_kind kind, unsigned int first, unsigned int last,
          unsigned int line = __builtin_LINE()) {
    if constexpr (watched) {
        report_step(kind, first, last, line);
    }
}

// The values are read first, as a plain goes_before(a[i], a[j]) reads them,
// so that the unwatched instance is that plain comparison.
template <bool watched>
bool before(const int a[], unsigned int i, unsigned int j, unsigned int line = __builtin_LINE()) {
    const int x = a[i];
    const int y = a[j];
    step<watched>(ORDER_STEP_CALL, i, j, line);
    assume_watching<watched>();
    return goes_before(x, y);
}

template <bool watched>
void exchange(int a[], unsigned int i, unsigned int j, unsigned int line = __builtin_LINE()) {
    assume_watching<watched>();
    step<watched>(ORDER_STEP_CALL, i, j, line);
    swap(a, i, j);
}

} // namespace adtlab::sort_steps

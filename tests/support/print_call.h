// A sort's call as GoogleTest prints it in a failure: goes_before(3, -1) ->
// false, or swap(a, 0, 1).
#pragma once

#include "sort_calls/calls.h"

#include <ostream>

namespace adtlab {

inline void PrintTo(const Call &call, std::ostream *os) {
    *os << call_words(call);
}

} // namespace adtlab

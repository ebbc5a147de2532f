// The library's sorts by name: the one table that programs, tests and
// benchmarks look them up in.
#pragma once

#include "sort_calls/sort_list.h"
#include "sorting/sorting.h"

#include <string>
#include <string_view>

namespace adtlab {

struct SortAlgorithm {
    const char *name;
    void (*sort)(int[], unsigned int);
};

#define ADTLAB_SORT_ENTRY(name) SortAlgorithm{#name, name##_sort},
inline constexpr SortAlgorithm sort_algorithms[] = {ADTLAB_SORTS(ADTLAB_SORT_ENTRY)};
#undef ADTLAB_SORT_ENTRY

// The sort of that name, or null.
const SortAlgorithm *find_sort(std::string_view name);

// "selection, insertion or quick", for messages.
std::string sort_names();

} // namespace adtlab

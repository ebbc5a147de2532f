#include "inline_sorts.h"

#include <string_view>

namespace inline_sorts {
namespace {

unsigned int magnitude(int x) {
    unsigned int bits = static_cast<unsigned int>(x);
    return x < 0 ? 0u - bits : bits;
}

// The counts are members, not a reference to the caller's: an unsigned
// reached through a pointer may alias the int array, which would make every
// increment a store.
struct Counted {
    int *a;
    Counts counts;

    bool goes_before(int x, int y) {
        ++counts.comparisons;
        unsigned int mx = magnitude(x);
        unsigned int my = magnitude(y);
        return mx < my || (mx == my && x <= y);
    }

    void swap(unsigned int i, unsigned int j) {
        int tmp = a[i];
        a[i] = a[j];
        a[j] = tmp;
        ++counts.swaps;
    }

    unsigned int min_pos_from(unsigned int i, unsigned int length) {
        unsigned int min_pos = i;
        for (unsigned int j = i + 1; j < length; ++j) {
            if (!goes_before(a[min_pos], a[j])) {
                min_pos = j;
            }
        }
        return min_pos;
    }

    void insert(unsigned int i) {
        for (unsigned int j = i; j > 0 && !goes_before(a[j - 1], a[j]); --j) {
            swap(j - 1, j);
        }
    }

    unsigned int partition(unsigned int left, unsigned int right) {
        unsigned int pivot = left;
        unsigned int i = left + 1;
        unsigned int j = right;
        while (i <= j) {
            if (goes_before(a[i], a[pivot])) {
                ++i;
            } else if (goes_before(a[pivot], a[j])) {
                --j;
            } else {
                swap(i, j);
                ++i;
                --j;
            }
        }
        swap(j, pivot);
        return j;
    }

    void quick_sort_rec(unsigned int left, unsigned int right) {
        while (left < right) {
            unsigned int pivot = partition(left, right);
            unsigned int left_end = pivot == 0 ? 0 : pivot - 1;
            if (pivot - left < right - pivot) {
                quick_sort_rec(left, left_end);
                left = pivot + 1;
            } else {
                quick_sort_rec(pivot + 1, right);
                right = left_end;
            }
        }
    }
};

} // namespace

void selection_sort(int a[], unsigned int length, Counts &counts) {
    Counted sort{a, {}};
    for (unsigned int i = 0; i < length; ++i) {
        sort.swap(i, sort.min_pos_from(i, length));
    }
    counts = sort.counts;
}

void insertion_sort(int a[], unsigned int length, Counts &counts) {
    Counted sort{a, {}};
    for (unsigned int i = 1; i < length; ++i) {
        sort.insert(i);
    }
    counts = sort.counts;
}

void quick_sort(int a[], unsigned int length, Counts &counts) {
    Counted sort{a, {}};
    sort.quick_sort_rec(0, length == 0 ? 0 : length - 1);
    counts = sort.counts;
}

namespace {

struct Copy {
    std::string_view name;
    InlineSort sort;
};

// Each copy under the name of the sort it copies, from the one list of the
// sorts: a sort without a copy here does not compile.
#define INLINE_COPY(name) Copy{#name, name##_sort},
constexpr Copy copies[] = {ADTLAB_SORTS(INLINE_COPY)};
#undef INLINE_COPY

} // namespace

std::vector<PairedSort> paired_sorts() {
    std::vector<PairedSort> pairs;
    for (const adtlab::SortAlgorithm &algorithm : adtlab::sort_algorithms) {
        for (const Copy &copy : copies) {
            if (copy.name == algorithm.name) {
                pairs.push_back({&algorithm, copy.sort});
            }
        }
    }
    return pairs;
}

} // namespace inline_sorts

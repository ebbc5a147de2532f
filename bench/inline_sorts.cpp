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

    void bubble_pass(unsigned int end) {
        for (unsigned int j = 0; j < end; ++j) {
            if (!goes_before(a[j], a[j + 1])) {
                swap(j, j + 1);
            }
        }
    }

    void insert_gapped(unsigned int i, unsigned int gap) {
        for (unsigned int j = i; j >= gap && !goes_before(a[j - gap], a[j]); j -= gap) {
            swap(j - gap, j);
        }
    }

    void sift(unsigned int i, unsigned int size) {
        while (i < size / 2) {
            unsigned int child = 2 * i + 1;
            if (child + 1 < size && !goes_before(a[child + 1], a[child])) {
                ++child;
            }
            if (goes_before(a[child], a[i])) {
                return;
            }
            swap(i, child);
            i = child;
        }
    }

    // Leaves a[left..right] as before, equal and after its first value, and
    // returns the first and last positions of the equal ones.
    void partition3(unsigned int left, unsigned int right, unsigned int &lt, unsigned int &gt) {
        lt = left;
        unsigned int i = left + 1;
        gt = right;
        while (i <= gt) {
            if (!goes_before(a[i], a[lt])) {
                swap(i, gt);
                --gt;
            } else if (!goes_before(a[lt], a[i])) {
                swap(lt, i);
                ++lt;
                ++i;
            } else {
                ++i;
            }
        }
    }

    void quick3_rec(unsigned int left, unsigned int right) {
        while (left < right) {
            unsigned int lt;
            unsigned int gt;
            partition3(left, right, lt, gt);
            unsigned int before_size = lt - left;
            unsigned int after_size = right - gt;
            if (before_size < after_size) {
                if (before_size > 0) {
                    quick3_rec(left, lt - 1);
                }
                left = gt + 1;
            } else {
                if (after_size > 0) {
                    quick3_rec(gt + 1, right);
                }
                if (before_size == 0) {
                    return;
                }
                right = lt - 1;
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

void bubble_sort(int a[], unsigned int length, Counts &counts) {
    Counted sort{a, {}};
    for (unsigned int end = length == 0 ? 0 : length - 1; end > 0; --end) {
        sort.bubble_pass(end);
    }
    counts = sort.counts;
}

void shell_sort(int a[], unsigned int length, Counts &counts) {
    Counted sort{a, {}};
    unsigned int gap = 1;
    while (gap < length / 3) {
        gap = 3 * gap + 1;
    }
    for (; gap > 0; gap = (gap - 1) / 3) {
        for (unsigned int i = gap; i < length; ++i) {
            sort.insert_gapped(i, gap);
        }
    }
    counts = sort.counts;
}

void heap_sort(int a[], unsigned int length, Counts &counts) {
    Counted sort{a, {}};
    for (unsigned int i = length / 2; i-- > 0;) {
        sort.sift(i, length);
    }
    for (unsigned int end = length == 0 ? 0 : length - 1; end > 0; --end) {
        sort.swap(0, end);
        sort.sift(0, end);
    }
    counts = sort.counts;
}

void quick3_sort(int a[], unsigned int length, Counts &counts) {
    Counted sort{a, {}};
    sort.quick3_rec(0, length == 0 ? 0 : length - 1);
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

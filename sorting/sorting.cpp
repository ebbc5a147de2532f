#include "sorting/sorting.h"

namespace {

// Position of the first smallest element of a[i..length-1].
unsigned int min_pos_from(int a[], unsigned int i, unsigned int length) {
    unsigned int min_pos = i;
    for (unsigned int j = i + 1; j < length; ++j) {
        if (!goes_before(a[min_pos], a[j])) {
            min_pos = j;
        }
    }
    return min_pos;
}

// Sorts a[0..i] given a[0..i-1] sorted, walking a[i] down by adjacent swaps.
void insert(int a[], unsigned int i) {
    for (unsigned int j = i; j > 0 && !goes_before(a[j - 1], a[j]); --j) {
        swap(a, j - 1, j);
    }
}

// Partitions a[left..right] around its first element and returns the
// position where that pivot ends.
unsigned int partition(int a[], unsigned int left, unsigned int right) {
    unsigned int pivot = left;
    unsigned int i = left + 1;
    unsigned int j = right;
    while (i <= j) {
        if (goes_before(a[i], a[pivot])) {
            ++i;
        } else if (goes_before(a[pivot], a[j])) {
            --j;
        } else {
            swap(a, i, j);
            ++i;
            --j;
        }
    }
    swap(a, j, pivot);
    return j;
}

// Sorts a[left..right]. The two sides of a partition are independent, so
// recursing on the smaller one and looping on the larger one makes the same
// calls in another order while keeping the depth logarithmic.
void quick_sort_rec(int a[], unsigned int left, unsigned int right) {
    while (left < right) {
        unsigned int pivot = partition(a, left, right);
        unsigned int left_end = pivot == 0 ? 0 : pivot - 1;
        if (pivot - left < right - pivot) {
            quick_sort_rec(a, left, left_end);
            left = pivot + 1;
        } else {
            quick_sort_rec(a, pivot + 1, right);
            right = left_end;
        }
    }
}

} // namespace

void selection_sort(int a[], unsigned int length) {
    for (unsigned int i = 0; i < length; ++i) {
        swap(a, i, min_pos_from(a, i, length));
    }
}

void insertion_sort(int a[], unsigned int length) {
    for (unsigned int i = 1; i < length; ++i) {
        insert(a, i);
    }
}

void quick_sort(int a[], unsigned int length) {
    quick_sort_rec(a, 0, length == 0 ? 0 : length - 1);
}

// clone: copies BANNER, held in an array, and shows that changing the copy
// leaves the original as it was.
#include "banner.h"
#include "show_copy.h"
#include "string_clone.h"

int main() {
    char original[] = BANNER;
    // The array's size counts the terminator, so the copy ends in two.
    return show_changed_copy(original, string_clone(original, sizeof(original)));
}

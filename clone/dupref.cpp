// dupref: copies BANNER, held as a pointer to constant text, and shows that
// changing the copy leaves the original as it was.
#include "banner.h"
#include "show_copy.h"
#include "string_clone.h"

#include <cstring>

int main() {
    const char *original = BANNER;
    return show_changed_copy(original, string_clone(original, std::strlen(original)));
}

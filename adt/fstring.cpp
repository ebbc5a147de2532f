#include "adt/fstring.h"

#include <cstring>

// Both stop at the terminator or at the end of the buffer, whichever comes
// first, so a buffer that lacks a terminator is never read past its size.

void fstring_set(fstring target, const fstring source) {
    std::size_t length = strnlen(source, FSTRING_SIZE - 1);
    std::memmove(target, source, length);
    target[length] = '\0';
}

bool fstring_eq(const fstring a, const fstring b) {
    return std::strncmp(a, b, FSTRING_SIZE) == 0;
}

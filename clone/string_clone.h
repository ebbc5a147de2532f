// string_clone: an independent copy of a run of bytes, compiled into each
// program that uses it.
#pragma once

#include <cstddef>

// A new heap block of length + 1 bytes holding the length bytes of str,
// whatever they are (a terminator among them does not stop the copy), and a
// terminator after them. NULL when memory runs out, or when length + 1 does
// not fit in size_t. The caller frees it with free().
char *string_clone(const char *str, std::size_t length);

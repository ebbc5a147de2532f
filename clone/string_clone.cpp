#include "string_clone.h"

#include <cstdint>
#include <cstdlib>

char *string_clone(const char *str, std::size_t length) {
    if (length == SIZE_MAX) {
        return nullptr; // length + 1 would wrap to a zero-byte block
    }
    auto *output = static_cast<char *>(std::malloc(length + 1));
    if (output == nullptr) {
        return nullptr;
    }
    for (std::size_t i = 0; i < length; ++i) {
        output[i] = str[i];
    }
    output[length] = '\0';
    return output;
}

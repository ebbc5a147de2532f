// Reading a decimal number from a stream the way scanf's %d and %u do
// (leading whitespace, an optional sign, digits), but telling the caller the
// sign and the size instead of wrapping out-of-range values. Internal to the
// loaders; not installed.
#pragma once

#include <cctype>
#include <cstdint>
#include <cstdio>

namespace adtlab::detail {

struct Decimal {
    bool found = false;          // at least one digit was read
    bool negative = false;       // a minus sign came first
    std::uint64_t magnitude = 0; // saturates above 2^32, so it never wraps

    bool fits_unsigned() const {
        return found && magnitude <= UINT32_MAX && (!negative || magnitude == 0);
    }
    bool fits_int() const {
        return found && magnitude <= (negative ? std::uint64_t{1} << 31 : std::uint64_t{INT32_MAX});
    }
    unsigned int as_unsigned() const { return static_cast<unsigned int>(magnitude); }
    int as_int() const {
        return negative ? static_cast<int>(0 - magnitude) : static_cast<int>(magnitude);
    }
};

inline void skip_whitespace(std::FILE *file) {
    int c;
    while ((c = std::getc(file)) != EOF && std::isspace(c) != 0) {
    }
    if (c != EOF) {
        std::ungetc(c, file);
    }
}

// Reads a number; the character after it is left in the stream. Whatever
// was read of a number without digits (a sign alone) is consumed, as scanf
// does.
inline Decimal read_decimal(std::FILE *file) {
    skip_whitespace(file);
    Decimal number;
    int c = std::getc(file);
    number.negative = c == '-';
    if (c == '-' || c == '+') {
        c = std::getc(file);
    }
    constexpr std::uint64_t saturated = std::uint64_t{UINT32_MAX} + 1;
    for (; c != EOF && std::isdigit(c) != 0; c = std::getc(file)) {
        number.found = true;
        std::uint64_t digit = static_cast<unsigned>(c - '0');
        number.magnitude =
            number.magnitude >= saturated ? saturated : number.magnitude * 10 + digit;
    }
    if (c != EOF) {
        std::ungetc(c, file);
    }
    return number;
}

} // namespace adtlab::detail

#include "wordrow/wordrow.h"

#include "decimal/decimal.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using adtlab::detail::Decimal;
using adtlab::detail::read_decimal;
using adtlab::detail::skip_whitespace;

[[noreturn]] void fail(const char *message) {
    std::fputs(message, stderr);
    std::exit(1);
}

[[noreturn]] void fail_size(unsigned int max_size) {
    std::fprintf(stderr, "Allowed size is %u.\n", max_size);
    std::exit(1);
}

// Reads the next whitespace-separated word into word. False at the end of
// the file, on a word too long for an fstring, and on a word holding a NUL
// byte, which a terminated text would silently cut short.
bool read_word(std::FILE *file, fstring word) {
    static_assert(FSTRING_SIZE == 100, "the width below leaves room for the terminator");
    int start = 0;
    int end = 0;
    if (std::fscanf(file, " %n%99s%n", &start, word, &end) != 1) {
        return false;
    }
    if (std::strlen(word) != static_cast<std::size_t>(end - start)) {
        return false;
    }
    int next = std::getc(file);
    if (next == EOF) {
        return true;
    }
    std::ungetc(next, file);
    return std::isspace(next) != 0;
}

} // namespace

unsigned int array_from_file(fstring array[], unsigned int max_size, const char *filepath) {
    std::FILE *file = std::fopen(filepath, "r");
    if (file == nullptr) {
        fail("File does not exist.\n");
    }
    // The count is read like " %u ", except that a negative count or one too
    // large for unsigned int is refused instead of wrapping into another.
    Decimal count = read_decimal(file);
    skip_whitespace(file);
    if (!count.found) {
        fail("Invalid array.\n");
    }
    if (!count.fits_unsigned() || count.as_unsigned() > max_size) {
        fail_size(max_size);
    }
    for (unsigned int i = 0; i < count.as_unsigned(); ++i) {
        if (!read_word(file, array[i])) {
            fail("Invalid array.\n");
        }
    }
    if (std::ferror(file) != 0) {
        fail("Invalid array.\n");
    }
    std::fclose(file);
    return count.as_unsigned();
}

void array_dump(fstring array[], unsigned int length) {
    std::printf("%u\n", length);
    for (unsigned int i = 0; i < length; ++i) {
        std::fwrite(array[i], 1, strnlen(array[i], FSTRING_SIZE), stdout);
        std::putchar(i < length - 1 ? ' ' : '\n');
    }
}

void array_copy(fstring copy[], fstring array[], unsigned int length) {
    for (unsigned int i = 0; i < length; ++i) {
        fstring_set(copy[i], array[i]);
    }
}

unsigned int array_value_count(fstring array[], unsigned int length, fstring value) {
    unsigned int count = 0;
    for (unsigned int i = 0; i < length; ++i) {
        if (fstring_eq(array[i], value)) {
            ++count;
        }
    }
    return count;
}

bool array_is_permutation_of(fstring array[], fstring other[], unsigned int length) {
    bool result = true;
    for (unsigned int i = 0; i < length && result; ++i) {
        result = array_value_count(array, length, array[i]) ==
                 array_value_count(other, length, array[i]);
    }
    return result;
}

#include "lineload/lineload.h"

#include "decimal/decimal.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>

namespace {

using adtlab::detail::Decimal;
using adtlab::detail::read_decimal;
using adtlab::detail::skip_whitespace;

// Ends a load that went wrong. The queue built so far is left to the end of
// the process: the queue module promises no way to free it.
[[noreturn]] void fail(const char *message) {
    std::fputs(message, stderr);
    std::exit(1);
}

// Matches text at the current position, character by character.
bool read_literal(std::FILE *file, const char *text) {
    for (; *text != '\0'; ++text) {
        if (std::getc(file) != static_cast<unsigned char>(*text)) {
            return false;
        }
    }
    return true;
}

// Reads an int like "%d", refusing one outside the int range rather than
// letting it wrap.
bool read_int(std::FILE *file, int *value) {
    Decimal number = read_decimal(file);
    if (!number.fits_int()) {
        return false;
    }
    *value = number.as_int();
    return true;
}

// Reads an answer like "%u". A negative number, or one too large for
// unsigned int, comes back as UINT_MAX: a number, but never a valid
// position, so it cannot be reduced to one.
bool read_answer(unsigned int *answer) {
    Decimal number = read_decimal(stdin);
    if (!number.found) {
        return false;
    }
    *answer = number.fits_unsigned() ? number.as_unsigned() : UINT32_MAX;
    return true;
}

} // namespace

queue queue_from_file(const char *filepath) {
    std::FILE *file = std::fopen(filepath, "r");
    if (file == nullptr) {
        fail("File does not exist.\n");
    }
    int empty_flag = 0;
    if (!read_literal(file, "empty:") || !read_int(file, &empty_flag)) {
        fail("Invalid array.\n");
    }
    queue q = queue_empty();
    // Each integer is read like " %d ", so the whitespace after the last one
    // reaches the end of the file and ends the loop. A flag of 0 needs at
    // least one integer, even when reading the flag itself met the end.
    if (empty_flag == 0) {
        do {
            int value = 0;
            if (!read_int(file, &value)) {
                fail("Invalid array.\n");
            }
            skip_whitespace(file);
            q = queue_enqueue(q, value);
        } while (std::feof(file) == 0);
    }
    if (std::ferror(file) != 0) {
        fail("Invalid array.\n");
    }
    std::fclose(file);
    return q;
}

queue queue_user_disscard(queue q) {
    unsigned int size = queue_size(q);
    assert(size > 0);
    std::puts("\nEliminar n-esimo elemento\n-------------------------\n");
    queue_dump(q, stdout);
    unsigned int disscard = 0;
    bool read = false;
    do {
        std::printf("\nElija un elemento del 0-%u: ", size - 1);
        std::fflush(stdout);
        read = read_answer(&disscard);
        if (!read || disscard >= size) {
            std::puts("Elemento inválido!");
        }
    } while (read && disscard >= size);
    return read ? queue_disscard(q, disscard) : nullptr;
}

// BANNER: the text that clone and dupref copy. Its first six characters are a
// blank for the programs to fill in the copy; it turns the terminal bright
// yellow at the start of its fourth line and back to white at its very end.
#pragma once

#include <cstddef>
#include <string_view>

// clang-format off
#define BANNER \
    "______ row of numbers once lay in no order at all, and nobody had\n" \
    "counted a single step it took to put them right.\n" \
    "\n" \
    "\033[0;93m      ##    #####   ######  #         ##    #####\n" \
    "     #  #   #    #    ##    #        #  #   #    #\n" \
    "    ######  #    #    ##    #       ######  #####\n" \
    "    #    #  #    #    ##    #       #    #  #    #\n" \
    "    #    #  #####     ##    ######  #    #  #####\n" \
    "\n" \
    "This is a lab for the patient study of small, exact\n" \
    "machines: sorts that own up to every comparison and\n" \
    "every swap, words that keep to their hundred bytes, a\n" \
    "calendar of rain and frost, a queue that asks which\n" \
    "element to let go, a stack questioned three times, and\n" \
    "a string copied so that the copy may change while the\n" \
    "original stays as it was.\n" \
    "\n" \
    "Selection sort looks at everything before it moves\n" \
    "anything. It walks the unsorted rest to find the least\n" \
    "element, then makes one swap, even when nothing needs\n" \
    "to move. Its comparisons never depend on the input.\n" \
    "\n" \
    "Insertion sort is the careful one. It walks each new\n" \
    "element down past the larger ones, one swap a step,\n" \
    "and stops as soon as its neighbour belongs before it.\n" \
    "\n" \
    "Quick sort takes the first element as its pivot, sends\n" \
    "the smaller ones left and the larger ones right, then\n" \
    "sorts both sides. On random input it is fast; on input\n" \
    "already in order it is slow, and the counters show you\n" \
    "exactly how slow.\n" \
    "\n" \
    "A queue gives back what came first; a stack gives back\n" \
    "what came last. Both are passed around by handle, and\n" \
    "each operation that changes one returns the handle to\n" \
    "use from then on.\n" \
    "\n" \
    "Count before you guess. Measure before you believe. A\n" \
    "number you did not count is only a rumour. Nothing here\n" \
    "compares or swaps without telling the counters.\n" \
    "Load the files, read the counts, plot the curves, and\n" \
    "look hard at every slope they draw.\n" \
    "\n" \
    "-- from the adtlab workbench, with care.\033[0;37m"
// clang-format on

namespace banner_form {

constexpr std::string_view text = BANNER;

constexpr std::size_t count(std::string_view s, char c) {
    std::size_t n = 0;
    for (char x : s) {
        n += x == c ? 1 : 0;
    }
    return n;
}

// Where the fourth line begins.
constexpr std::size_t fourth_line() {
    std::size_t at = 0;
    for (int line = 1; line < 4; ++line) {
        at = text.find('\n', at) + 1;
    }
    return at;
}

constexpr bool is_ascii_apart_from_colours() {
    for (char x : text) {
        if (static_cast<unsigned char>(x) >= 0x80) {
            return false;
        }
    }
    return true;
}

static_assert(text.size() == 1811, "1,811 characters");
static_assert(count(text, '\n') == 43, "44 lines");
static_assert(text.substr(0, 6) == "______" && text[6] != '_', "six underscores first");
static_assert(text.substr(fourth_line(), 7) == "\033[0;93m", "yellow from the fourth line");
static_assert(text.ends_with("\033[0;37m"), "white at the very end, no newline after it");
static_assert(count(text, '\033') == 2, "no colour switches but those two");
static_assert(is_ascii_apart_from_colours(), "characters and bytes agree");

} // namespace banner_form

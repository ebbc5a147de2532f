#include "wordrow/wordrow.h"

#include "param_name.h"
#include "process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_in_child;
using adtlab::testing::TempFile;
using Words = std::vector<std::string>;

// A caller-owned word array of exactly n elements, on the heap so that the
// sanitizers see any write past its end.
struct WordArray {
    explicit WordArray(const Words &words) : WordArray(static_cast<unsigned int>(words.size())) {
        for (unsigned int i = 0; i < size; ++i) {
            std::strcpy(data[i], words[i].c_str());
        }
    }
    explicit WordArray(unsigned int n) : data(new fstring[n == 0 ? 1 : n]()), size(n) {}

    Words first(unsigned int n) const { return Words(data.get(), data.get() + n); }

    std::unique_ptr<fstring[]> data;
    unsigned int size;
};

// Loads contents into an array of max_size words and dumps what was loaded,
// in a child, since a failed load ends the process. A max_size past what the
// tests load gets a smaller array: those loads must fail before any word is
// written, and the sanitizers would see one written past the end.
Outcome load_and_dump(const std::string &contents, unsigned int max_size) {
    TempFile file(contents);
    return run_in_child([&] {
        WordArray array(std::min(max_size, 64u));
        unsigned int n = array_from_file(array.data.get(), max_size, file.path().c_str());
        array_dump(array.data.get(), n);
    });
}

struct Load {
    const char *what;
    std::string contents;
    Words words;
    std::string dump;
};

void PrintTo(const Load &load, std::ostream *os) {
    *os << load.what;
}

class Loading : public ::testing::TestWithParam<Load> {};

TEST_P(Loading, ReadsTheWordsAndDumpsThemCanonically) {
    const Load &load = GetParam();
    TempFile file(load.contents);
    WordArray array(5);
    unsigned int n = array_from_file(array.data.get(), array.size, file.path().c_str());
    EXPECT_EQ(array.first(n), load.words);

    Outcome dumped = load_and_dump(load.contents, 5);
    ASSERT_TRUE(dumped.exited(0)) << dumped.err;
    EXPECT_EQ(dumped.out, load.dump);
    EXPECT_EQ(dumped.err, "");

    Outcome reloaded = load_and_dump(dumped.out, 5);
    EXPECT_EQ(reloaded.out, dumped.out);
}

const std::string word99(99, 'w');

INSTANTIATE_TEST_SUITE_P(
    Files, Loading,
    ::testing::Values(
        Load{"canonical", "3\nant bee cat\n", {"ant", "bee", "cat"}, "3\nant bee cat\n"},
        Load{"any whitespace",
             " \t 3 \n\n ant\r\nbee\t\v\fcat",
             {"ant", "bee", "cat"},
             "3\nant bee cat\n"},
        Load{"rest not read", "2 ant bee cat dog\n", {"ant", "bee"}, "2\nant bee\n"},
        Load{"plus sign", "+1 ant", {"ant"}, "1\nant\n"}, Load{"count zero", "0", {}, "0\n"},
        Load{"count zero then text", "0\nant\n", {}, "0\n"}, Load{"minus zero", "-0\n", {}, "0\n"},
        Load{"count equals the room", "5 a b c d e", {"a", "b", "c", "d", "e"}, "5\na b c d e\n"},
        Load{"utf-8 words",
             "2\nni\xc3\xb1o caf\xc3\xa9\n",
             {"ni\xc3\xb1o", "caf\xc3\xa9"},
             "2\nni\xc3\xb1o caf\xc3\xa9\n"},
        Load{"99 characters fit", "2 " + word99 + " x", {word99, "x"}, "2\n" + word99 + " x\n"},
        Load{"99 characters at the end", "1\n" + word99, {word99}, "1\n" + word99 + "\n"}),
    adtlab::testing::NameFromWhat());

struct BadFile {
    const char *what;
    std::string contents;
    unsigned int max_size;
    std::string message;
};

void PrintTo(const BadFile &bad, std::ostream *os) {
    *os << bad.what;
}

class FailedLoad : public ::testing::TestWithParam<BadFile> {};

TEST_P(FailedLoad, PrintsOneMessageAndExitsWithOne) {
    const BadFile &bad = GetParam();
    Outcome o = load_and_dump(bad.contents, bad.max_size);
    EXPECT_TRUE(o.exited(1)) << "status " << o.status << ", signal " << o.signal << "\n" << o.err;
    EXPECT_EQ(o.err, bad.message);
    EXPECT_EQ(o.out, "");
}

const std::string invalid = "Invalid array.\n";
const std::string word100(100, 'w');

INSTANTIATE_TEST_SUITE_P(
    Files, FailedLoad,
    ::testing::Values(
        BadFile{"empty file", "", 5, invalid}, BadFile{"only whitespace", " \n\t", 5, invalid},
        BadFile{"word for a count", "three a b c", 5, invalid},
        BadFile{"sign alone", "- 1 a", 5, invalid},
        BadFile{"too few words", "3\nant bee\n", 5, invalid},
        BadFile{"count above the room", "6 a b c d e f", 5, "Allowed size is 5.\n"},
        BadFile{"count above the room before the words", "6", 5, "Allowed size is 5.\n"},
        BadFile{"negative count", "-1 a", 5, "Allowed size is 5.\n"},
        BadFile{"negative count with all the room", "-1 a", UINT_MAX,
                "Allowed size is 4294967295.\n"},
        BadFile{"count past unsigned int", "4294967296 a", UINT_MAX,
                "Allowed size is 4294967295.\n"},
        BadFile{"count of many digits", "99999999999999999999999999 a", 3, "Allowed size is 3.\n"},
        BadFile{"100 characters", "1 " + word100, 1, invalid},
        BadFile{"100 characters among others", "3 a " + word100 + " c", 3, invalid},
        BadFile{"NUL byte in a word", std::string("2 ab\0cd ef", 11), 3, invalid},
        BadFile{"NUL byte for a word", std::string("2 \0 ef", 7), 3, invalid},
        BadFile{"a very long word", "1\n" + std::string(5000, 'x') + "\n", 1, invalid}),
    adtlab::testing::NameFromWhat());

TEST(FailedLoad, MissingFileSaysSo) {
    Outcome o = run_in_child([] {
        WordArray array(1);
        array_from_file(array.data.get(), 1, "/nonexistent/words.txt");
    });
    EXPECT_TRUE(o.exited(1));
    EXPECT_EQ(o.err, "File does not exist.\n");
    EXPECT_EQ(o.out, "");
}

TEST(ArrayCopy, MakesAnIndependentEqualCopy) {
    WordArray original(Words{"ant", word99, ""});
    WordArray copy(3);
    array_copy(copy.data.get(), original.data.get(), 3);
    EXPECT_EQ(copy.first(3), original.first(3));
    std::strcpy(original.data[0], "owl");
    EXPECT_EQ(copy.first(1), Words{"ant"});
}

TEST(ArrayValueCount, CountsEqualWordsOnly) {
    WordArray array(Words{"ant", "bee", "ant", "Ant", "ants", "ant"});
    fstring ant = "ant", owl = "owl";
    EXPECT_EQ(array_value_count(array.data.get(), 6, ant), 3u);
    EXPECT_EQ(array_value_count(array.data.get(), 2, ant), 1u);
    EXPECT_EQ(array_value_count(array.data.get(), 6, owl), 0u);
    EXPECT_EQ(array_value_count(array.data.get(), 0, ant), 0u);
}

struct Permutation {
    Words array;
    Words other;
    bool expected;
};

void PrintTo(const Permutation &p, std::ostream *os) {
    *os << ::testing::PrintToString(p.array) << " and " << ::testing::PrintToString(p.other);
}

class ArrayIsPermutationOf : public ::testing::TestWithParam<Permutation> {};

TEST_P(ArrayIsPermutationOf, ComparesMultisets) {
    const Permutation &p = GetParam();
    WordArray array(p.array), other(p.other);
    EXPECT_EQ(array_is_permutation_of(array.data.get(), other.data.get(), array.size), p.expected);
}

INSTANTIATE_TEST_SUITE_P(Pairs, ArrayIsPermutationOf,
                         ::testing::Values(Permutation{{}, {}, true},
                                           Permutation{{"a"}, {"a"}, true},
                                           Permutation{{"a", "b", "c"}, {"c", "a", "b"}, true},
                                           Permutation{{"a", "a", "b"}, {"b", "a", "a"}, true},
                                           Permutation{{"a", "a", "b"}, {"a", "b", "b"}, false},
                                           Permutation{{"a", "b", "b"}, {"a", "a", "b"}, false},
                                           Permutation{{"a", "b"}, {"a", "c"}, false},
                                           Permutation{{"x", "x"}, {"x", "X"}, false}));

} // namespace

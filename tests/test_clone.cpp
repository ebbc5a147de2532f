#include "banner.h"
#include "string_clone.h"

#include "process.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_program;

std::string cloned(const char *str, std::size_t length) {
    char *copy = string_clone(str, length);
    EXPECT_NE(copy, nullptr);
    std::string bytes(copy, length + 1);
    std::free(copy);
    return bytes;
}

TEST(StringClone, CopiesExactlyLengthBytesAndATerminator) {
    EXPECT_EQ(cloned("", 0), std::string(1, '\0'));
    EXPECT_EQ(cloned("whatever", 0), std::string(1, '\0'));
    const char with_terminator[] = {'a', 'b', '\0', 'c', 'd'};
    EXPECT_EQ(cloned(with_terminator, 5), std::string("ab\0cd\0", 6));
    EXPECT_EQ(cloned("abcdef", 3), std::string("abc\0", 4));
}

TEST(StringClone, GivesAnIndependentCopy) {
    char original[] = "independent";
    char *copy = string_clone(original, sizeof(original) - 1);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original);
    copy[0] = 'I';
    original[1] = 'N';
    EXPECT_STREQ(copy, "Independent");
    EXPECT_STREQ(original, "iNdependent");
    std::free(copy);
}

TEST(StringClone, RefusesALengthWhoseBlockSizeWouldWrap) {
    EXPECT_EQ(string_clone("x", SIZE_MAX), nullptr);
}

const std::string banner = BANNER;

std::string expected_output() {
    std::string changed = "A long" + banner.substr(6);
    return "Original:\n\033[0;36m " + banner + "\n" + "Copia   :\n\033[0;36m " + changed + "\n";
}

TEST(ClonePrograms, PrintTheOriginalThenTheChangedCopy) {
    Outcome clone = run_program({CLONE});
    Outcome dupref = run_program({DUPREF});
    EXPECT_TRUE(clone.exited(0));
    EXPECT_TRUE(dupref.exited(0));
    EXPECT_EQ(clone.out, dupref.out);
    EXPECT_EQ(clone.out, expected_output());
    EXPECT_EQ(clone.err, "");

    // The structure, read off the output rather than rebuilt from BANNER.
    const std::string &out = clone.out;
    std::size_t copy_label = out.find("Copia   :\n");
    ASSERT_NE(copy_label, std::string::npos);
    std::string original_block = out.substr(0, copy_label);
    std::string copy_block = out.substr(copy_label);
    const std::string original_start = "Original:\n\033[0;36m ______";
    const std::string copy_start = "Copia   :\n\033[0;36m A long";
    EXPECT_EQ(original_block.substr(0, original_start.size()), original_start);
    EXPECT_EQ(copy_block.substr(0, copy_start.size()), copy_start);
    EXPECT_EQ(original_block.substr(original_start.size()), copy_block.substr(copy_start.size()));
    EXPECT_NE(original_block.find("\033[0;93m"), std::string::npos);
    EXPECT_EQ(original_block.substr(original_block.size() - 8), "\033[0;37m\n");
    EXPECT_EQ(original_block.find("Original:", 1), std::string::npos);
}

#if defined(__SANITIZE_ADDRESS__)
#define PRELOAD_WORKS 0 // the sanitizer runtime must be the first library loaded
#else
#define PRELOAD_WORKS 1
#endif

struct OutOfMemory {
    const char *name;
    const char *program;
    std::size_t block; // the size of the clone's block
};

void PrintTo(const OutOfMemory &o, std::ostream *os) {
    *os << o.program;
}

class CloneProgramsOutOfMemory : public ::testing::TestWithParam<OutOfMemory> {};

TEST_P(CloneProgramsOutOfMemory, ReportAFailedAllocationWithStatusOne) {
    if (!PRELOAD_WORKS) {
        GTEST_SKIP() << "malloc cannot be replaced under the sanitizers";
    }
    const OutOfMemory &o = GetParam();
    Outcome run = run_program(
        {o.program}, "",
        {"LD_PRELOAD=" FAIL_MALLOC, "ADTLAB_FAIL_MALLOC_SIZE=" + std::to_string(o.block)});
    EXPECT_TRUE(run.exited(1)) << run.err;
    EXPECT_EQ(run.out, "Error: No se pudo asignar memoria.\n");
    EXPECT_EQ(run.err, "");
}

// clone passes the array's size, terminator included; dupref the length.
INSTANTIATE_TEST_SUITE_P(Programs, CloneProgramsOutOfMemory,
                         ::testing::Values(OutOfMemory{"clone", CLONE, 1813},
                                           OutOfMemory{"dupref", DUPREF, 1812}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

#include "adt/fstring.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Fstring, SetAndEqualStopAtTheTerminator) {
    fstring a = "same", b = "same\0tail";
    EXPECT_TRUE(fstring_eq(a, b));
    fstring c;
    std::memset(c, 'z', sizeof c);
    fstring_set(c, a);
    EXPECT_STREQ(c, "same");
    EXPECT_TRUE(fstring_eq(c, a));
    fstring_set(c, "");
    EXPECT_FALSE(fstring_eq(c, a));
}

} // namespace

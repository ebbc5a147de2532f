#include "adt/stack.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

std::vector<int> contents_of(stack s) {
    int *array = stack_to_array(s);
    std::vector<int> values(array, array + stack_size(s));
    std::free(array);
    return values;
}

TEST(Stack, PopsInReverseOrderOfPushes) {
    stack s = stack_empty();
    EXPECT_TRUE(stack_is_empty(s));
    for (int k = 0; k < 100; ++k) {
        s = stack_push(s, k);
    }
    EXPECT_EQ(stack_size(s), 100u);
    s = stack_pop(s);
    s = stack_pop(s);
    std::vector<int> values = contents_of(s);
    ASSERT_EQ(values.size(), 98u);
    EXPECT_EQ(values.front(), 97);
    EXPECT_EQ(values.back(), 0);
    for (int k = 0; k < 98; ++k) {
        s = stack_pop(s);
    }
    EXPECT_TRUE(stack_is_empty(s));
    s = stack_push(s, -4);
    EXPECT_EQ(contents_of(s), std::vector<int>{-4});
    stack_destroy(s);
}

TEST(Stack, ArrayOfAnEmptyStackIsNull) {
    stack s = stack_empty();
    EXPECT_EQ(stack_to_array(s), nullptr);
    s = stack_pop(stack_push(s, 1));
    EXPECT_EQ(stack_to_array(s), nullptr);
    stack_destroy(s);
}

} // namespace

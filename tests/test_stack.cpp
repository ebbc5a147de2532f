#include "adt/stack.h"

#include "process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_program;

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

const std::string pop_line = "stack_pop funciona correctamente para pilas de tamaño 1.\n";
const std::string insert_line =
    "Se pueden volver a insertar elementos después de vaciar la pila.\n";
const std::string valid_line = "stack_to_array devuelve un array válido para una pila no vacía.\n";
const std::string order_line = "stack_to_array devuelve los elementos en el orden correcto.\n";
const std::string summary_line = "Todas las pruebas pasaron con éxito.\n";

// The stand-in, and a linked-list stack with only the five operations that
// the program relies on, whose handle changes with every push and pop.
TEST(StackChecks, PassWithASoundStack) {
    for (const char *program : {STACK_CHECKS, STACK_CHECKS_LIST_STACK}) {
        Outcome o = run_program({program});
        EXPECT_TRUE(o.exited(0)) << program << "\n" << o.err;
        EXPECT_EQ(o.out, pop_line + insert_line + valid_line + order_line + summary_line);
        EXPECT_EQ(o.err, "");
    }
}

TEST(StackChecks, StopAtTheOrderOfAnArrayListedBottomFirst) {
    Outcome o = run_program({STACK_CHECKS_TO_ARRAY_BOTTOM_FIRST});
    EXPECT_EQ(o.signal, SIGABRT);
    EXPECT_EQ(o.out, pop_line + insert_line + valid_line);
    EXPECT_NE(o.err.find("array[0] == 3"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("test_stack_to_array"), std::string::npos) << o.err;
}

TEST(StackChecks, StopAtAPopThatLeavesTheLastElement) {
    Outcome o = run_program({STACK_CHECKS_POP_KEEPS_LAST});
    EXPECT_EQ(o.signal, SIGABRT);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("stack_is_empty(s)"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("test_stack_pop_single_element"), std::string::npos) << o.err;
}

} // namespace

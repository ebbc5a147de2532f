// The stack check program, with the stand-in stack and with other stack
// modules: one that passes and two broken ones that it must catch.
#include "process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_program;

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

// lineload linked with a queue module that has only the five operations it
// relies on, and works otherwise than the stand-in (outside/list_queue.c): it
// loads, fails and runs the dialogue with that module's own dump.
#include "lineload/lineload.h"

#include "process.h"
#include "queue_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using adtlab::testing::dump_of;
using adtlab::testing::Outcome;
using adtlab::testing::run_in_child;
using adtlab::testing::TempFile;

const std::string queue_file = "empty: 0\n4 -2 7\n";

TEST(OutsideQueue, LoadsTheIntegersInFileOrder) {
    TempFile file(queue_file);
    EXPECT_EQ(dump_of(queue_from_file(file.path().c_str())), "front 4 -2 7 back\n");
}

TEST(OutsideQueue, FailedLoadSaysInvalidArray) {
    TempFile file("empty: 0\n4 five\n");
    Outcome o = run_in_child([&] { queue_from_file(file.path().c_str()); });
    EXPECT_TRUE(o.exited(1)) << o.err;
    EXPECT_EQ(o.err, "Invalid array.\n");
}

TEST(OutsideQueue, DialogueShowsTheModulesOwnDump) {
    TempFile file(queue_file);
    Outcome o = run_in_child(
        [&] { queue_dump(queue_user_disscard(queue_from_file(file.path().c_str())), stderr); },
        "3\n1\n");
    const std::string prompt = "\nElija un elemento del 0-2: ";
    EXPECT_EQ(o.out, "\nEliminar n-esimo elemento\n-------------------------\n\n"
                     "front 4 -2 7 back\n" +
                         prompt + "Elemento inválido!\n" + prompt);
    EXPECT_EQ(o.err, "front 4 7 back\n");
}

} // namespace

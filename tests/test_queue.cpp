#include "adt/queue.h"

#include "queue_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using adtlab::testing::dump_of;
using adtlab::testing::Owned;
using adtlab::testing::queue_of;

TEST(Queue, KeepsOrderAndRemovesAnyPosition) {
    Owned q(queue_of({4, -2, 7, 9}));
    EXPECT_EQ(queue_size(q.q), 4u);
    EXPECT_EQ(dump_of(q.q), "[4, -2, 7, 9]\n");
    q.q = queue_disscard(q.q, 3);
    q.q = queue_disscard(q.q, 0);
    EXPECT_EQ(dump_of(q.q), "[-2, 7]\n");
    Owned empty(queue_empty());
    EXPECT_EQ(queue_size(empty.q), 0u);
    EXPECT_EQ(dump_of(empty.q), "[]\n");
}

TEST(Queue, GrowsPastItsFirstBlock) {
    std::vector<int> values;
    for (int k = 0; k < 1000; ++k) {
        values.push_back(k - 500);
    }
    Owned q(queue_of(values));
    EXPECT_EQ(queue_size(q.q), 1000u);
    q.q = queue_disscard(q.q, 500);
    EXPECT_EQ(dump_of(q.q).substr(0, 16), "[-500, -499, -49");
    EXPECT_EQ(queue_size(q.q), 999u);
}

} // namespace

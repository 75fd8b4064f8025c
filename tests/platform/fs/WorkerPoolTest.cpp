#include "platform/fs/WorkerPool.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace sorvane;

// A piece that throws hands its exception to the caller waiting for the job; the other pieces
// still run and the pool goes on working.
TEST(WorkerPoolTest, AThrowingPieceReachesItsWaiter) {
    WorkerPool pool(2);
    std::atomic<int> ran = 0;
    WorkerPool::Group group;
    pool.submit(group, [] { throw std::runtime_error("piece failed"); });
    for (int i = 0; i < 8; ++i) {
        pool.submit(group, [&] { ++ran; });
    }
    EXPECT_THROW(pool.runUntilDone(group), std::runtime_error);
    EXPECT_EQ(ran.load(), 8);
    WorkerPool::Group next;
    pool.submit(next, [&] { ++ran; });
    EXPECT_NO_THROW(pool.runUntilDone(next));
    EXPECT_EQ(ran.load(), 9);
}

// Lock and thread primitives: the error numbers callers rely on, and mutual exclusion.
#include <gtest/gtest.h>

#include <atomic>

#include "tarnvik/core.h"

namespace {

TEST(Locks, ErrorNumbers) {
    EXPECT_EQ(InitLock(nullptr), 22);
    LockHandle lock = nullptr;
    EXPECT_EQ(AcquireLock(&lock), 22);  // null handle
    EXPECT_EQ(ReleaseLock(&lock), 22);
    EXPECT_EQ(DestroyLock(&lock), 22);
    ASSERT_EQ(InitLock(&lock), 0);
    EXPECT_EQ(ReleaseLock(&lock), 1);  // nobody holds it
    EXPECT_EQ(AcquireLock(&lock), 0);
    EXPECT_EQ(AcquireLock(&lock), 36);  // not recursive: the owner gets an error, not a deadlock
    EXPECT_EQ(ReleaseLock(&lock), 0);
    EXPECT_EQ(DestroyLock(&lock), 0);
    EXPECT_EQ(lock, nullptr);
}

LockHandle g_shared = nullptr;
std::atomic<int> g_result{-1};

int ReleaseFromOtherThread(int) {
    g_result = ReleaseLock(&g_shared);
    return 5;
}

TEST(Locks, OnlyTheOwnerReleases) {
    ASSERT_EQ(InitLock(&g_shared), 0);
    ASSERT_EQ(AcquireLock(&g_shared), 0);
    ThreadHandle t = StartThread(ReleaseFromOtherThread, 0, true);
    ASSERT_GT(t, 0);
    int exitCode = 0;
    EXPECT_EQ(JoinThread(t, &exitCode), 0);
    EXPECT_EQ(exitCode, 5);
    EXPECT_EQ(g_result, 1);
    EXPECT_EQ(ReleaseLock(&g_shared), 0);  // still ours
    DestroyLock(&g_shared);
}

int g_counter = 0;
int AddUnderLock(int times) {
    for (int i = 0; i < times; ++i) {
        AcquireLock(&g_shared);
        ++g_counter;
        ReleaseLock(&g_shared);
    }
    return 0;
}

TEST(Locks, ThreadsExcludeEachOther) {
    ASSERT_EQ(InitLock(&g_shared), 0);
    ThreadHandle a = StartThread(AddUnderLock, 20000, true);
    ThreadHandle b = StartThread(AddUnderLock, 20000, true);
    EXPECT_EQ(JoinThread(a, nullptr), 0);
    EXPECT_EQ(JoinThread(b, nullptr), 0);
    EXPECT_EQ(g_counter, 40000);
    DestroyLock(&g_shared);
}

std::atomic<bool> g_detachedRan{false};
int MarkRan(int) {
    g_detachedRan = true;
    return 0;
}

TEST(Threads, WithoutKeepingTheHandleTheThreadRunsDetached) {
    EXPECT_EQ(StartThread(MarkRan, 0, false), 0);
    for (int i = 0; i < 500 && !g_detachedRan; ++i) SleepThread(2);
    EXPECT_TRUE(g_detachedRan);
    EXPECT_EQ(JoinThread(0, nullptr), 22);
}

}  // namespace

namespace {

int ReturnArgument(int value) { return value; }

TEST(Threads, TheFirstJoinGivesTheThreadsOwnResult) {
    ThreadHandle t = StartThread(ReturnArgument, 42, true);
    ASSERT_GT(t, 0);
    int exitCode = -1;
    EXPECT_EQ(JoinThread(t, &exitCode), 0);
    EXPECT_EQ(exitCode, 42);
}

// Numbers that stand for no running thread are refused with error 22 and touch nothing.
TEST(Threads, HandlesNeverHandedOutOrAlreadyJoinedAreRefused) {
    SetErrorCode(0);
    EXPECT_EQ(JoinThread(12345, nullptr), 22);
    EXPECT_EQ(GetErrorCode(), 22);
    EXPECT_EQ(JoinThread(-1, nullptr), 22);
    ThreadHandle t = StartThread(ReturnArgument, 7, true);
    ASSERT_GT(t, 0);
    int exitCode = -1;
    EXPECT_EQ(JoinThread(t, &exitCode), 0);
    SetErrorCode(0);
    exitCode = -1;
    EXPECT_EQ(JoinThread(t, &exitCode), 22);
    EXPECT_EQ(exitCode, -1);
    EXPECT_EQ(GetErrorCode(), 22);
}

TEST(Threads, ANullRoutineIsNotStarted) {
    SetErrorCode(0);
    EXPECT_EQ(StartThread(nullptr, 0, true), -1);
    EXPECT_EQ(StartThread(nullptr, 0, false), -1);
    EXPECT_EQ(GetErrorCode(), 22);
}

}  // namespace

#include "app/SingleInstance.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(SingleInstanceTest, SecondCopyInTheSameFolderIsRefusedUntilTheFirstEnds)
{
    QTemporaryDir dir;
    auto first = std::make_unique<SingleInstance>(dir.path());
    ASSERT_TRUE(first->tryAcquire());
    EXPECT_TRUE(first->tryAcquire());  // asking again keeps the lock

    SingleInstance second(dir.path());
    EXPECT_FALSE(second.tryAcquire());

    QTemporaryDir otherDir;
    SingleInstance elsewhere(otherDir.path());
    EXPECT_TRUE(elsewhere.tryAcquire());

    first.reset();
    EXPECT_TRUE(second.tryAcquire());
}

TEST(SingleInstanceTest, LockIsNamedAfterTheProgram)
{
    QTemporaryDir dir;
    EXPECT_EQ(SingleInstance(dir.path()).lockFilePath(), dir.filePath("Ostrakel.lock"));
    EXPECT_FALSE(SingleInstance::defaultLockFolder().isEmpty());
}

} // namespace

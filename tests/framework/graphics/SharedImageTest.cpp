#include "framework/graphics/SharedImage.h"

#include "framework/graphics/MemoryImage.h"
#include "tests/support/FakeImageHost.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace Quib;
using testsupport::FakeImageHost;
using testsupport::ScopedImageHost;

namespace
{

class SharedImage : public ::testing::Test
{
protected:
    FakeImageHost mHost;
    ScopedImageHost mScope{&mHost};
};

// Counts its own destruction, so ownership can be checked.
class CountedImage : public Image
{
public:
    explicit CountedImage(int& deleted) : mDeleted(deleted) {}
    ~CountedImage() override { ++mDeleted; }

private:
    int& mDeleted;
};

} // namespace

TEST_F(SharedImage, DefaultHandleHoldsNothing)
{
    SharedImageHandle handle;
    EXPECT_EQ(handle.GetImage(), nullptr);
    EXPECT_EQ(handle.GetSharedImage(), nullptr);
    EXPECT_EQ(handle.AsImage(), nullptr);
    handle.Release();
    EXPECT_EQ(mHost.mPurgeRequests, 0);
}

TEST_F(SharedImage, TheLastHandleOfAnEntryAsksForAPurge)
{
    MemoryImage image;
    SharedImageEntry entry;
    entry.mImage = &image;
    {
        SharedImageHandle first;
        first = &entry;
        SharedImageHandle second(first);
        EXPECT_EQ(entry.mRefCount, 2);
        EXPECT_EQ(second.GetImage(), &image);
        EXPECT_EQ(second.GetSharedImage(), &image);
        first.Release();
        EXPECT_EQ(entry.mRefCount, 1);
        EXPECT_EQ(mHost.mPurgeRequests, 0);
        first.Release();
        EXPECT_EQ(entry.mRefCount, 1) << "a released handle holds nothing more";
    }
    EXPECT_EQ(entry.mRefCount, 0);
    EXPECT_EQ(mHost.mPurgeRequests, 1);

    SharedImageHandle again;
    again = &entry;
    EXPECT_EQ(entry.mRefCount, 1) << "an entry asked for before the purge counts up from 0";
}

TEST_F(SharedImage, AssignmentMovesTheCount)
{
    SharedImageEntry a;
    SharedImageEntry b;
    SharedImageHandle onA;
    onA = &a;
    SharedImageHandle onB;
    onB = &b;
    onA = onB;
    EXPECT_EQ(a.mRefCount, 0);
    EXPECT_EQ(b.mRefCount, 2);
    EXPECT_EQ(mHost.mPurgeRequests, 1);

    const SharedImageHandle& same = onA;
    onA = same;
    onA = &b;
    EXPECT_EQ(b.mRefCount, 2);
    EXPECT_EQ(mHost.mPurgeRequests, 1) << "reassigning the held entry never touches 0";
}

TEST_F(SharedImage, PlainImages)
{
    MemoryImage shared;
    MemoryImage plain;
    SharedImageEntry entry;
    entry.mImage = &shared;

    SharedImageHandle handle;
    handle = &entry;
    handle = static_cast<Image*>(&plain);
    EXPECT_EQ(entry.mRefCount, 0);
    EXPECT_EQ(handle.GetImage(), &plain);
    EXPECT_EQ(handle.GetSharedImage(), nullptr);

    SharedImageHandle copy(handle);
    EXPECT_EQ(copy.GetImage(), &plain);
    EXPECT_FALSE(copy.mOwned);
}

TEST_F(SharedImage, OnlyAnOwningHandleDeletesItsPlainImage)
{
    int deleted = 0;
    {
        SharedImageHandle borrowing;
        borrowing = new CountedImage(deleted);
        Image* image = borrowing.GetImage();
        borrowing.Release();
        EXPECT_EQ(deleted, 0);
        delete image;
        EXPECT_EQ(deleted, 1);

        SharedImageHandle owning;
        owning.mOwned = true;
        owning = new CountedImage(deleted);
        owning = owning.GetImage();
        EXPECT_EQ(deleted, 1) << "assigning the held image keeps it";
        owning.Release();
        EXPECT_EQ(deleted, 2);
        EXPECT_TRUE(owning.mOwned);
    }
    EXPECT_EQ(deleted, 2);
}

TEST_F(SharedImage, CountingIsSafeAcrossThreads)
{
    SharedImageEntry entry;
    SharedImageHandle root;
    root = &entry;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
    {
        threads.emplace_back(
            [&root]
            {
                for (int i = 0; i < 20000; ++i)
                {
                    SharedImageHandle copy(root);
                    SharedImageHandle other;
                    other = copy;
                }
            });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(entry.mRefCount, 1);
    EXPECT_EQ(mHost.mPurgeRequests, 0);
    root.Release();
    EXPECT_EQ(mHost.mPurgeRequests, 1);
}

// Stamp-check scopes: which scope is open on a thread, and path resolution
// inside one.
#include "platform/fs/filestamp.h"
#include "platform/fs/fs.h"
#include "testsupport.h"

#include <QDir>
#include <cstdint>
#include <gtest/gtest.h>
#include <thread>

using veltra::fs::StampCheckScope;

namespace {

TEST(StampCheckScope, TheOutermostScopeOfTheThreadCounts)
{
    EXPECT_EQ(StampCheckScope::current(), 0u);
    std::uint64_t first = 0;
    {
        const StampCheckScope outer;
        first = StampCheckScope::current();
        EXPECT_NE(first, 0u);
        {
            const StampCheckScope inner;
            EXPECT_EQ(StampCheckScope::current(), first);
        }
        EXPECT_EQ(StampCheckScope::current(), first); // the inner one closing ends nothing
        std::uint64_t elsewhere = 1;
        std::thread([&elsewhere] { elsewhere = StampCheckScope::current(); }).join();
        EXPECT_EQ(elsewhere, 0u); // another thread checks as before
    }
    EXPECT_EQ(StampCheckScope::current(), 0u);
    const StampCheckScope next;
    EXPECT_NE(StampCheckScope::current(), first); // what the first scope checked is not trusted
}

// Inside a scope a path resolves as it first did; the next scope looks again.
TEST(StampCheckScope, PathsResolveOncePerScope)
{
    veltra::test::TempDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Data")));
    const QString asked = dir.path() + QStringLiteral("DATA/x.txt");
    {
        const StampCheckScope scope;
        EXPECT_EQ(veltra::fs::resolve(asked), dir.path() + QStringLiteral("Data/x.txt"));
        ASSERT_TRUE(QDir(dir.path()).rename(QStringLiteral("Data"), QStringLiteral("data")));
        EXPECT_EQ(veltra::fs::resolve(asked), dir.path() + QStringLiteral("Data/x.txt"));
    }
    EXPECT_EQ(veltra::fs::resolve(asked), dir.path() + QStringLiteral("data/x.txt"));
    const StampCheckScope next;
    EXPECT_EQ(veltra::fs::resolve(asked), dir.path() + QStringLiteral("data/x.txt"));
}

} // namespace

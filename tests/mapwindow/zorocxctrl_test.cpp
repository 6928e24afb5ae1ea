// The area lookups' element-record helper empties a record as the element
// reader does, keeping the comment.
#include "mapwindow/zorocxctrl.h"

#include <gtest/gtest.h>

TEST(ZorOCXCtrl, ClearElementInfoEmptiesAllButTheComment)
{
    ElementInfo info;
    info.Handle = 7;
    info.IndexH = 8;
    info.Type = 3;
    info.PNum = 2;
    info.Key = QStringLiteral("13101,0");
    info.iPra = {1, 2, 211};
    info.lPra = {1, 2, 3, 4, 5, 6};
    info.lX = {10, 20};
    info.lY = {30, 40};
    info.Comment = QStringLiteral("千代田区");
    ZorOCXCtrl::ClearElementInfo(info);
    const ElementInfo empty;
    EXPECT_EQ(info.Handle, 0);
    EXPECT_EQ(info.IndexH, 0);
    EXPECT_EQ(info.Type, 0);
    EXPECT_EQ(info.PNum, 0);
    EXPECT_TRUE(info.Key.isEmpty());
    EXPECT_EQ(info.iPra, empty.iPra);
    EXPECT_EQ(info.lPra, empty.lPra);
    EXPECT_TRUE(info.lX.empty());
    EXPECT_TRUE(info.lY.empty());
    EXPECT_EQ(info.Comment, QStringLiteral("千代田区"));
}

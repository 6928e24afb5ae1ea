// The place name at the map centre, on a document of municipality areas with
// area connectors and a place-name database.
#include "areadoc.h"
#include "mapwindow/centreplacename.h"
#include "zorvik/widget/zorvik.h"

#include <gtest/gtest.h>

using namespace veltra;

class CentrePlaceName : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_doc.ok);
        m_map.resize(400, 300);
        m_map.setDocumentPath(m_doc.zor);
        ASSERT_EQ(m_map.InitializeMap(0), 0);
        m_map.InitDisplay();
        m_map.setScale(50000);
    }
    std::optional<QString> nameAt(int area)
    {
        m_map.setCenterX(test::AreaDoc::centreX(area));
        m_map.setCenterY(test::AreaDoc::centreY());
        m_map.Refresh();
        return mapwindow::centrePlaceName(m_map, m_doc.names, QStringLiteral("100000"));
    }

    test::AreaDoc m_doc;
    zorvik::Zorvik m_map;
};

TEST_F(CentrePlaceName, FollowsThePanFromAreaToArea)
{
    struct Row
    {
        int area;
        const char *name;
    };
    for (const Row &row : {Row{0, "東京都千代田区"}, Row{1, "北海道札幌市中央区"}, Row{2, "神奈川県横浜市"},
             Row{3, "東京都"}, Row{0, "東京都千代田区"}}) {
        SCOPED_TRACE(row.area);
        const auto name = nameAt(row.area);
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(*name, QString::fromUtf8(row.name));
    }
}

TEST_F(CentrePlaceName, OutsideEveryAreaTheLabelIsEmptied)
{
    m_map.setCenterX(test::AreaDoc::X0 - 20000);
    m_map.setCenterY(test::AreaDoc::centreY());
    const auto name = mapwindow::centrePlaceName(m_map, m_doc.names, QStringLiteral("100000"));
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, QString());
}

TEST_F(CentrePlaceName, ZoomedOutOrWithoutALevelNoSearchRunsAndTheLabelIsEmptied)
{
    m_map.setSpaceID(5);
    m_map.setRecognizeLength(7);
    for (const char *level : {"40000", "", "abc"}) {
        SCOPED_TRACE(level);
        const auto name = mapwindow::centrePlaceName(m_map, m_doc.names, QString::fromLatin1(level));
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(*name, QString());
    }
    EXPECT_EQ(m_map.RecognizeLength(), 7); // no search settings were touched
}

TEST_F(CentrePlaceName, AToolOwningTheSearchKeepsTheLabelAndTheSpaceIsRestored)
{
    m_map.setMouseEventMode(7);
    EXPECT_FALSE(nameAt(0).has_value());
    m_map.setMouseEventMode(0);
    m_map.setSpaceID(-1);
    ASSERT_TRUE(nameAt(1).has_value());
    EXPECT_EQ(m_map.SpaceID(), -1);
    EXPECT_EQ(m_map.RecognizeElementType(), 2);
}

TEST_F(CentrePlaceName, AKeyIsAValueNeverPartOfTheQuery)
{
    // Pasted into the text, the quote would turn the condition into one that
    // every row meets and put a prefecture name in front.
    const auto name = nameAt(4);
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, QStringLiteral("横浜市' OR '1'='1"));
}

// VB's Trim drops ordinary spaces only.
#include "platform/vb/strings.h"

#include <gtest/gtest.h>

TEST(VbTrim, DropsOrdinarySpacesOnly)
{
    struct Case
    {
        const char *text;
        const char *out;
    };
    const Case cases[] = {
        {"  地図  ", "地図"},
        {"a b", "a b"},
        {"   ", ""},
        {"", ""},
        {"\tx\t", "\tx\t"},
        {"　全角　", "　全角　"},
        {" x\r\n", "x\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(veltra::vb::trim(QString::fromUtf8(c.text)), QString::fromUtf8(c.out));
    }
}

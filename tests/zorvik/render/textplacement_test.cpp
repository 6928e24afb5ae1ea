#include "zorvik/render/textplacement.h"

#include <gtest/gtest.h>

namespace zorvik {
namespace {

TEST(TextPlacement, ABoxOverlappingAPlacedOneIsRefused)
{
    // Boxes in one frame, placed in this order; a box spanning several grid
    // cells must be found from any of them.
    TextPlacement placement(QRectF(0, 0, 400, 300), 32);
    const struct
    {
        const char *what;
        QRectF box;
        bool placed;
    } cases[] = {
        {"first", {100, 100, 80, 14}, true},
        {"overlaps its right end", {175, 110, 60, 14}, false},
        {"touches its right edge only", {180, 100, 40, 14}, true},
        {"inside it", {120, 103, 10, 5}, false},
        {"wide, over many cells, crossing the first", {10, 90, 380, 12}, false},
        {"wide, clear of everything", {10, 200, 380, 12}, true},
        {"tall, through the wide one", {300, 150, 10, 100}, false},
        {"outside the frame", {500, 100, 40, 14}, false},
        {"half outside the frame", {380, 20, 60, 14}, true},
        {"empty", {50, 50, 0, 0}, false},
    };
    std::size_t placed = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(placement.place(c.box), c.placed);
        placed += c.placed;
        EXPECT_EQ(placement.count(), placed);
    }
}

TEST(TextPlacement, EveryPlacedBoxIsFreeOfTheOthers)
{
    // A dense field of overlapping boxes: what is placed never overlaps.
    TextPlacement placement(QRectF(0, 0, 300, 200), 40);
    std::vector<QRectF> placed;
    for (int i = 0; i < 400; ++i) {
        const QRectF box((i * 37) % 290, (i * 53) % 190, 20 + (i % 5) * 13, 9 + (i % 3) * 4);
        if (placement.place(box))
            placed.push_back(box);
    }
    ASSERT_GT(placed.size(), 20u);
    ASSERT_LT(placed.size(), 400u);
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j)
            EXPECT_FALSE(placed[i].intersects(placed[j])) << i << " " << j;
}

} // namespace
} // namespace zorvik

// The picture box's persistent picture: a drawing copied into it from the
// box's own image stays (the pyramid pictures are saved that way).
#include "graphs/picturebox.h"

#include <QPainter>
#include <gtest/gtest.h>

TEST(PictureBoxPicture, SettingItsOwnImageKeepsTheDrawing)
{
    PictureBox box;
    box.setBorderStyle(0);
    box.setBackColor(Qt::white);
    box.resize(40, 30);
    box.Cls();
    {
        QImage &image = const_cast<QImage &>(box.image());
        QPainter painter(&image);
        painter.fillRect(QRect(5, 5, 10, 10), Qt::blue);
    }
    box.setPicture(box.image());
    EXPECT_EQ(box.image().pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(box.image().pixelColor(30, 20), QColor(Qt::white));
}

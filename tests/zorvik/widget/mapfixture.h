#pragma once
// A map control on a tiny document, with an event log and a gesture driver
// that clicks and drags at world coordinates through the view transform.
#include "../testmap/tinymap.h"
#include "zorvik/widget/zorvik.h"

#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Readable failures for event lists.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << s.toStdString();
}

namespace zorvik::test {

class MapFixture : public ::testing::Test
{
protected:
    void open(const std::vector<ElementRecord> &elements);

    // Device position of a world point.
    QPoint at(std::int32_t x, std::int32_t y) const;
    void click(std::int32_t x, std::int32_t y, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(std::int32_t x, std::int32_t y);
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton);

    // Event names in order, without the moves unless asked for.
    QStringList events() const;
    QStringList movesToo() const { return m_log; }
    void clearLog() { m_log.clear(); }

    std::unique_ptr<TinyMap> m_map;
    std::unique_ptr<Zorvik> m_view;
    QStringList m_log;
    std::int32_t m_lastSet = -1;
    std::array<std::int32_t, 4> m_lastRect{};
    std::array<std::int32_t, 4> m_lastClick{}; // button, shift, x, y
    int m_lastMouseUpButton = 0;
};

} // namespace zorvik::test

#include "mapfixture.h"

namespace zorvik::test {

void MapFixture::open(const std::vector<ElementRecord> &elements)
{
    m_map = std::make_unique<TinyMap>(elements);
    ASSERT_TRUE(m_map->ok()) << m_map->error().toStdString();
    m_view = std::make_unique<Zorvik>();
    m_view->resize(200, 150);
    m_view->setDocumentPath(m_map->zorPath());
    ASSERT_EQ(m_view->InitializeMap(0), code::Ok);
    m_view->InitDisplay();
    m_view->ZoomWindow(CX, CY, 1, 1);
    m_view->setScale(25000);
    Zorvik *v = m_view.get();
    QObject::connect(v, &Zorvik::MouseDown,
        [this](int b, int, double, double) { m_log << QStringLiteral("MouseDown%1").arg(b); });
    QObject::connect(v, &Zorvik::MouseUp, [this](int b, int, double, double) {
        m_log << QStringLiteral("MouseUp%1").arg(b);
        m_lastMouseUpButton = b;
    });
    QObject::connect(
        v, &Zorvik::MouseMove, [this](int, int, double, double) { m_log << QStringLiteral("MouseMove"); });
    QObject::connect(v, &Zorvik::CursorPos,
        [this](int, int, std::int32_t, std::int32_t) { m_log << QStringLiteral("CursorPos"); });
    QObject::connect(v, &Zorvik::Click, [this](int b, int s, std::int32_t x, std::int32_t y) {
        m_log << QStringLiteral("Click%1").arg(b);
        m_lastClick = {b, s, x, y};
    });
    QObject::connect(v, &Zorvik::DblClick,
        [this](int b, int, std::int32_t, std::int32_t) { m_log << QStringLiteral("DblClick%1").arg(b); });
    QObject::connect(
        v, &Zorvik::RectSelect, [this](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
            m_log << QStringLiteral("RectSelect");
            m_lastRect = {x1, y1, x2, y2};
        });
    QObject::connect(v, &Zorvik::SearchEnd, [this](std::int32_t set) {
        m_log << QStringLiteral("SearchEnd");
        m_lastSet = set;
    });
    QObject::connect(v, &Zorvik::ScaleChanged, [this] { m_log << QStringLiteral("ScaleChanged"); });
    QObject::connect(v, &Zorvik::ViewMoved, [this] { m_log << QStringLiteral("ViewMoved"); });
    QObject::connect(v, &Zorvik::KeyDown,
        [this](int key, int shift) { m_log << QStringLiteral("KeyDown%1/%2").arg(key).arg(shift); });
    QObject::connect(v, &Zorvik::GotFocus, [this] { m_log << QStringLiteral("GotFocus"); });
}

QPoint MapFixture::at(std::int32_t x, std::int32_t y) const
{
    double dx = 0, dy = 0;
    m_view->ConvertCoord(4, x, y, dx, dy, 0);
    return QPoint(qRound(dx), qRound(dy));
}

void MapFixture::click(std::int32_t x, std::int32_t y, Qt::MouseButton button)
{
    QTest::mouseClick(m_view.get(), button, Qt::NoModifier, at(x, y));
}

void MapFixture::doubleClick(std::int32_t x, std::int32_t y)
{
    // What a widget receives for a double click: press, release, double click, release.
    const QPoint p = at(x, y);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, p);
}

void MapFixture::drag(QPoint from, QPoint to, Qt::MouseButton button)
{
    QTest::mousePress(m_view.get(), button, Qt::NoModifier, from);
    for (int i = 1; i <= 4; ++i)
        QTest::mouseMove(m_view.get(), from + (to - from) * i / 4);
    QTest::mouseRelease(m_view.get(), button, Qt::NoModifier, to);
}

QStringList MapFixture::events() const
{
    QStringList out;
    for (const QString &e : m_log)
        if (e != QLatin1String("MouseMove") && e != QLatin1String("CursorPos"))
            out << e;
    return out;
}

} // namespace zorvik::test

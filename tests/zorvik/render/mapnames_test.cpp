// Place names on the generated default map: no two written names overlap at
// the national and municipal views, a name left out comes back when zooming
// in gives it room, and every target of one view writes the same names. The
// national start view is also written to national-view-names.png in the
// working (build) folder, to be looked at.
#include "zorvik/core/document.h"
#include "zorvik/render/renderer.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

// Kinds of the default map (data/README.md).
constexpr std::int16_t PrefectureName = 205;
constexpr std::int16_t MunicipalityName = 210;

const QString Folder = QStringLiteral(VELTRA_DEFAULT_DATA);

// World units of a longitude and latitude.
constexpr std::int32_t worldX(double lon)
{
    return static_cast<std::int32_t>((lon - 122) * 360000);
}
constexpr std::int32_t worldY(double lat)
{
    return static_cast<std::int32_t>((lat - 24) * 360000);
}

// A value of [ZORPAK_MAP0_SAVE] in the shipped Veltra.INI (ASCII keys and numbers).
double startView(const char *key)
{
    QFile file(Folder + QStringLiteral("/Veltra.INI"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    bool inSection = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('['))
            inSection = line == "[ZORPAK_MAP0_SAVE]";
        else if (inSection && line.startsWith(QByteArray(key) + '='))
            return line.mid(line.indexOf('=') + 1).toDouble();
    }
    return 0;
}

class MapNames : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        Result r = 0;
        QString error;
        doc = Document::open(Folder + QStringLiteral("/Veltra.zor"), r, &error);
    }
    static void TearDownTestSuite() { doc.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(doc) << "no default map in " << Folder.toStdString()
                         << " (build the target veltra_default_data)";
    }

    struct Frame
    {
        QImage image;
        std::vector<DrawnText> texts;
    };
    static Frame render(const ViewTransform &view)
    {
        RenderInput input;
        input.document = doc.get();
        Frame f;
        f.image = QImage(view.size(), QImage::Format_ARGB32_Premultiplied);
        f.image.fill(input.background);
        QPainter painter(&f.image);
        const QStringList errors = Renderer().render(
            painter, view, input, LayerSlot::Background, LayerSlot::SetDrawings, nullptr, &f.texts);
        EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
        return f;
    }
    static QSet<QString> names(const Frame &f)
    {
        QSet<QString> s;
        for (const DrawnText &t : f.texts)
            s.insert(t.text);
        return s;
    }
    // The keys of a kind's connectors anchored inside the view.
    static QSet<QString> anchoredIn(const ViewTransform &view, std::int16_t kind)
    {
        QSet<QString> keys;
        const QRectF frame(QPointF(0, 0), QSizeF(view.size()));
        doc->forEachInBox(view.visibleBox(), [&](const StoredElement &e) {
            if (e.type == TypeConnector && e.kind == kind
                && frame.contains(view.worldToDevice(e.x(0), e.y(0))))
                keys.insert(e.key());
            return true;
        });
        return keys;
    }
    static ViewTransform start(double scale, QSize size = QSize(1024, 768), double dpi = 96)
    {
        return ViewTransform(startView("drawCenterX"), startView("drawCenterY"), scale, 0, size, dpi);
    }
    // 全体表示: the whole map's centre at the largest scale denominator offered.
    static ViewTransform wholeMap()
    {
        const WorldBox e = doc->extent();
        return ViewTransform(
            (e.minX + e.maxX) / 2.0, (e.minY + e.maxY) / 2.0, 15000000, 0, QSize(1024, 768), 96);
    }
    // A view at `scale` centred on the mean anchor of the named connectors of a kind.
    static ViewTransform around(std::int16_t kind, const QStringList &keys, double scale)
    {
        double x = 0, y = 0;
        int n = 0;
        doc->forEachInBox(doc->extent(), [&](const StoredElement &e) {
            if (e.type == TypeConnector && e.kind == kind && keys.contains(e.key())) {
                x += e.x(0);
                y += e.y(0);
                ++n;
            }
            return true;
        });
        EXPECT_EQ(n, keys.size());
        return ViewTransform(x / std::max(n, 1), y / std::max(n, 1), scale, 0, QSize(1024, 768), 96);
    }

    static std::shared_ptr<Document> doc;
};
std::shared_ptr<Document> MapNames::doc;

::testing::AssertionResult noneOverlap(const std::vector<DrawnText> &texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            if (texts[i].box.intersects(texts[j].box))
                return ::testing::AssertionFailure()
                    << texts[i].text.toStdString() << " overlaps " << texts[j].text.toStdString();
    return ::testing::AssertionSuccess() << texts.size() << " texts";
}

TEST_F(MapNames, NoTwoWrittenNamesOverlap)
{
    ASSERT_EQ(startView("scale"), 10000000); // the shipped start view
    const ViewTransform osaka(worldX(135.50), worldY(34.69), 500000, 0, QSize(1024, 768), 96);
    const struct
    {
        const char *what;
        ViewTransform view;
        std::size_t atLeast; // texts written
    } cases[] = {
        {"start view 1:10,000,000", start(10000000), 25},
        {"whole map 1:15,000,000", wholeMap(), 15},
        {"start view in a small window", start(10000000, QSize(640, 480)), 20},
        {"Osaka 1:500,000", osaka, 60},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Frame f = render(c.view);
        EXPECT_GE(f.texts.size(), c.atLeast);
        EXPECT_TRUE(noneOverlap(f.texts));
        // Each name's box lies where it was drawn: its pixels are not all background.
        for (const DrawnText &t : f.texts) {
            const QRect box = t.box.toAlignedRect().intersected(f.image.rect());
            int inked = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    inked += f.image.pixel(x, y) != qRgb(255, 255, 255);
            EXPECT_GT(inked, 10) << t.text.toStdString();
        }
    }
}

TEST_F(MapNames, PrefectureNamesGoBeforeMunicipalNames)
{
    // Around Osaka at 1:500,000 both kinds are shown and municipal names are
    // dense: every prefecture name anchored in the view is written, and some
    // municipal names are left out.
    const ViewTransform view(worldX(135.50), worldY(34.69), 500000, 0, QSize(1024, 768), 96);
    const QSet<QString> written = names(render(view));
    const QSet<QString> prefectures = anchoredIn(view, PrefectureName);
    const QSet<QString> municipalities = anchoredIn(view, MunicipalityName);
    ASSERT_GE(prefectures.size(), 3);
    for (const QString &p : prefectures)
        EXPECT_TRUE(written.contains(p)) << p.toStdString();
    EXPECT_LT((written & municipalities).size(), municipalities.size());
    EXPECT_GT((written & municipalities).size(), municipalities.size() / 2);
}

TEST_F(MapNames, ANameLeftOutComesBackWhenZoomingInGivesItRoom)
{
    const ViewTransform osaka(worldX(135.50), worldY(34.69), 500000, 0, QSize(1024, 768), 96);
    const struct
    {
        const char *what;
        std::int16_t kind;
        ViewTransform small;
        QStringList names; // print over one another at the small scale
        double largeScale; // a view of this scale centred on them gives them room
    } cases[] = {
        {"Kanto prefectures", PrefectureName, start(10000000), {"山梨県", "東京都", "神奈川県", "千葉県"},
            2500000},
        {"Hokuriku and Tokai prefectures", PrefectureName, wholeMap(), {"福井県", "岐阜県"}, 2500000},
        {"towns of northwestern Nara", MunicipalityName, osaka, {"三郷町", "斑鳩町", "安堵町"}, 100000},
        {"cities of southern Osaka", MunicipalityName, osaka, {"阪南市", "泉南市"}, 100000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QSet<QString> small = names(render(c.small));
        const QSet<QString> large = names(render(around(c.kind, c.names, c.largeScale)));
        int leftOut = 0;
        for (const QString &n : c.names) {
            leftOut += !small.contains(n);
            EXPECT_TRUE(large.contains(n)) << n.toStdString();
        }
        EXPECT_GE(leftOut, 1);
    }
}

TEST_F(MapNames, EveryTargetWritesTheSameNames)
{
    // The screen, an image and a printed page of one view differ only in DPI.
    const Frame screen = render(start(10000000));
    const Frame page = render(start(10000000, QSize(2048, 1536), 192));
    EXPECT_EQ(names(screen), names(page));
    EXPECT_TRUE(noneOverlap(page.texts));
}

TEST_F(MapNames, NationalViewPicture)
{
    // Written for a person to look at: legible names, none over another.
    const Frame f = render(start(10000000));
    const QString path = QStringLiteral("national-view-names.png");
    ASSERT_TRUE(f.image.save(path));
    std::printf("national view: %s\n", qPrintable(QFileInfo(path).absoluteFilePath()));
    EXPECT_TRUE(noneOverlap(f.texts));
}

} // namespace
} // namespace zorvik

#include "mapwindow/centreplacename.h"

#include "mapwindow/mdlelement.h"
#include "platform/vb/convert.h"
#include "statdata/meshdatabase.h"
#include "zorvik/widget/zorvik.h"

#include <algorithm>
#include <array>

namespace veltra::mapwindow {

namespace {

// Mouse modes in which a tool owns the engine's search settings.
bool toolOwnsSearch(int mode)
{
    static constexpr std::array<int, 10> modes{7, 8, 9, 10, 11, 12, 13, 14, 15, 17};
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

std::optional<std::int32_t> prefectureOfMunicipality(statdata::MeshDatabase &db, const QString &name)
{
    db::Statement q
        = db.prepare(QStringLiteral("SELECT 都道府県コード FROM 市区町村テーブル WHERE 市区町村名=?"));
    if (!q.isValid())
        return std::nullopt;
    q.bind(1, name);
    if (!q.next())
        return std::nullopt;
    return q.int32(0);
}

// Keeps the engine's space across the search, however it ends.
class SpaceKeeper
{
public:
    explicit SpaceKeeper(zorvik::Zorvik &engine)
        : m_engine(engine)
        , m_space(engine.SpaceID())
    { }
    ~SpaceKeeper() { m_engine.setSpaceID(m_space); }
    SpaceKeeper(const SpaceKeeper &) = delete;
    SpaceKeeper &operator=(const SpaceKeeper &) = delete;

private:
    zorvik::Zorvik &m_engine;
    int m_space;
};

} // namespace

std::optional<QString> centrePlaceName(
    zorvik::Zorvik &engine, statdata::MeshDatabase &database, const QString &dispLevel1)
{
    const auto level = vb::toNumber(dispLevel1);
    if (!level || engine.Scale() > *level)
        return QString();
    if (toolOwnsSearch(engine.MouseEventMode()))
        return std::nullopt;

    const std::int32_t cx = engine.CenterX();
    const std::int32_t cy = engine.CenterY();
    engine.setRecognizeElementType(1);
    engine.setRecognizeSearchNum(0);
    engine.setRecognizeLength(100);
    const SpaceKeeper keep(engine);
    engine.setSpaceID(2);

    zorvik::Handle areas = 0;
    std::int32_t count1 = 0, e = 0, f = 0;
    engine.SearchElements(3, cx, cy, areas, count1, e, f);
    if (areas == 0 || count1 <= 0)
        return QString();

    engine.setRecognizeElementType(2);
    zorvik::Handle inner = 0;
    std::int32_t count2 = 0;
    engine.SearchInnerPolygonElements(areas, inner, count1, e, count2);
    engine.ReleaseElements(areas);
    if (inner < 1 || count2 < 1) {
        engine.ReleaseElements(inner);
        return QString();
    }

    QString codeText;
    QString nameText;
    std::int32_t elem = 0;
    ElementInfo info;
    for (std::int32_t i = 0; i < count2; ++i) {
        if (!readElementInfo(engine, inner, elem, info, 1))
            break;
        QString key = info.Key;
        QString n;
        if (vb::isNumeric(key)) {
            if (key.size() == 4)
                key.prepend(QLatin1Char('0'));
            const auto p = static_cast<std::int32_t>(vb::val(key.mid(0, 2)));
            const auto c = static_cast<std::int32_t>(vb::val(key.mid(2, 3)));
            if (const auto pref = database.prefectureName(p))
                n = *pref;
            if (const auto city = database.municipalityName(p, c))
                n += *city;
            codeText = n;
        } else {
            if (const auto p = prefectureOfMunicipality(database, key)) {
                if (const auto pref = database.prefectureName(*p))
                    n = *pref;
            }
            nameText = n + key;
        }
    }
    engine.ReleaseElements(inner);
    return codeText.isEmpty() ? nameText : codeText;
}

} // namespace veltra::mapwindow

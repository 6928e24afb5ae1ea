#include "mapwindow/comelmkind.h"

#include "shell/mdlmain_ui.h"
#include "zorvik/core/engine.h"
#include "zorvik/widget/zorvik.h"

namespace {

const QString nameBuffer()
{
    return QString(128, QLatin1Char(' '));
}

// The first number in 1..limit whose name the engine does not know.
template <class NameOf> bool firstUnused(int limit, std::int16_t &out, NameOf nameOf)
{
    for (int n = 1; n <= limit; ++n) {
        QString name = nameBuffer();
        if (nameOf(static_cast<std::int16_t>(n), name) != zorvik::code::Ok) {
            out = static_cast<std::int16_t>(n);
            return true;
        }
    }
    return false;
}

// Fills IDs and names from a count, a list and a name getter.
template <class Fill, class NameOf>
std::int16_t idList(
    std::int16_t count, std::vector<std::int16_t> &ids, std::vector<QString> &names, Fill fill, NameOf nameOf)
{
    if (count <= 0)
        return count;
    ids.assign(static_cast<std::size_t>(count), 0);
    names.assign(static_cast<std::size_t>(count), QString());
    fill(count, ids);
    for (std::int16_t i = 0; i < count; ++i) {
        QString name = nameBuffer();
        nameOf(ids[static_cast<std::size_t>(i)], name);
        names[static_cast<std::size_t>(i)] = name;
    }
    return count;
}

} // namespace

ComElmKind::~ComElmKind()
{
    m_control = nullptr;
    m_engine = nullptr;
    m_cnectIds.clear();
    m_cnectNames.clear();
    m_cnectCount = 0;
}

void ComElmKind::setZorvik(zorvik::Zorvik *control)
{
    m_control = control;
    m_engine = nullptr;
}

void ComElmKind::setEngine(const zorvik::Engine *engine)
{
    m_control = nullptr;
    m_engine = engine;
}

const zorvik::Engine *ComElmKind::engine() const
{
    if (m_control)
        return &static_cast<const zorvik::Zorvik *>(m_control.data())->core();
    return m_engine;
}

bool ComElmKind::GetUnuseSpaceID(std::int16_t &iSpID) const
{
    const zorvik::Engine *e = engine();
    if (!e)
        return false;
    return firstUnused(
        zorvik::MaxSpaceId, iSpID, [e](std::int16_t id, QString &name) { return e->GetSpaceName(id, name); });
}

bool ComElmKind::GetUnuseVectID(std::int16_t &iVectID) const
{
    const zorvik::Engine *e = engine();
    if (!e)
        return false;
    return firstUnused(
        32000, iVectID, [e](std::int16_t id, QString &name) { return e->GetVectorName(id, name); });
}

bool ComElmKind::GetUnuseCnectID(std::int16_t &iCnectID) const
{
    const zorvik::Engine *e = engine();
    if (!e)
        return false;
    return firstUnused(
        32000, iCnectID, [e](std::int16_t id, QString &name) { return e->GetConnectorName(id, name); });
}

std::int16_t ComElmKind::GetSpaceIDList(std::vector<std::int16_t> &ids, std::vector<QString> &names) const
{
    const zorvik::Engine *e = engine();
    if (!e)
        return 0;
    std::int16_t count = 0;
    e->GetSpaceIDListCount(count);
    return idList(
        count, ids, names, [e](std::int16_t n, std::vector<std::int16_t> &out) { e->GetSpaceIDList(n, out); },
        [e](std::int16_t id, QString &name) { return e->GetSpaceName(id, name); });
}

std::int16_t ComElmKind::GetVectIDList(
    std::int16_t spaceId, std::vector<std::int16_t> &ids, std::vector<QString> &names) const
{
    const zorvik::Engine *e = engine();
    if (!e)
        return 0;
    std::int16_t count = 0;
    e->GetSpaceIDVectorIDListCount(spaceId, count);
    return idList(
        count, ids, names,
        [e, spaceId](
            std::int16_t n, std::vector<std::int16_t> &out) { e->GetSpaceIDVectorIDList(spaceId, n, out); },
        [e](std::int16_t id, QString &name) { return e->GetVectorName(id, name); });
}

std::int16_t ComElmKind::GetCnectIDList(
    std::int16_t spaceId, std::vector<std::int16_t> &ids, std::vector<QString> &names) const
{
    const zorvik::Engine *e = engine();
    if (!e)
        return 0;
    std::int16_t count = 0;
    e->GetSpaceIDConnectorIDListCount(spaceId, count);
    return idList(
        count, ids, names,
        [e, spaceId](std::int16_t n, std::vector<std::int16_t> &out) {
            e->GetSpaceIDConnectorIDList(spaceId, n, out);
        },
        [e](std::int16_t id, QString &name) { return e->GetConnectorName(id, name); });
}

void ComElmKind::CreateCnectIDList()
{
    if (!HasEngine())
        return;
    m_cnectCount = 0;
    m_cnectIds.assign(1, 0);
    m_cnectNames.assign(1, QString());
    std::vector<std::int16_t> spaces;
    std::vector<QString> spaceNames;
    const std::int16_t spaceCount = GetSpaceIDList(spaces, spaceNames);
    for (std::int16_t s = 0; s < spaceCount; ++s) {
        std::vector<std::int16_t> kinds;
        std::vector<QString> kindNames;
        const std::int16_t kindCount = GetCnectIDList(spaces[static_cast<std::size_t>(s)], kinds, kindNames);
        for (std::int16_t k = 0; k < kindCount; ++k) {
            m_cnectIds.resize(static_cast<std::size_t>(m_cnectCount) + 1);
            m_cnectNames.resize(static_cast<std::size_t>(m_cnectCount) + 1);
            m_cnectIds[static_cast<std::size_t>(m_cnectCount)] = kinds[static_cast<std::size_t>(k)];
            m_cnectNames[static_cast<std::size_t>(m_cnectCount)]
                = mdlMain::ConvEngineString(kindNames[static_cast<std::size_t>(k)]);
            ++m_cnectCount;
        }
    }
}

std::int16_t ComElmKind::GetCnectIDbyName(const QString &sName) const
{
    if (!HasEngine())
        return -1;
    for (std::int16_t i = 0; i < m_cnectCount; ++i) {
        if (m_cnectNames[static_cast<std::size_t>(i)] == sName)
            return m_cnectIds[static_cast<std::size_t>(i)];
    }
    return -1;
}

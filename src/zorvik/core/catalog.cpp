#include "zorvik/core/catalog.h"

#include <algorithm>
#include <cmath>

namespace zorvik {

namespace {

// HSV (hue in degrees, saturation and value 0..1) to RGB 0..255.
Rgb fromHsv(double h, double s, double v)
{
    const double c = v * s;
    const double hp = std::fmod(h, 360.0) / 60.0;
    const double x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (hp < 1)
        r = c, g = x;
    else if (hp < 2)
        r = x, g = c;
    else if (hp < 3)
        g = c, b = x;
    else if (hp < 4)
        g = x, b = c;
    else if (hp < 5)
        r = x, b = c;
    else
        r = c, b = x;
    const double m = v - c;
    auto channel = [m](double value) { return static_cast<std::int16_t>(std::lround((value + m) * 255.0)); };
    return {channel(r), channel(g), channel(b)};
}

// The space or kind with this ID in its list, or the list's end.
template <class List> auto findId(List &items, std::int16_t id)
{
    return std::find_if(items.begin(), items.end(), [id](const auto &item) { return item.id == id; });
}

template <class Item> const Item *byId(const std::vector<Item> &items, std::int16_t id)
{
    const auto it = findId(items, id);
    return it == items.end() ? nullptr : &*it;
}

} // namespace

template <class Item> Result Catalog::rename(Item *item, const QString &name)
{
    if (!item)
        return code::UnknownId;
    if (!validName(name))
        return code::BadArgument;
    item->name = name;
    touch();
    return code::Ok;
}

Catalog::Catalog()
    : m_palette(defaultPalette())
    , m_lineTypes(defaultLineTypes())
    , m_hatches(defaultHatches())
{ }

std::array<Rgb, PaletteSize> Catalog::defaultPalette()
{
    std::array<Rgb, PaletteSize> p;
    // The first sixteen are the plain colours; callers use 1, 4, 5, 10 and 13
    // as highlight colours, so those are strong and far apart.
    static const Rgb base[16] = {
        {0, 0, 0},
        {255, 0, 0},
        {0, 160, 0},
        {0, 0, 255},
        {255, 0, 255},
        {0, 200, 200},
        {255, 160, 0},
        {128, 128, 128},
        {192, 192, 192},
        {128, 0, 0},
        {0, 100, 255},
        {0, 100, 0},
        {128, 0, 128},
        {255, 255, 0},
        {0, 0, 128},
        {255, 255, 255},
    };
    for (int i = 0; i < 16; ++i)
        p[i] = base[i];
    // The rest walk the hue circle by the golden angle, with three levels of
    // saturation and value, so neighbouring numbers differ clearly.
    for (int i = 16; i < PaletteSize; ++i) {
        const int k = i - 16;
        const double hue = std::fmod(k * 137.508, 360.0);
        const double sat = (k % 3 == 0) ? 1.0 : (k % 3 == 1 ? 0.67 : 0.86);
        const double val = (k % 4 == 0) ? 1.0 : (k % 4 == 1 ? 0.78 : (k % 4 == 2 ? 0.59 : 0.9));
        p[i] = fromHsv(hue, sat, val);
    }
    // Area highlight, measured area and measured line must stand out too.
    p[22] = {255, 105, 180};
    p[29] = {255, 128, 0};
    p[64] = {128, 255, 0};
    return p;
}

std::array<LineType, LineTypeCount> Catalog::defaultLineTypes()
{
    return {{{1, 0}, {2, 0}, {3, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}}};
}

std::array<std::int32_t, HatchCount> Catalog::defaultHatches()
{
    return {100, 0, 1, 2, 3, 4, 5, -1};
}

const Space *Catalog::space(std::int16_t id) const
{
    return byId(m_spaces, id);
}

Space *Catalog::mutableSpace(std::int16_t id)
{
    return const_cast<Space *>(std::as_const(*this).space(id));
}

Result Catalog::addSpace(std::int16_t id, const QString &name, const QString &type)
{
    if (!validSpaceId(id) || !validName(name) || type.size() > 8)
        return code::BadArgument;
    if (space(id))
        return code::IdInUse;
    m_spaces.push_back({id, name, type, {}});
    touch();
    return code::Ok;
}

Result Catalog::setSpaceName(std::int16_t id, const QString &name)
{
    return rename(mutableSpace(id), name);
}

Result Catalog::deleteSpace(std::int16_t id)
{
    const auto it = findId(m_spaces, id);
    if (it == m_spaces.end())
        return code::UnknownId;
    m_spaces.erase(it);
    for (ConnectorKind &k : m_connectors)
        if (k.space == id)
            k.space = 0;
    touch();
    return code::Ok;
}

const VectorKind *Catalog::vectorKind(std::int16_t id) const
{
    return byId(m_vectors, id);
}

VectorKind *Catalog::vectorKind(std::int16_t id)
{
    return const_cast<VectorKind *>(std::as_const(*this).vectorKind(id));
}

Result Catalog::addVectorKind(std::int16_t id, const QString &name)
{
    if (!validKindId(id) || !validName(name))
        return code::BadArgument;
    if (vectorKind(id))
        return code::IdInUse;
    VectorKind k;
    k.id = id;
    k.name = name;
    m_vectors.push_back(k);
    touch();
    return code::Ok;
}

Result Catalog::setVectorName(std::int16_t id, const QString &name)
{
    return rename(vectorKind(id), name);
}

Result Catalog::addVectorKindToSpace(std::int16_t spaceId, std::int16_t kind)
{
    Space *s = mutableSpace(spaceId);
    if (!s || !vectorKind(kind))
        return code::UnknownId;
    if (std::find(s->vectorKinds.begin(), s->vectorKinds.end(), kind) != s->vectorKinds.end())
        return code::IdInUse;
    s->vectorKinds.push_back(kind);
    touch();
    return code::Ok;
}

Result Catalog::deleteVectorKindFromSpace(std::int16_t spaceId, std::int16_t kind)
{
    Space *s = mutableSpace(spaceId);
    if (!s)
        return code::UnknownId;
    auto it = std::find(s->vectorKinds.begin(), s->vectorKinds.end(), kind);
    if (it == s->vectorKinds.end())
        return code::UnknownId;
    s->vectorKinds.erase(it);
    touch();
    return code::Ok;
}

std::vector<std::int16_t> Catalog::spacesOfVectorKind(std::int16_t kind) const
{
    std::vector<std::int16_t> out;
    for (const Space &s : m_spaces)
        if (std::find(s.vectorKinds.begin(), s.vectorKinds.end(), kind) != s.vectorKinds.end())
            out.push_back(s.id);
    return out;
}

const ConnectorKind *Catalog::connectorKind(std::int16_t id) const
{
    return byId(m_connectors, id);
}

ConnectorKind *Catalog::connectorKind(std::int16_t id)
{
    return const_cast<ConnectorKind *>(std::as_const(*this).connectorKind(id));
}

Result Catalog::addConnectorKind(
    std::int16_t id, const QString &name, std::int16_t spaceId, const QString &dll)
{
    if (!validKindId(id) || !validName(name) || dll.size() > MaxNameLength)
        return code::BadArgument;
    if (connectorKind(id))
        return code::IdInUse;
    if (!space(spaceId))
        return code::UnknownId;
    ConnectorKind k;
    k.id = id;
    k.name = name;
    k.space = spaceId;
    k.dll = dll;
    m_connectors.push_back(k);
    touch();
    return code::Ok;
}

Result Catalog::putConnectorKind(const ConnectorKind &kind)
{
    if (!validKindId(kind.id) || !validName(kind.name) || (kind.space != 0 && !space(kind.space)))
        return code::BadArgument;
    if (connectorKind(kind.id))
        return code::IdInUse;
    m_connectors.push_back(kind);
    touch();
    return code::Ok;
}

Result Catalog::setConnectorName(std::int16_t id, const QString &name)
{
    return rename(connectorKind(id), name);
}

Result Catalog::deleteConnectorKind(std::int16_t id)
{
    const auto it = findId(m_connectors, id);
    if (it == m_connectors.end())
        return code::UnknownId;
    m_connectors.erase(it);
    touch();
    return code::Ok;
}

std::vector<std::int16_t> Catalog::connectorKindsOfSpace(std::int16_t spaceId) const
{
    std::vector<std::int16_t> out;
    for (const ConnectorKind &k : m_connectors)
        if (k.space == spaceId)
            out.push_back(k.id);
    return out;
}

bool Catalog::kindInSpace(std::int16_t type, std::int16_t kind, std::int16_t spaceId) const
{
    if (type == TypeConnector) {
        const ConnectorKind *k = connectorKind(kind);
        return k && k->space == spaceId;
    }
    const Space *s = space(spaceId);
    return s && std::find(s->vectorKinds.begin(), s->vectorKinds.end(), kind) != s->vectorKinds.end();
}

bool Catalog::isStatisticsKind(std::int16_t type, std::int16_t kind) const
{
    if (kind < FirstStatKind || kind > LastStatKind)
        return false;
    return kindInSpace(type, kind, StatSpaceId);
}

} // namespace zorvik

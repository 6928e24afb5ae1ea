#pragma once
// The document's definitions: spaces, vector kinds, connector kinds, their
// display settings (display and pick flags, style numbers, hatching, display
// size, scale range), and the palette, line-type and hatch tables.
//
// A space holds vector kinds (a vector kind may be in several spaces) and owns
// connector kinds (each connector kind has exactly one space, or none after its
// space was deleted). Vector and connector kind IDs are separate ranges. Lists
// keep definition order; additions are appended. Spaces are 1..255, kinds
// 1..32767, names at most 127 characters.
//
// The catalog is a plain in-memory model: CatalogFiles reads and writes it.
// Every mutator returns a result code of types.h and leaves the catalog
// unchanged on failure.
#include "zorvik/core/types.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zorvik {

struct Space
{
    std::int16_t id = 0;
    QString name;
    QString type; // "P" point, "V" line, "F" area, "B" body (kept as given)
    std::vector<std::int16_t> vectorKinds; // member vector kinds, in order
};

// Scale range in which a kind is drawn and picked: lower <= Scale <= upper.
// A kind without a range line is in range at every scale.
struct ScaleRange
{
    std::int32_t lower = 0;
    std::int32_t upper = 0;
    bool defined = false;

    bool contains(double scale) const { return !defined || (lower <= scale && scale <= upper); }
};

struct VectorKind
{
    std::int16_t id = 0;
    QString name;
    std::int16_t disp = 1;
    std::int16_t pick = 1;
    Style6 style;
    ScaleRange range;
};

struct ConnectorKind
{
    std::int16_t id = 0;
    QString name;
    std::int16_t space = 0; // 0 = no space (its space was deleted)
    QString dll; // display renderer name, as given (may end in a blank)
    std::int16_t disp = 1;
    std::int16_t pick = 1;
    std::int16_t hatchFlag = 0;
    std::int16_t hatchNo = 0;
    Style6 style; // line-type positions are 0
    std::int16_t size = 100; // display size 0..20000
    ScaleRange range;
};

struct Rgb
{
    std::int16_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

struct LineType
{
    std::int32_t width = 1; // pixels
    std::int32_t code = 0; // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 no line
};

inline constexpr int PaletteSize = 256;
inline constexpr int LineTypeCount = 8;
inline constexpr int HatchCount = 8;

class Catalog
{
public:
    Catalog(); // empty definitions, built-in palette, line types and hatches

    // Built-in tables, used when the optional table files are missing.
    static std::array<Rgb, PaletteSize> defaultPalette();
    static std::array<LineType, LineTypeCount> defaultLineTypes();
    static std::array<std::int32_t, HatchCount> defaultHatches();

    // --- spaces
    const std::vector<Space> &spaces() const { return m_spaces; }
    const Space *space(std::int16_t id) const;
    Result addSpace(std::int16_t id, const QString &name, const QString &type);
    Result setSpaceName(std::int16_t id, const QString &name);
    // Removes the space; its connector kinds lose their space link.
    Result deleteSpace(std::int16_t id);

    // --- vector kinds
    const std::vector<VectorKind> &vectorKinds() const { return m_vectors; }
    const VectorKind *vectorKind(std::int16_t id) const;
    VectorKind *vectorKind(std::int16_t id);
    Result addVectorKind(std::int16_t id, const QString &name);
    Result setVectorName(std::int16_t id, const QString &name);
    Result addVectorKindToSpace(std::int16_t space, std::int16_t kind);
    Result deleteVectorKindFromSpace(std::int16_t space, std::int16_t kind);
    // Spaces that list the vector kind, in space order.
    std::vector<std::int16_t> spacesOfVectorKind(std::int16_t kind) const;

    // --- connector kinds
    const std::vector<ConnectorKind> &connectorKinds() const { return m_connectors; }
    const ConnectorKind *connectorKind(std::int16_t id) const;
    ConnectorKind *connectorKind(std::int16_t id);
    Result addConnectorKind(std::int16_t id, const QString &name, std::int16_t space, const QString &dll);
    Result setConnectorName(std::int16_t id, const QString &name);
    Result deleteConnectorKind(std::int16_t id);
    // Appends a complete connector kind as read from a file (space 0 allowed).
    Result putConnectorKind(const ConnectorKind &kind);
    std::vector<std::int16_t> connectorKindsOfSpace(std::int16_t space) const;

    // True when an element of this type and kind belongs to the space: a vector
    // when the space lists its kind, a connector when its kind is owned by it.
    bool kindInSpace(std::int16_t type, std::int16_t kind, std::int16_t space) const;
    // Statistics kinds (180..186 of the statistics space): temporary work.
    bool isStatisticsKind(std::int16_t type, std::int16_t kind) const;

    // --- tables
    const std::array<Rgb, PaletteSize> &palette() const { return m_palette; }
    const std::array<LineType, LineTypeCount> &lineTypes() const { return m_lineTypes; }
    const std::array<std::int32_t, HatchCount> &hatches() const { return m_hatches; }
    void setPalette(const std::array<Rgb, PaletteSize> &p) { m_palette = p; }
    void setLineTypes(const std::array<LineType, LineTypeCount> &t) { m_lineTypes = t; }
    void setHatches(const std::array<std::int32_t, HatchCount> &h) { m_hatches = h; }

    // Grows by one at every change, so views can tell when to redraw.
    std::uint64_t revision() const { return m_revision; }
    void touch() { ++m_revision; }

    static bool validSpaceId(int id) { return id >= 1 && id <= MaxSpaceId; }
    static bool validKindId(int id) { return id >= 1 && id <= MaxKindId; }
    // At most 127 characters and on one line (names are stored one per line).
    static bool validName(const QString &name)
    {
        return name.size() <= MaxNameLength && !name.contains(u'\n') && !name.contains(u'\r');
    }

private:
    Space *mutableSpace(std::int16_t id);
    // Gives the space or kind a new name: UnknownId without one.
    template <class Item> Result rename(Item *item, const QString &name);

    std::vector<Space> m_spaces;
    std::vector<VectorKind> m_vectors;
    std::vector<ConnectorKind> m_connectors;
    std::array<Rgb, PaletteSize> m_palette;
    std::array<LineType, LineTypeCount> m_lineTypes;
    std::array<std::int32_t, HatchCount> m_hatches;
    std::uint64_t m_revision = 0;
};

} // namespace zorvik

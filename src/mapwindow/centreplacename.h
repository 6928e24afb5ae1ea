#pragma once
// The place name under the centre of the map view: prefecture name followed
// by municipality name, found through the municipality area at the centre
// and the area connectors inside it, and looked up in the place-name
// database.
//
// The search runs in space 2 (municipality areas): the area polygons that
// contain the centre, then the connectors inside them. A connector's key is
// either an area code (prefecture in characters 1-2, municipality in 3-5; a
// four-digit code lacks its leading zero) or a municipality name. The last
// element with a code decides the name; a name key counts only when no
// element had a code. Every database value is a bound parameter.
//
// The engine's recognition settings are left as the search set them; only
// its space is restored.
#include <QString>
#include <optional>

namespace zorvik {
class Zorvik;
}
namespace veltra::statdata {
class MeshDatabase;
}

namespace veltra::mapwindow {

// The text to show for the view centre: the empty text when the map is
// zoomed out beyond `dispLevel1` (or that level is not a number) or nothing
// lies there; nullopt when a tool owns the engine's search settings and the
// label must keep its text.
std::optional<QString> centrePlaceName(
    zorvik::Zorvik &engine, statdata::MeshDatabase &database, const QString &dispLevel1);

} // namespace veltra::mapwindow

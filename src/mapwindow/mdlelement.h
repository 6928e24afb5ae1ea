#pragma once
// mdlElement: the one place that reads map elements out of the engine's
// element sets, reads the names and display styles of element kinds, and
// narrows a set to one space or one kind.
//
// The procedures without an engine argument work on the current map control
// (gobjZor); without one they read nothing (False, "", code 1, or Empty where
// the filter's argument asks for nothing). The forms in veltra::mapwindow take
// the engine explicitly: the headless core or a map control.
//
// Reading a set:
//   std::int32_t elem = 0; ElementInfo info;
//   while (mdlElement::ComZorGetElementInfo(set, elem, info, 1)) { ... }
// Engine failures while reading an element are shown and the element is still
// delivered; a failure to advance in the set ends the walk.
#include "mapwindow/elementinfo.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace zorvik {
class Engine;
class Zorvik;
} // namespace zorvik

namespace mdlElement {

// Reads the element after `elem` (0: the first) of `set` into `info` and
// leaves its handle in `elem`. All points when `allPoints` is non-zero, else
// the first point only. False, with `info` untouched, after the last element.
bool ComZorGetElementInfo(std::int32_t set, std::int32_t &elem, ElementInfo &info, std::int16_t allPoints);
// Zeroes every field but Comment.
void ClearElementInfo(ElementInfo &info);
// The kind's name; `typeFlag` 1 a connector kind, anything else a vector kind;
// "" for an unused ID.
QString GetKindName(std::int16_t kind, std::int32_t typeFlag);
// Result code of the last engine call.
std::int16_t GetVectKindStyle(std::int16_t kind, ElmKindStyle &style);
std::int16_t GetCnectKindStyle(std::int16_t kind, ElmKindStyle &style);
// Keeps the elements of `set` that belong to `space`; nothing (Empty) for
// space -1, else the result code of the last list or removal call.
std::optional<std::int16_t> FilterSetBySpace(std::int32_t set, std::int16_t space);
// Keeps the vectors (selector 1) or connectors (selector 2) of `kind`;
// nothing (Empty) for kind -1, else the result of the last removal (0: none).
std::optional<std::int16_t> FilterSetByKind(std::int32_t set, std::int16_t kind, std::int16_t selector);

} // namespace mdlElement

namespace veltra::mapwindow {

// The procedures above on an explicit engine; instantiated for zorvik::Engine
// and zorvik::Zorvik.
template <class E>
bool readElementInfo(
    E &engine, std::int32_t set, std::int32_t &elem, ElementInfo &info, std::int16_t allPoints);
template <class E> QString kindName(E &engine, std::int16_t kind, std::int32_t typeFlag);
template <class E> std::int16_t vectKindStyle(E &engine, std::int16_t kind, ElmKindStyle &style);
template <class E> std::int16_t cnectKindStyle(E &engine, std::int16_t kind, ElmKindStyle &style);
template <class E>
std::optional<std::int16_t> filterSetBySpace(E &engine, std::int32_t set, std::int16_t space);
template <class E>
std::optional<std::int16_t> filterSetByKind(
    E &engine, std::int32_t set, std::int16_t kind, std::int16_t selector);

// The key split of an element's text: exactly one comma gives name and
// comment; none, or two and more, keep the text whole as the name with an
// empty comment.
void splitKey(const QString &text, QString &name, QString &comment);

} // namespace veltra::mapwindow

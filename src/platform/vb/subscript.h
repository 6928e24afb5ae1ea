#pragma once
// Indexing a list the way a fixed VB array is indexed: an index outside its
// bounds raises "Subscript out of range" (9) naming the list, instead of
// reading past the end.
#include "platform/vb/errors.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace veltra::vb {

template<typename List>
auto &elementAt(List &list, std::int64_t i, const char *name)
{
    if (i < 0 || i >= static_cast<std::int64_t>(list.size()))
        throw SubscriptOutOfRange(std::string(name) + " index " + std::to_string(i));
    return list[static_cast<std::size_t>(i)];
}

} // namespace veltra::vb

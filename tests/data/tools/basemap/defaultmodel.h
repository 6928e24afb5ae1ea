#pragma once
// The base-map model built once from the shipped sources, for the tests that
// write and open the default document.
#include "basemap/basemapmodel.h"

namespace veltra::basemap::test {

const BaseMapModel &defaultModel();

} // namespace veltra::basemap::test

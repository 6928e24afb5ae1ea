#pragma once
// ZorOCXCtrl: the element-record helper the area lookups call before they
// fill a record from the engine. It empties the record exactly as
// mdlElement::ClearElementInfo does, so both callers agree on what an empty
// record is: everything zero or empty but Comment, which is kept.
#include "mapwindow/elementinfo.h"

namespace ZorOCXCtrl {

void ClearElementInfo(ElementInfo &info);

} // namespace ZorOCXCtrl

#include "mapwindow/zorocxctrl.h"

#include "mapwindow/mdlelement.h"

namespace ZorOCXCtrl {

void ClearElementInfo(ElementInfo &info)
{
    mdlElement::ClearElementInfo(info);
}

} // namespace ZorOCXCtrl

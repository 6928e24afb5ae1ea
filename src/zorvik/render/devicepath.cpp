#include "zorvik/render/devicepath.h"

namespace zorvik {

DevicePathBuilder::DevicePathBuilder(const ViewTransform &view, const QRectF &target)
    : m_view(view)
    , m_target(target)
{ }

} // namespace zorvik

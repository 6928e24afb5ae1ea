#include "shell/mapwindowhost.h"

namespace veltra::shell {

namespace {
MapWindowFactory &factory()
{
    static MapWindowFactory f;
    return f;
}
} // namespace

void setMapWindowFactory(MapWindowFactory f)
{
    factory() = std::move(f);
}

MapWindowHost *createMapWindow(QWidget *parent)
{
    return factory() ? factory()(parent) : nullptr;
}

} // namespace veltra::shell

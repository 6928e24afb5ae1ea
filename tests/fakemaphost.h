#pragma once
// A map window that is only there: the frame's map-window pointer and the
// engine's event bridge need one, the tests under way need nothing of it.
#include "shell/mapwindowhost.h"

#include <QString>
#include <QWidget>

namespace veltra::test {

class FakeMapHost : public shell::MapWindowHost
{
public:
    QWidget *widget() override { return &m_widget; }
    void load(const QString &) override { }
    zorvik::Zorvik *engine() override { return nullptr; }
    bool mapStarted() const override { return true; }
    void SetViewDate() override { }
    void MP_GetCenterPlaceName() override { ++placeNames; }
    double panButtonWidth() const override { return 360; }

    int placeNames = 0; // how often the place name at the centre was asked for

private:
    QWidget m_widget;
};

} // namespace veltra::test

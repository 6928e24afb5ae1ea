#include "statrender/datareferenceregistry.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/moderegistry.h"
#include "statrender/frmpsydatasanshou.h"

namespace veltra::statrender {

namespace {

frmPSYDataSanshou *dataWindow()
{
    return ui::form<frmPSYDataSanshou>(static_cast<QWidget *>(gfrmMain));
}

} // namespace

void registerDataReference()
{
    shell::DataReferenceWindow &table = shell::modeRegistry().dataReference();
    table.show = [] {
        frmPSYDataSanshou *window = dataWindow();
        window->show();
        window->raise();
    };
    table.setAddressCode = [](const QString &code) { dataWindow()->setAddressCode(code); };
    table.drawArea = [](std::int32_t x, std::int32_t y) { dataWindow()->DrawCaldoraArea(x, y); };
    table.setBunya = [](const QString &field) { return dataWindow()->SetBunya(field); };
}

} // namespace veltra::statrender

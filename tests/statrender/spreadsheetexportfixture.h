#pragma once
// The spreadsheet export as the program runs it: the generated default map
// in a real map control (gobjZor), the export registered with the shell, a
// data folder of the eight templates, the desktop's file opener recorded,
// and a temporary folder of the test's own.
#include "fakemaphost.h"
#include "exceltemplatefolder.h"
#include "exceltemplates/layouts.h"
#include "mapwindow/globals.h"
#include "platform/spreadsheet/workbook.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "statrender/exceloutmode.h"
#include "statrender/frmpsyxlsselect.h"
#include "statrender/spreadsheetregistration.h"
#include "zorvik/widget/zorvik.h"

#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace veltra::test {


class SpreadsheetExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.ok);
        const QString zor = mapDocument();
        map.resize(640, 480);
        map.setDocumentPath(zor);
        ASSERT_EQ(map.InitializeMap(0), 0) << "no default map (build the target veltra_default_data)";
        map.InitDisplay();
        map.ShowAll();
        map.show();
        savedRegistry = shell::modeRegistry();
        shell::modeRegistry().clear();
        statrender::registerSpreadsheetExport();
        savedEngine = gobjZor;
        savedHost = gfrmZorvik;
        gobjZor = &map;
        savedDataPath = gstrDataPath;
        gstrDataPath = folder.data();
        gintModeNo = 0;
        gintStoryStepEnd = 0;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(privateTemp.path()));
    }

    void TearDown() override
    {
        ui::WindowRegistry::instance().deleteAll();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        if (savedTmp.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
        statrender::setLegendPictureSource(nullptr);
        shell::modeRegistry() = savedRegistry;
        gobjZor = savedEngine;
        gfrmZorvik = savedHost;
        gstrDataPath = savedDataPath;
        gintModeNo = 0;
        gintStoryStepEnd = 0;
        gstrExcelTemplate.clear();
        gstrExcelTitle.clear();
    }

    // The map document shown; a fixture that draws on the map gives a copy.
    virtual QString mapDocument() const { return QStringLiteral(VELTRA_DEFAULT_DATA "/Veltra.zor"); }

    // The chooser as mode 95 opens it, its previews read.
    frmPSYXlsSelect *openChooser()
    {
        shell::modeRegistry().statistics().showExcelLayout();
        auto *chooser = qobject_cast<frmPSYXlsSelect *>(
            ui::WindowRegistry::instance().find(QStringLiteral("frmPSYXlsSelect")));
        if (chooser)
            chooser->Timer1_Timer();
        return chooser;
    }

    // "作成" on the chooser with a template and a title: the export mode runs.
    frmPSYXlsSelect *create(int templateIndex, const QString &title)
    {
        frmPSYXlsSelect *chooser = openChooser();
        if (!chooser)
            return nullptr;
        chooser->optFile[templateIndex]->setChecked(true);
        chooser->txtTitle->setText(title);
        ui::DialogScript script;
        chooser->cmdOK->click();
        return chooser;
    }

    // The anchor of a shape of a template in the data folder, read from the
    // template itself.
    spreadsheet::CellAnchor placeholder(int templateIndex, const QString &name) const
    {
        spreadsheet::Workbook book;
        EXPECT_TRUE(book.open(gstrDataPath + QStringLiteral("ExcelTemp/") + exceltemplates::templateFileName(templateIndex)));
        const auto shape = book.shape(name);
        return shape && shape->from ? *shape->from : spreadsheet::CellAnchor{-1, -1};
    }

    // Device px of the map control to world coordinates.
    QPoint worldAt(QPoint px) const
    {
        const QPointF w = map.viewTransform().deviceToWorld(QPointF(px));
        return QPoint(zorvik::ViewTransform::roundWorld(w.x()), zorvik::ViewTransform::roundWorld(w.y()));
    }

    // The map window's report of a dragged range between two device points.
    void dragRange(QPoint from, QPoint to)
    {
        const QPoint a = worldAt(from);
        const QPoint b = worldAt(to);
        glngPointX = {a.x(), b.x()};
        glngPointY = {a.y(), b.y()};
        std::int16_t state = StateRect;
        QString param = shell::noParameterText();
        mdlMain::DispatchMode(state, param);
    }

    ExcelTemplateFolder folder;
    zorvik::Zorvik map;
    OpenedUrls opened;
    TempDir privateTemp;

private:
    shell::ModeRegistry savedRegistry;
    zorvik::Zorvik *savedEngine = nullptr;
    shell::MapWindowHost *savedHost = nullptr;
    QString savedDataPath;
    QByteArray savedTmp;
};

} // namespace veltra::test

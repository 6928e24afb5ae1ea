// The coordinate and view option windows.
#include "mapwindow/frmoptionpoint.h"
#include "mapwindow/frmoptionview.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "zorvik/widget/zorvik.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace veltra;

namespace {

bool loaded(const char *name)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ui::WindowRegistry::instance().isLoaded(QString::fromLatin1(name));
}

} // namespace

TEST(OptionPoint, TheChosenFormIsAppliedByOkAndApplyButNotByCancel)
{
    gintPointType = 1;
    auto *window = ui::form<frmOptionPoint>();
    EXPECT_TRUE(window->optCoordinates[1]->isChecked());
    window->optCoordinates[3]->setChecked(true);
    window->cmdApply->click();
    EXPECT_EQ(gintPointType, 3);
    window->optCoordinates[2]->setChecked(true);
    window->cmdCancel->click();
    EXPECT_EQ(gintPointType, 3);
    EXPECT_FALSE(loaded("frmOptionPoint"));
    window = ui::form<frmOptionPoint>();
    EXPECT_TRUE(window->optCoordinates[3]->isChecked());
    window->optCoordinates[0]->setChecked(true);
    window->cmdOK->click();
    EXPECT_EQ(gintPointType, 0);
    EXPECT_FALSE(loaded("frmOptionPoint"));
}

class OptionView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_map.resize(200, 100);
        m_map.setZoomInFactor(2.0);
        m_map.setZoomOutFactor(0.5);
        m_map.setBackColor(0x00FFFFFF);
        gobjZor = &m_map;
        gdtBaseDate = QDate(1970, 1, 1);
        glngEditDate = 273; // 1970-10-01
        gintRasterLevel = 4;
        glngRasterSplitW = 256;
        glngRasterSplitH = 128;
        m_window = ui::form<frmOptionView>();
    }
    void TearDown() override
    {
        ui::WindowRegistry::instance().unload(QStringLiteral("frmOptionView"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gobjZor = nullptr;
    }
    zorvik::Zorvik m_map;
    frmOptionView *m_window = nullptr;
};

TEST_F(OptionView, LoadsFromTheEngineAndTheGlobals)
{
    EXPECT_EQ(m_window->txtDisp[0]->text(), QStringLiteral("2"));
    EXPECT_EQ(m_window->txtDisp[1]->text(), QStringLiteral("0.5"));
    EXPECT_EQ(m_window->backColor(), QColor(255, 255, 255));
    EXPECT_EQ(m_window->DTPicker1->date(), QDate(1970, 10, 1));
    EXPECT_EQ(m_window->Label1->text(), QStringLiteral("昭和45年10月01日"));
    EXPECT_EQ(m_window->Text1[0]->text(), QStringLiteral("4"));
    EXPECT_EQ(m_window->Text1[1]->text(), QStringLiteral("256"));
    EXPECT_EQ(m_window->Text1[2]->text(), QStringLiteral("128"));
}

TEST_F(OptionView, ApplyTakesTheLeadingNumberOfEachField)
{
    struct Row
    {
        const char *zoomIn, *zoomOut;
        double engineIn, engineOut;
        const char *shownIn;
    };
    for (const Row &row : {Row{"2.5x", "0.25", 2.5, 0.25, "2.5"}, Row{"abc", " 3 4", 0, 34, "0"}}) {
        SCOPED_TRACE(row.zoomIn);
        m_window->txtDisp[0]->setText(QString::fromLatin1(row.zoomIn));
        m_window->txtDisp[1]->setText(QString::fromLatin1(row.zoomOut));
        m_window->cmdApply->click();
        EXPECT_DOUBLE_EQ(m_map.ZoomInFactor(), row.engineIn);
        EXPECT_DOUBLE_EQ(m_map.ZoomOutFactor(), row.engineOut);
        EXPECT_DOUBLE_EQ(gdblZoomIn, row.engineIn);
        EXPECT_DOUBLE_EQ(gdblZoomOut, row.engineOut);
        EXPECT_EQ(m_window->txtDisp[0]->text(), QString::fromLatin1(row.shownIn));
    }
    m_window->Text1[0]->setText(QStringLiteral("6段"));
    m_window->Text1[1]->setText(QStringLiteral("99999999999"));
    m_window->cmdApply->click();
    EXPECT_EQ(gintRasterLevel, 6);
    EXPECT_EQ(m_window->Text1[0]->text(), QStringLiteral("6"));
    EXPECT_EQ(glngRasterSplitW, 256); // too large to hold: kept, and shown again
    EXPECT_EQ(m_window->Text1[1]->text(), QStringLiteral("256"));
}

TEST_F(OptionView, OkRefusesAFactorThatIsNoNumberAndChangesNothing)
{
    for (const char *text : {"", "2.5x"}) {
        m_window->txtDisp[0]->setText(QString::fromLatin1(text));
        m_window->cmdOK->click();
        EXPECT_TRUE(loaded("frmOptionView"));
        EXPECT_DOUBLE_EQ(m_map.ZoomInFactor(), 2.0);
    }
    m_window->txtDisp[0]->setText(QStringLiteral("3"));
    m_window->cmdOK->click();
    EXPECT_FALSE(loaded("frmOptionView"));
    EXPECT_DOUBLE_EQ(m_map.ZoomInFactor(), 3.0);
}

TEST_F(OptionView, TheEditDateCountsDaysFromTheBaseDate)
{
    struct Row
    {
        QDate date;
        std::int32_t days;
    };
    for (const Row &row :
        {Row{QDate(1970, 1, 1), 0}, Row{QDate(1969, 12, 31), -1}, Row{QDate(1971, 1, 1), 365}}) {
        m_window->DTPicker1->setDate(row.date);
        m_window->cmdApply->click();
        EXPECT_EQ(glngEditDate, row.days);
    }
}

TEST_F(OptionView, TheBackgroundColourComesFromTheColourDialog)
{
    ui::DialogScript script;
    script.answerColour(QColor(10, 20, 30));
    QTest::mouseClick(m_window->picBackColor, Qt::LeftButton);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].colour, QColor(255, 255, 255));
    EXPECT_EQ(m_window->backColor(), QColor(10, 20, 30));
    EXPECT_EQ(m_map.BackColor(), 0x00FFFFFFu); // not before apply
    m_window->cmdApply->click();
    EXPECT_EQ(m_map.BackColor(), 0x001E140Au);
}

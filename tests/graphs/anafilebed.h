#pragma once
// The surroundings of an analysis file output: a tiny map document open in
// an engine set as gobjZor (centre 6120000, 4320000, scale 1:25000), the view
// date 2024/04/01, an owner window, an item selector and a gradation
// control, and an empty DB folder. The globals are restored afterwards.
#include "fakegraphowner.h"
#include "fakeitemselection.h"
#include "graphs/clsanafile.h"
#include "graphs/ctlgradation.h"
#include "graphs/globals.h"
#include "platform/text/text.h"
#include "shell/globals.h"
#include "testsupport.h"
#include "zorvik/testmap/tinymap.h"
#include "zorvik/widget/zorvik.h"

#include <QDir>
#include <gtest/gtest.h>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

class AnaFileBed : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_map.ok()) << m_map.error().toStdString();
        engine.resize(200, 150);
        engine.setDocumentPath(m_map.zorPath());
        ASSERT_EQ(engine.InitializeMap(0), zorvik::code::Ok);
        engine.InitDisplay();
        engine.setScale(25000);
        engine.setCenterX(zorvik::test::CX);
        engine.setCenterY(zorvik::test::CY);
        m_savedEngine = gobjZor;
        m_savedDate = gstrSetDate1;
        m_savedKind = glngGraphKind;
        gobjZor = &engine;
        gstrSetDate1 = QStringLiteral("2024/04/01");
        db = dir.path() + QStringLiteral("DB/");
        ASSERT_TRUE(QDir().mkpath(db));
    }
    void TearDown() override
    {
        gobjZor = m_savedEngine;
        gstrSetDate1 = m_savedDate;
        glngGraphKind = m_savedKind;
    }

public:
    // Links the owner, and the selector and gradation unless told not to.
    void link(clsAnaFile &ana, bool withSelector = true)
    {
        ana.SetFormName(&owner);
        if (withSelector) {
            ana.SetCtlSelect(&select);
            ana.SetCtlGradation(&gradation);
        }
    }
    QString header(int n = 0) const { return db + QStringLiteral("tempheader%1.hed").arg(n, 3, 10, QLatin1Char('0')); }
    QString data(int n = 0) const { return db + QStringLiteral("tempdata%1.dat").arg(n, 3, 10, QLatin1Char('0')); }
    static QStringList linesOf(const QString &path)
    {
        QStringList lines;
        EXPECT_TRUE(veltra::text::readLines(path, lines)) << path.toStdString();
        return lines;
    }
    // Field i of a line, split at every comma as the drawing splits it.
    static QString fieldOf(const QString &line, int i) { return line.split(QLatin1Char(',')).value(i); }

    zorvik::test::TinyMap m_map;
    zorvik::Zorvik engine;
    veltra::test::TempDir dir;
    QString db;
    FakeGraphOwner owner;
    FakeItemSelection select;
    ctlGradation gradation;

private:
    zorvik::Zorvik *m_savedEngine = nullptr;
    QString m_savedDate;
    std::int32_t m_savedKind = 0;
};

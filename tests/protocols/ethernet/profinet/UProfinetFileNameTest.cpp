// The GSDML file-name dialog as the user fills it: the composed names, the date of the
// program's start from the clock, the refused user part that names a folder, the user part
// kept between showings, its texts and a screenshot.

#include "protocols/ethernet/profinet/UProfinetFileName.h"

#include "common/GlyphButton.h"
#include "common/ULanguage.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/Screenshots.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using ethernet::TFProfinetFileName;
using testsupport::TableWindowDriver;

class ProfinetFileName : public testsupport::TableWindowTest<TFProfinetFileName> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        services.clock = &clock;
        Start();
    }

    void open()
    {
        w->hide();
        w->setResult(0);
        messages.shown.clear();
        user->open();
    }

    void typeUserPart(const QString& text)
    {
        w->E_XML_User->selectAll();
        w->E_XML_User->del();
        QTest::keyClicks(w->E_XML_User, text);
    }

    platform::FixedClock clock{QDateTime(QDate(2013, 1, 9), QTime(23, 59, 58))};
};

TEST_F(ProfinetFileName, TheNameJoinsTheFixedPartsAndTheUserPart)
{
    const struct {
        const char* typed;
        const char* name;
    } cases[] = {
        {"", "GSDML-V2.25-Norvix--20130109.xml"},
        {"   ", "GSDML-V2.25-Norvix--20130109.xml"},
        {"_A", "GSDML-V2.25-Norvix-_A-20130109.xml"},
        {"Gateway1", "GSDML-V2.25-Norvix-_Gateway1-20130109.xml"},
        {" Line 2 ", "GSDML-V2.25-Norvix-_ Line 2 -20130109.xml"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed);
        open();
        typeUserPart(QLatin1String(k.typed));
        user->press("Btn_OK");
        EXPECT_EQ(user->messageCount(), 0u);
        EXPECT_EQ(user->result(), TFProfinetFileName::kModalOK);
        EXPECT_EQ(w->Name_File_XML, QLatin1String(k.name));
        // The main window reads it by name.
        EXPECT_EQ(w->property("Name_File_XML").toString(), QLatin1String(k.name));
    }
}

TEST_F(ProfinetFileName, TheDateIsThatOfTheDialogsCreation)
{
    EXPECT_EQ(w->L_XML_Fix1->text(), QStringLiteral("GSDML-V2.25-Norvix-"));
    EXPECT_EQ(w->L_XML_Fix2->text(), QStringLiteral("-20130109.xml"));
    clock.set(QDateTime(QDate(2014, 12, 31), QTime(8, 0)));
    open();
    user->press("Btn_OK");
    EXPECT_EQ(w->Name_File_XML, QStringLiteral("GSDML-V2.25-Norvix--20130109.xml"));
}

TEST_F(ProfinetFileName, AUserPartNamingAFolderIsRefused)
{
    open();
    typeUserPart(QStringLiteral("A"));
    user->press("Btn_OK");
    for (const char* typed : {"../A", "sub\\A", "/"}) {
        SCOPED_TRACE(typed);
        open();
        typeUserPart(QLatin1String(typed));
        user->press("Btn_OK");
        ASSERT_EQ(user->messageCount(), 1u);
        EXPECT_EQ(user->lastMessage(), common::Lang_Text(4809));
        EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(user->result(), 0);
        EXPECT_EQ(w->Name_File_XML, QStringLiteral("GSDML-V2.25-Norvix-_A-20130109.xml"));
    }
}

TEST_F(ProfinetFileName, TheUserPartStaysForTheNextShowing)
{
    open();
    typeUserPart(QStringLiteral("Plant"));
    user->press("Btn_Cancel");
    EXPECT_EQ(user->result(), TFProfinetFileName::kModalCancel);
    open();
    EXPECT_EQ(w->E_XML_User->text(), QStringLiteral("Plant"));
}

TEST_F(ProfinetFileName, TextsFollowTheLanguage)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("PROFINET XML File Name"));
    EXPECT_EQ(w->L_SW_Desc->text(), QStringLiteral("Create the PROFINET XML GSD File"));
    EXPECT_EQ(w->L_UsedPart->text(), QStringLiteral("User Part"));
    EXPECT_EQ(w->L_UsedPart->x(), 179);
    EXPECT_EQ(w->E_XML_User->x(), 179);
    EXPECT_EQ(w->L_FixPart_2->x(), 447);
    EXPECT_EQ(w->L_XML_Fix2->x(), 447);
    ASSERT_TRUE(QDir(tmp.path()).mkpath(QStringLiteral("LANGUAGE")));
    ASSERT_TRUE(testsupport::writeFile(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE/Italiano.lng")),
                                       "STR4800 =Nome del file\r\nSTR4804 =Parte utente\r\nSTR4807 =Annulla\r\n"));
    QString language = QStringLiteral("Italiano");
    common::Load_Language(QDir(tmp.path()).filePath(QStringLiteral("LANGUAGE")), language);
    w->Set_Lang();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Nome del file"));
    EXPECT_EQ(w->L_UsedPart->text(), QStringLiteral("Parte utente"));
    EXPECT_EQ(w->Btn_Cancel->Caption(), QStringLiteral("Annulla"));
    EXPECT_EQ(w->L_FixPart_1->text(), QStringLiteral("Fixed Part"));
}

TEST_F(ProfinetFileName, Screenshot)
{
    open();
    typeUserPart(QStringLiteral("Gateway1"));
    const QImage shot = testsupport::takeScreenshot(*w, QStringLiteral("windows/ProfinetFileName_window.png"));
    EXPECT_EQ(shot.size(), QSize(TFProfinetFileName::kClientWidth, TFProfinetFileName::kClientHeight));
    EXPECT_TRUE(testsupport::titleDrawn(shot, *w));
    EXPECT_TRUE(testsupport::controlShowsText(shot, *w, *w->E_XML_User));
    EXPECT_TRUE(testsupport::controlShowsText(shot, *w, *w->L_XML_Fix2));
}

} // namespace

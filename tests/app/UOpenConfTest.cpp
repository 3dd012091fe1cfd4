#include "app/UOpenConf.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/TestSupport.h"

#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace app;
using common::State;
using common::TProgramState;

namespace {

class OpenConfWindow : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        if (HasFatalFailure())
            return;
        services.messages = &messages;
        window = std::make_unique<TFOpenConf>(services);
    }

    void TearDown() override
    {
        window.reset();
        ProgramFolderTest::TearDown();
    }

    void makeProjects(const QStringList& names)
    {
        for (const QString& n : names)
            ASSERT_TRUE(QDir(State().Projects_Dir).mkdir(n)) << n.toStdString();
    }

    QStringList listed() const
    {
        QStringList items;
        for (int i = 0; i < window->ListBox1->count(); ++i)
            items << window->ListBox1->item(i)->text();
        return items;
    }

    testsupport::FakeMessages messages;
    platform::Services services;
    std::unique_ptr<TFOpenConf> window;
};

} // namespace

TEST_F(OpenConfWindow, ListsEveryProjectFolderAndNothingElse)
{
    makeProjects({"beta", "Alpha", "gamma", ".hidden one"});
    ASSERT_TRUE(testsupport::writeFile(State().Projects_Dir + "/notes.txt", "x"));
    window->open();
    const QStringList expected = {".hidden one", "Alpha", "beta", "gamma"};
    EXPECT_EQ(window->SL, expected);
    EXPECT_EQ(listed(), expected);
}

TEST_F(OpenConfWindow, PreselectsTheOpenProject)
{
    makeProjects({"alpha", "plant", "zeta"});
    struct Case {
        const char* openDir; // under PROJECTS; empty for no project
        int row;
        const char* name;
    };
    const Case cases[] = {
        {"plant", 1, "plant"}, {"PLANT", 1, "plant"}, // differs only in the case of a..z
        {"zeta", 2, "zeta"},   {"gone", 0, "alpha"},  // not in the list: the first entry
        {"", 0, "alpha"},                             // no project open
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.openDir);
        State().Project_Dir = *c.openDir ? State().Projects_Dir + "/" + c.openDir : QString();
        window->open();
        EXPECT_EQ(window->ListBox1->currentRow(), c.row);
        EXPECT_EQ(window->Name_Conf, c.name);
        window->done(TFOpenConf::kModalCancel);
    }
}

TEST_F(OpenConfWindow, SearchFoldsOnlyPlainLetters)
{
    window->SL = {"abc", "Straße", "ÉCOLE", "abc"};
    struct Case {
        const char* name;
        int index;
    };
    const Case cases[] = {
        {"ABC", 0},    {"abc", 0},   {"aBc", 0}, {"STRAßE", 1}, {"straße", 1},
        {"école", -1}, {"ÉCOLE", 2}, {"ab", -1}, {"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(window->Search_Open_Conf(QString::fromUtf8(c.name)), c.index) << c.name;
}

TEST_F(OpenConfWindow, NoProjectFoldersGiveAnEmptyListAndNoProject)
{
    State().Project_Dir = State().Projects_Dir + "/vanished";
    window->Name_Conf = "old choice";
    window->open();
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_EQ(window->Name_Conf, QString());
    QTest::mouseClick(window->Btn_OK, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), TFOpenConf::kModalOK);
    EXPECT_EQ(window->Name_Conf, QString());

    // Nor does a missing projects folder make the window fail.
    ASSERT_TRUE(QDir(State().Projects_Dir).removeRecursively());
    window->open();
    EXPECT_EQ(window->ListBox1->count(), 0);
    EXPECT_EQ(window->Name_Conf, QString());
}

TEST_F(OpenConfWindow, TheChoiceFollowsMouseAndKeyboard)
{
    makeProjects({"one", "three", "two"});
    window->open();
    QListWidget* list = window->ListBox1;
    const QRect third = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(window->Name_Conf, "two");
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(window->Name_Conf, "three");

    QTest::mouseClick(window->Btn_OK, Qt::LeftButton);
    EXPECT_EQ(window->result(), TFOpenConf::kModalOK);
    EXPECT_EQ(window->Name_Conf, "three");
    // Choosing is all the window does: opening is the main window's business.
    EXPECT_EQ(State().Project_Dir, QString());
}

TEST_F(OpenConfWindow, CancelAndTheCloseBoxGiveResultTwo)
{
    makeProjects({"one"});
    for (int closeBox = 0; closeBox < 2; ++closeBox) {
        window->open();
        if (closeBox)
            window->close();
        else
            QTest::mouseClick(window->Btn_Cancel, Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), TFOpenConf::kModalCancel);
    }
}

TEST_F(OpenConfWindow, TextsComeFromTheTextTable)
{
    EXPECT_EQ(window->L_SW_Code->text(), "CT40517");
    EXPECT_EQ(window->width(), TFOpenConf::kClientWidth);
    EXPECT_EQ(window->height(), TFOpenConf::kClientHeight);
    QStringList& texts = common::Lang_Str();
    for (int n = 200; n <= 207; ++n)
        texts[n] = QStringLiteral("T%1").arg(n);
    window->Set_Lang();
    EXPECT_EQ(window->windowTitle(), "T200");
    EXPECT_EQ(window->L_SW_Desc->text(), "T201");
    EXPECT_EQ(window->Label1->text(), "T202");
    EXPECT_EQ(window->Btn_OK->Caption(), "T203");
    EXPECT_EQ(window->Btn_Cancel->Caption(), "T204");
    EXPECT_EQ(window->ListBox1->toolTip(), "T205");
    EXPECT_EQ(window->Btn_OK->toolTip(), "T206");
    EXPECT_EQ(window->Btn_Cancel->toolTip(), "T207");
}

#include "app/UNew_Project.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/TestSupport.h"

#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace app;
using common::State;
using common::TProgramState;
using platform::MsgIcon;

namespace {

class NewProjectWindow : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        if (HasFatalFailure())
            return;
        services.messages = &messages;
        window = std::make_unique<TFNew_Project>(services);
    }

    void TearDown() override
    {
        window.reset();
        ProgramFolderTest::TearDown();
    }

    QString projects() const { return State().Projects_Dir; }

    // Shows the window, types the name and confirms it by Enter or by the OK button.
    void typeAndConfirm(const QString& name, bool byEnter)
    {
        window->open();
        QTest::keyClicks(window->E_New_Proj, name);
        if (byEnter)
            QTest::keyClick(window->E_New_Proj, Qt::Key_Return);
        else
            QTest::mouseClick(window->Btn_OK, Qt::LeftButton);
    }

    testsupport::FakeMessages messages;
    platform::Services services;
    std::unique_ptr<TFNew_Project> window;
};

} // namespace

TEST_F(NewProjectWindow, RefusedNamesShowTheirTextAndKeepTheWindowOpen)
{
    ASSERT_TRUE(QDir(projects()).mkdir("Existing"));
    ASSERT_TRUE(testsupport::writeFile(projects() + "/a_file", "x"));
    struct Case {
        const char* name;
        int textNumber;
    };
    const Case cases[] = {
        {"", 107},    {"Existing", 106}, {"a_file", 105}, // a file of that name: the folder cannot be made
        {"a/b", 105},                                     // a path, not a name
        {"..", 105},  {".", 105},        {"..\\outside", 105}, {"sub/..", 105},
    };
    for (bool byEnter : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (byEnter ? " (Enter)" : " (OK)"));
            messages.shown.clear();
            typeAndConfirm(QString::fromUtf8(c.name), byEnter);
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, common::Lang_Str()[c.textNumber]);
            EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
            EXPECT_EQ(messages.shown[0].buttons, platform::MsgButtons::Ok);
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(window->E_New_Proj->text(), QString::fromUtf8(c.name)) << "the typed name stays";
            EXPECT_EQ(State().Project_Dir, QString());
            window->done(TFNew_Project::kModalCancel);
        }
    }
    // Nothing was made beside or above the projects folder.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"IODD", "LANGUAGE", "MASTER", "PROJECTS"}));
    EXPECT_EQ(QDir(projects()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"a_file", "Existing"}));
}

TEST_F(NewProjectWindow, MissingProjectsFolderIsRefused)
{
    ASSERT_TRUE(QDir(projects()).removeRecursively());
    typeAndConfirm("Line 1", true);
    EXPECT_EQ(messages.lastText(), common::Lang_Str()[105]);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(QDir(projects()).exists());

    // Without a projects folder at all, nothing is made anywhere (not in the working folder).
    messages.shown.clear();
    window->done(TFNew_Project::kModalCancel);
    State().Projects_Dir.clear();
    const QString unique = "Unique " + QString::number(QCoreApplication::applicationPid());
    typeAndConfirm(unique, false);
    EXPECT_EQ(messages.lastText(), common::Lang_Str()[105]);
    EXPECT_FALSE(QDir(unique).exists());
}

TEST_F(NewProjectWindow, NewProjectHasAnEmptyBinFolderAndIsOpenAtOnce)
{
    for (bool byEnter : {true, false}) {
        const QString name = byEnter ? QStringLiteral("Line 1") : QStringLiteral("Line 2");
        SCOPED_TRACE(name.toStdString());
        typeAndConfirm(name, byEnter);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), TFNew_Project::kModalOK);

        const QString dir = projects() + "/" + name;
        EXPECT_EQ(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList({"bin"}));
        EXPECT_TRUE(QDir(dir + "/bin").isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        EXPECT_EQ(State().Project_Name, name);
        EXPECT_EQ(State().Project_Dir, dir);
        EXPECT_EQ(State().File_ParGen, dir + "/ParGen.xml");
        EXPECT_EQ(State().File_DNETM_DefOff, dir + "/DNETM_DefOff.xml");
    }
}

TEST_F(NewProjectWindow, BlanksAroundTheNameBelongToIt)
{
    typeAndConfirm(" Plant A ", false);
    EXPECT_EQ(window->result(), TFNew_Project::kModalOK);
    EXPECT_TRUE(QDir(projects() + "/ Plant A ").exists());
    EXPECT_EQ(State().Project_Name, " Plant A ");
}

TEST_F(NewProjectWindow, EveryShowingStartsWithAnEmptyNameBox)
{
    typeAndConfirm("", true);
    window->done(TFNew_Project::kModalCancel);
    window->E_New_Proj->setText("left over");
    window->open();
    EXPECT_EQ(window->E_New_Proj->text(), QString());
}

TEST_F(NewProjectWindow, CancelAndTheCloseBoxChangeNothing)
{
    State().Project_Name = "Kept";
    State().Project_Dir = projects() + "/Kept";
    for (int closeBox = 0; closeBox < 2; ++closeBox) {
        window->open();
        QTest::keyClicks(window->E_New_Proj, "Unwanted");
        if (closeBox)
            window->close();
        else
            QTest::mouseClick(window->Btn_Cancel, Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), TFNew_Project::kModalCancel);
    }
    EXPECT_FALSE(QDir(projects() + "/Unwanted").exists());
    EXPECT_EQ(State().Project_Name, "Kept");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NewProjectWindow, TextsComeFromTheTextTable)
{
    EXPECT_EQ(window->L_SW_Code->text(), "CT40517");
    EXPECT_EQ(window->width(), TFNew_Project::kClientWidth);
    EXPECT_EQ(window->height(), TFNew_Project::kClientHeight);

    QStringList& texts = common::Lang_Str();
    for (int n = 100; n <= 110; ++n)
        texts[n] = QStringLiteral("T%1").arg(n);
    window->Set_Lang();
    EXPECT_EQ(window->windowTitle(), "T100");
    EXPECT_EQ(window->L_SW_Desc->text(), "T101");
    EXPECT_EQ(window->Label1->text(), "T102");
    EXPECT_EQ(window->Btn_OK->Caption(), "T103");
    EXPECT_EQ(window->Btn_Cancel->Caption(), "T104");
    EXPECT_EQ(window->E_New_Proj->toolTip(), "T108");
    EXPECT_EQ(window->Btn_OK->toolTip(), "T109");
    EXPECT_EQ(window->Btn_Cancel->toolTip(), "T110");

    // The messages are read when shown, so they follow the language too.
    typeAndConfirm("", true);
    EXPECT_EQ(messages.lastText(), "T107");
}

#include "app/USoftOptions.h"
#include "app/UAbout.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeHttp.h"
#include "support/FakeMessages.h"
#include "support/FakeShell.h"
#include "support/TestSupport.h"

#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace app;
using common::State;
using common::TProgramState;
using platform::MsgResult;

namespace {

class SoftOptionsWindow : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        if (HasFatalFailure())
            return;
        services.messages = &messages;
        services.shell = &shell;
        services.http = &http;
        window = std::make_unique<TFSoftOptions>(services);
        window->Change_Language = [this] {
            ++languageChanges;
            window->Set_Lang();
        };
        window->Set_Timer_Update_Enabled = [this](bool enabled) { timerEnabled = enabled; };
    }

    void TearDown() override
    {
        window.reset();
        ProgramFolderTest::TearDown();
    }

    QString languageFile(const QString& name) const { return State().Language_Dir + "/" + name; }

    void writeLanguage(const QString& fileName, const QByteArray& content = "STR300 =x\r\n")
    {
        ASSERT_TRUE(testsupport::writeFile(languageFile(fileName), content));
    }

    void writeFlag(const QString& fileName, QRgb colour)
    {
        // A coloured field on a white ground; white, the lower-left pixel's colour, is see-through.
        QImage flag(48, 48, QImage::Format_RGB32);
        flag.fill(Qt::white);
        for (int y = 4; y < 44; ++y)
            for (int x = 4; x < 44; ++x)
                flag.setPixel(x, y, colour);
        ASSERT_TRUE(flag.save(languageFile(fileName), "BMP"));
    }

    // A click on the box itself, where the user would click.
    static void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

    int visibleSlots() const
    {
        int n = 0;
        for (QLabel* name : {window->L_L1, window->L_L2, window->L_L3, window->L_L4, window->L_L5, window->L_L6})
            n += name->isVisible() ? 1 : 0;
        return n;
    }

    QString pageLine(int page, int pages) const
    {
        const QStringList& t = common::Lang_Str();
        return t[305] + QString::number(page) + t[306] + QString::number(pages);
    }

    testsupport::FakeMessages messages;
    testsupport::FakeShell shell;
    testsupport::FakeHttp http;
    platform::Services services;
    std::unique_ptr<TFSoftOptions> window;
    int languageChanges = 0;
    std::optional<bool> timerEnabled;
};

} // namespace

TEST_F(SoftOptionsWindow, LanguagePagesHoldSixSlots)
{
    struct Case {
        int files;
        int pages;
        int slotsOnLastPage;
    };
    const Case cases[] = {{0, 0, 0}, {1, 1, 1}, {6, 1, 6}, {7, 2, 1}, {13, 3, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files);
        QDir(State().Language_Dir).removeRecursively();
        QDir().mkpath(State().Language_Dir);
        for (int i = 0; i < c.files; ++i)
            writeLanguage(QStringLiteral("Lang%1.lng").arg(i, 2, 10, QLatin1Char('0')));
        window->open();
        ASSERT_EQ(window->SL_Languages.size(), c.files);
        EXPECT_EQ(window->Show_Page, 1);
        EXPECT_EQ(visibleSlots(), std::min(c.files, 6));
        EXPECT_FALSE(window->Btn_Prev->isVisible());
        EXPECT_EQ(window->Btn_Next->isVisible(), c.pages > 1);
        EXPECT_EQ(window->L_Page_Lang->text(), pageLine(1, c.pages));

        for (int page = 2; page <= c.pages; ++page) {
            QTest::mouseClick(window->Btn_Next, Qt::LeftButton);
            EXPECT_EQ(window->Show_Page, page);
            EXPECT_TRUE(window->Btn_Prev->isVisible());
            EXPECT_EQ(window->Btn_Next->isVisible(), page < c.pages);
            EXPECT_EQ(window->L_Page_Lang->text(), pageLine(page, c.pages));
        }
        if (c.pages > 1) {
            EXPECT_EQ(visibleSlots(), c.slotsOnLastPage);
            EXPECT_EQ(window->L_L1->text(), QStringLiteral("Lang%1").arg((c.pages - 1) * 6, 2, 10, QLatin1Char('0')));
            QTest::mouseClick(window->Btn_Prev, Qt::LeftButton);
            EXPECT_EQ(window->Show_Page, c.pages - 1);
            EXPECT_EQ(visibleSlots(), 6);
        }
        window->done(TFSoftOptions::kModalCancel);
    }
}

TEST_F(SoftOptionsWindow, ListsReadableLanguageFilesSortedIgnoringCase)
{
    writeLanguage("italiano.lng");
    writeLanguage("English.lng");
    writeLanguage("Deutsch.lng");
    writeLanguage("Locked.lng");
    // A language installed read-only is still offered: the loader only reads it.
    QFile(languageFile("Locked.lng")).setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    writeLanguage("Shouting.LNG"); // the loader would look for "Shouting.lng"
    writeLanguage("notes.txt");
    writeLanguage("<i>Markup<i>.lng"); // a file name, shown as written
    writeLanguage(".lng");             // no name to show
    ASSERT_TRUE(QDir(State().Language_Dir).mkdir("Folder.lng"));
    window->open();
    EXPECT_EQ(window->SL_Languages,
              QStringList({"<i>Markup<i>.lng", "Deutsch.lng", "English.lng", "italiano.lng", "Locked.lng"}));
    EXPECT_EQ(window->L_L1->text(), "<i>Markup<i>");
    EXPECT_EQ(window->L_L1->textFormat(), Qt::PlainText);
    EXPECT_EQ(window->L_L2->text(), "Deutsch");
    EXPECT_EQ(window->L_L4->text(), "italiano");
    EXPECT_EQ(window->L_L5->text(), "Locked");
    EXPECT_EQ(window->L_Sel_Lang->text(), common::Lang_Str()[304] + "English");
}

TEST_F(SoftOptionsWindow, FlagIsTheLanguagesOwnThenTheDefaultThenNone)
{
    for (const char* name : {"Deutsch.lng", "English.lng", "Francais.lng"})
        writeLanguage(name);
    writeFlag("English.bmp", qRgb(0, 0, 255));
    ASSERT_TRUE(testsupport::writeFile(languageFile("Francais.bmp"), "not a picture"));

    window->open();
    // No flag of its own and no default flag: the picture goes, the name stays.
    EXPECT_FALSE(window->I_L1->isVisible());
    EXPECT_TRUE(window->L_L1->isVisible());
    EXPECT_TRUE(window->I_L2->isVisible());
    const QImage shown = window->I_L2->pixmap().toImage();
    EXPECT_EQ(shown.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(shown.pixel(0, 47)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(47, 0)), 0);
    EXPECT_FALSE(window->I_L3->isVisible());
    window->done(TFSoftOptions::kModalCancel);

    writeFlag("DefaultFlag.bmp", qRgb(0, 255, 0));
    window->open();
    for (QLabel* picture : {window->I_L1, window->I_L3}) {
        EXPECT_TRUE(picture->isVisible());
        EXPECT_EQ(picture->pixmap().toImage().pixel(10, 10), qRgb(0, 255, 0));
    }
    EXPECT_EQ(window->I_L2->pixmap().toImage().pixel(10, 10), qRgb(0, 0, 255));
}

TEST_F(SoftOptionsWindow, PickingALanguageChangesTheTextsButNotTheSettingUntilOK)
{
    writeLanguage("English.lng", common::English_Lang_File_Data());
    writeLanguage("Italiano.lng", "STR300 =Opzioni\r\nSTR304 =Lingua : \xB6\r\nSTR305 =Pagina \xB6\r\n");
    for (bool confirm : {false, true}) {
        SCOPED_TRACE(confirm ? "OK" : "Cancel");
        common::Load_Default_Texts();
        window->Set_Lang();
        State().Language_Name = "English";
        languageChanges = 0;
        messages.shown.clear();
        window->open();
        EXPECT_EQ(window->windowTitle(), "Software Options");

        // Asked, answered No: nothing happens.
        messages.answers = {MsgResult::No};
        QTest::mouseClick(window->L_L2, Qt::LeftButton);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Do you want to change the Language from English to Italiano?");
        EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::Question);
        EXPECT_EQ(messages.shown[0].buttons, platform::MsgButtons::YesNo);
        EXPECT_EQ(languageChanges, 0);
        EXPECT_EQ(window->windowTitle(), "Software Options");

        messages.answers = {MsgResult::Yes};
        QTest::mouseClick(window->L_L2, Qt::LeftButton);
        EXPECT_EQ(languageChanges, 1);
        EXPECT_EQ(window->windowTitle(), "Opzioni");
        EXPECT_EQ(window->L_Sel_Lang->text(), "Lingua : Italiano");
        EXPECT_EQ(window->L_Page_Lang->text(), "Pagina 1 / 1");
        EXPECT_EQ(window->Language_In_Use, "Italiano");
        EXPECT_EQ(State().Language_Name, "English");

        // The next question names the language now in use.
        messages.answers = {MsgResult::No};
        QTest::mouseClick(window->L_L1, Qt::LeftButton);
        EXPECT_TRUE(messages.lastText().contains("from Italiano to English"));

        QTest::mouseClick(confirm ? window->Btn_OK : window->Btn_Cancel, Qt::LeftButton);
        EXPECT_EQ(window->result(), confirm ? TFSoftOptions::kModalOK : TFSoftOptions::kModalCancel);
        EXPECT_EQ(State().Language_Name, confirm ? "Italiano" : "English");
        // The texts stay in the picked language either way.
        EXPECT_EQ(common::Lang_Str()[300], "Opzioni");

        // Reopened, the window shows the language of the settings as selected.
        window->open();
        EXPECT_EQ(window->L_Sel_Lang->text(), "Lingua : " + State().Language_Name);
        window->done(TFSoftOptions::kModalCancel);
    }
}

TEST_F(SoftOptionsWindow, WithoutTheMainWindowItReappliesItsOwnTexts)
{
    writeLanguage("Italiano.lng", "STR300 =Opzioni\r\n");
    window->Change_Language = nullptr;
    window->open();
    messages.answers = {MsgResult::Yes};
    QTest::mouseClick(window->L_L1, Qt::LeftButton);
    EXPECT_EQ(window->windowTitle(), "Opzioni");
}

// The file was listed when the window opened and is gone when it is picked: the message names
// it, and the language in use is the one whose texts show (English), not the one picked.
TEST_F(SoftOptionsWindow, APickedLanguageFileThatVanishedIsNamed)
{
    writeLanguage("Italiano.lng", "STR300 =Opzioni\r\n");
    State().Language_Name = "English";
    window->open();
    ASSERT_TRUE(QFile::remove(languageFile("Italiano.lng")));
    messages.shown.clear();
    messages.answers = {MsgResult::Yes};
    QTest::mouseClick(window->L_L1, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.lastText(),
              QStringLiteral("Cannot open file \"%1\". The file does not exist.").arg(languageFile("Italiano.lng")));
    EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
    EXPECT_EQ(window->Language_In_Use, "English");
    EXPECT_EQ(window->windowTitle(), "Software Options");
    QTest::mouseClick(window->Btn_OK, Qt::LeftButton);
    EXPECT_EQ(State().Language_Name, "English");
}

TEST_F(SoftOptionsWindow, UpdateOptionNeedsInternetAndTheCheckNeedsBoth)
{
    struct Case {
        bool internet, update;
        bool updateEnabled, checkEnabled;
    };
    const Case cases[] = {
        {false, false, false, false},
        {false, true, false, false}, // the tick stays while the box is disabled
        {true, false, true, false},
        {true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.internet << c.update);
        // From the settings when the window is shown ...
        State().Enable_Internet = c.internet;
        State().Enable_Update = c.update;
        window->open();
        EXPECT_EQ(window->CB_En_Con->isChecked(), c.internet);
        EXPECT_EQ(window->CB_Update->isChecked(), c.update);
        EXPECT_EQ(window->CB_Update->isEnabled(), c.updateEnabled);
        EXPECT_EQ(window->Btn_Check_Update->isEnabled(), c.checkEnabled);
        window->done(TFSoftOptions::kModalCancel);

        // ... and by the user's clicks.
        State().Enable_Internet = State().Enable_Update = false;
        window->open();
        window->PC_Options->setCurrentWidget(window->TS_Con_Options);
        if (c.update) {
            tick(window->CB_En_Con);
            tick(window->CB_Update);
            if (!c.internet)
                tick(window->CB_En_Con);
        } else if (c.internet) {
            tick(window->CB_En_Con);
        }
        EXPECT_EQ(window->CB_En_Con->isChecked(), c.internet);
        EXPECT_EQ(window->CB_Update->isChecked(), c.update);
        EXPECT_EQ(window->CB_Update->isEnabled(), c.updateEnabled);
        EXPECT_EQ(window->Btn_Check_Update->isEnabled(), c.checkEnabled);
        window->done(TFSoftOptions::kModalCancel);
    }
}

TEST_F(SoftOptionsWindow, OKTakesTheOptionsOverAndSetsTheTimer)
{
    struct Case {
        bool internet, update, jump, autoSize;
        bool timer;
    };
    const Case cases[] = {
        {true, false, false, true, false},
        {true, true, true, false, true},
        {false, true, false, false, false}, // the update tick is taken over although disabled
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.internet << c.update << c.jump << c.autoSize);
        State().Enable_Internet = State().Enable_Update = false;
        State().Enable_Jump_Field_Tables = State().Double_Click_Auto_Size = false;
        timerEnabled.reset();
        window->open();
        window->CB_En_Con->setChecked(true);
        window->CB_Update->setChecked(c.update);
        window->CB_En_Con->setChecked(c.internet);
        window->CB_Soft_Set_Jump_Table->setChecked(c.jump);
        window->CB_DoubleClick_Auto_Size->setChecked(c.autoSize);
        QTest::mouseClick(window->Btn_OK, Qt::LeftButton);
        EXPECT_EQ(window->result(), TFSoftOptions::kModalOK);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(State().Enable_Internet, c.internet);
        EXPECT_EQ(State().Enable_Update, c.update);
        EXPECT_EQ(State().Enable_Jump_Field_Tables, c.jump);
        EXPECT_EQ(State().Double_Click_Auto_Size, c.autoSize);
        ASSERT_TRUE(timerEnabled.has_value());
        EXPECT_EQ(*timerEnabled, c.timer);
    }
}

TEST_F(SoftOptionsWindow, CancelAndTheCloseBoxTakeNothingOver)
{
    for (int closeBox = 0; closeBox < 2; ++closeBox) {
        window->open();
        window->CB_En_Con->setChecked(true);
        window->CB_Update->setChecked(true);
        window->CB_Soft_Set_Jump_Table->setChecked(true);
        window->CB_DoubleClick_Auto_Size->setChecked(true);
        if (closeBox)
            window->close();
        else
            QTest::mouseClick(window->Btn_Cancel, Qt::LeftButton);
        EXPECT_EQ(window->result(), TFSoftOptions::kModalCancel);
        EXPECT_FALSE(State().Enable_Internet || State().Enable_Update || State().Enable_Jump_Field_Tables
                     || State().Double_Click_Auto_Size);
        EXPECT_FALSE(timerEnabled.has_value());
    }
    EXPECT_FALSE(QFile::exists(common::Settings_File_Path(State())));
}

TEST_F(SoftOptionsWindow, CheckOnDemandShowsTheLinkOrNoUpdate)
{
    State().Enable_Internet = State().Enable_Update = true;
    window->open();
    EXPECT_FALSE(window->LL_Check_Update->isVisible());
    EXPECT_EQ(window->PC_Options->currentWidget(), window->TS_Language);
    // Only the page in front shows its controls.
    EXPECT_FALSE(window->CB_En_Con->isVisible());
    for (int i = 0; i < window->PC_Options->count(); ++i)
        EXPECT_TRUE(window->PC_Options->isTabVisible(i));
    window->PC_Options->setCurrentWidget(window->TS_Con_Options);
    EXPECT_TRUE(window->CB_En_Con->isVisible());

    http.replies.push_back({200, "VER. 1.001", {}});
    QTest::mouseClick(window->Btn_Check_Update, Qt::LeftButton);
    ASSERT_EQ(http.requests.size(), 1);
    EXPECT_EQ(http.requests[0], Version_Query_Url(QString::fromLatin1(kMakerWebHost), 80));
    EXPECT_TRUE(window->LL_Check_Update->isVisible());
    EXPECT_EQ(window->LL_Check_Update->text(), Download_Link(common::Lang_Str()[314]));
    emit window->LL_Check_Update->linkActivated(Download_Page_Address());
    EXPECT_EQ(shell.openedUrls, QStringList({Download_Page_Address()}));

    // No reply at all: "No Update Available", shown as plain text.
    QTest::mouseClick(window->Btn_Check_Update, Qt::LeftButton);
    EXPECT_EQ(window->LL_Check_Update->text(), common::Lang_Str()[315]);
    EXPECT_EQ(window->LL_Check_Update->textFormat(), Qt::PlainText);
    EXPECT_TRUE(window->LL_Check_Update->isVisible());
    EXPECT_TRUE(messages.shown.empty());

    // Hidden again at the next showing.
    window->done(TFSoftOptions::kModalCancel);
    window->open();
    EXPECT_FALSE(window->LL_Check_Update->isVisible());
}

TEST_F(SoftOptionsWindow, TextsComeFromTheTextTable)
{
    EXPECT_EQ(window->L_SW_Code->text(), "CT40517");
    EXPECT_EQ(window->width(), TFSoftOptions::kClientWidth);
    EXPECT_EQ(window->height(), TFSoftOptions::kClientHeight);
    QStringList& texts = common::Lang_Str();
    for (int n = 300; n <= 321; ++n)
        texts[n] = QStringLiteral("T%1").arg(n);
    window->Set_Lang();
    EXPECT_EQ(window->windowTitle(), "T300");
    EXPECT_EQ(window->L_SW_Desc->text(), "T301");
    EXPECT_EQ(window->PC_Options->tabText(0), "T302");
    EXPECT_EQ(window->PC_Options->tabText(1), "T303");
    EXPECT_EQ(window->PC_Options->tabText(2), "T319");
    EXPECT_EQ(window->L_Sel_Lang->text(), "T304");
    EXPECT_EQ(window->L_Page_Lang->text(), "T3051T3061");
    EXPECT_EQ(window->Btn_Prev->Caption(), "T307");
    EXPECT_EQ(window->Btn_Next->Caption(), "T308");
    EXPECT_EQ(window->CB_En_Con->text(), "T309");
    EXPECT_EQ(window->CB_Update->text(), "T310");
    EXPECT_EQ(window->Btn_Check_Update->Caption(), "T311");
    EXPECT_EQ(window->Btn_OK->Caption(), "T312");
    EXPECT_EQ(window->Btn_Cancel->Caption(), "T313");
    EXPECT_EQ(window->CB_Soft_Set_Jump_Table->text(), "T320");
    EXPECT_EQ(window->CB_DoubleClick_Auto_Size->text(), "T321");
}

#include "app/UAbout.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Services.h"
#include "support/FakeShell.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

using namespace app;

namespace {

class AboutWindow : public testing::Test {
protected:
    void SetUp() override
    {
        savedTexts = common::Lang_Str();
        services.shell = &shell;
        window = std::make_unique<TFAbout>(services);
    }
    void TearDown() override
    {
        window.reset();
        common::Lang_Str() = savedTexts;
    }

    QStringList savedTexts;
    testsupport::FakeShell shell;
    platform::Services services;
    std::unique_ptr<TFAbout> window;
};

} // namespace

TEST_F(AboutWindow, ShowsTheFixedEnglishTextsWhateverTheLanguage)
{
    // A language change reloads the text table; this window takes nothing from it.
    common::Load_Default_Texts();
    for (QString& t : common::Lang_Str())
        t = QStringLiteral("other language");
    window->open();
    EXPECT_EQ(window->Label1->text(), "Software Quorvantis ");
    EXPECT_EQ(window->Label2->text(), "IO-Link Slave / DeviceNet Master - Converter");
    EXPECT_EQ(window->Label6->text(), "Software Code : ");
    EXPECT_EQ(window->Label9->text(), "CT40517");
    EXPECT_EQ(window->Label3->text(), "Version :");
    EXPECT_EQ(window->Label10->text(), common::kSW_Version);
    EXPECT_EQ(window->Label8->text(), "Document Code :");
    EXPECT_EQ(window->Label12->text(), "DM40517");
    EXPECT_EQ(window->Label4->text(), kMakerWebHost);
    EXPECT_EQ(window->GlyphButton1->Caption(), "OK");
    EXPECT_EQ(window->width(), TFAbout::kClientWidth);
    EXPECT_EQ(window->height(), TFAbout::kClientHeight);
    // Everything inside the window.
    for (QWidget* w : window->findChildren<QWidget*>())
        EXPECT_TRUE(window->rect().contains(w->geometry())) << w->objectName().toStdString();
}

TEST_F(AboutWindow, AddressAndLogoOpenTheHomePage)
{
    window->open();
    QTest::mouseClick(window->Label4, Qt::LeftButton);
    QTest::mouseClick(window->Image2, Qt::LeftButton);
    EXPECT_EQ(shell.openedUrls, QStringList({Home_Page_Address(), Home_Page_Address()}));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(AboutWindow, OKAndTheCloseBoxClose)
{
    window->open();
    QTest::mouseClick(window->GlyphButton1, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), 1);
    window->open();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), 2);
}

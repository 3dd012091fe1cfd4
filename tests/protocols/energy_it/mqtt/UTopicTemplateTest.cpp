// The template editor: its captions by what it edits, a legend of exactly one empty row
// (keyword editable, description read-only), and the result it closes with.

#include "protocols/energy_it/mqtt/UTopicTemplate.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/WindowFrame.h"
#include "grid/QvGrid.h"
#include "platform/Services.h"
#include "support/ProgramFolder.h"
#include "support/Screenshots.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using energy_it::TFTopicTemplate;

class TopicTemplate : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        w = std::make_unique<TFTopicTemplate>(services);
    }
    void open()
    {
        w->hide();
        w->setModal(true);
        w->show();
        QCoreApplication::processEvents();
    }

    platform::Services services;
    std::unique_ptr<TFTopicTemplate> w;
};

TEST_F(TopicTemplate, CaptionsFollowWhatIsEdited)
{
    EXPECT_EQ(w->size(), QSize(TFTopicTemplate::kClientWidth, TFTopicTemplate::kClientHeight));
    EXPECT_EQ(w->L_List_Keywords->text(), QStringLiteral("List of keywords"));
    EXPECT_EQ(w->Btn_OK->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(w->Btn_Cancel->Caption(), QStringLiteral("Cancel"));
    struct Case {
        int topicTemplate;
        const char* caption;
    } cases[] = {{1, "Set Template"}, {-3, "Set Template"}, {0, "Set Topic"}};
    for (const Case& k : cases) {
        w->TopicTemplate = k.topicTemplate;
        open();
        EXPECT_EQ(w->windowTitle(), QLatin1String(k.caption));
        EXPECT_EQ(w->L_SW_Desc->text(), QLatin1String(k.caption));
    }
}

TEST_F(TopicTemplate, LegendShowsOneEmptyRowWhateverTheMode)
{
    for (int mode : {0, 1, 7})
        for (int pubSub : {0, 1}) {
            w->Working_Mode = mode;
            w->Pub_Sub = pubSub;
            w->QSG_Keywords->SetCells(0, 1, QStringLiteral("typed"));
            open();
            grid::TQvStringGrid& legend = *w->QSG_Keywords;
            EXPECT_EQ(legend.RowCount(), 2);
            EXPECT_EQ(legend.ColCount(), 2);
            EXPECT_EQ(legend.Cells(0, 0), QStringLiteral("Keyword"));
            EXPECT_EQ(legend.Cells(1, 0), QStringLiteral("Description of Keyword"));
            EXPECT_EQ(legend.Cells(0, 1), QString());
            EXPECT_EQ(legend.Cells(1, 1), QString());
            EXPECT_FALSE(legend.GetReadOnly(0, 1));
            EXPECT_TRUE(legend.GetReadOnly(1, 1));
            EXPECT_EQ(legend.ColWidths(0), 200);
            EXPECT_EQ(legend.ColWidths(1), 380);
        }
}

TEST_F(TopicTemplate, OKClosesWithOneAndCancelOrTheCloseBoxWithTwo)
{
    struct Case {
        std::function<void(TFTopicTemplate&)> act;
        int result;
    } cases[] = {
        {[](TFTopicTemplate& e) { QTest::mouseClick(e.Btn_OK, Qt::LeftButton); }, 1},
        {[](TFTopicTemplate& e) { QTest::mouseClick(e.Btn_Cancel, Qt::LeftButton); }, 2},
        {[](TFTopicTemplate& e) { e.close(); }, 2},
    };
    for (const Case& k : cases) {
        QTimer::singleShot(0, w.get(), [&] { k.act(*w); });
        EXPECT_EQ(w->ShowModal(), k.result);
    }
}

TEST_F(TopicTemplate, Screenshot)
{
    w->TopicTemplate = 1;
    w->RE_TopicTemplate->setPlainText(QStringLiteral("{\"value\": $VALUE$,\n \"unit\": \"C\"\n}"));
    open();
    const QImage shot = testsupport::takeScreenshot(*w, QStringLiteral("windows/TopicTemplate_window.png"));
    EXPECT_EQ(shot.size(), QSize(TFTopicTemplate::kClientWidth, TFTopicTemplate::kClientHeight));
    EXPECT_TRUE(testsupport::pixelIs(shot, QPoint(1, 1), common::kTableWindowBackground));
    EXPECT_TRUE(testsupport::titleDrawn(shot, *w));
    EXPECT_TRUE(testsupport::controlShowsText(shot, *w, *w->RE_TopicTemplate->viewport()));
}

} // namespace

// The rich-text editor as a user drives it: lowered and raised characters, the row growing while
// typing, and an edRichEdit cell stored as RTF and opened again.

#include "grid/edit/QvRichEdit.h"
#include "grid/QvCGrid.h"
#include "platform/RichText.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

using namespace grid;

namespace {

QString fixture(const char* name)
{
    QFile f(QStringLiteral(QV_SOURCE_DIR "/tests/fixtures/grid/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return QString::fromLatin1(f.readAll());
}

void select(TQvRichEdit* re, int from, int to)
{
    QTextCursor c(re->document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    re->setTextCursor(c);
}

struct RichWindow {
    RichWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvColumnGrid(&window);
        lay->addWidget(grid);
        window.resize(500, 300);
        grid->SetColCount(3);
        grid->SetRowCount(8);
        grid->SetDefaultRowHeight(20);
        grid->Columns()[1].SetEditor(edRichEdit);
        grid->SetOptions(grid->Options() | goEditing);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }
    void open(int col, int row)
    {
        grid->FocusCell(col, row);
        grid->ShowInplaceEdit();
        QApplication::processEvents();
    }
    QWidget window;
    TQvColumnGrid* grid = nullptr;
};

} // namespace

TEST(QvRichEdit, OwnerMustBeAGrid)
{
    QWidget w;
    EXPECT_THROW(TQvRichEdit re(&w), std::bad_cast);
}

TEST(QvRichEdit, SelectionOffsetsSwitchAndAnswer)
{
    TQvStringGrid g;
    TQvRichEdit* re = g.InplaceRichEdit();
    re->setPlainText(QStringLiteral("x2"));
    select(re, 1, 2);
    EXPECT_TRUE(re->IsSelNormal());
    re->SelSuperscript();
    EXPECT_TRUE(re->IsSelSuperscript());
    EXPECT_FALSE(re->IsSelNormal());
    EXPECT_FALSE(re->IsSelSubscript());
    re->SelSubscript();
    EXPECT_TRUE(re->IsSelSubscript());
    EXPECT_FALSE(re->IsSelSuperscript());
    re->SelNormal();
    EXPECT_TRUE(re->IsSelNormal());
    EXPECT_FALSE(re->IsSelSuperscript());
    // The character before the selection kept its place.
    select(re, 0, 1);
    EXPECT_TRUE(re->IsSelNormal());
}

TEST(QvRichEdit, RtfWriterReadsBackThroughTheReader)
{
    QTextDocument doc;
    platform::loadRtf(doc,
                      QStringLiteral("{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}a{\\b\\cf1 b\\{c\\}}\\par "
                                     "{\\i d\\'e9}\\tab e}"));
    const QString rtf = platform::saveRtf(doc);
    EXPECT_EQ(rtf, QStringLiteral("{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}a{\\cf1\\b b\\{c\\}}\\par "
                                  "{\\i d\\u233?}\\tab e}"));
    QTextDocument back;
    platform::loadRtf(back, rtf);
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
}

TEST(QvRichEdit, CellWithLoweredAndRaisedCharactersIsStoredAsRtfAndReopens)
{
    RichWindow w;
    w.open(1, 2);
    auto* re = qobject_cast<TQvRichEdit*>(w.grid->EditCtrl);
    ASSERT_NE(re, nullptr);
    EXPECT_EQ(re, w.grid->InplaceRichEdit());
    EXPECT_TRUE(re->isVisible());
    QTest::keyClicks(re, QStringLiteral("H2O m2"));
    select(re, 1, 2);
    re->SelSubscript();
    select(re, 5, 6);
    re->SelSuperscript();
    w.grid->HideInplaceEdit();
    EXPECT_FALSE(re->isVisible());
    EXPECT_EQ(w.grid->Cells(1, 2), fixture("rich_sub_superscript.rtf"));

    w.open(1, 2);
    EXPECT_EQ(re->PlainText(), QStringLiteral("H2O m2"));
    select(re, 1, 2);
    EXPECT_TRUE(re->IsSelSubscript());
    select(re, 5, 6);
    EXPECT_TRUE(re->IsSelSuperscript());
    select(re, 2, 5);
    EXPECT_TRUE(re->IsSelNormal());
}

TEST(QvRichEdit, RowGrowsWhileTyping)
{
    struct Case {
        const char* what;
        bool sizeWhileTyping;
        bool locked;
        int row;
        int needed;
        bool grows;
    };
    const Case cases[] = {
        {"grows to N + 10", true, false, 1, 40, true},
        {"off", false, false, 1, 40, false},
        {"locked", true, true, 1, 40, false},
        {"row already high enough", true, false, 1, 15, false},
        {"would pass the grid's height", true, false, 1, 400, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RichWindow w;
        w.grid->SizeWhileTyping().SetHeight(c.sizeWhileTyping);
        QList<int> ended;
        w.grid->OnEndRowSize = [&](TQvStringGrid*, int r) { ended << r; };
        w.open(1, c.row);
        TQvRichEdit* re = w.grid->InplaceRichEdit();
        const int editorHeight = re->height();
        if (c.locked)
            re->LockResize();
        re->HandleRequestResize(80, c.needed);
        EXPECT_EQ(re->ReqHeight(), c.needed);
        if (c.grows) {
            EXPECT_EQ(w.grid->RowHeights(c.row), c.needed + 10);
            EXPECT_EQ(re->height(), c.needed + 9);
            EXPECT_EQ(ended, QList<int>{c.row});
        } else {
            EXPECT_EQ(w.grid->RowHeights(c.row), 20);
            EXPECT_EQ(re->height(), editorHeight);
            EXPECT_TRUE(ended.isEmpty());
        }
    }
}

TEST(QvRichEdit, TabMovesToTheNextCellAndFocusBackToGridCloses)
{
    RichWindow w;
    w.grid->SetOptions(w.grid->Options() | goTabs);
    w.grid->Columns()[2].SetEditor(edRichEdit);
    w.open(1, 1);
    TQvRichEdit* re = w.grid->InplaceRichEdit();
    QTest::keyClicks(re, QStringLiteral("ab"));
    QTest::keyClick(re, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(w.grid->Col(), 2);
    EXPECT_EQ(w.grid->Cells(1, 1), QStringLiteral("{\\rtf1\\ansi ab}"));
}

TEST(QvRichEdit, FocusBackToTheGridClosesAndStores)
{
    RichWindow w;
    w.open(1, 3);
    TQvRichEdit* re = w.grid->InplaceRichEdit();
    ASSERT_EQ(QApplication::focusWidget(), re);
    QTest::keyClicks(re, QStringLiteral("cd"));
    w.grid->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(re->isVisible());
    EXPECT_FALSE(w.grid->EditMode);
    EXPECT_EQ(w.grid->Cells(1, 3), QStringLiteral("{\\rtf1\\ansi cd}"));
}

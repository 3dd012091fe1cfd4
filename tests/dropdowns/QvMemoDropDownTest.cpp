// The memo picker: what the edit shows of MemoText, Text and MemoText following each other,
// the keys of the memo, keeping and cancelling edits, and AutoDrop.

#include "dropdowns/QvMemoDropDown.h"
#include "dropdowns/DropDownHelpers.h"
#include "support/FakeDesktop.h"
#include "support/PickerWindow.h"

#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace dropdowns;
using testsupport::FakeDesktop;
using Window = testsupport::PickerWindow<TQvMemoDropDown>;

namespace {

class MemoPicker : public ::testing::Test {
protected:
    MemoPicker() : dd(&parent, &desktop)
    {
        parent.resize(600, 200);
        parent.show();
        dd.setGeometry(10, 10, 200, 21);
        dd.show();
    }
    int widthOf(const QString& text) const
    {
        QImage scratch(1, 1, QImage::Format_RGB32);
        QPainter canvas(&scratch);
        canvas.setFont(dd.font());
        return MeasureText(canvas, text).width();
    }
    int textRectWidth() const { return dd.EditRect().Right - dd.EditRect().Left; }
    QString shown() const { return dd.QLineEdit::text(); }

    FakeDesktop desktop;
    QWidget parent;
    TQvMemoDropDown dd;
};

void typeInto(QWidget* w, const QString& text)
{
    QTest::keyClicks(w, text);
}

} // namespace

TEST_F(MemoPicker, NewPicker)
{
    EXPECT_TRUE(dd.MemoText().isEmpty());
    EXPECT_TRUE(shown().isEmpty());
    ASSERT_NE(dd.Memo(), nullptr);
    EXPECT_EQ(dd.Memo()->parentWidget(), dd.DropDownForm());
    EXPECT_EQ(dd.Control(), dd.Memo());
    EXPECT_EQ(dd.Memo()->height(), 100);
    EXPECT_EQ(dd.Memo()->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(dd.EditorEnabled());
    EXPECT_EQ(dd.MemoScrollBars(), ssNone);
    EXPECT_FALSE(dd.MemoReadOnly());
    EXPECT_FALSE(dd.AutoDrop());
}

TEST_F(MemoPicker, NotEditableShowsTheFirstLine)
{
    dd.SetEditorEnabled(false);
    struct Case {
        QStringList lines;
        QString shows;
    };
    const Case cases[] = {
        {{QStringLiteral("alpha"), QStringLiteral("beta")}, QStringLiteral("alpha...")},
        {{QStringLiteral("alpha")}, QStringLiteral("alpha")},
        {{}, QString()},
    };
    for (const Case& c : cases) {
        dd.SetMemoText(c.lines);
        EXPECT_EQ(shown(), c.shows) << c.lines.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(MemoPicker, TooWideLineIsCutAndAnExactlyFittingLineStaysWhole)
{
    dd.SetEditorEnabled(false);
    const QString line = QStringLiteral("The quick brown fox jumps over the lazy dog");
    const int w = widthOf(line);
    // The edit made exactly as wide as the line.
    for (int width = 40; width < 1000 && textRectWidth() != w; ++width)
        dd.resize(width, dd.height());
    ASSERT_EQ(textRectWidth(), w);
    dd.SetMemoText({line, QStringLiteral("second")});
    EXPECT_EQ(shown(), line) << "a line exactly as wide stays whole, without \"...\"";
    dd.resize(dd.width() - 40, dd.height());
    dd.SetMemoText({line});
    EXPECT_TRUE(shown().endsWith(QStringLiteral("...")));
    EXPECT_TRUE(line.startsWith(shown().chopped(3)));
    EXPECT_LT(widthOf(shown()), textRectWidth());
    EXPECT_GE(widthOf(shown().chopped(3) + line.at(shown().size() - 3) + QStringLiteral("...")), textRectWidth());
}

TEST_F(MemoPicker, EditableShowsTheJoinedText)
{
    dd.SetMemoText({QStringLiteral("alpha"), QStringLiteral("beta")});
    EXPECT_EQ(shown(), QStringLiteral("alpha\nbeta\n"));
    EXPECT_EQ(dd.MemoText(), (QStringList{QStringLiteral("alpha"), QStringLiteral("beta")}));
}

TEST_F(MemoPicker, TextOfTwoLinesFillsMemoText)
{
    int changes = 0;
    dd.OnChange = [&changes](QObject*) { ++changes; };
    dd.SetEditorEnabled(false);
    dd.SetText(QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(dd.MemoText(), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(shown(), QStringLiteral("one\r\ntwo")) << "shown as written until MemoText changes";
    EXPECT_EQ(changes, 1);
    dd.SetMemoText(dd.MemoText());
    EXPECT_EQ(shown(), QStringLiteral("one..."));
}

TEST(MemoPickerWindow, KeysInTheMemoStayThereButEscapeF4AndCtrlA)
{
    FakeDesktop desktop;
    Window w(desktop, {80, 80});
    TQvMemoDropDown* dd = w.picker;
    dd->setFocus();
    dd->SetMemoText({QStringLiteral("alpha"), QStringLiteral("beta")});
    w.clickButton();
    ASSERT_TRUE(dd->DroppedDown());
    int memoChanges = 0;
    dd->OnMemoChange = [&memoChanges](QObject*) { ++memoChanges; };
    QPlainTextEdit* memo = dd->Memo();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("alpha\nbeta"));
    memo->moveCursor(QTextCursor::End);
    typeInto(memo, QStringLiteral("xyz"));
    QTest::keyClick(memo, Qt::Key_Return);
    typeInto(memo, QStringLiteral("q"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("alpha\nbetaxyz\nq"));
    EXPECT_EQ(memoChanges, 5);
    EXPECT_EQ(dd->QLineEdit::text(), QStringLiteral("alpha\nbeta\n")) << "the letters never reached the edit";
    EXPECT_TRUE(dd->DroppedDown()) << "Return makes a new line";
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(memo->textCursor().selectedText().size(), memo->toPlainText().size());
    ASSERT_TRUE(w.screenshot(QStringLiteral("MemoDropDown_open.png")));
    EXPECT_TRUE(w.popupDrawn(*dd->DropDownForm()));
    // F4 closes keeping the lines.
    QTest::keyClick(memo, Qt::Key_F4);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->MemoText(), (QStringList{QStringLiteral("alpha"), QStringLiteral("betaxyz"), QStringLiteral("q")}));
    EXPECT_EQ(dd->QLineEdit::text(), QStringLiteral("alpha\nbetaxyz\nq\n"));
    EXPECT_EQ(dd->cursorPosition(), 0);
    // Escape closes cancelling.
    w.clickButton();
    ASSERT_TRUE(dd->DroppedDown());
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
}

TEST(MemoPickerWindow, ClickOutsideKeepsTheEdits)
{
    FakeDesktop desktop;
    Window w(desktop);
    TQvMemoDropDown* dd = w.picker;
    dd->SetEditorEnabled(false);
    dd->SetMemoText({QStringLiteral("one")});
    w.clickButton();
    ASSERT_TRUE(dd->DroppedDown());
    EXPECT_FALSE(dd->DropDownForm()->CancelOnDeActivate());
    dd->Memo()->moveCursor(QTextCursor::End);
    QTest::keyClick(dd->Memo(), Qt::Key_Return);
    typeInto(dd->Memo(), QStringLiteral("two"));
    w.clickOutside();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->MemoText(), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(dd->QLineEdit::text(), QStringLiteral("one..."));
}

TEST(MemoPickerWindow, CancelRestoresTheLinesOfTheOpening)
{
    FakeDesktop desktop;
    Window w(desktop);
    TQvMemoDropDown* dd = w.picker;
    dd->SetEditorEnabled(false);
    dd->SetText(QStringLiteral("first"));
    dd->SetMemoText({QStringLiteral("set"), QStringLiteral("alone")});
    // Cancelled at once: the lines set through MemoText alone come back.
    w.clickButton();
    typeInto(dd->Memo(), QStringLiteral("junk"));
    QTest::keyClick(dd->Memo(), Qt::Key_Escape);
    EXPECT_EQ(dd->MemoText(), (QStringList{QStringLiteral("set"), QStringLiteral("alone")}));
    EXPECT_EQ(dd->QLineEdit::text(), QStringLiteral("set..."));
    // Edits kept at one closing survive a cancel at the next.
    w.clickButton();
    dd->Memo()->moveCursor(QTextCursor::End);
    typeInto(dd->Memo(), QStringLiteral("!"));
    QTest::keyClick(dd->Memo(), Qt::Key_F4);
    ASSERT_EQ(dd->MemoText(), (QStringList{QStringLiteral("set"), QStringLiteral("alone!")}));
    w.clickButton();
    typeInto(dd->Memo(), QStringLiteral("more junk"));
    QTest::keyClick(dd->Memo(), Qt::Key_Escape);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->MemoText(), (QStringList{QStringLiteral("set"), QStringLiteral("alone!")}));
    EXPECT_EQ(dd->QLineEdit::text(), QStringLiteral("set..."));
    w.clickButton();
    EXPECT_EQ(dd->Memo()->toPlainText(), QStringLiteral("set\nalone!"));
}

TEST(MemoPickerWindow, AutoDropOpensOnTabbingInAndNotWhenTheFocusReturns)
{
    FakeDesktop desktop;
    Window w(desktop);
    TQvMemoDropDown* dd = w.picker;
    dd->SetAutoDrop(true);
    w.before->setFocus();
    QTest::keyClick(w.before, Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_TRUE(dd->DroppedDown()) << "tabbing in opens";
    EXPECT_TRUE(dd->Memo()->hasFocus());
    QTest::keyClick(w.handle(), Qt::Key_F4);
    EXPECT_FALSE(dd->DroppedDown());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), dd)
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none");
    EXPECT_FALSE(dd->DroppedDown()) << "the focus came back without reopening";
    EXPECT_TRUE(dd->AutoDrop());
}

// MaxLength restrains typing and pasting only: the lines the picker is given survive an opening
// and a closing, a cancel, and a Text written by the program.
TEST(MemoPickerWindow, MaxLengthRestrainsTypingOnly)
{
    FakeDesktop desktop;
    Window w(desktop);
    TQvMemoDropDown* dd = w.picker;
    dd->SetMaxLength(5);
    const QStringList lines{QStringLiteral("one"), QStringLiteral("two")};
    struct Case {
        const char* name;
        int closingKey; // 0: a click elsewhere
    };
    for (const Case& c : {Case{"click elsewhere", 0}, Case{"F4", Qt::Key_F4}, Case{"Escape", Qt::Key_Escape}}) {
        dd->SetMemoText(lines);
        dd->ShowDropDown();
        ASSERT_TRUE(dd->DroppedDown()) << c.name;
        EXPECT_EQ(dd->Memo()->toPlainText(), QStringLiteral("one\ntwo")) << c.name;
        if (c.closingKey)
            QTest::keyClick(dd->Memo(), Qt::Key(c.closingKey));
        else
            w.clickOutside();
        EXPECT_FALSE(dd->DroppedDown()) << c.name;
        EXPECT_EQ(dd->MemoText(), lines) << c.name;
    }
    // Typing stops at five characters, wherever the caret is.
    dd->SetMemoText({});
    dd->ShowDropDown();
    typeInto(dd->Memo(), QStringLiteral("abcdefgh"));
    EXPECT_EQ(dd->Memo()->toPlainText(), QStringLiteral("abcde"));
    dd->Memo()->moveCursor(QTextCursor::Start);
    typeInto(dd->Memo(), QStringLiteral("z"));
    EXPECT_EQ(dd->Memo()->toPlainText(), QStringLiteral("abcde"));
    // A longer text the picker was given does not grow by typing but may shrink.
    w.clickOutside();
    dd->SetMemoText(lines);
    dd->ShowDropDown();
    dd->Memo()->moveCursor(QTextCursor::End);
    typeInto(dd->Memo(), QStringLiteral("x"));
    EXPECT_EQ(dd->Memo()->toPlainText(), QStringLiteral("one\ntwo"));
    QTest::keyClick(dd->Memo(), Qt::Key_Backspace);
    EXPECT_EQ(dd->Memo()->toPlainText(), QStringLiteral("one\ntw"));
    QTest::keyClick(dd->Memo(), Qt::Key_Escape);
    // The program's Text is kept whole; typing in the edit stops at the limit.
    dd->SetText(QStringLiteral("abcdefg"));
    EXPECT_EQ(dd->Text(), QStringLiteral("abcdefg"));
    dd->SetMemoText({QStringLiteral("ab")});
    dd->setFocus();
    dd->setCursorPosition(2);
    typeInto(dd, QStringLiteral("cdefg"));
    EXPECT_EQ(dd->QLineEdit::text().size(), 5) << qPrintable(dd->QLineEdit::text());
}

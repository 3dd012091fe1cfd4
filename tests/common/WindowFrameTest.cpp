// The one frame builder: the title strips of the two looks, strip buttons placed by slot or kept
// at the right end, the design-named members filled, the size rules, and the strip reached last
// by Tab although it is built before the body.

#include "common/WindowFrame.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "platform/Services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// A window whose frame a test describes.
class TFramedWindow : public common::TQvForm {
public:
    explicit TFramedWindow(platform::Services& services) : TQvForm(services, nullptr) {}
    using TQvForm::Add_Strip_Button;
    using TQvForm::Build_Frame;
    using TQvForm::CenterOnShow;

protected:
    void FormShow() override {}
};

struct WindowFrame : testing::Test {
    void SetUp() override { common::State().SW_Code = QStringLiteral("QV-100"); }
    void TearDown() override { common::State() = common::TProgramState(); }
    platform::Services services;
};

} // namespace

TEST_F(WindowFrame, TableFrameStacksTitleBodyAndSlotButtons)
{
    TFramedWindow w(services);
    TGlyphButton* delRow = nullptr;
    TGlyphButton* insRow = nullptr;
    TGlyphButton* copyRow = nullptr;
    TGlyphButton* pasteRow = nullptr;
    QVBoxLayout* body =
        w.Build_Frame(common::Table_Frame({745, 337}, common::Row_Buttons(&delRow, &insRow, &copyRow, &pasteRow)));
    ASSERT_NE(body, nullptr);
    auto* table = new QWidget(&w);
    body->addWidget(table, 1);
    w.show();
    QCoreApplication::processEvents();

    EXPECT_EQ(w.size(), QSize(745, 337));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.P_Title->geometry(), QRect(0, 0, 745, 69));
    EXPECT_EQ(table->geometry(), QRect(0, 69, 745, 337 - 69 - 40));
    EXPECT_EQ(w.P_Button->geometry(), QRect(0, 297, 745, 40));
    EXPECT_EQ(w.L_SW_Code->text(), QStringLiteral("QV-100"));
    EXPECT_EQ(w.L_SW_Desc->objectName(), QStringLiteral("L_SW_Desc"));
    EXPECT_EQ(w.L_SW_Desc->geometry(), QRect(16, 46, 745 - 32, 18));
    EXPECT_EQ(w.L_SW_Desc->textFormat(), Qt::PlainText);
    EXPECT_EQ(w.palette().color(QPalette::Window), common::kTableWindowBackground);

    const struct {
        TGlyphButton* button;
        const char* name;
        int slot;
    } expected[] = {{w.Btn_OK, "Btn_OK", 0},   {w.Btn_Cancel, "Btn_Cancel", 1}, {delRow, "Btn_DelRow", 2},
                    {insRow, "Btn_InsRow", 3}, {copyRow, "Btn_CopyRow", 4},     {pasteRow, "Btn_PasteRow", 5}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        ASSERT_NE(e.button, nullptr);
        EXPECT_EQ(w.findChild<TGlyphButton*>(QLatin1String(e.name)), e.button);
        EXPECT_EQ(e.button->parentWidget(), w.P_Button);
        EXPECT_EQ(e.button->geometry(), QRect(16 + 118 * e.slot, 6, 110, 28));
    }
    EXPECT_EQ(w.Btn_OK->ModalResult(), 0);
    EXPECT_EQ(w.Btn_Cancel->ModalResult(), common::TQvForm::kModalCancel);
}

TEST_F(WindowFrame, ApplicationFrameKeepsOKAndCancelAtTheRightEnd)
{
    TFramedWindow w(services);
    EXPECT_EQ(
        w.Build_Frame(common::Application_Frame({400, 230}, common::OK_Cancel_At_Right(common::TQvForm::kModalOK))),
        nullptr);
    w.show();
    QCoreApplication::processEvents();

    EXPECT_EQ(w.size(), QSize(400, 230));
    EXPECT_EQ(w.P_Title->geometry(), QRect(0, 0, 400, 69));
    EXPECT_EQ(w.L_SW_Code->geometry(), QRect(16, 8, 400 - 32, 36));
    EXPECT_EQ(w.L_SW_Desc->geometry(), QRect(16, 46, 400 - 32, 18));
    EXPECT_EQ(w.P_Button->geometry(), QRect(0, 190, 400, 40));
    EXPECT_EQ(w.Btn_OK->geometry(), QRect(400 - 180, 8, 81, 25));
    EXPECT_EQ(w.Btn_Cancel->geometry(), QRect(400 - 92, 8, 81, 25));
    EXPECT_EQ(w.Btn_OK->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(w.Btn_Cancel->Caption(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(w.Btn_OK->ModalResult(), common::TQvForm::kModalOK);
    EXPECT_EQ(w.Btn_Cancel->ModalResult(), common::TQvForm::kModalCancel);
}

TEST_F(WindowFrame, ARightHandStripFollowsAResizedWindow)
{
    TFramedWindow w(services);
    w.CenterOnShow = false;
    common::TFramePlan plan = common::Application_Frame({436, 300}, common::OK_Cancel_At_Right(0), 46);
    plan.body = common::TFrameBody::Column;
    plan.sizing = common::TFrameSizing::Resizable;
    QVBoxLayout* body = w.Build_Frame(plan);
    ASSERT_NE(body, nullptr);
    body->addWidget(new QWidget(&w), 1);
    w.show();
    w.resize(600, 400);
    QCoreApplication::processEvents();

    EXPECT_EQ(w.P_Button->geometry(), QRect(0, 360, 600, 40));
    EXPECT_EQ(w.Btn_Cancel->geometry(), QRect(600 - 92, 8, 81, 25));
    EXPECT_EQ(w.Btn_OK->geometry(), QRect(600 - 180, 8, 81, 25));
}

TEST_F(WindowFrame, AFrameWithoutTitleOrStripLeavesThoseMembersEmpty)
{
    TFramedWindow w(services);
    common::TFramePlan plan = common::Application_Frame({300, 150}, {});
    plan.title = common::TTitleStyle::None;
    plan.buttonStrip = false;
    w.Build_Frame(plan);
    EXPECT_EQ(w.P_Title, nullptr);
    EXPECT_EQ(w.L_SW_Code, nullptr);
    EXPECT_EQ(w.P_Button, nullptr);
    EXPECT_EQ(w.Btn_OK, nullptr);
    EXPECT_EQ(w.size(), QSize(300, 150));
}

TEST_F(WindowFrame, TabReachesTheStripAfterTheBodyAddedLater)
{
    TFramedWindow w(services);
    QVBoxLayout* body = w.Build_Frame(common::Table_Frame({500, 200}, common::OK_Cancel_Slots()));
    auto* first = new QLineEdit(&w);
    auto* second = new QLineEdit(&w);
    body->addWidget(first);
    body->addWidget(second);
    w.show();
    QCoreApplication::processEvents();

    QWidget* order[] = {first, second, w.Btn_OK, w.Btn_Cancel};
    for (size_t i = 1; i < std::size(order); ++i) {
        QWidget* next = order[i - 1]->nextInFocusChain();
        while (next != order[i] && !(next->focusPolicy() & Qt::TabFocus) && next != &w)
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i]) << i;
    }
}

TEST_F(WindowFrame, AnAddedStripButtonTakesItsSlot)
{
    TFramedWindow w(services);
    w.Build_Frame(common::Table_Frame({900, 300}, common::OK_Cancel_Slots()));
    TGlyphButton* import = nullptr;
    TGlyphButton* b = w.Add_Strip_Button(common::Slot_Button("Btn_Import", &import, 6));
    EXPECT_EQ(b, import);
    EXPECT_EQ(b->parentWidget(), w.P_Button);
    EXPECT_EQ(b->geometry(), QRect(16 + 118 * 6, 6, 110, 28));
}

// The MQTT topic tables on their two sheets: the columns working mode 1 shows, cells of
// hidden columns kept by real column and stored where the file has them, the rules with their
// exact messages (rules on hidden columns skipped, the Time rule not), the empty-topic gap,
// the file written byte for byte and read back, hand-edited and oversized files, the row
// buttons on the sheet in front, and Template cells edited in the template editor.

#include "protocols/energy_it/mqtt/UMQTT_Set_Topic.h"
#include "protocols/energy_it/mqtt/UTopicTemplate.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

namespace {

using energy_it::TFMQTT_Set_Topic;
using energy_it::TFTopicTemplate;
using testsupport::TableWindowDriver;
namespace pub = energy_it::pub_col;
namespace sub = energy_it::sub_col;

using TCells = std::map<int, QString>;

class MQTTSetTopic : public testsupport::TableWindowTest<TFMQTT_Set_Topic> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_MQTT_Set_Topic, "MQTT_Set_Topic.xml");
        editor = std::make_unique<TFTopicTemplate>(services);
        w->FTopicTemplate = editor.get();
    }

    void open()
    {
        w->hide();
        user->open();
    }

    static void setCells(grid::TQvColumnGrid& g, int row, const TCells& cells)
    {
        for (const auto& [col, text] : cells)
            g.SetCells(col, row, text);
    }

    // A publish row that passes every rule, with the changes of a case.
    static TCells pubRow(const TCells& changes = {})
    {
        TCells cells{{pub::Topic, "plant/temp"}, {pub::Retained, "N"},  {pub::QoS, "0"},
                     {pub::DataType, "Int"},     {pub::Dimension, "2"}, {pub::Position, "0"},
                     {pub::Template, "$VALUE$"}, {pub::OnChange, "Y"},  {pub::OnTimer, "N"},
                     {pub::Mnemonic, "m"}};
        for (const auto& [col, text] : changes)
            cells[col] = text;
        return cells;
    }
    static TCells subRow(const TCells& changes = {})
    {
        TCells cells{{sub::Topic, "plant/set"}, {sub::QoS, "1"},         {sub::DataType, "Float"},
                     {sub::Dimension, "4"},     {sub::Position, "1499"}, {sub::Template, "$VALUE$"},
                     {sub::Mnemonic, "s"}};
        for (const auto& [col, text] : changes)
            cells[col] = text;
        return cells;
    }

    // The shown index of a real column.
    static int shown(const grid::TQvColumnGrid& g, int realCol)
    {
        for (int c = 0; c < g.ColCount(); ++c)
            if (g.RealColIndex(c) == realCol)
                return c;
        return -1;
    }

    // Double-clicks a cell; while the editor is open, act runs on it.
    void doubleClickWithEditor(grid::TQvColumnGrid& g, int realCol, int row, std::function<void()> act)
    {
        TableWindowDriver::bringForward(g);
        g.SetCol(shown(g, realCol));
        g.SetRow(row);
        bool acted = false;
        QTimer::singleShot(0, editor.get(), [&] {
            acted = true;
            act();
        });
        const QRect r = g.CellRect(shown(g, realCol), row).toQRect();
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, r.center());
        QCoreApplication::processEvents();
        EXPECT_TRUE(acted) << "the editor was not opened";
        if (g.EditorMode() || g.EditCombo())
            g.HideInplaceEdit();
    }

    QByteArray fixture(const char* name) const
    {
        return testsupport::readFile(testsupport::fixturePath(QStringLiteral("mqtt/") + QLatin1String(name)));
    }

    std::unique_ptr<TFTopicTemplate> editor;
};

TEST_F(MQTTSetTopic, WorkingModeOneShowsItsColumnsOnTwoSheets)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set MQTT Topics"));
    EXPECT_EQ(w->PageControl1->tabText(0), QStringLiteral("MQTT Publish"));
    EXPECT_EQ(w->PageControl1->tabText(1), QStringLiteral("MQTT Subscribe"));
    EXPECT_EQ(w->PageControl1->currentWidget(), w->TS_MQTT_Publish);
    EXPECT_EQ(w->ACG_Pub->RowCount(), 1025);
    EXPECT_EQ(w->ACG_Sub->RowCount(), 1025);
    const std::vector<int> pubShown{0, 1, 2, 3, 4, 5, 6, 9, 10, 12, 13, 17};
    const std::vector<int> subShown{0, 1, 3, 4, 5, 6, 11, 14};
    for (auto [g, shownCols, count] :
         {std::tuple{w->ACG_Pub, pubShown, pub::Count}, std::tuple{w->ACG_Sub, subShown, sub::Count}}) {
        EXPECT_EQ(g->ColCount(), int(shownCols.size()));
        for (int c = 0; c < count; ++c)
            EXPECT_EQ(g->IsHiddenColumn(c), std::find(shownCols.begin(), shownCols.end(), c) == shownCols.end())
                << g->objectName().toStdString() << " column " << c;
    }
    EXPECT_EQ(w->ACG_Pub->Cells(0, 1024), QStringLiteral("1024"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Topic, 1), QString()); // no column preset
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Mnemonic, 0), QStringLiteral("Mnemonic"));
    EXPECT_EQ(w->Hint_MQTT_Set_Topic_Pub()[pub::OnChange - 1],
              QStringLiteral("Enable/Disabel the Possibility to Publish the Data at the Exchange of Value"));
    EXPECT_EQ(w->Hint_MQTT_Set_Topic_Sub()[sub::Mnemonic - 1], QStringLiteral("Description of MQTT Topic"));

    // Shown again, the same columns.
    open();
    EXPECT_EQ(w->ACG_Pub->ColCount(), int(pubShown.size()));
    EXPECT_EQ(w->ACG_Sub->ColCount(), int(subShown.size()));
}

TEST_F(MQTTSetTopic, RulesRunOnShownColumnsWithTheirExactMessages)
{
    struct Case {
        bool subscribe;
        TCells row1;
        const char* message; // nullptr: passes
    } cases[] = {
        {false, {{pub::DataType, " "}}, "Error row 1!! [MQTT Publish] Data Type must be selected"},
        {false,
         {{pub::DataType, "Int"}, {pub::Dimension, "3"}},
         "Error row 1!! [MQTT Publish] Dimension must be equal to 1 or 2 or 4 or 8"},
        {false, {{pub::DataType, "int "}, {pub::Dimension, "8"}}, nullptr},
        {false,
         {{pub::DataType, "Float"}, {pub::Dimension, "2"}},
         "Error row 1!! [MQTT Publish] Dimension must be equal to 4 or 8"},
        {false,
         {{pub::DataType, "String"}, {pub::Dimension, "0"}},
         "Error row 1!! [MQTT Publish] Dimension must be major of 0"},
        {false, {{pub::DataType, "Base64"}, {pub::Dimension, "300"}}, nullptr},
        {false, {{pub::Position, "1499"}}, nullptr},
        {false, {{pub::Position, "1500"}}, "Error row 1!! [MQTT Publish] Position must be beetween 0 and 1499"},
        {false, {{pub::Position, "-1"}}, "Error row 1!! [MQTT Publish] Position must be beetween 0 and 1499"},
        {false, {{pub::Template, "$VALUE$"}}, nullptr},
        {false, {{pub::Template, ""}}, nullptr},
        {false, {{pub::Template, "$VALUE"}}, "Error row 1!! [MQTT Publish] Template not Correct, Check the Keywords"},
        {false, {{pub::Template, "$A$ $B"}}, "Error row 1!! [MQTT Publish] Template not Correct, Check the Keywords"},
        {false, {{pub::OnTimer, "Y"}, {pub::Time, "1000000000"}}, nullptr},
        {false,
         {{pub::OnTimer, "Y"}, {pub::Time, "0"}},
         "Error row 1!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
        {false,
         {{pub::OnTimer, "y "}, {pub::Time, ""}},
         "Error row 1!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
        {false, {{pub::OnTimer, "N"}, {pub::Time, "never read"}}, nullptr},
        // Hidden columns are never checked.
        {false, {{pub::IPAddress, "999.1.1"}, {pub::InputTemplate, "$"}}, nullptr},
        {true, {{sub::IPAddress, "x"}, {sub::Port, "70000"}, {sub::InputTemplate, "$$$"}}, nullptr},
        {true, {{sub::DataType, ""}}, "Error row 1!! [MQTT Subscribe] Data Type must be selected"},
        {true,
         {{sub::DataType, "Float"}, {sub::Dimension, "2"}},
         "Error row 1!! [MQTT Subscribe] Dimension must be equal to 4 or 8"},
        {true, {{sub::Position, "1500"}}, "Error row 1!! [MQTT Subscribe] Position must be beetween 0 and 1499"},
        {true, {{sub::Template, "$"}}, "Error row 1!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
        {true, {{sub::Template, "a$b$c$"}}, "Error row 1!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.message ? k.message : "passes");
        open();
        setCells(*w->ACG_Pub, 1, k.subscribe ? pubRow() : pubRow(k.row1));
        setCells(*w->ACG_Sub, 1, k.subscribe ? subRow(k.row1) : subRow());
        EXPECT_EQ(w->First_Error().value_or(QString()), QString::fromLatin1(k.message ? k.message : ""));
    }
}

TEST_F(MQTTSetTopic, RowsBelowTheFirstEmptyTopicAreNeitherCheckedNorSaved)
{
    open();
    setCells(*w->ACG_Pub, 1, pubRow());
    setCells(*w->ACG_Pub, 2, pubRow({{pub::Topic, ""}, {pub::Position, "5000"}}));
    user->press("Btn_OK");
    EXPECT_EQ(user->lastMessage(),
              QStringLiteral("Error row 2!! This row is empty but rows below it are filled: fill it in or delete it, "
                             "or the rows below would not be saved"));
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(w->isVisible());

    // Only empty rows below: the table ends there.
    setCells(*w->ACG_Pub, 2, {{pub::Topic, " "}});
    for (int c = 2; c < pub::Count; ++c)
        w->ACG_Pub->SetCells(c, 2, QString());
    setCells(*w->ACG_Pub, 3, {});
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 1u);
    EXPECT_EQ(user->result(), TFMQTT_Set_Topic::kModalOK);
    open();
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Topic, 1), QStringLiteral("plant/temp"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Topic, 2), QString());
}

TEST_F(MQTTSetTopic, FileIsWrittenInOrderWithHiddenCellsWhereStoredAndReadBack)
{
    open();
    user->type(*w->ACG_Pub, shown(*w->ACG_Pub, pub::Topic), 1, QStringLiteral("plant/line1/temp"));
    user->type(*w->ACG_Pub, shown(*w->ACG_Pub, pub::QoS), 1, QStringLiteral("1"));
    user->type(*w->ACG_Pub, shown(*w->ACG_Pub, pub::DataType), 1, QStringLiteral("Float"));
    setCells(*w->ACG_Pub, 1,
             {{pub::Retained, "Y"},
              {pub::Dimension, "4"},
              {pub::Position, "10"},
              {pub::IPAddress, "10.0.0.7"},
              {pub::InputTemplate, "in $A"},
              {pub::Template, "{\"t\": $VALUE$}"},
              {pub::OnChange, "Y"},
              {pub::OnCMD, "Y"},
              {pub::OnTimer, "Y"},
              {pub::Time, "500"},
              {pub::Channel, "7"},
              {pub::Swap, "Y"},
              {pub::Swap_Word, "Y"},
              {pub::Mnemonic, "Oven <1> & 2"}});
    setCells(*w->ACG_Pub, 2,
             pubRow({{pub::Topic, "plant/line1/state"},
                     {pub::DataType, "String"},
                     {pub::Dimension, "32"},
                     {pub::Position, "1499"},
                     {pub::Template, ""},
                     {pub::OnChange, "N"},
                     {pub::Mnemonic, ""}}));
    setCells(*w->ACG_Sub, 1,
             subRow({{sub::Retained, "Y"},
                     {sub::IPAddress, "192.168.2.167"},
                     {sub::Port, "502"},
                     {sub::EthType, "UDP"},
                     {sub::InputTemplate, "$X$"},
                     {sub::Swap, "Y"},
                     {sub::Swap_Word, "Y"}}));
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFMQTT_Set_Topic::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), fixture("MQTT_Set_Topic_window.xml"));

    open();
    EXPECT_EQ(w->ACG_Pub->Cells(pub::IPAddress, 1), QStringLiteral("10.0.0.7"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::InputTemplate, 1), QStringLiteral("in $A"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Mnemonic, 1), QStringLiteral("Oven <1> & 2"));
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Retained, 1), QStringLiteral("Y"));
    EXPECT_EQ(w->ACG_Sub->Cells(sub::EthType, 1), QStringLiteral("UDP"));
    // Not stored: OnCMD and Channel come back empty, Swap and Swap Word "N".
    for (int row : {1, 2}) {
        EXPECT_EQ(w->ACG_Pub->Cells(pub::OnCMD, row), QString());
        EXPECT_EQ(w->ACG_Pub->Cells(pub::Channel, row), QString());
        EXPECT_EQ(w->ACG_Pub->Cells(pub::Swap, row), QStringLiteral("N"));
        EXPECT_EQ(w->ACG_Pub->Cells(pub::Swap_Word, row), QStringLiteral("N"));
    }
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Swap, 1), QStringLiteral("N"));
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Swap_Word, 1), QStringLiteral("N"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Swap, 3), QString()); // only loaded rows
    // Saved again unchanged, the same bytes.
    user->press("Btn_OK");
    EXPECT_EQ(testsupport::readFile(path()), fixture("MQTT_Set_Topic_window.xml"));
}

TEST_F(MQTTSetTopic, HandEditedRowsLoadMissingCellsEmptyOrAsTheirDefault)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("MQTT_Set_Topic_sparse.xml")));
    open();
    QCoreApplication::processEvents();
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Topic, 1), QStringLiteral("only/topic"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Retained, 1), QString());
    EXPECT_EQ(w->ACG_Pub->Cells(pub::QoS, 1), QString());
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Mnemonic, 1), QString());
    EXPECT_EQ(w->ACG_Pub->Cells(pub::OnChange, 1), QStringLiteral("N"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::OnTimer, 1), QStringLiteral("N"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Template, 1), QString());
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Topic, 2), QString()); // a row without Topic loads empty
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Mnemonic, 2), QStringLiteral("no topic"));
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Topic, 1), QStringLiteral("sub/one"));
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Swap, 1), QStringLiteral("N"));
}

TEST_F(MQTTSetTopic, RowsPastTheLastGridRowAreNotLoaded)
{
    QByteArray xml = "<MQTT_Set_Topic>\n\t<MQTT_Publish>\n";
    for (int i = 1; i <= 1100; ++i)
        xml += "\t\t<row Topic=\"t" + QByteArray::number(i) + "\" Retained=\"N\" QoS=\"0\" Mnemonic=\"\" />\n";
    xml += "\t</MQTT_Publish>\n\t<MQTT_Subscribe />\n</MQTT_Set_Topic>\n<!--SW_VERSION = 1.000-->\n";
    ASSERT_TRUE(testsupport::writeFile(path(), xml));
    open();
    EXPECT_EQ(user->messageCount(), 0u);
    EXPECT_EQ(w->ACG_Pub->RowCount(), 1025);
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Topic, 1024), QStringLiteral("t1024"));
    EXPECT_EQ(w->ACG_Pub->Cells(0, 1024), QStringLiteral("1024"));
}

TEST_F(MQTTSetTopic, RowButtonsActOnTheSheetInFront)
{
    open();
    setCells(*w->ACG_Pub, 1, pubRow());
    setCells(*w->ACG_Sub, 1, subRow());
    setCells(*w->ACG_Sub, 2, subRow({{sub::Topic, "second"}}));
    user->clickCell(*w->ACG_Sub, 1, 1);
    EXPECT_EQ(w->PageControl1->currentWidget(), w->TS_MQTT_Subscribe);
    user->press("Btn_InsRow");
    for (int c = 1; c < sub::Count; ++c)
        EXPECT_EQ(w->ACG_Sub->Cells(c, 1), QString()) << c; // nothing preset
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Topic, 2), QStringLiteral("plant/set"));
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Topic, 3), QStringLiteral("second"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Topic, 1), QStringLiteral("plant/temp"));
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Topic, 2), QString());

    // A row copied on the publish sheet is refused on the subscribe sheet.
    user->clickCell(*w->ACG_Pub, 1, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy_Pub());
    EXPECT_FALSE(w->Do_Copy_Sub());
    user->clickCell(*w->ACG_Sub, 1, 1);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Topic, 1), QString());

    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Topic, 1), QStringLiteral("plant/set"));
}

TEST_F(MQTTSetTopic, TemplateOfSeveralLinesGoesThroughTheEditorTheCellAndTheFile)
{
    const QString text = QStringLiteral("{\"value\": $VALUE$,\n \"unit\": \"C\"\n}");
    open();
    setCells(*w->ACG_Pub, 1, pubRow({{pub::Template, "$VALUE$"}}));
    setCells(*w->ACG_Sub, 1, subRow());
    doubleClickWithEditor(*w->ACG_Pub, pub::Template, 1, [&] {
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Set Template"));
        EXPECT_EQ(editor->Pub_Sub, 0);
        EXPECT_EQ(editor->Working_Mode, 1);
        EXPECT_EQ(editor->RE_TopicTemplate->toPlainText(), QStringLiteral("$VALUE$"));
        editor->RE_TopicTemplate->selectAll();
        QTest::keyClicks(editor->RE_TopicTemplate, QStringLiteral("{\"value\": $VALUE$,"));
        QTest::keyClick(editor->RE_TopicTemplate, Qt::Key_Return);
        QTest::keyClicks(editor->RE_TopicTemplate, QStringLiteral(" \"unit\": \"C\""));
        QTest::keyClick(editor->RE_TopicTemplate, Qt::Key_Return);
        QTest::keyClicks(editor->RE_TopicTemplate, QStringLiteral("}"));
        QTest::mouseClick(editor->Btn_OK, Qt::LeftButton);
    });
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Template, 1), text);

    // Cancel and the close box leave the subscribe cell as it was.
    doubleClickWithEditor(*w->ACG_Sub, sub::Template, 1, [&] {
        EXPECT_EQ(editor->Pub_Sub, 1);
        editor->RE_TopicTemplate->setPlainText(QStringLiteral("changed"));
        QTest::mouseClick(editor->Btn_Cancel, Qt::LeftButton);
    });
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Template, 1), QStringLiteral("$VALUE$"));
    doubleClickWithEditor(*w->ACG_Sub, sub::Template, 1, [&] {
        editor->RE_TopicTemplate->setPlainText(QStringLiteral("changed"));
        editor->close();
    });
    EXPECT_EQ(w->ACG_Sub->Cells(sub::Template, 1), QStringLiteral("$VALUE$"));

    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), fixture("MQTT_Set_Topic_template.xml"));
    open();
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Template, 1), text);
}

TEST_F(MQTTSetTopic, DoubleClickOutsideTheTemplateColumnOpensNoEditor)
{
    open();
    setCells(*w->ACG_Pub, 1, pubRow());
    bool opened = false;
    QTimer::singleShot(0, editor.get(), [&] {
        opened = editor->isVisible();
        editor->close();
    });
    const QRect r = w->ACG_Pub->CellRect(shown(*w->ACG_Pub, pub::Mnemonic), 1).toQRect();
    QTest::mouseDClick(w->ACG_Pub->viewport(), Qt::LeftButton, {}, r.center());
    QCoreApplication::processEvents();
    EXPECT_FALSE(opened);
    w->ACG_Pub->HideInplaceEdit();
    EXPECT_EQ(w->ACG_Pub->Cells(pub::Mnemonic, 1), QStringLiteral("m"));
}

TEST_F(MQTTSetTopic, HeaderHintIsThatOfTheRealColumnUnderTheMouse)
{
    open();
    // OnTimer is shown ninth, behind the hidden IP Address, Input Template and OnCMD.
    const QRect r = w->ACG_Pub->CellRect(shown(*w->ACG_Pub, pub::OnTimer), 0).toQRect();
    QHelpEvent help(QEvent::ToolTip, r.center(), w->ACG_Pub->viewport()->mapToGlobal(r.center()));
    QCoreApplication::sendEvent(w->ACG_Pub->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Enable/Disabel the Possibility to Publish the Data at Timer"));
    QToolTip::hideText();
}

TEST_F(MQTTSetTopic, Screenshot)
{
    open();
    setCells(*w->ACG_Pub, 1, pubRow({{pub::OnTimer, "Y"}, {pub::Time, "1000"}}));
    setCells(*w->ACG_Pub, 2, pubRow({{pub::Topic, "plant/line1/state"}, {pub::DataType, "String"}}));
    setCells(*w->ACG_Sub, 1, subRow());
    const QSize size(TFMQTT_Set_Topic::kClientWidth, TFMQTT_Set_Topic::kClientHeight);
    user->checkTablePicture(QStringLiteral("windows/MQTT_Set_Topic_publish.png"), size, *w->ACG_Pub, pub::Topic, 2);
    user->checkTablePicture(QStringLiteral("windows/MQTT_Set_Topic_subscribe.png"), size, *w->ACG_Sub, sub::Topic, 1);
}

} // namespace

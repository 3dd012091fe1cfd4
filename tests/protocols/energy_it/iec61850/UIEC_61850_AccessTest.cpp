// The IEC 61850 client window's catalogue and tree driven like a user: devices added through the
// open dialog (the catalogue copy with its overwrite question, a failed copy, a file that is
// not well-formed), removed while rows do or do not refer to them, the tree of a device with
// its pictures, expansion and colours, what a click on each kind of node picks, and the real
// SCL samples of the reference data.

#include "IEC_ClientWindowTest.h"

#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"
#include "support/FullDisk.h"

#include <QFileInfo>
#include <QImage>
#include <QSplitter>
#include <QTabWidget>

namespace {

using energy_it::TFIEC_61850_Access;
using iectest::IECClientWindow;
using iectest::smallFixture;
using platform::MsgResult;
namespace da_col = energy_it::da_col;
namespace ds_col = energy_it::ds_col;

TEST_F(IECClientWindow, FrameTextsAndLayout)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("IEC61850 Client Set Access"));
    EXPECT_EQ(w->width(), 1200);
    EXPECT_EQ(w->height(), 550);
    EXPECT_EQ(w->Btn_Add_IEC_Device->toolTip(), QStringLiteral("Add a ICD file to the List"));
    EXPECT_FALSE(w->Btn_MoveUp->isVisible());
    EXPECT_FALSE(w->Btn_ModeDown->isVisible());
    EXPECT_EQ(w->PC_DA_DataSet->tabText(0), QStringLiteral("Variables"));
    EXPECT_EQ(w->PC_DA_DataSet->tabText(1), QStringLiteral("DataSet"));
    EXPECT_EQ(w->ACG_DA->ColCount(), 19);
    EXPECT_EQ(w->ACG_DataSet->ColCount(), 9);
    EXPECT_EQ(w->ACG_DS_Vars->ColCount(), 8);
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Start_Byte, 0), QStringLiteral("Start Byte"));
    EXPECT_EQ(w->ACG_DataSet->Cells(ds_col::Goose_Name, 0), QStringLiteral("Goose Name"));
    EXPECT_EQ(w->ACG_DS_Vars->Cells(6, 0), QStringLiteral("Mult Fact"));
    EXPECT_EQ(w->Hint.size(), 19);
    EXPECT_EQ(w->Hint[da_col::Start_Byte],
              QStringLiteral("Insert the Start Byte, only for VisString255 (0-254) or Octet64 (0-63)"));
    EXPECT_TRUE(w->TV_IEC_Device->editTriggers() == QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(w->findChild<QSplitter*>(QStringLiteral("P_Body")));
}

TEST_F(IECClientWindow, AddCopiesIntoTheCatalogueAndDecodesTheCopy)
{
    open();
    ASSERT_FALSE(QFileInfo::exists(catalog()));
    addDevice(smallFixture());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].filter,
              QStringLiteral("SCL Files (*.scd *.ssd *.sed *.icd *.iid *.cid *.SCD *.SSD *.SED *.ICD *.IID *.CID);;"
                             "Any File (*)"));
    EXPECT_EQ(testsupport::readFile(catalog("client_small.icd")), testsupport::readFile(smallFixture()));
    EXPECT_EQ(listed(), QStringList{"SRV1"});
    EXPECT_EQ(messages.shown.size(), 0u);
    ASSERT_EQ(w->List_IEC_Dev.size(), 1u);
    EXPECT_EQ(w->List_IEC_Dev[0]->fFileName, QStringLiteral("client_small.icd"));

    // Cancelled dialog: nothing.
    user->press("Btn_Add_IEC_Device");
    EXPECT_EQ(listed(), QStringList{"SRV1"});
    // The same file twice gives two devices of the same name, numbers 0 and 1.
    addDevice(smallFixture(), {MsgResult::Yes});
    EXPECT_EQ(listed(), (QStringList{"SRV1", "SRV1"}));
    EXPECT_EQ(w->List_IEC_Dev.size(), 2u);
}

TEST_F(IECClientWindow, ExistingCatalogueFileAsksYesNoOrCancel)
{
    open();
    // An older copy with another IED name stands in the catalogue under the same name.
    ASSERT_TRUE(QDir().mkpath(catalog()));
    QByteArray older = testsupport::readFile(smallFixture());
    older.replace("name=\"SRV1\"", "name=\"OLD1\"");
    ASSERT_TRUE(testsupport::writeFile(catalog("client_small.icd"), older));

    const struct Case {
        MsgResult answer;
        QStringList listedAfter;
        QByteArray catalogueAfter;
    } cases[] = {
        {MsgResult::Cancel, {}, older},
        {MsgResult::No, {"OLD1"}, older},
        {MsgResult::Yes, {"OLD1", "SRV1"}, testsupport::readFile(smallFixture())},
    };
    for (const Case& c : cases) {
        const size_t before = messages.shown.size();
        addDevice(smallFixture(), {c.answer});
        ASSERT_EQ(messages.shown.size(), before + 1);
        EXPECT_EQ(messages.shown.back().text,
                  QStringLiteral("File already exists in catalog directory. Do you want to overwrite file?"));
        EXPECT_EQ(messages.shown.back().buttons, platform::MsgButtons::YesNoCancel);
        EXPECT_EQ(listed(), c.listedAfter);
        EXPECT_EQ(testsupport::readFile(catalog("client_small.icd")), c.catalogueAfter);
    }
}

TEST_F(IECClientWindow, FailedCopyIsToldAndAddsNothing)
{
    open();
    ASSERT_TRUE(QDir().mkpath(catalog()));
    ASSERT_TRUE(testsupport::writeFile(catalog("client_small.icd"), "<SCL/>"));
    {
        testsupport::FullDisk full(16);
        addDevice(smallFixture(), {MsgResult::Yes});
    }
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(testsupport::readFile(catalog("client_small.icd")), "<SCL/>");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_TRUE(messages.shown.back().text.startsWith(
        QStringLiteral("Error!!! The file could not be copied into the catalog directory: ")
        + catalog("client_small.icd")))
        << messages.lastText().toStdString();
    EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);

    // A catalogue folder that cannot be made fails the copy the same way.
    QDir(catalog()).removeRecursively();
    ASSERT_TRUE(testsupport::writeFile(catalog().chopped(1), "a file where the folder goes"));
    addDevice(smallFixture());
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("Error!!! The file could not be copied")));
}

TEST_F(IECClientWindow, NotWellFormedFileShowsTheReaderMessageAndAddsNoDevice)
{
    open();
    const QString bad = QDir(tmp.path()).filePath(QStringLiteral("broken.icd"));
    ASSERT_TRUE(testsupport::writeFile(bad, "<SCL><IED name=\"X\"></SCL>"));
    addDevice(bad);
    EXPECT_TRUE(listed().isEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.lastText().contains(QStringLiteral("broken.icd"))) << messages.lastText().toStdString();
    EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
    // The copy stays in the catalogue.
    EXPECT_TRUE(QFileInfo::exists(catalog("broken.icd")));
}

TEST_F(IECClientWindow, TreeShowsTheDeviceWithPicturesExpansionAndColours)
{
    open();
    addDevice(smallFixture());
    EXPECT_EQ(w->TV_IEC_Device->topLevelItemCount(), 0); // no tree before a click
    clickDevice(0);
    ASSERT_EQ(w->TV_IEC_Device->topLevelItemCount(), 1);

    const struct Case {
        QStringList path;
        int picture;
        bool expanded;
        QColor colour;
        int children;
    } cases[] = {
        {{"SRV1"}, 0, true, Qt::black, 1},
        {{"SRV1", "LD0"}, 1, true, Qt::black, 3},
        {{"SRV1", "LD0", "LLN0"}, 2, true, Qt::black, 3},
        {{"SRV1", "LD0", "LLN0", "Mod"}, 3, false, QColor(0, 0, 255), 1},
        {{"SRV1", "LD0", "LLN0", "Mod", "stVal"}, 4, false, Qt::black, 0},
        {{"SRV1", "LD0", "LLN0", "DS1"}, 5, false, QColor(0, 128, 0), 0},
        {{"SRV1", "LD0", "LLN0", "DS2"}, 5, false, QColor(0, 128, 0), 0},
        {{"SRV1", "LD0", "MMXU1"}, 2, true, Qt::black, 1},
        {{"SRV1", "LD0", "MMXU1", "TotW"}, 3, false, QColor(0, 0, 255), 3},
        {{"SRV1", "LD0", "MMXU1", "TotW", "mag"}, 4, false, Qt::black, 1},
        {{"SRV1", "LD0", "MMXU1", "TotW", "mag", "f"}, 4, false, Qt::black, 0},
        {{"SRV1", "LD0", "OutGGIO1", "Ind1", "blob"}, 4, false, Qt::black, 0},
    };
    for (const Case& c : cases) {
        const QTreeWidgetItem* item = node(c.path);
        ASSERT_TRUE(item) << c.path.join('/').toStdString();
        EXPECT_EQ(item->data(0, TFIEC_61850_Access::kImageIndexRole).toInt(), c.picture)
            << c.path.join('/').toStdString();
        EXPECT_EQ(item->isExpanded(), c.expanded) << c.path.join('/').toStdString();
        EXPECT_EQ(item->foreground(0).color(), c.colour) << c.path.join('/').toStdString();
        EXPECT_EQ(item->childCount(), c.children) << c.path.join('/').toStdString();
        EXPECT_EQ(item->icon(0).cacheKey(), w->IL_IEC[c.picture].cacheKey());
    }
    // Data objects come before data sets under a logical node.
    EXPECT_EQ(node({"SRV1", "LD0", "LLN0"})->child(0)->text(0), QStringLiteral("Mod"));
    // Six different pictures.
    ASSERT_EQ(w->IL_IEC.size(), 6);
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            EXPECT_NE(w->IL_IEC[a].pixmap(16, 16).toImage(), w->IL_IEC[b].pixmap(16, 16).toImage()) << a << "," << b;
}

TEST_F(IECClientWindow, TreeClickPicksOnlyLeafAttributesAndDataSets)
{
    open();
    addDevice(smallFixture());
    clickDevice(0);
    const struct Case {
        QStringList path;
        QString da; // the reference picked, or empty
        QString ds;
    } cases[] = {
        {{"SRV1", "LD0", "MMXU1", "TotW", "mag", "f"}, "SRV1LD0/MMXU1.TotW.mag.f", ""},
        {{"SRV1", "LD0", "LLN0", "Mod", "stVal"}, "SRV1LD0/LLN0.Mod.stVal", ""},
        {{"SRV1", "LD0", "LLN0", "DS1"}, "", "SRV1LD0/LLN0.DS1"},
        {{"SRV1", "LD0", "MMXU1", "TotW", "mag"}, "", ""}, // structured attribute
        {{"SRV1", "LD0", "MMXU1", "TotW"}, "", ""},        // data object
        {{"SRV1", "LD0", "MMXU1"}, "", ""},                // logical node
        {{"SRV1", "LD0"}, "", ""},
        {{"SRV1"}, "", ""},
        {{"SRV1", "LD0", "OutGGIO1", "Ind1", "blob"}, "SRV1LD0/OutGGIO1.Ind1.blob", ""},
    };
    for (const Case& c : cases) {
        clickNode(c.path);
        EXPECT_EQ(w->Selected_IEC_DA ? w->Selected_IEC_DA->fReference : QString(), c.da)
            << c.path.join('/').toStdString();
        EXPECT_EQ(w->Selected_IEC_DS ? w->Selected_IEC_DS->fReference : QString(), c.ds)
            << c.path.join('/').toStdString();
    }
    // A structured attribute picks nothing, so Add Var adds nothing.
    clickNode({"SRV1", "LD0", "MMXU1", "TotW", "mag"});
    user->press("Btn_AddVar");
    EXPECT_TRUE(w->ACG_DA->Cells(da_col::bType, 1).isEmpty());

    // A click in the list clears both picks.
    clickNode({"SRV1", "LD0", "LLN0", "DS1"});
    ASSERT_TRUE(w->Selected_IEC_DS);
    clickDevice(0);
    EXPECT_FALSE(w->Selected_IEC_DS);
    clickNode({"SRV1", "LD0", "MMXU1", "TotW", "q"});
    ASSERT_TRUE(w->Selected_IEC_DA);
    clickDevice(0);
    EXPECT_FALSE(w->Selected_IEC_DA);
}

TEST_F(IECClientWindow, RemovalIsRefusedWhileRowsReferToTheDevice)
{
    open();
    for (int i = 0; i < 3; ++i)
        addDevice(smallFixture(), {MsgResult::No});
    ASSERT_EQ(listed().size(), 3);
    // Rows of device 2 only: one attribute, one data set.
    clickDevice(2);
    addVar({"SRV1", "LD0", "MMXU1", "TotW", "q"});
    addVar({"SRV1", "LD0", "LLN0", "DS1"});
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Index, 1), QStringLiteral("2"));
    EXPECT_EQ(w->ACG_DataSet->Cells(ds_col::Index, 1), QStringLiteral("2"));

    const size_t shown = messages.shown.size();
    clickDevice(2);
    user->press("Btn_Remove_IEC_Device");
    EXPECT_EQ(listed().size(), 3);
    EXPECT_EQ(messages.shown.size(), shown);

    clickDevice(0);
    user->press("Btn_Remove_IEC_Device");
    EXPECT_EQ(listed().size(), 2);
    EXPECT_EQ(w->ACG_DA->Cells(da_col::Index, 1), QStringLiteral("1"));
    EXPECT_EQ(w->ACG_DataSet->Cells(ds_col::Index, 1), QStringLiteral("1"));
    // The catalogue file stays.
    EXPECT_TRUE(QFileInfo::exists(catalog("client_small.icd")));

    // Without a selection nothing is removed.
    user->press("Btn_Remove_IEC_Device");
    EXPECT_EQ(listed().size(), 2);
}

TEST_F(IECClientWindow, RemovingTheShownDeviceEmptiesTheTreeAndThePicks)
{
    open();
    addDevice(smallFixture());
    clickDevice(0);
    clickNode({"SRV1", "LD0", "MMXU1", "TotW", "q"});
    ASSERT_TRUE(w->Selected_IEC_DA);
    clickDevice(0);
    clickNode({"SRV1", "LD0", "MMXU1", "TotW", "q"});
    user->press("Btn_Remove_IEC_Device");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(w->TV_IEC_Device->topLevelItemCount(), 0);
    EXPECT_FALSE(w->Selected_IEC_DA);
    EXPECT_FALSE(w->Selected_IEC_DS);
    // Add Var has nothing to reach.
    user->press("Btn_AddVar");
    EXPECT_TRUE(w->ACG_DA->Cells(da_col::Index, 1).isEmpty());
}

TEST_F(IECClientWindow, ADataSetChosenFromADeviceKeepsItWhateverItsIndexSays)
{
    open();
    addDevice(smallFixture());
    addDevice(smallFixture(), {MsgResult::No});
    clickDevice(1);
    addVar({"SRV1", "LD0", "LLN0", "DS1"});
    // The user retypes the row's Index: the data set still belongs to device 1.
    user->type("ACG_DataSet", ds_col::Index, 1, "0");
    clickDevice(1);
    user->press("Btn_Remove_IEC_Device");
    EXPECT_EQ(listed().size(), 2);
    // OK still writes the members of the data set it was made from.
    user->type("ACG_DataSet", ds_col::Index, 1, "1");
    user->press("Btn_OK");
    EXPECT_EQ(user->result(), TFIEC_61850_Access::kModalOK) << messages.lastText().toStdString();
    EXPECT_TRUE(testsupport::readFile(path()).contains("SRV1LD0/OutGGIO1.Ind1.stVal"));
}

// Each real SCL sample is added through the window, and one of its leaf attributes becomes a row.
TEST_F(IECClientWindow, RefdataSamplesBecomeDevicesAndRows)
{
    const QStringList samples = testsupport::refDataFiles(QStringLiteral("scl/samples"));
    ASSERT_FALSE(samples.isEmpty());
    open();
    int device = 0;
    for (const QString& name : samples) {
        SCOPED_TRACE(name.toStdString());
        addDevice(name);
        ASSERT_EQ(listed().size(), device + 1);
        clickDevice(device);
        // The first leaf attribute in tree order.
        QTreeWidgetItem* leaf = nullptr;
        QList<QTreeWidgetItem*> stack{w->TV_IEC_Device->topLevelItem(0)};
        while (!stack.isEmpty() && !leaf) {
            QTreeWidgetItem* item = stack.takeFirst();
            if (item->data(0, TFIEC_61850_Access::kImageIndexRole).toInt() == TFIEC_61850_Access::picDA
                && item->childCount() == 0) {
                leaf = item;
                break;
            }
            QList<QTreeWidgetItem*> children;
            for (int i = 0; i < item->childCount(); ++i)
                children.append(item->child(i));
            stack = children + stack;
        }
        ASSERT_TRUE(leaf);
        for (QTreeWidgetItem* p = leaf->parent(); p; p = p->parent())
            p->setExpanded(true);
        w->TV_IEC_Device->scrollToItem(leaf);
        QTest::mouseClick(w->TV_IEC_Device->viewport(), Qt::LeftButton, {},
                          w->TV_IEC_Device->visualItemRect(leaf).center());
        ASSERT_TRUE(w->Selected_IEC_DA);
        user->press("Btn_AddVar");
        EXPECT_EQ(w->ACG_DA->Cells(da_col::Index, device + 1), QString::number(device));
        EXPECT_EQ(w->ACG_DA->Cells(da_col::Reference, device + 1), w->Selected_IEC_DA->fReference);
        EXPECT_TRUE(w->ACG_DA->Cells(da_col::Reference, device + 1).endsWith(QLatin1Char('.') + leaf->text(0)));
        ++device;
    }
    EXPECT_EQ(messages.shown.size(), 0u) << messages.lastText().toStdString();
}

TEST_F(IECClientWindow, Screenshot)
{
    open();
    addDevice(smallFixture());
    clickDevice(0);
    for (QTreeWidgetItem* item :
         w->TV_IEC_Device->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive))
        item->setExpanded(true);
    addVar({"SRV1", "LD0", "MMXU1", "TotW", "mag", "f"});
    addVar({"SRV1", "LD0", "MMXU1", "TotW", "d"});
    addVar({"SRV1", "LD0", "OutGGIO1", "Ind1", "stVal"});
    user->type("ACG_DA", da_col::IP_Address, 1, "192.168.1.20");
    user->type("ACG_DA", da_col::Port, 1, "102");
    w->PC_DA_DataSet->setCurrentIndex(0);
    QCoreApplication::processEvents();
    user->checkTablePicture(QStringLiteral("windows/IEC_61850_Access_window.png"), QSize(1200, 550), *w->ACG_DA,
                            da_col::IP_Address, 1);
}

} // namespace

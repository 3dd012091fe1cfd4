// The browse window against the fake "OPC_UA_Search": the endpoint handed over intact, one load
// per browse with the variables asked in order and the library released afterwards, the ticks
// and texts of the table, the errors of a missing library or export, and the records' texts
// still readable once the library is gone.

#include "protocols/energy_it/opcua/UOPC_UA_Scan_Server.h"

#include "common/GlyphButton.h"
#include "common/ULanguage.h"
#include "grid/QvCGrid.h"
#include "platform/DynamicLibrary.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/Screenshots.h"
#include "support/TestSupport.h"
#include "support/opcua/FakeOpcuaSearch.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using energy_it::TFOPC_UA_Scan_Server;
namespace col = energy_it::scan_col;

class OpcuaScanServer : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        useLibraryFrom(testsupport::fakeOpcuaSearchFolder());
        services.messages = &messages;
        w = std::make_unique<TFOPC_UA_Scan_Server>(services);
        logPath = tmp.filePath(QStringLiteral("browse.log"));
    }
    void useLibraryFrom(const QString& folder)
    {
        loader = std::make_unique<platform::QtLibraryLoader>(folder);
        services.libraries = loader.get();
    }
    // Shows the window for an endpoint address, as the client window does.
    void open(const QByteArray& address)
    {
        this->address = address;
        w->Server.server_address = address.isNull() ? nullptr : this->address.constData();
        w->hide();
        w->setModal(true);
        w->show();
        QCoreApplication::processEvents();
    }
    // The browse the window's timer starts once it is on screen.
    void browse(const QString& script)
    {
        open(platform::toAnsi(script + QStringLiteral(";log=") + logPath));
        ASSERT_TRUE(w->Timer_Scan->isActive());
        EXPECT_TRUE(w->LWaiting->isVisible());
        w->Timer_ScanTimer();
    }
    QStringList log() const
    {
        return QString::fromLatin1(testsupport::readFile(logPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    grid::TQvColumnGrid& table() const { return *w->ACG_OPC_UA_Scan_Var; }
    QString cell(int c, int r) const { return table().Cells(c, r); }

    testsupport::FakeMessages messages;
    std::unique_ptr<platform::QtLibraryLoader> loader;
    platform::Services services;
    std::unique_ptr<TFOPC_UA_Scan_Server> w;
    QString logPath;
    QByteArray address;
};

TEST_F(OpcuaScanServer, TheBrowseWaitsForTheWindowToShow)
{
    EXPECT_EQ(w->size(), QSize(TFOPC_UA_Scan_Server::kClientWidth, TFOPC_UA_Scan_Server::kClientHeight));
    EXPECT_TRUE(w->Timer_Scan->isSingleShot());
    EXPECT_EQ(w->Timer_Scan->interval(), 100);
    EXPECT_FALSE(w->Timer_Scan->isActive());
    open(QByteArray("fake:count=1"));
    EXPECT_TRUE(w->Timer_Scan->isActive());
    EXPECT_TRUE(w->LWaiting->isVisible());
    EXPECT_EQ(w->LWaiting->text(), QStringLiteral("WAITING FOR SCAN..."));
    // Closed before the browse began: none begins later.
    w->reject();
    EXPECT_FALSE(w->Timer_Scan->isActive());
}

TEST_F(OpcuaScanServer, TheEndpointArrivesIntactAndAccessGivesTheTicks)
{
    const QByteArray user = platform::toAnsi(QString::fromUtf8("op\u00e9rateur"));
    const QByteArray password("p;w");
    const QByteArray cert("line 1\nline 2");
    const QByteArray key("k");
    w->Server.user_pass_auth_flag = 2;
    w->Server.username = user.constData();
    w->Server.password = password.constData();
    w->Server.cert = cert.constData();
    w->Server.priv_key = key.constData();
    w->Server.security_type = 1;
    w->Server.security_policy = 5;
    const QString script = QStringLiteral("fake:count=4;access=0,1,2,3;ids=0,3,4,5;types=5,10,99,14");
    browse(script);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(w->LWaiting->isVisible());
    EXPECT_FALSE(testsupport::libraryLoadedFrom(testsupport::fakeOpcuaSearchFolder()));
    EXPECT_EQ(log(), QStringList({QStringLiteral("begin 1 ") + script + QStringLiteral(";log=") + logPath,
                                  QString::fromLatin1("server 2|op\xe9rateur|p;w|line 1\\nline 2|k|1|5"), "variable 0",
                                  "variable 1", "variable 2", "variable 3", "unload"}));

    ASSERT_EQ(table().RowCount(), 5);
    ASSERT_EQ(w->List_Var.size(), 4u);
    struct Row {
        const char* read;
        const char* write;
        const char* nodeType;
        const char* nodeId;
        const char* dataType;
        const char* access;
    } rows[] = {
        {"Y", "Y", "Numeric", "3000000000", "Int32", "Read/Write"},
        {"Y", "N", "String", "Str.1", "Double", "Read"},
        {"N", "Y", "Guid", "A0000002-0B0C-0D0E-F001-020304050602", "", "Write"},
        {"Y", "Y", "ByteString", "Bytes3", "ByteString", "Read/Write"},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const Row& r = rows[i];
        const int row = i + 1;
        EXPECT_EQ(cell(col::N, row), QString::number(row));
        EXPECT_EQ(cell(col::Read, row), QLatin1String(r.read));
        EXPECT_EQ(cell(col::Write, row), QLatin1String(r.write));
        EXPECT_EQ(cell(col::DisplayName, row), QString::fromUtf8("Sensor %1 \u00b0C").arg(i));
        EXPECT_EQ(cell(col::NodeType, row), QLatin1String(r.nodeType));
        EXPECT_EQ(cell(col::NodeId, row), QLatin1String(r.nodeId));
        EXPECT_EQ(cell(col::DataType, row), QLatin1String(r.dataType));
        EXPECT_EQ(cell(col::NameSpaceIndex, row), QString::number(i % 4));
        EXPECT_EQ(cell(col::Access, row), QLatin1String(r.access));
    }
    const QImage shot = testsupport::takeScreenshot(*w, QStringLiteral("windows/OPC_UA_Scan_Server_window.png"));
    EXPECT_TRUE(testsupport::titleDrawn(shot, *w));
    // The display names are drawn where the first row's cell lies.
    const QRect name = table()
                           .CellRect(col::DisplayName, 1)
                           .toQRect()
                           .adjusted(2, 2, -2, -2)
                           .translated(table().viewport()->mapTo(w.get(), QPoint(0, 0)));
    EXPECT_GT(testsupport::pixelsOtherThan(shot, name, shot.pixelColor(name.topLeft())), 0);
}

TEST_F(OpcuaScanServer, NoVariablesFoundGivesAnEmptyTableAndNoMessage)
{
    for (const char* count : {"0", "-1"}) {
        SCOPED_TRACE(count);
        browse(QStringLiteral("fake:count=") + QLatin1String(count));
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_TRUE(w->List_Var.empty());
        EXPECT_EQ(table().RowCount(), 2);
        for (int c = 0; c < col::Count; ++c)
            EXPECT_EQ(cell(c, 1), QString()) << c;
        EXPECT_FALSE(w->LWaiting->isVisible());
    }
    EXPECT_FALSE(log().contains(QStringLiteral("variable 0")));
}

TEST_F(OpcuaScanServer, EachBrowseIsOneLoadAskingEveryIndexInOrder)
{
    browse(QStringLiteral("fake:count=3"));
    browse(QStringLiteral("fake:count=2"));
    const QString head = QStringLiteral("begin 1 fake:count=%1;log=") + logPath;
    EXPECT_EQ(log(), QStringList({head.arg(3), "server 0|(null)|(null)|(null)|(null)|0|0", "variable 0", "variable 1",
                                  "variable 2", "unload", head.arg(2), "server 0|(null)|(null)|(null)|(null)|0|0",
                                  "variable 0", "variable 1", "unload"}));
    EXPECT_EQ(w->List_Var.size(), 2u);
    EXPECT_EQ(table().RowCount(), 3);
}

TEST_F(OpcuaScanServer, ALibraryWithoutTheSecondExportIsReportedAndReleased)
{
    useLibraryFrom(testsupport::fakeOpcuaSearchWithoutReturnFolder());
    browse(QStringLiteral("fake:count=3"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("Error Functions in DLL not Found!!"));
    EXPECT_EQ(messages.shown.back().icon, platform::MsgIcon::Error);
    EXPECT_FALSE(testsupport::libraryLoadedFrom(testsupport::fakeOpcuaSearchWithoutReturnFolder()));
    EXPECT_TRUE(log().isEmpty()); // nothing was asked
    EXPECT_TRUE(w->List_Var.empty());
    EXPECT_TRUE(w->LWaiting->isVisible());
}

TEST_F(OpcuaScanServer, NoLibraryShowsDllNotFoundAndKeepsWaiting)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    useLibraryFrom(empty.path());
    for (bool noLoader : {false, true}) {
        SCOPED_TRACE(noLoader);
        if (noLoader)
            services.libraries = nullptr;
        messages.shown.clear();
        browse(QStringLiteral("fake:count=3"));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.lastText(), QStringLiteral("Error DLL not Found!!"));
        EXPECT_TRUE(w->LWaiting->isVisible());
        EXPECT_TRUE(w->List_Var.empty());
        EXPECT_EQ(table().RowCount(), 2);
        EXPECT_EQ(cell(col::DisplayName, 1), QString());
    }
}

TEST_F(OpcuaScanServer, AnEmptyAddressStartsNoBrowseAndShowsThePreviousResult)
{
    browse(QStringLiteral("fake:count=2;access=1,2"));
    for (const QByteArray& none : {QByteArray(), QByteArray("")}) {
        open(none);
        EXPECT_FALSE(w->Timer_Scan->isActive());
        EXPECT_FALSE(w->LWaiting->isVisible());
        ASSERT_EQ(table().RowCount(), 3);
        EXPECT_EQ(cell(col::DisplayName, 2), QString::fromUtf8("Sensor 1 \u00b0C"));
        EXPECT_EQ(cell(col::Write, 2), QStringLiteral("Y"));
        EXPECT_EQ(cell(col::Read, 2), QStringLiteral("N"));
    }
    EXPECT_EQ(log().count(QStringLiteral("unload")), 1);
}

TEST_F(OpcuaScanServer, TheRecordsTextsOutliveTheLibrary)
{
    browse(QStringLiteral("fake:count=3;ids=3,5,0"));
    w->reject();
    ASSERT_FALSE(testsupport::libraryLoadedFrom(testsupport::fakeOpcuaSearchFolder()));
    ASSERT_EQ(w->List_Var.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const common::opcua_structure& r = w->List_Var[size_t(i)];
        EXPECT_EQ(QByteArray(r.displayName), QByteArray("Sensor ") + QByteArray::number(i)
                                                 + " \xB0"
                                                   "C");
        EXPECT_EQ(QByteArray(r.stringname), "Str." + QByteArray::number(i));
        EXPECT_EQ(QByteArray(r.byteString), "Bytes" + QByteArray::number(i));
    }
}

TEST_F(OpcuaScanServer, SelectAndClearActOnTheirColumnOnly)
{
    browse(QStringLiteral("fake:count=3;access=1,1,1"));
    struct Step {
        TGlyphButton* button;
        const char* read;
        const char* write;
    } steps[] = {
        {w->Btn_SelectAllWrite, "Y", "Y"},
        {w->Btn_ClearAllRead, "N", "Y"},
        {w->Btn_SelectAllRead, "Y", "Y"},
        {w->Btn_ClearAllWrite, "Y", "N"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.button->objectName().toStdString());
        QTest::mouseClick(s.button, Qt::LeftButton);
        for (int row = 1; row <= 3; ++row) {
            EXPECT_EQ(cell(col::Read, row), QLatin1String(s.read));
            EXPECT_EQ(cell(col::Write, row), QLatin1String(s.write));
        }
    }
    // With nothing found they change nothing.
    browse(QStringLiteral("fake:count=0"));
    QTest::mouseClick(w->Btn_SelectAllRead, Qt::LeftButton);
    EXPECT_EQ(cell(col::Read, 1), QString());
    EXPECT_EQ(table().RowCount(), 2);
}

TEST_F(OpcuaScanServer, OKGivesOneAndCancelTwo)
{
    for (const bool ok : {true, false}) {
        QTimer::singleShot(0, w.get(), [&] { QTest::mouseClick(ok ? w->Btn_OK : w->Btn_Cancel, Qt::LeftButton); });
        EXPECT_EQ(w->ShowModal(), ok ? 1 : 2);
    }
}

TEST_F(OpcuaScanServer, HeadersAndHintsFollowTheLanguage)
{
    const char* headers[] = {
        "N",         "Read", "Write", "Display Name", "Node Type", "Node Identifier", "Data Type", "Name Space Index",
        "Read/Write"};
    for (int c = 0; c < col::Count; ++c)
        EXPECT_EQ(cell(c, 0), QLatin1String(headers[c])) << c;
    ASSERT_EQ(w->Hint_ACG.size(), 7);
    EXPECT_EQ(w->Hint_ACG[1], QStringLiteral("Select the Variable to put in the Write list"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Scan Server OPC UA"));
    EXPECT_EQ(w->Btn_SelectAllWrite->Caption(), QStringLiteral("Select All W"));
}

} // namespace

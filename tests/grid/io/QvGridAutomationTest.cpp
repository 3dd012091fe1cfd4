// Worksheet, word-processor and database exchange against fake automation servers, and the
// missing-server reports of a platform without them.

#include "grid/QvGrid.h"

#include "grid/support/GridTestHelpers.h"
#include "support/FakeAutomation.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace grid;
using testsupport::FakeAutomation;
using testsupport::FakeAutomationObject;

namespace {

using Shown = grid::test::ShownGrid<TQvStringGrid>;

struct AutomationTest : ::testing::Test {
    FakeAutomation servers;
    Shown grid{3, 3};
    std::shared_ptr<FakeAutomationObject> excel = servers.make("excel");
    std::shared_ptr<FakeAutomationObject> books = servers.make("books");
    std::shared_ptr<FakeAutomationObject> book = servers.make("book");
    std::shared_ptr<FakeAutomationObject> sheets = servers.make("sheets");
    std::shared_ptr<FakeAutomationObject> sheet = servers.make("sheet");
    std::shared_ptr<FakeAutomationObject> used = servers.make("used");
    std::shared_ptr<FakeAutomationObject> range = servers.make("range");

    AutomationTest()
    {
        platform::Services s;
        s.automation = &servers;
        grid.g.SetServices(s);
        excel->child("WorkBooks", books);
        excel->child("ActiveSheet", sheet);
        books->child("Open", book);
        books->child("Add", book);
        book->child("Sheets", sheets);
        book->child("WorkSheets", sheets);
        sheets->child("Item", sheet);
        sheets->props["Count"] = 1;
        sheet->props["Name"] = QStringLiteral("Data");
        sheet->child("UsedRange", used);
        sheet->child("Range", range);
    }
    // A used range's value: row i, column j holds "i,j".
    void usedRange(const QString& address, int rows, int cols)
    {
        used->props["Address"] = address;
        QVariantList value;
        for (int i = 1; i <= rows; ++i) {
            QVariantList row;
            for (int j = 1; j <= cols; ++j)
                row << QStringLiteral("%1,%2").arg(i).arg(j);
            value << QVariant(row);
        }
        range->props["Value"] = value;
    }
};

TEST(GridAutomationNoServer, ReportsTheMissingServerAndRestoresTheCursor)
{
    Shown g(2, 2);
    const auto message = [&](auto call) {
        try {
            call();
        } catch (const EQvGridError& e) {
            return e.Message();
        } catch (const platform::EAutomationError& e) {
            return e.Message();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(message([&] { g.g.LoadFromXLS(QStringLiteral("a.xls")); }), QStringLiteral("Excel OLE server not found"));
    EXPECT_EQ(message([&] { g.g.SaveToXLS(QStringLiteral("a.xls")); }), QStringLiteral("Excel OLE server not found"));
    EXPECT_EQ(message([&] { g.g.SaveToDOC(QStringLiteral("a.doc")); }), QStringLiteral("Word OLE server not found"));
    EXPECT_TRUE(message([&] {
                    g.g.LoadFromMDBTable(QStringLiteral("a.mdb"), QStringLiteral("t"));
                }).contains(QStringLiteral("ADODB.Connection")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(GridAutomationLetters, BijectiveTwoLetterColumns)
{
    const std::pair<int, const char*> cases[] = {{1, "A"},   {26, "Z"},  {27, "AA"}, {28, "AB"},
                                                 {52, "AZ"}, {53, "BA"}, {702, "ZZ"}};
    for (const auto& [n, letters] : cases)
        EXPECT_EQ(TQvStringGrid::XLSColumnLetters(n), QLatin1String(letters)) << n;
}

TEST_F(AutomationTest, UsedRangeGivesTheGridPlusFixedCellsAndQuitsTheNewInstance)
{
    servers.creatable["excel.application"] = excel;
    usedRange(QStringLiteral("$B$2:$D$5"), 4, 3);
    grid.g.SaveFixedCells = false; // the fixed cells are added around the sheet's range
    grid.g.LoadFromXLS(QStringLiteral("in.xls"));
    EXPECT_EQ(grid.g.ColCount(), 3 + grid.g.FixedCols());
    EXPECT_EQ(grid.g.RowCount(), 4 + grid.g.FixedRows());
    EXPECT_EQ(grid.g.Cells(grid.g.FixedCols(), grid.g.FixedRows()), QStringLiteral("1,1"));
    EXPECT_EQ(grid.g.Cells(grid.g.FixedCols() + 2, grid.g.FixedRows() + 3), QStringLiteral("4,3"));
    EXPECT_TRUE(servers.log.contains(QStringLiteral("sheet.Range(B2:D5)")));
    EXPECT_TRUE(servers.log.contains(QStringLiteral("book.Close(false)")));
    EXPECT_EQ(servers.log.last(), QStringLiteral("excel.Quit()"));

    usedRange(QStringLiteral("$2:$5"), 4, 256);
    grid.g.LoadFromXLS(QStringLiteral("in.xls"));
    EXPECT_EQ(grid.g.ColCount(), 256 + grid.g.FixedCols());
}

TEST_F(AutomationTest, MissingWorksheetIsNamed)
{
    servers.creatable["excel.application"] = excel;
    usedRange(QStringLiteral("$A$1:$B$2"), 2, 2);
    try {
        grid.g.LoadFromXLSSheet(QStringLiteral("in.xls"), QStringLiteral("Other"));
        FAIL() << "no error";
    } catch (const EQvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Excel worksheet Other not found"));
    }
    EXPECT_EQ(servers.log.last(), QStringLiteral("excel.Quit()"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(AutomationTest, SaveWritesTheRangeUpToTheLastColumnAndLeavesARunningInstance)
{
    servers.running["excel.application"] = excel;
    grid.g.SetFixedCols(0);
    grid.g.SetFixedRows(0);
    grid.g.SetColCount(28);
    grid.g.SetRowCount(4);
    grid.g.SetCells(27, 3, QStringLiteral("a\r\nb"));
    grid.g.SaveToXLS(QStringLiteral("out.xls"));
    EXPECT_TRUE(servers.log.contains(QStringLiteral("sheet.Range(A1:AB4)")));
    const QVariantList rows = range->props["Value"].toList();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[3].toList()[27].toString(), QStringLiteral("a\nb"));
    EXPECT_TRUE(servers.log.contains(QStringLiteral("book.SaveAs(out.xls)")));
    EXPECT_FALSE(servers.log.contains(QStringLiteral("excel.Quit()")));
}

TEST_F(AutomationTest, AWorkbookNeitherOpenedNorAddedOrNotSavedRaisesItsError)
{
    const auto refuse = [](const QString& why) {
        return [why](const QVariantList&) -> platform::AutomationRef { throw platform::EAutomationError(why); };
    };
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("old.xls"));
    ASSERT_TRUE(testsupport::writeFile(existing, "x"));
    servers.creatable["excel.application"] = excel;
    books->objects["Open"] = refuse(QStringLiteral("cannot open"));
    books->objects.erase(QStringLiteral("Add"));
    EXPECT_EQ(grid::test::errorOf([&] { grid.g.SaveToXLSSheet(existing, QStringLiteral("Data")); }),
              QStringLiteral("WorkBooks.Add not available"));
    EXPECT_FALSE(servers.log.contains(QStringLiteral("book.SaveAs(%1)").arg(existing)));
    EXPECT_EQ(servers.log.last(), QStringLiteral("excel.Quit()")) << "the instance created here is quit";

    servers.log.clear();
    books->child("Add", book);
    book->methods["SaveAs"] = [](const QVariantList&) -> QVariant { throw platform::EAutomationError("disk full"); };
    EXPECT_EQ(grid::test::errorOf([&] { grid.g.SaveToXLS(QStringLiteral("out.xls"), true); }),
              QStringLiteral("disk full"));
    EXPECT_EQ(servers.log.last(), QStringLiteral("excel.Quit()"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(AutomationTest, TooManyColumnsFailBeforeAnyCall)
{
    servers.running["excel.application"] = excel;
    grid.g.SetFixedCols(0);
    grid.g.SetColCount(703);
    EXPECT_THROW(grid.g.SaveToXLS(QStringLiteral("out.xls")), EQvGridError);
    EXPECT_TRUE(servers.log.isEmpty());
}

TEST_F(AutomationTest, DatabaseFieldsGoBelowTheirNamesAndEmptyFieldsStayEmpty)
{
    auto conn = servers.make("conn");
    auto rs = servers.make("rs");
    auto fields = servers.make("fields");
    servers.creatable["ADODB.Connection"] = conn;
    servers.creatable["ADODB.RecordSet"] = rs;
    rs->child("Fields", fields);
    fields->props["Count"] = 2;
    std::vector<std::shared_ptr<FakeAutomationObject>> f{servers.make("f0"), servers.make("f1")};
    f[0]->props = {{"Name", "id"}, {"ActualSize", 1}, {"Value", "7"}};
    f[1]->props = {{"Name", "note"}, {"ActualSize", 0}, {"Value", "stale"}};
    fields->objects["Item"] = [&](const QVariantList& a) { return f[std::size_t(a[0].toInt())]; };
    int left = 2;
    rs->methods["Eof"] = [&](const QVariantList&) { return left == 0; };
    rs->methods["MoveNext"] = [&](const QVariantList&) {
        --left;
        return QVariant();
    };
    rs->props["RecordCount"] = -1;
    grid.g.LoadFromMDBTable(QStringLiteral("db.mdb"), QStringLiteral("items"));
    const int fc = grid.g.FixedCols(), fr = grid.g.FixedRows();
    EXPECT_EQ(grid.g.ColCount(), 2 + fc);
    EXPECT_EQ(grid.g.Cells(fc, fr - 1), QStringLiteral("id"));
    EXPECT_EQ(grid.g.Cells(fc + 1, fr - 1), QStringLiteral("note"));
    EXPECT_EQ(grid.g.Cells(fc, fr + 1), QStringLiteral("7"));
    EXPECT_EQ(grid.g.Cells(fc + 1, fr), QString());
    EXPECT_TRUE(servers.log.contains(QStringLiteral("conn.Open(Driver={Microsoft Access Driver (*.mdb)};DBQ=db.mdb)")));
    EXPECT_TRUE(servers.log.contains(QStringLiteral("rs.Open(SELECT * FROM items)")));
}

} // namespace

// Exchange with office automation servers: worksheets, word-processor tables and database
// queries through late-bound objects. The servers come from the grid's services; where none
// exists the calls report the missing server.

#include "grid/QvGrid.h"

#include "platform/Automation.h"

#include <QFile>
#include <QGuiApplication>

#include <optional>

namespace grid {

using platform::AutomationRef;

namespace {

const QString kExcel = QStringLiteral("excel.application");
const QString kWord = QStringLiteral("word.application");
// Two letters at most: the widest worksheet range the address form can name.
constexpr int kMaxSheetColumns = 702;

platform::AutomationServers& servers(const platform::Services& s)
{
    return s.automation ? *s.automation : platform::noAutomationServers();
}

// The hourglass for the duration of a call, restored on every way out.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// An application instance: a new one for the loaders, a running one when the savers find it.
// Only an instance created here is quit, also when the work fails.
struct AppInstance {
    AutomationRef app;
    bool created = false;
    AppInstance(platform::AutomationServers& s, const QString& name, bool attachFirst, const char* missing)
    {
        if (attachFirst)
            app = s.attach(name);
        if (!app) {
            app = s.create(name);
            created = true;
        }
        if (!app)
            throw EQvGridError(QString::fromLatin1(missing));
    }
    ~AppInstance()
    {
        if (!created)
            return;
        try {
            app->call(QStringLiteral("Quit"));
        } catch (...) {
            // quitting is the last step; its failure must not hide the work's own error
        }
    }
    AppInstance(const AppInstance&) = delete;
    AppInstance& operator=(const AppInstance&) = delete;
};

AutomationRef need(AutomationRef obj, const QString& what)
{
    if (!obj)
        throw platform::EAutomationError(what + QStringLiteral(" not available"));
    return obj;
}

struct TSheetRange {
    int Left = 1, Top = 1, Right = 1, Bottom = 1;
};

int lettersToColumn(const QString& letters)
{
    int n = 0;
    for (const QChar ch : letters)
        n = n * 26 + (ch.toUpper().unicode() - 'A' + 1);
    return n;
}

// A corner "B2" (its "$" removed): its column and row; false when the row does not convert.
bool parseCorner(const QString& corner, int& col, int& row)
{
    QString s = corner;
    s.remove(QLatin1Char('$'));
    qsizetype i = 0;
    while (i < s.size() && s.at(i).isLetter())
        ++i;
    bool ok = false;
    row = s.mid(i).toInt(&ok);
    col = lettersToColumn(s.left(i));
    return ok;
}

// The used range's address: two corners, whole rows, or one cell.
std::optional<TSheetRange> parseAddress(const QString& address)
{
    TSheetRange r;
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        QString a = address.left(colon), b = address.mid(colon + 1);
        if (a.startsWith(QLatin1Char('$')))
            a.remove(0, 1);
        if (b.startsWith(QLatin1Char('$')))
            b.remove(0, 1);
        if (!a.contains(QLatin1Char('$'))) {
            bool ok1 = false, ok2 = false;
            r.Top = a.toInt(&ok1);
            r.Bottom = b.toInt(&ok2);
            r.Left = 1;
            r.Right = 256;
            return ok1 && ok2 ? std::optional(r) : std::nullopt;
        }
        if (!parseCorner(a, r.Left, r.Top) || !parseCorner(b, r.Right, r.Bottom))
            return std::nullopt;
        return r;
    }
    if (!address.contains(QLatin1Char('$')))
        return r;
    if (!parseCorner(address, r.Left, r.Top))
        return std::nullopt;
    r.Right = r.Left;
    r.Bottom = r.Top;
    return r;
}

} // namespace

QString TQvStringGrid::XLSColumnLetters(int n)
{
    if (n < 27)
        return QChar(n + 64);
    if (n % 26 == 0)
        return QString(QChar(n / 26 + 63)) + QLatin1Char('Z');
    return QString(QChar(n / 26 + 64)) + QChar(n % 26 + 64);
}

QStringList TQvStringGrid::GetXLSSheets(const QString& FileName)
{
    WaitCursor wait;
    AppInstance excel(servers(Services()), kExcel, false, "Excel OLE server not found");
    AutomationRef book = need(need(excel.app->object(QStringLiteral("WorkBooks")), QStringLiteral("WorkBooks"))
                                  ->object(QStringLiteral("Open"), {FileName}),
                              FileName);
    AutomationRef sheets = need(book->object(QStringLiteral("WorkSheets")), QStringLiteral("WorkSheets"));
    QStringList names;
    const int n = sheets->get(QStringLiteral("Count")).toInt();
    for (int i = 1; i <= n; ++i)
        names << need(sheets->object(QStringLiteral("Item"), {i}), QStringLiteral("WorkSheets"))
                     ->get(QStringLiteral("Name"))
                     .toString();
    book->set(QStringLiteral("Saved"), true);
    return names;
}

void TQvStringGrid::LoadFromXLS(const QString& FileName)
{
    loadWorksheet(FileName, QString());
}

void TQvStringGrid::LoadFromXLSSheet(const QString& FileName, const QString& SheetName)
{
    loadWorksheet(FileName, SheetName);
}

void TQvStringGrid::loadWorksheet(const QString& FileName, const QString& SheetName)
{
    WaitCursor wait;
    AppInstance excel(servers(Services()), kExcel, false, "Excel OLE server not found");
    // Once the application is reached, the grid's hooks run whatever happens next.
    struct Loaded {
        TQvStringGrid* g;
        ~Loaded()
        {
            g->CellsChanged({0, 0, g->ColCount() - 1, g->RowCount() - 1});
            g->AfterCellsLoaded();
        }
    } loaded{this};

    AutomationRef books = need(excel.app->object(QStringLiteral("WorkBooks")), QStringLiteral("WorkBooks"));
    AutomationRef book = need(books->object(QStringLiteral("Open"), {FileName}), FileName);
    AutomationRef sheet;
    if (!SheetName.isEmpty()) {
        AutomationRef sheets = need(book->object(QStringLiteral("Sheets")), QStringLiteral("Sheets"));
        const int n = sheets->get(QStringLiteral("Count")).toInt();
        for (int i = 1; i <= n; ++i) {
            AutomationRef s = sheets->object(QStringLiteral("Item"), {i});
            if (s && s->get(QStringLiteral("Name")).toString() == SheetName)
                sheet = s;
        }
        if (!sheet)
            throw EQvGridError(QStringLiteral("Excel worksheet ") + SheetName + QStringLiteral(" not found"));
    } else {
        sheet = need(excel.app->object(QStringLiteral("ActiveSheet")), QStringLiteral("ActiveSheet"));
    }

    const QString address = need(sheet->object(QStringLiteral("UsedRange")), QStringLiteral("UsedRange"))
                                ->get(QStringLiteral("Address"))
                                .toString();
    if (const std::optional<TSheetRange> range = parseAddress(address)) {
        const int fixedCols = FixedCols(), fixedRows = FixedRows();
        int startCol = 0, startRow = 0;
        const int width = range->Right - range->Left + 1, height = range->Bottom - range->Top + 1;
        SetColCount(width);
        SetRowCount(height);
        if (!SaveFixedCells && !SaveFixedCols) {
            SetColCount(width + fixedCols);
            startCol = fixedCols;
        }
        if (!SaveFixedCells && !SaveFixedRows) {
            SetRowCount(height + fixedRows);
            startRow = fixedRows;
        }
        if (fixedCols < ColCount())
            SetFixedCols(fixedCols);
        if (fixedRows < RowCount())
            SetFixedRows(fixedRows);

        if (width == 1 && height == 1) {
            const QVariant v = need(sheet->object(QStringLiteral("Rows")), QStringLiteral("Rows"))
                                   ->get(QStringLiteral("Cells"), {range->Top, range->Left});
            LoadCellText(startCol, startRow, v.toString());
        } else {
            const QString rangeText = XLSColumnLetters(range->Left) + QString::number(range->Top) + QLatin1Char(':')
                                      + XLSColumnLetters(range->Right) + QString::number(range->Bottom);
            const QVariant value = need(sheet->object(QStringLiteral("Range"), {rangeText}), QStringLiteral("Range"))
                                       ->get(QStringLiteral("Value"));
            if (value.typeId() != QMetaType::QVariantList)
                throw EQvGridError(QStringLiteral("Incorrect XLS file"));
            const QVariantList rows = value.toList();
            for (qsizetype i = 0; i < rows.size() && i < height; ++i) {
                const QVariantList row = rows.at(i).toList();
                for (qsizetype j = 0; j < row.size() && j < width; ++j) {
                    const QVariant& e = row.at(j);
                    if (!e.isValid())
                        LoadCellText(startCol + int(j), startRow + int(i), QString());
                    else if (e.canConvert<QString>())
                        LoadCellText(startCol + int(j), startRow + int(i), e.toString());
                }
            }
        }
    }
    book->call(QStringLiteral("Close"), {false});
}

void TQvStringGrid::SaveToXLS(const QString& FileName, bool CreateNewSheet)
{
    saveWorksheet(FileName, QString(), CreateNewSheet);
}

void TQvStringGrid::SaveToXLSSheet(const QString& FileName, const QString& SheetName)
{
    saveWorksheet(FileName, SheetName, false);
}

void TQvStringGrid::saveWorksheet(const QString& FileName, const QString& SheetName, bool CreateNewSheet)
{
    const int cols = ColCount() - SaveStartCol();
    // Checked before any call: a wider range has no address.
    if (cols > kMaxSheetColumns)
        throw EQvGridError(QStringLiteral("Too many columns for a worksheet"));
    WaitCursor wait;
    AppInstance excel(servers(Services()), kExcel, true, "Excel OLE server not found");
    AutomationRef books = need(excel.app->object(QStringLiteral("WorkBooks")), QStringLiteral("WorkBooks"));
    AutomationRef book, sheet;
    int firstRow = 1;
    bool opened = false;
    if (!SheetName.isEmpty()) {
        if (QFile::exists(FileName)) {
            try {
                book = books->object(QStringLiteral("Open"), {FileName});
                opened = book != nullptr;
            } catch (const platform::EAutomationError&) {
                book = nullptr; // a file the application cannot open gets a new workbook
            }
        }
        if (!book)
            book = need(books->object(QStringLiteral("Add")), QStringLiteral("WorkBooks.Add"));
        AutomationRef sheets = need(book->object(QStringLiteral("WorkSheets")), QStringLiteral("WorkSheets"));
        const int n = sheets->get(QStringLiteral("Count")).toInt();
        for (int i = 1; i <= n && !sheet; ++i) {
            AutomationRef s = sheets->object(QStringLiteral("Item"), {i});
            if (s && s->get(QStringLiteral("Name")).toString() == SheetName)
                sheet = s;
        }
        if (!sheet) {
            sheet = need(sheets->object(QStringLiteral("Add")), QStringLiteral("WorkSheets.Add"));
            sheet->set(QStringLiteral("Name"), SheetName);
        }
    } else if (CreateNewSheet || books->get(QStringLiteral("Count")).toInt() == 0) {
        book = need(books->object(QStringLiteral("Add")), QStringLiteral("WorkBooks.Add"));
        sheet = need(
            need(book->object(QStringLiteral("Sheets")), QStringLiteral("Sheets"))->object(QStringLiteral("Item"), {1}),
            QStringLiteral("Sheets"));
    } else {
        book = need(excel.app->object(QStringLiteral("ActiveWorkBook")), QStringLiteral("ActiveWorkBook"));
        sheet = need(excel.app->object(QStringLiteral("ActiveSheet")), QStringLiteral("ActiveSheet"));
        firstRow = need(excel.app->object(QStringLiteral("ActiveCell")), QStringLiteral("ActiveCell"))
                       ->get(QStringLiteral("Row"))
                       .toInt();
    }

    QVariantList rows;
    ExportNotification(esExportStart, -1);
    for (int r = SaveStartRow(); r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        QVariantList row;
        for (int c = SaveStartCol(); c < ColCount(); ++c) {
            QString text;
            GetSaveCellText(RealColFromDispl(c), r, text);
            row << text.remove(QLatin1Char('\r'));
        }
        rows << QVariant(row);
    }
    ExportNotification(esExportDone, -1);
    const QString address = QStringLiteral("A") + QString::number(firstRow) + QLatin1Char(':') + XLSColumnLetters(cols)
                            + QString::number(RowCount() - SaveStartRow() + firstRow - 1);
    need(sheet->object(QStringLiteral("Range"), {address}), QStringLiteral("Range"))
        ->set(QStringLiteral("Value"), rows);
    // A failed save is reported: the user must not believe the file was written.
    if (opened)
        book->call(QStringLiteral("Save"));
    else
        book->call(QStringLiteral("SaveAs"), {FileName});
}

void TQvStringGrid::SaveToDOC(const QString& FileName, bool CreateNewDocument)
{
    saveDocTable(FileName, false, CreateNewDocument, QString());
}

void TQvStringGrid::AppendToDoc(const QString& FileName, const QString& Bookmark)
{
    saveDocTable(FileName, true, false, Bookmark);
}

void TQvStringGrid::saveDocTable(const QString& FileName, bool append, bool CreateNewDocument, const QString& Bookmark)
{
    WaitCursor wait;
    AppInstance word(servers(Services()), kWord, true, "Word OLE server not found");
    AutomationRef docs = need(word.app->object(QStringLiteral("Documents")), QStringLiteral("Documents"));
    AutomationRef doc;
    if (append)
        doc = need(docs->object(QStringLiteral("Open"), {FileName}), FileName);
    else if (CreateNewDocument || docs->get(QStringLiteral("Count")).toInt() == 0)
        doc = need(docs->object(QStringLiteral("Add")), QStringLiteral("Documents.Add"));
    else
        doc = need(word.app->object(QStringLiteral("ActiveDocument")), QStringLiteral("ActiveDocument"));
    doc->set(QStringLiteral("ShowSpellingErrors"), false);
    AutomationRef selection = need(word.app->object(QStringLiteral("Selection")), QStringLiteral("Selection"));
    selection->call(QStringLiteral("TypeText"), {windowTitle()});
    selection->call(QStringLiteral("TypeParaGraph"));

    AutomationRef place;
    const bool atBookmark = append && !Bookmark.isEmpty()
                            && need(doc->object(QStringLiteral("Bookmarks")), QStringLiteral("Bookmarks"))
                                   ->call(QStringLiteral("Exists"), {Bookmark})
                                   .toBool();
    if (atBookmark) {
        place = selection->object(QStringLiteral("Goto"), {-1, Bookmark}); // what: bookmark
    } else if (append) {
        need(doc->object(QStringLiteral("Paragraphs")), QStringLiteral("Paragraphs"))->call(QStringLiteral("Add"));
        selection->call(QStringLiteral("Goto"), {3, -1}); // what: line, which: last
        const QVariant end = selection->get(QStringLiteral("End"));
        place = doc->object(QStringLiteral("Range"), {end, end});
    } else {
        place = doc->object(QStringLiteral("Range"), {0, 0});
    }
    place = need(place, QStringLiteral("Range"));

    AutomationRef table =
        need(need(doc->object(QStringLiteral("Tables")), QStringLiteral("Tables"))
                 ->object(QStringLiteral("Add"), {QVariant::fromValue(place), RowCount(), ColCount()}),
             QStringLiteral("Tables.Add"));
    ExportNotification(esExportStart, 0);
    for (int r = 0; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = 0; c < ColCount(); ++c) {
            QString text;
            GetSaveCellText(RealColFromDispl(c), r, text);
            AutomationRef range =
                need(need(table->object(QStringLiteral("Cell"), {r + 1, c + 1}), QStringLiteral("Cell"))
                         ->object(QStringLiteral("Range")),
                     QStringLiteral("Range"));
            range->call(QStringLiteral("InsertAfter"), {text});
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            GetCellAlignment(c, r, ha, va);
            if (ha != taLeftJustify)
                need(range->object(QStringLiteral("ParagraphFormat")), QStringLiteral("ParagraphFormat"))
                    ->set(QStringLiteral("Alignment"), ha == taRightJustify ? 2 : 1);
        }
    }
    ExportNotification(esExportDone, -1);
    doc->call(QStringLiteral("SaveAs"), {FileName});
}

void TQvStringGrid::LoadFromMDBTable(const QString& FileName, const QString& Table)
{
    LoadFromMDBSQL(FileName, QStringLiteral("SELECT * FROM ") + Table);
}

void TQvStringGrid::LoadFromMDBSQL(const QString& FileName, const QString& SQL)
{
    platform::AutomationServers& s = servers(Services());
    auto create = [&](const QString& name) {
        AutomationRef obj = s.create(name);
        if (!obj)
            throw platform::EAutomationError(name + QStringLiteral(" not found"));
        return obj;
    };
    AutomationRef conn = create(QStringLiteral("ADODB.Connection"));
    conn->call(QStringLiteral("Open"), {QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};DBQ=") + FileName});
    AutomationRef rs = create(QStringLiteral("ADODB.RecordSet"));
    rs->set(QStringLiteral("ActiveConnection"), QVariant::fromValue(conn));
    rs->call(QStringLiteral("Open"), {SQL});
    AutomationRef fields = need(rs->object(QStringLiteral("Fields")), QStringLiteral("Fields"));
    const int n = fields->get(QStringLiteral("Count")).toInt();
    auto field = [&](int i) { return need(fields->object(QStringLiteral("Item"), {i}), QStringLiteral("Fields")); };
    SetColCount(n + FixedCols());
    if (FixedRows() > 0)
        for (int i = 0; i < n; ++i)
            SetCells(FixedCols() + i, FixedRows() - 1, field(i)->get(QStringLiteral("Name")).toString());
    const int records = rs->get(QStringLiteral("RecordCount")).toInt();
    if (records > 0)
        SetRowCount(FixedRows() + records);
    for (int r = FixedRows(); !rs->get(QStringLiteral("Eof")).toBool(); ++r) {
        if (r >= RowCount())
            SetRowCount(r + 1);
        for (int i = 0; i < n; ++i) {
            AutomationRef f = field(i);
            LoadCellText(FixedCols() + i, r,
                         f->get(QStringLiteral("ActualSize")).toInt() == 0
                             ? QString()
                             : f->get(QStringLiteral("Value")).toString());
        }
        rs->call(QStringLiteral("MoveNext"));
    }
    rs->call(QStringLiteral("Close"));
    conn->call(QStringLiteral("Close"));
}

} // namespace grid

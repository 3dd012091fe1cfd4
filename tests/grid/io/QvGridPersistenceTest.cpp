// Layout, look and print settings kept outside: the column-state text, the "Col"/"Pos" keys in
// an INI file and in the registry store, the look file against a hand-checked fixture, and
// the print-settings section.

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"
#include "platform/ComponentStream.h"
#include "platform/SettingsStore.h"
#include "support/FullDisk.h"
#include "support/FullFileSystem.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace grid;

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(QV_SOURCE_DIR "/tests/fixtures/grid/") + QString::fromLatin1(name);
}

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// A registry store of its own in a temporary folder, handed to a grid through its services.
struct TRegistryInTempFolder {
    QTemporaryDir dir;
    platform::SettingsStore registry{dir.filePath("registry.ini")};
    platform::Services services = [this] {
        platform::Services s;
        s.registry = &registry;
        return s;
    }();
};

TEST(QvGridPersistence, ColumnStates)
{
    TQvStringGrid g;
    g.SetColCount(3);
    EXPECT_EQ(g.ColumnStatesToString(), "3#64,64,64#0,1,2#1,1,1");

    TQvStringGrid h;
    h.SetColCount(4);
    h.HideColumn(2);
    const QString text = h.ColumnStatesToString();
    EXPECT_EQ(text, "4#64,64,64,64#0,1,2,3#1,1,0,1");
    h.UnHideColumnsAll();
    h.StringToColumnStates(text);
    EXPECT_TRUE(h.IsHiddenColumn(2));
    EXPECT_EQ(h.ColCount(), 3);

    TQvStringGrid w;
    w.SetColCount(3);
    w.StringToColumnStates("3#10,20,30#2,0,1#1,1,1");
    EXPECT_EQ(w.ColWidths(0), 10);
    EXPECT_EQ(w.ColWidths(2), 30);
    EXPECT_EQ(w.ColumnStatesToString(), "3#10,20,30#2,0,1#1,1,1");

    const QString before = g.ColumnStatesToString();
    g.StringToColumnStates("3,64,64");
    EXPECT_EQ(g.ColumnStatesToString(), before);
    EXPECT_THROW(g.StringToColumnStates("3#64#0,1,2#1,1,1"), EListError);
    // a count beyond every part is refused before the grid changes
    EXPECT_THROW(g.StringToColumnStates("2000000000#64#0#1"), EListError);
    EXPECT_EQ(g.ColCount(), 3);
}

TEST(QvGridPersistence, ColumnKeysInAnIniFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("cols.ini");
    TQvStringGrid g;
    g.SetColCount(3);
    g.ColumnSize().SetLocation(clIniFile);
    g.ColumnSize().SetKey(ini);
    g.ColumnSize().SetSection("Grid");
    g.LoadColSizes(); // no keys: nothing changes
    EXPECT_EQ(g.ColWidths(1), 64);
    g.LoadColPositions(); // no "Pos0": nothing changes
    EXPECT_EQ(g.ColumnOrder().Count(), 0);
    g.SaveColPositions(); // empty order: no key
    g.SetColWidths(1, 33);
    g.SaveColSizes();
    {
        QSettings s(ini, QSettings::IniFormat);
        EXPECT_EQ(s.value("Grid/Col1").toInt(), 33);
        EXPECT_FALSE(s.contains("Grid/Pos0"));
    }
    g.SetColWidths(1, 64);
    g.LoadColSizes();
    EXPECT_EQ(g.ColWidths(1), 33);

    {
        QSettings s(ini, QSettings::IniFormat);
        s.setValue("Grid/Pos0", 1);
        s.setValue("Grid/Pos1", 1); // repeated: no arrangement
        s.setValue("Grid/Pos2", 0);
    }
    g.LoadColPositions(); // ends; the order list describes the store again
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.ColumnOrder().Count(), 3);
}

TEST(QvGridPersistence, ColumnKeysInTheRegistryStore)
{
    TRegistryInTempFolder store;
    auto& registry = store.registry;
    TQvStringGrid g;
    g.SetServices(store.services);
    g.SetColCount(3);
    g.ColumnSize().SetSection("Grid");
    g.SetColWidths(2, 50);
    g.SaveColSizes(); // empty Key: nothing stored
    EXPECT_FALSE(registry.valueExists("Software\\Grid", "Col2"));
    g.ColumnSize().SetKey("Software");
    g.SaveColSizes();
    EXPECT_EQ(registry.readInteger("Software\\Grid", "Col2", -1), 50);
    g.SetColWidths(2, 64);
    g.LoadColSizes();
    EXPECT_EQ(g.ColWidths(2), 50);
}

TEST(QvGridPersistence, ColumnGridPositionsByLocation)
{
    TRegistryInTempFolder store;
    auto& registry = store.registry;
    QTemporaryDir& dir = store.dir;
    TQvColumnGrid g;
    g.SetServices(store.services);
    g.SetColCount(3);
    g.ColumnSize().SetKey("Software");
    g.ColumnSize().SetSection("Cols");
    g.SetColumnOrder();
    g.SaveColPositions(); // the registry: the string grid's "Pos" keys
    EXPECT_EQ(registry.readInteger("Software\\Cols", "Pos2", -1), 2);

    const QString ini = dir.filePath("cols.ini");
    g.ColumnSize().SetLocation(clIniFile);
    g.ColumnSize().SetKey(ini);
    g.SaveColPositions(); // the INI file: the column grid's own "CP" keys
    QSettings s(ini, QSettings::IniFormat);
    EXPECT_TRUE(s.contains("Cols/CP0"));
    EXPECT_FALSE(s.contains("Cols/Pos0"));
}

TEST(QvGridPersistence, ColumnSizesKeptAutomatically)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("auto.ini");
    auto setUp = [&ini](TQvStringGrid& g) {
        g.SetColCount(3);
        g.ColumnSize().SetLocation(clIniFile);
        g.ColumnSize().SetKey(ini);
        g.ColumnSize().SetSection("Auto");
        g.ColumnSize().SetSave(true);
    };
    {
        TQvStringGrid g;
        setUp(g);
        g.SetColWidths(2, 41);
    } // destroyed: widths written
    TQvStringGrid h;
    setUp(h);
    h.CompleteLoading(); // loaded from its form: widths read
    EXPECT_EQ(h.ColWidths(2), 41);
}

TEST(QvGridPersistence, LookFileByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("look.txt");
    TQvStringGrid g;
    g.SaveVisualProps(path);
    // A new grid's 69 look values, one key and value per line.
    EXPECT_EQ(bytes(path), bytes(fixture("look_defaults.txt")));

    TQvStringGrid h;
    h.Grouping.HeaderColor = 0x123456;
    h.SetGridLineColor(0xABCDEF);
    h.Bands().SetActive(true);
    h.SaveVisualProps(path);
    TQvStringGrid back;
    back.LoadVisualProps(path);
    EXPECT_EQ(back.Grouping.HeaderColor, TColor(0x123456));
    EXPECT_EQ(back.GridLineColor(), TColor(0xABCDEF));
    EXPECT_TRUE(back.Bands().Active());
}

TEST(QvGridPersistence, LookValuesAndErrors)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("look.txt");
    TQvStringGrid g;
    g.SetLook(glSoft);
    writeFile(path, "Look=glxp\r\nFont.Size=9\r\nFixedFont.Size=8\r\nActiveCellFont.Size=8\r\n"
                    "Balloon.Transparency=0\r\nControlLook.CheckSize=15\r\nControlLook.RadioSize=10\r\n"
                    "Grouping.HeaderLineWidth=2\r\nGrouping.SummaryLineWidth=2\r\nBackGround.Top=0\r\n"
                    "BackGround.Left=0\r\n");
    g.LoadVisualProps(path);
    EXPECT_EQ(g.Look, glXP);
    g.SetLook(glSoft);
    QByteArray data = bytes(path);
    data.replace("Look=glxp", "Look=");
    writeFile(path, data);
    g.LoadVisualProps(path);
    EXPECT_EQ(g.Look, glSoft);

    // Without "Font.Size" the keys before it are applied, then the conversion error.
    TQvStringGrid f;
    writeFile(path, "Color=clRed\r\nURLShow=TRUE\r\nFont.Color=$00112233\r\nFont.Style=fsBold,fsItalic\r\n");
    EXPECT_THROW(f.LoadVisualProps(path), EConvertError);
    EXPECT_EQ(f.Color(), platform::clRed);
    EXPECT_TRUE(f.URLShow());
    EXPECT_EQ(f.Font().Color, TColor(0x112233));
    EXPECT_EQ(f.Font().Style, unsigned(fsBold | fsItalic));

    try {
        f.LoadVisualProps(dir.filePath("missing.txt"));
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + dir.filePath("missing.txt"));
    }
    try {
        f.SaveVisualProps(dir.filePath("no/such/dir/look.txt"));
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot Create " + dir.filePath("no/such/dir/look.txt"));
    }
}

TEST(QvGridPersistence, PrintSettings)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("print.ini");
    TQvStringGrid g;
    g.LoadPrintSettings(ini, "Print");
    TPrintSettings& p = g.PrintSettings();
    EXPECT_EQ(p.ColumnSpacing(), 20);
    EXPECT_EQ(p.RowSpacing(), 20);
    EXPECT_EQ(p.TitleSpacing(), 20);
    EXPECT_EQ(p.HeaderSize(), 100);
    EXPECT_EQ(p.FooterSize(), 100);
    EXPECT_EQ(p.LeftSize(), 100);
    EXPECT_EQ(p.RightSize(), 100);
    EXPECT_TRUE(p.Centered());
    EXPECT_EQ(p.Font().Name, "Arial");
    EXPECT_EQ(p.Font().Size, 10);
    EXPECT_EQ(p.HeaderFont().Name, "Arial");
    EXPECT_EQ(p.Orientation(), poPortrait);

    p.SetTitleLines({"A", "B"});
    TFont bold = p.Font();
    bold.Style = fsBold;
    p.SetFont(bold);
    g.SavePrintSettings(ini, "Print");
    {
        QByteArray text = bytes(ini);
        EXPECT_TRUE(text.contains("\r\nTitleLines=A\\nB\r\n"));
        EXPECT_TRUE(text.contains("\r\nFontStyle=1\r\n"));
        text.replace("\r\nFontStyle=1\r\n", "\r\nFontStyle=0\r\n");
        text.replace("\r\nDate=0\r\n", "\r\nDate=7\r\n");
        writeFile(ini, text);
    }
    g.PrintSettings().SetTitleLines({});
    g.PrintSettings().SetDate(ppTopLeft);
    g.LoadPrintSettings(ini, "Print");
    EXPECT_EQ(p.TitleLines(), (QStringList{"A", "B"}));
    EXPECT_EQ(p.Date(), ppNone);
    EXPECT_EQ(p.Font().Style, 0u); // plain over bold
}

// ---- failed writes of the column keys --------------------------------------------------------

enum class TBlockedPlace { FullDisk, ReadOnlyDisk, ParentIsAFile };

struct TColumnKeyWriter {
    const char* what;
    std::function<void(const QString& ini)> save; // sets the grid up on ini and saves
};

struct TBlockedWriteCase {
    TColumnKeyWriter writer;
    TBlockedPlace place;
};

class QvGridColumnKeysBlocked : public ::testing::TestWithParam<TBlockedWriteCase> {};

// Every writer raises the file-creation error naming the file; an old file keeps its bytes.
TEST_P(QvGridColumnKeysBlocked, RaiseTheFileErrorAndKeepTheOldFile)
{
    const TBlockedWriteCase& c = GetParam();
    const QByteArray old("[Grid]\r\nCol0=12\r\nkeep=yes\r\n");
    testsupport::FullFileSystem disk;
    QTemporaryDir plain;
    QString ini;
    if (c.place == TBlockedPlace::ParentIsAFile) {
        writeFile(plain.filePath("file"), "not a folder");
        ini = plain.filePath("file/cols.ini");
    } else {
        if (!disk.available())
            GTEST_SKIP() << "mounting a small file system needs root";
        ini = disk.filePath("cols.ini");
        writeFile(ini, old);
        ASSERT_TRUE(c.place == TBlockedPlace::FullDisk ? disk.fill() : disk.makeReadOnly());
    }
    QString message = QStringLiteral("no error");
    try {
        c.writer.save(ini);
    } catch (const platform::EFCreateError& e) {
        message = e.Message();
    }
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\".").arg(ini))) << message.toStdString();
    if (c.place == TBlockedPlace::ParentIsAFile)
        EXPECT_EQ(bytes(plain.filePath("file")), QByteArray("not a folder"));
    else
        EXPECT_EQ(bytes(ini), old);
}

const TColumnKeyWriter kColumnKeyWriters[] = {
    {"SaveColSizes",
     [](const QString& ini) {
         TQvStringGrid g;
         g.SetColCount(3);
         g.ColumnSize().SetLocation(clIniFile);
         g.ColumnSize().SetKey(ini);
         g.ColumnSize().SetSection("Grid");
         g.SetColWidths(0, 99);
         g.SaveColSizes();
     }},
    {"SaveColPositions",
     [](const QString& ini) {
         TQvStringGrid g;
         g.SetColCount(3);
         g.ColumnSize().SetLocation(clIniFile);
         g.ColumnSize().SetKey(ini);
         g.ColumnSize().SetSection("Grid");
         g.SetColumnOrder();
         g.SaveColPositions();
     }},
    {"column grid SaveColPositions",
     [](const QString& ini) {
         TQvColumnGrid g;
         g.SetColCount(3);
         g.ColumnSize().SetLocation(clIniFile);
         g.ColumnSize().SetKey(ini);
         g.ColumnSize().SetSection("Grid");
         g.SaveColPositions();
     }},
};

std::vector<TBlockedWriteCase> blockedWriteCases()
{
    std::vector<TBlockedWriteCase> cases;
    for (const TColumnKeyWriter& w : kColumnKeyWriters)
        for (TBlockedPlace p : {TBlockedPlace::FullDisk, TBlockedPlace::ReadOnlyDisk, TBlockedPlace::ParentIsAFile})
            cases.push_back({w, p});
    return cases;
}

std::string blockedWriteName(const ::testing::TestParamInfo<TBlockedWriteCase>& info)
{
    QString name = QString::fromLatin1(info.param.writer.what);
    name.remove(QLatin1Char(' '));
    const char* places[] = {"FullDisk", "ReadOnlyDisk", "ParentIsAFile"};
    return (name + QLatin1Char('_') + QLatin1String(places[int(info.param.place)])).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Writers, QvGridColumnKeysBlocked, ::testing::ValuesIn(blockedWriteCases()), blockedWriteName);

// A write that succeeds keeps the file's other keys and sections.
TEST(QvGridPersistence, ColumnKeysKeepTheRestOfTheIniFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("cols.ini");
    writeFile(ini, "[Other]\r\nname=kept\r\n[Grid]\r\nCol0=12\r\n");
    TQvStringGrid g;
    g.SetColCount(2);
    g.ColumnSize().SetLocation(clIniFile);
    g.ColumnSize().SetKey(ini);
    g.ColumnSize().SetSection("Grid");
    g.SetColWidths(1, 21);
    g.SaveColSizes();
    QSettings s(ini, QSettings::IniFormat);
    EXPECT_EQ(s.value("Other/name").toString(), "kept");
    EXPECT_EQ(s.value("Grid/Col0").toInt(), 64);
    EXPECT_EQ(s.value("Grid/Col1").toInt(), 21);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"cols.ini"});
}

// The print settings in their plain form: every text read whole, the two title lines back as two,
// and the file written again byte for byte the hand-made one.
TEST(QvGridPersistence, PrintSettingsFileReadsBackWholeAndIsWrittenAsTheFixture)
{
    TQvStringGrid g;
    g.LoadPrintSettings(fixture("print_settings.ini"), "Print");
    const TPrintSettings& p = g.PrintSettings();
    struct Case {
        const char* field;
        QString got, expected;
    };
    const Case cases[] = {
        {"ColumnSpacing", QString::number(p.ColumnSpacing()), "12"},
        {"RowSpacing", QString::number(p.RowSpacing()), "14"},
        {"TitleSpacing", QString::number(p.TitleSpacing()), "16"},
        {"FixedWidth", QString::number(p.FixedWidth()), "30"},
        {"Centered", QString::number(p.Centered()), "0"},
        {"UseFixedWidth", QString::number(p.UseFixedWidth()), "1"},
        {"RepeatFixedRows", QString::number(p.RepeatFixedRows()), "1"},
        {"Borders", QString::number(p.Borders()), QString::number(pbDouble)},
        {"BorderColor", QString::number(p.BorderColor()), "255"},
        {"Date", QString::number(p.Date()), QString::number(ppTopLeft)},
        {"PageNr", QString::number(p.PageNr()), QString::number(ppBottomCenter)},
        {"Title", QString::number(p.Title()), QString::number(ppTopCenter)},
        {"DateFormat", p.DateFormat(), "dd/mm/yyyy"},
        {"TitleText", p.TitleText(), "a;b, c"},
        {"HeaderSize", QString::number(p.HeaderSize()), "120"},
        {"FitToPage", QString::number(p.FitToPage()), QString::number(fpShrink)},
        {"Font", p.Font().Name + QString::number(p.Font().Size) + QString::number(p.Font().Style),
         "Arial10" + QString::number(fsBold)},
        {"HeaderFont",
         p.HeaderFont().Name + QString::number(p.HeaderFont().Size) + QString::number(p.HeaderFont().Color),
         "Times New Roman12128"},
        {"FooterFont size", QString::number(p.FooterFont().Size), "8"},
        {"PageNumSep", p.PageNumSep(), "/"},
        {"PageSuffix", p.PageSuffix(), ""},
        {"PagePrefix", p.PagePrefix(), "Page"},
        {"Orientation", QString::number(p.Orientation()), QString::number(poLandscape)},
        {"TitleLines", p.TitleLines().join('|'), "A|B"},
        {"PrintGraphics", QString::number(p.PrintGraphics()), "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.field;

    QTemporaryDir dir;
    const QString out = dir.filePath("print.ini");
    g.SavePrintSettings(out, "Print");
    EXPECT_EQ(bytes(out), bytes(fixture("print_settings.ini")));
}

// Saving updates its own section only: other sections and their lines stay, and a second save
// gives the same file.
TEST(QvGridPersistence, PrintSettingsKeepTheFilesOtherSections)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("print.ini");
    writeFile(ini, "[Other]\r\nName=x;y\r\n; a note\r\n\r\n[print]\r\nExtra=1\r\nTitleText=old\r\n");
    TQvStringGrid g;
    g.PrintSettings().SetTitleText("new");
    g.SavePrintSettings(ini, "Print");
    const QByteArray first = bytes(ini);
    EXPECT_TRUE(first.startsWith("[Other]\r\nName=x;y\r\n; a note\r\n\r\n[print]\r\nColumnSpacing="));
    EXPECT_TRUE(first.contains("\r\nPrintGraphics=N\r\nExtra=1\r\n\r\n"));
    EXPECT_TRUE(first.contains("\r\nTitleText=new\r\n"));
    EXPECT_FALSE(first.contains("TitleText=old"));
    g.SavePrintSettings(ini, "Print");
    EXPECT_EQ(bytes(ini), first);
}

// A file an earlier version wrote through QSettings (keys sorted, texts quoted and escaped)
// still loads with every text whole.
TEST(QvGridPersistence, PrintSettingsWrittenByTheEarlierVersionStillLoad)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("print.ini");
    {
        QSettings s(ini, QSettings::IniFormat);
        s.setValue("Print/ColumnSpacing", "12");
        s.setValue("Print/Centered", "N");
        s.setValue("Print/DateFormat", "dd/mm/yyyy");
        s.setValue("Print/TitleText", "a;b, c");
        s.setValue("Print/PagePrefix", "\"quoted\"");
        s.setValue("Print/TitleLines", "A\\nB");
        s.setValue("Print/FontStyle", "2");
        s.setValue("Print/Orientation", "1");
        s.sync();
        ASSERT_EQ(s.status(), QSettings::NoError);
    }
    ASSERT_TRUE(bytes(ini).contains("TitleText=\"a;b, c\""));
    TQvStringGrid g;
    g.LoadPrintSettings(ini, "Print");
    const TPrintSettings& p = g.PrintSettings();
    EXPECT_EQ(p.ColumnSpacing(), 12);
    EXPECT_FALSE(p.Centered());
    EXPECT_EQ(p.DateFormat(), "dd/mm/yyyy");
    EXPECT_EQ(p.TitleText(), "a;b, c");
    EXPECT_EQ(p.PagePrefix(), "\"quoted\"");
    EXPECT_EQ(p.TitleLines(), (QStringList{"A", "B"}));
    EXPECT_EQ(p.Font().Style, TFontStyles(fsItalic));
    EXPECT_EQ(p.Orientation(), poLandscape);
    EXPECT_EQ(p.RowSpacing(), 20); // missing: the default

    // Saved again, the section is in the plain form and reads back the same.
    g.SavePrintSettings(ini, "Print");
    EXPECT_TRUE(bytes(ini).contains("\r\nTitleText=a;b, c\r\n"));
    TQvStringGrid h;
    h.LoadPrintSettings(ini, "Print");
    EXPECT_EQ(h.PrintSettings().TitleText(), "a;b, c");
    EXPECT_EQ(h.PrintSettings().PagePrefix(), "\"quoted\"");
    EXPECT_EQ(h.PrintSettings().TitleLines(), (QStringList{"A", "B"}));
}

// A write that fails raises the grid's error and leaves the old file byte for byte: a path
// below a plain file, a full disk (the file-size limit) and, as root, a full tmpfs.
TEST(QvGridPersistence, PrintSettingsFailedWriteKeepsTheOldFile)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("plain"), "x");
    TQvStringGrid g;
    g.PrintSettings().SetTitleText("new");
    EXPECT_THROW(g.SavePrintSettings(dir.filePath("plain/print.ini"), "Print"), EQvGridError);
    EXPECT_EQ(bytes(dir.filePath("plain")), QByteArray("x"));

    const auto failsKeepingOld = [&g](const QString& folder, const std::function<void()>& fillUp) {
        const QString ini = folder + "/print.ini";
        writeFile(ini, "[Print]\r\nTitleText=kept\r\n\r\n");
        const QByteArray old = bytes(ini);
        bool raised = false;
        fillUp();
        try {
            g.SavePrintSettings(ini, "Print");
        } catch (const EQvGridError& e) {
            raised = e.Message().contains(ini);
        }
        EXPECT_TRUE(raised);
        EXPECT_EQ(bytes(ini), old);
        EXPECT_EQ(QDir(folder).entryList({"print.ini*"}, QDir::Files | QDir::Hidden).size(), 1); // no temporary left
    };
    {
        std::unique_ptr<testsupport::FullDisk> full;
        failsKeepingOld(dir.path(), [&full] { full = std::make_unique<testsupport::FullDisk>(64); });
    }
    testsupport::FullFileSystem fs;
    if (!fs.available())
        GTEST_SKIP() << "no tmpfs can be mounted here (not root)";
    failsKeepingOld(fs.path(), [&fs] { ASSERT_TRUE(fs.fill()); });
}

} // namespace

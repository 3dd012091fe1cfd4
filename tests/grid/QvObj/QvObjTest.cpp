#include "grid/QvObj.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>

using namespace grid;

// ---- lists ---------------------------------------------------------------------------------

TEST(IntList, StrValueAndChangeEvents)
{
    TIntList l(3, 4);
    int events = 0;
    l.OnChange = [&](TObject*, int col, int row) {
        EXPECT_EQ(col, 3);
        EXPECT_EQ(row, 4);
        ++events;
    };
    EXPECT_EQ(l.StrValue(), "");
    l.Add(3);
    l.Add(10);
    l.Add(7);
    EXPECT_EQ(l.StrValue(), "3,10,7");
    events = 0;
    l.SetStrValue("1, 2,3");
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(events, 3);
    EXPECT_EQ(l.StrValue(), "1,2,3");

    struct Op {
        const char* what;
        std::function<void()> run;
        int events;
    };
    const Op ops[] = {{"Insert", [&] { l.Insert(0, 9); }, 0},
                      {"Add", [&] { l.Add(5); }, 1},
                      {"Delete", [&] { l.Delete(0); }, 1},
                      {"DeleteValue", [&] { l.DeleteValue(5); }, 1},
                      {"DeleteValue absent", [&] { l.DeleteValue(99); }, 0},
                      {"SetInteger", [&] { l.SetInteger(0, 8); }, 1}};
    for (const Op& op : ops) {
        events = 0;
        op.run();
        EXPECT_EQ(events, op.events) << op.what;
    }
    EXPECT_THROW(l.GetInteger(10), EListError);
}

TEST(IntList, BadItemRaisesAndKeepsWhatWasRead)
{
    TIntList l(0, 0);
    EXPECT_THROW(l.SetStrValue("4,x,6"), EConvertError);
    EXPECT_EQ(l.StrValue(), "4");
}

TEST(SortIndexList, TextFormAndKeys)
{
    TSortIndexList l;
    l.AddIndex(1, true);
    l.AddIndex(3, false);
    EXPECT_EQ(l.SaveToString(), "u1;d3");
    EXPECT_EQ(l.FindIndex(3), 1);
    EXPECT_FALSE(l.SortDirections(1));
    l.ToggleIndex(3);
    EXPECT_TRUE(l.SortDirections(1));
    l.ToggleIndex(8); // not a key: nothing
    EXPECT_EQ(l.SaveToString(), "u1;u3");
    l.SetSortColumns(0, 5);
    EXPECT_EQ(l.SortColumns(0), 5);

    l.LoadFromString("u2;x5;;d");
    ASSERT_EQ(l.Count(), 2);
    EXPECT_EQ(l.SortColumns(0), 2);
    EXPECT_TRUE(l.SortDirections(0));
    EXPECT_EQ(l.SortColumns(1), 5);
    EXPECT_FALSE(l.SortDirections(1));

    TSortIndexList wide;
    wide.AddIndex(70000, true);
    EXPECT_EQ(wide.SaveToString(), "u4464");
    EXPECT_EQ(TSortIndexList().SaveToString(), "");
}

TEST(ControlList, RemovingAnItemKeepsTheControl)
{
    TControlList l;
    auto label = std::make_unique<QLabel>("alive");
    l.AddControl(2, 3, label.get());
    EXPECT_EQ(l.ControlIndex(2, 3), 0);
    EXPECT_EQ(l.ControlIndex(3, 2), -1);
    EXPECT_TRUE(l.HasHandle(label.get()));
    l.RemoveControl(0);
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(label->text(), "alive"); // still there to use
}

TEST(FileStringList, ReadAndWriteLineByLine)
{
    TFileStringList l;
    l.WriteLn("first");
    l.Write("pending");
    l.Reset(); // drops the unfinished line
    l.Write("a");
    l.WriteLn("b");
    EXPECT_EQ(l.Strings, (QStringList{"first", "ab"}));
    QString s;
    l.ReadLn(s);
    EXPECT_EQ(s, "first");
    EXPECT_FALSE(l.Eof());
    l.ReadLn(s);
    EXPECT_TRUE(l.Eof());
    EXPECT_THROW(l.ReadLn(s), EListError);
}

TEST(FilePicture, MeasuresOnNameWrite)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("p.png");
    QImage(12, 7, QImage::Format_RGB32).save(file);
    TFilePicture p;
    p.SetFilename(file);
    EXPECT_EQ(p.Width(), 12);
    EXPECT_EQ(p.Height(), 7);
    TFilePicture copy;
    copy.Assign(p);
    EXPECT_EQ(copy.Filename(), file);
    EXPECT_EQ(copy.Height(), 7);
    EXPECT_THROW(p.SetFilename(dir.filePath("missing.png")), EInvalidGraphic);
}

// ---- settings objects ----------------------------------------------------------------------

TEST(SearchFooter, DesignerDefaultsAndChangeEvents)
{
    TSearchFooter runtime(nullptr, false);
    EXPECT_EQ(runtime.FindNextCaption(), "");
    TSearchFooter designed(nullptr, true);
    EXPECT_EQ(designed.FindNextCaption(), "Find &next");
    EXPECT_EQ(designed.FindPrevCaption(), "Find &previous");
    EXPECT_EQ(designed.HintHighlight(), "Highlight occurrences");
    EXPECT_EQ(designed.Color(), 0xFFFFFFu);
    EXPECT_EQ(designed.ColorTo(), platform::clBtnFace);
    EXPECT_EQ(designed.SearchColumn(), -1);
    EXPECT_TRUE(designed.AutoSearch());

    int events = 0;
    designed.OnChange = [&](TObject*) { ++events; };
    designed.SetShowFindNext(true); // unchanged: no event
    EXPECT_EQ(events, 0);
    designed.SetColor(0xFFFFFF); // always an event
    EXPECT_EQ(events, 1);

    TSearchFooter target(nullptr, false);
    target.SetAutoSearch(false);
    target.SetSearchFixedCells(true);
    target.Assign(designed);
    EXPECT_EQ(target.FindNextCaption(), "Find &next");
    EXPECT_FALSE(target.AutoSearch());      // not copied
    EXPECT_TRUE(target.SearchFixedCells()); // not copied
}

TEST(Navigation, WritersAndAssign)
{
    TNavigation n;
    EXPECT_TRUE(n.AdvanceOnEnterLoop());
    EXPECT_TRUE(n.SkipDisabledRows());
    EXPECT_EQ(n.ClipboardPasteAction(), paReplace);
    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceOnEnter());
    n.SetAdvanceOnEnter(false);
    n.SetAdvanceAuto(false);
    EXPECT_FALSE(n.AdvanceOnEnter());

    int events = 0;
    n.OnChange = [&](TObject*) { ++events; };
    n.SetAdvanceDirection(adTopBottom);
    n.SetAdvanceDirection(adTopBottom);
    EXPECT_EQ(events, 1);

    TNavigation src, dst;
    src.SetTabAdvanceDirection(adTopBottomInCol);
    src.SetAdvanceDirection(adLeftRightInRow);
    src.SetKeepScrollOnSort(true);
    dst.Assign(src);
    EXPECT_EQ(dst.TabAdvanceDirection(), adTopBottomInCol);
    EXPECT_EQ(dst.AdvanceDirection(), adLeftRightInRow);
    EXPECT_FALSE(dst.KeepScrollOnSort());
}

TEST(MouseActions, WritersAndAssign)
{
    TMouseActions m;
    EXPECT_TRUE(m.AutoSizeColOnDblClick());
    EXPECT_TRUE(m.PreciseNodeClick());
    int invalidates = 0, disables = 0;
    m.OnInvalidate = [&](TObject*) { ++invalidates; };
    m.OnDisableEdit = [&](TObject*) { ++disables; };
    m.SetHotmailRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.CheckAllCheck());
    m.SetHotmailRowSelect(false);
    EXPECT_EQ(invalidates, 2);
    m.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disables, 1);

    // Only at design time do the disjunct modes exclude each other.
    m.SetDisjunctColSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    m.OnIsDesigning = [](TObject*, bool& d) { d = true; };
    m.SetDisjunctCellSelect(true);
    EXPECT_FALSE(m.DisjunctRowSelect());
    EXPECT_FALSE(m.DisjunctColSelect());

    TMouseActions src, dst;
    src.SetEditOnDblClickOnly(true);
    src.SetSizeFixedRow(true);
    src.SetFixedComboValues({"a"});
    src.SetRowSelect(true);
    src.SetWheelAction(waScroll);
    dst.Assign(src);
    EXPECT_TRUE(dst.RowSelect());
    EXPECT_EQ(dst.WheelAction(), waScroll);
    EXPECT_FALSE(dst.EditOnDblClickOnly());
    EXPECT_FALSE(dst.SizeFixedRow());
    EXPECT_TRUE(dst.FixedComboValues().isEmpty());
}

TEST(Bands, ChangeEventsAndPeriod)
{
    TBands b;
    EXPECT_EQ(b.PrimaryColor(), platform::clInfoBk);
    EXPECT_EQ(b.SecondaryColor(), platform::clWindow);
    EXPECT_EQ(b.TotalLength(), 2);
    int events = 0;
    b.OnChange = [&](TObject*) { ++events; };
    b.SetPrimaryColor(0x123456);
    EXPECT_EQ(events, 0); // inactive
    b.SetActive(true);
    EXPECT_EQ(events, 1);
    b.SetSecondaryLength(3);
    EXPECT_EQ(events, 2);
    EXPECT_EQ(b.TotalLength(), 4);
    EXPECT_EQ(b.RowColor(0), 0x123456u);
    EXPECT_EQ(b.RowColor(1), platform::clWindow);
    EXPECT_EQ(b.RowColor(4), 0x123456u);

    TBands copy;
    copy.Assign(b);
    EXPECT_EQ(copy.TotalLength(), 4);
}

TEST(SyncGrid, NeverCoupledToItself)
{
    TStringGrid a, b;
    TSyncGrid s(&a);
    s.SetGrid(&a);
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(&b);
    EXPECT_EQ(s.Grid(), &b);
}

TEST(GridSettings, DefaultsOfNodeColumnSizeHtmlAndPrint)
{
    TCellNode n(nullptr);
    EXPECT_EQ(n.Color(), 0xC0C0C0u);
    EXPECT_EQ(n.NodeType(), cnXP);
    EXPECT_EQ(n.NodeIndent(), 12);
    EXPECT_TRUE(n.ShowTree());
    EXPECT_EQ(n.TreeColor(), 0x808080u);

    TColumnSize cs;
    EXPECT_EQ(cs.StretchColumn(), -1);
    EXPECT_EQ(cs.Location(), clRegistry);
    EXPECT_EQ(cs.Rows(), arAll);

    THTMLSettings h;
    EXPECT_TRUE(h.SaveColor());
    EXPECT_TRUE(h.ExportImages());
    EXPECT_EQ(h.BorderSize(), 1);
    EXPECT_EQ(h.Width(), 100);

    TPrintSettings p(nullptr);
    EXPECT_EQ(p.PageNumSep(), "/");
    EXPECT_EQ(p.DateFormat(), "dd/mm/yyyy");
    EXPECT_EQ(p.Borders(), pbSingle);
    EXPECT_TRUE(p.Centered());
    EXPECT_TRUE(p.UseDisplayFont());
    EXPECT_EQ(p.FitToPage(), fpNever);
}

TEST(GridSettings, AssignExclusions)
{
    THTMLSettings hs, ht;
    hs.SetExportImages(false);
    hs.SetBorderSize(4);
    hs.ColWidths().Add(50);
    ht.Assign(hs);
    EXPECT_EQ(ht.BorderSize(), 4);
    EXPECT_TRUE(ht.ExportImages());
    EXPECT_EQ(ht.ColWidths().Count(), 0);

    TPrintSettings ps(nullptr), pt(nullptr);
    ps.SetFixedCellsAlways(true);
    ps.SetTitleLines({"one", "two"});
    ps.SetJobName("job");
    pt.Assign(ps);
    EXPECT_EQ(pt.TitleLines(), (QStringList{"one", "two"}));
    EXPECT_EQ(pt.JobName(), "job");
    EXPECT_FALSE(pt.FixedCellsAlways());
    EXPECT_THROW(pt.Assign(hs), EInvalidCast);

    TColumnSize cs, ct;
    int stretches = 0;
    ct.OnStretchChanged = [&] { ++stretches; };
    cs.SetStretch(true);
    cs.SetKey("k");
    ct.Assign(cs);
    EXPECT_TRUE(ct.Stretch());
    EXPECT_EQ(ct.Key(), "k");
    EXPECT_EQ(stretches, 0); // the field only, not its writer

    TCellNode ns(nullptr), nt(nullptr);
    ns.SetNodeIndent(20);
    ns.SetExpandGlyph(TBitmap(QImage(3, 3, QImage::Format_RGB32)));
    nt.Assign(ns);
    EXPECT_EQ(nt.NodeIndent(), 20);
    EXPECT_EQ(nt.ExpandGlyph().Width(), 3);
    nt.Assign(hs); // another class: ignored
    EXPECT_EQ(nt.NodeIndent(), 20);
}

#pragma once
// The table control's companion classes: the small lists it keeps per cell, row and column
// (integer lists, sort keys, placed controls, a line-by-line text list, file pictures), the
// picture and text-list objects cell graphics hold, and the settings objects the string grid
// owns and publishes (search footer, navigation, mouse actions, coupled grid, bands, focus
// helper, node look, sizing while typing, column sizes, HTML export and print settings, sort
// settings and control look), and
// the small owner-drawn button and check box of the search footer.
//
// Settings objects keep plain fields as getter/setter pairs made by one macro; the writers
// that do more than store (change notifications, options that keep each other consistent) are
// written out by hand. Assign copies only from an object of the same class.

#include "grid/GridTypes.h"
#include "grid/StringGrid.h"
#include "grid/look/PopupAppearance.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QPainter;

namespace grid {

// Errors of the run-time classes the lists stand in for.
class EListError : public std::out_of_range {
public:
    explicit EListError(int index) : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}
};
class EConvertError : public std::invalid_argument {
public:
    explicit EConvertError(const QString& text, const char* kind = "integer value")
        : std::invalid_argument(("'" + text + "' is not a valid " + QString::fromLatin1(kind)).toStdString())
    {
    }
};
class EInvalidCast : public std::runtime_error {
public:
    EInvalidCast() : std::runtime_error("Invalid class typecast") {}
};
class EInvalidGraphic : public std::runtime_error {
public:
    explicit EInvalidGraphic(const QString& file) : std::runtime_error(("Cannot load picture " + file).toStdString()) {}
};

// Strict whole-number conversion: blanks before, an optional sign, decimal digits or
// hexadecimal after "$", "x" or "0x"; anything else refused.
bool StrToIntStrict(QStringView s, int& value);
// Lenient conversion: reads as far as it can; what was read so far is the value.
int StrToIntPrefix(QStringView s);

// ---- objects held by cell graphics ---------------------------------------------------------

class TBitmap : public TPersistent {
public:
    TBitmap() = default;
    explicit TBitmap(QImage image) : Image(std::move(image)) {}
    QString ClassName() const override { return QStringLiteral("TBitmap"); }
    std::unique_ptr<TObject> Clone() const override { return std::make_unique<TBitmap>(Image); }
    int Width() const { return Image.width(); }
    int Height() const { return Image.height(); }
    bool Empty() const { return Image.isNull(); }
    QImage Image;
};

class TIcon : public TBitmap {
public:
    using TBitmap::TBitmap;
    QString ClassName() const override { return QStringLiteral("TIcon"); }
    std::unique_ptr<TObject> Clone() const override { return std::make_unique<TIcon>(Image); }
};

class TPicture : public TBitmap {
public:
    using TBitmap::TBitmap;
    QString ClassName() const override { return QStringLiteral("TPicture"); }
    std::unique_ptr<TObject> Clone() const override { return std::make_unique<TPicture>(Image); }
};

// Images of one size addressed by index: the image cells' and the markup's "IDX:n" pictures.
// The application owns the list; the grid and the renderer only point to it.
class TCustomImageList : public TPersistent {
public:
    TCustomImageList(int width = 16, int height = 16) : FWidth(width), FHeight(height) {}
    QString ClassName() const override { return QStringLiteral("TCustomImageList"); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }
    // An image of another size is scaled to the list's; answers its index.
    int Add(const QImage& image);
    void Clear() { FImages.clear(); }
    // A null image outside the list.
    QImage GetImage(int index) const;
    // The image at (x, y); a disabled one greyed. Nothing outside the list.
    void Draw(QPainter& canvas, int x, int y, int index, bool enabled = true) const;

private:
    int FWidth;
    int FHeight;
    std::vector<QImage> FImages;
};

class TStringList : public TPersistent {
public:
    TStringList() = default;
    explicit TStringList(QStringList s) : Strings(std::move(s)) {}
    QString ClassName() const override { return QStringLiteral("TStringList"); }
    std::unique_ptr<TObject> Clone() const override { return std::make_unique<TStringList>(Strings); }
    int Count() const { return int(Strings.size()); }
    QStringList Strings;
};

// ---- lists ---------------------------------------------------------------------------------

using TImageChangeEvent = std::function<void(TObject* sender, int col, int row)>;

// Integers of one cell; every change but Insert is reported with the owner cell.
class TIntList : public TObject {
public:
    TIntList(int col, int row) : FCol(col), FRow(row) {}
    QString ClassName() const override { return QStringLiteral("TIntList"); }
    std::unique_ptr<TObject> Clone() const override;

    int Count() const { return int(items.size()); }
    int Add(int value);
    void Insert(int index, int value);
    void Delete(int index);
    void DeleteValue(int value);
    bool HasValue(int value) const;
    int GetInteger(int index) const;
    void SetInteger(int index, int value);
    void Clear() { items.clear(); }
    QString StrValue() const;
    void SetStrValue(const QString& value);
    int Col() const { return FCol; }
    int Row() const { return FRow; }

    TImageChangeEvent OnChange;

protected:
    void changed();
    std::vector<int> items;

private:
    int FCol;
    int FRow;
};

// Sort keys: the column in bits 0..30, bit 31 set for a descending key; primary key first.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(-1, -1) {}
    QString ClassName() const override { return QStringLiteral("TSortIndexList"); }
    void AddIndex(int columnIndex, bool ascending);
    int FindIndex(int columnIndex) const;
    void ToggleIndex(int columnIndex);
    int SortColumns(int i) const;
    void SetSortColumns(int i, int column);
    bool SortDirections(int i) const;
    void SetSortDirections(int i, bool ascending);
    QString SaveToString() const;
    void LoadFromString(const QString& s);
};

using TControl = QWidget;

class TControlItem {
public:
    TControlItem(int x, int y, TControl* control) : FX(x), FY(y), FObject(control) {}
    int X() const { return FX; }
    void SetX(int v) { FX = v; }
    int Y() const { return FY; }
    void SetY(int v) { FY = v; }
    TControl* Control() const { return FObject; }

private:
    int FX;
    int FY;
    QPointer<TControl> FObject;
};

// Controls placed in cells; owns its items, never the controls.
class TControlList {
public:
    int Count() const { return int(items.size()); }
    void AddControl(int x, int y, TControl* control);
    int ControlIndex(int x, int y) const;
    TControlItem* GetControl(int i) const;
    void RemoveControl(int i);
    bool HasHandle(const TControl* handle) const;

private:
    std::vector<std::unique_ptr<TControlItem>> items;
};

// Lines read and written one at a time by the text-file import and export.
class TFileStringList : public TStringList {
public:
    QString ClassName() const override { return QStringLiteral("TFileStringList"); }
    void Reset();
    bool Eof() const { return fp >= Count(); }
    void ReadLn(QString& s);
    void Write(const QString& s) { cache += s; }
    void WriteLn(const QString& s);

private:
    int fp = 0;
    QString cache;
};

// A picture known by its file; loaded only to measure or draw it.
class TFilePicture : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TFilePicture"); }
    std::unique_ptr<TObject> Clone() const override;
    QString Filename() const { return FFilename; }
    void SetFilename(const QString& name);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void DrawPicture(QPainter& canvas, const TRect& r) const;
    void Assign(const TPersistent& source);

private:
    QString FFilename;
    int FWidth = 0;
    int FHeight = 0;
};

// ---- settings objects ------------------------------------------------------------------------

// clang-format off
#define QV_PLAIN(Type, Name, Default)                                                        \
public:                                                                                       \
    Type Name() const { return F##Name; }                                                     \
    void Set##Name(const Type& v) { F##Name = v; }                                            \
                                                                                              \
private:                                                                                      \
    Type F##Name = Default;
// clang-format on

#define QV_DECLARE(Type, Name, Default) QV_PLAIN(Type, Name, Default)
#define QV_COPY(Type, Name, Default) F##Name = src->F##Name;

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TSearchDirection { sdTopBottom, sdLeftRight };

class TSearchFooter : public TPersistent {
public:
    TSearchFooter(TStringGrid* owner, bool initDesign);
    QString ClassName() const override { return QStringLiteral("TSearchFooter"); }
    void Assign(const TPersistent& source);

// clang-format off
#define QV_SEARCH_NOTIFY(X)                                                                   \
    X(TColor, Color, 0xFFFFFF) X(TColor, ColorTo, platform::clBtnFace)                        \
    X(QString, FindNextCaption, {}) X(QString, FindPrevCaption, {})                            \
    X(QString, HighLightCaption, {}) X(QString, MatchCaseCaption, {}) X(QString, HintClose, {}) \
    X(QString, HintFindNext, {}) X(QString, HintFindPrev, {}) X(QString, HintHighlight, {})    \
    X(bool, ShowClose, true)
// clang-format on
// clang-format off
#define QV_SEARCH_ON_CHANGE(X)                                                                \
    X(bool, ShowFindNext, true) X(bool, ShowFindPrev, true) X(bool, ShowHighLight, true)      \
    X(bool, ShowMatchCase, true) X(bool, Visible, false)
// clang-format on
// clang-format off
#define QV_SEARCH_PLAIN(X)                                                                    \
    X(bool, AlwaysHighLight, false) X(bool, SearchActiveColumnOnly, false)                    \
    X(int, SearchColumn, -1) X(bool, SearchMatchStart, false) X(bool, SearchHiddenRows, false) \
    X(TSearchDirection, SearchDirection, sdTopBottom)
// clang-format on

// clang-format off
#define QV_NOTIFY_ALWAYS(Type, Name, Default)                                                 \
public:                                                                                       \
    Type Name() const { return F##Name; }                                                     \
    void Set##Name(const Type& v)                                                             \
    {                                                                                         \
        F##Name = v;                                                                          \
        changed();                                                                            \
    }                                                                                         \
                                                                                              \
private:                                                                                      \
    Type F##Name = Default;
// clang-format on
// clang-format off
#define QV_NOTIFY_ON_CHANGE(Type, Name, Default)                                              \
public:                                                                                       \
    Type Name() const { return F##Name; }                                                     \
    void Set##Name(const Type& v)                                                             \
    {                                                                                         \
        if (F##Name == v)                                                                     \
            return;                                                                           \
        F##Name = v;                                                                          \
        changed();                                                                            \
    }                                                                                         \
                                                                                              \
private:                                                                                      \
    Type F##Name = Default;
    // clang-format on

    QV_SEARCH_NOTIFY(QV_NOTIFY_ALWAYS)
    QV_SEARCH_ON_CHANGE(QV_NOTIFY_ON_CHANGE)
    QV_SEARCH_PLAIN(QV_DECLARE)
    QV_PLAIN(bool, AutoSearch, true)
    QV_PLAIN(bool, SearchFixedCells, false)
    QV_PLAIN(QString, LastSearch, {})

public:
    const TFont& Font() const
    {
        return FFont;
    }
    void SetFont(const TFont& f);
    bool AutoThemeAdapt() const
    {
        return FAutoThemeAdapt;
    }
    void SetAutoThemeAdapt(bool v);
    TNotifyEvent OnChange;

private:
    void changed();
    TFont FFont;
    bool FAutoThemeAdapt = false;
};

enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardPasteAction { paReplace, paInsert };
enum TCursorAdvance { caDefault, caSnake, caLoop };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };

class TNavigation : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TNavigation"); }
    void Assign(const TPersistent& source);

// clang-format off
#define QV_NAVIGATION_PLAIN(X)                                                                \
    X(bool, AllowInsertRow, false) X(bool, AllowDeleteRow, false) X(bool, AlwaysEdit, false)   \
    X(bool, AdvanceOnEnter, false) X(bool, AdvanceOnEnterLoop, true)                          \
    X(bool, AdvanceAutoEdit, true) X(bool, AdvanceSkipReadOnlyCells, true)                    \
    X(bool, AutoGotoWhenSorted, false) X(bool, AutoGotoIncremental, false)                    \
    X(bool, AutoComboDropSize, false) X(bool, AllowClipboardShortCuts, false)                 \
    X(bool, AllowCtrlEnter, true) X(bool, AllowSmartClipboard, false)                         \
    X(bool, AllowRTFClipboard, false) X(bool, AllowFmtClipboard, false)                       \
    X(bool, AllowClipboardAlways, false) X(bool, AllowClipboardRowGrow, true)                 \
    X(bool, AllowClipboardColGrow, true) X(bool, AppendOnArrowDown, false)                    \
    X(bool, EditSelectAll, true) X(TInsertPosition, InsertPosition, pInsertBefore)            \
    X(TClipboardPasteAction, ClipboardPasteAction, paReplace) X(bool, ComboGetUpDown, true)   \
    X(TCursorAdvance, CursorAdvance, caDefault) X(bool, CursorWalkEditor, false)              \
    X(bool, CursorWalkAlwaysEdit, true) X(bool, CursorMoveRows, false)                        \
    X(bool, MoveRowOnSort, false) X(bool, MoveScrollOnly, false) X(bool, ImproveMaskSel, false) \
    X(bool, LeftRightRowSelect, true) X(bool, CopyHTMLTagsToClipboard, true)                  \
    X(bool, KeepHorizScroll, false) X(bool, LineFeedOnEnter, false)                           \
    X(THomeEndAction, HomeEndKey, heFirstLastColumn) X(bool, SkipFixedCells, true)            \
    X(bool, SkipDisabledRows, true) X(bool, TabToNextAtEnd, false)                            \
    X(TAdvanceDirection, TabAdvanceDirection, adLeftRight)
    // clang-format on

    QV_NAVIGATION_PLAIN(QV_DECLARE)
    QV_PLAIN(bool, KeepScrollOnSort, false)

public:
    TAdvanceDirection AdvanceDirection() const
    {
        return FAdvanceDirection;
    }
    void SetAdvanceDirection(TAdvanceDirection v);
    bool AdvanceInsert() const
    {
        return FAdvanceInsert;
    }
    void SetAdvanceInsert(bool v);
    bool AdvanceAuto() const
    {
        return FAdvanceAuto;
    }
    void SetAdvanceAuto(bool v);
    TNotifyEvent OnChange;

private:
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    bool FAdvanceInsert = false;
    bool FAdvanceAuto = false;
};

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };

class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TObject* owner = nullptr) : FOwner(owner) {}
    QString ClassName() const override { return QStringLiteral("TMouseActions"); }
    void Assign(const TPersistent& source);

// clang-format off
#define QV_MOUSE_PLAIN(X)                                                                     \
    X(bool, AllColumnSize, false) X(bool, AllRowSize, false) X(bool, AllSelect, false)        \
    X(bool, AutoSizeColOnDblClick, true) X(bool, CaretPositioning, false)                     \
    X(bool, CheckAllCheck, false) X(bool, ColSelect, false) X(bool, DirectComboClose, false)   \
    X(bool, DirectComboDrop, false) X(bool, DirectDateClose, false)                           \
    X(bool, DirectDateDrop, false) X(bool, DirectEdit, false)                                 \
    X(bool, DisjunctRowSelectNoCtrl, false) X(TGridFixedCellEdit, FixedRowsEdit, fceNone)     \
    X(TGridFixedCellEdit, FixedColsEdit, fceNone)                                             \
    X(TGridFixedCellEditor, FixedRowsEditor, fceEdit)                                         \
    X(TGridFixedCellEditor, FixedColsEditor, fceEdit) X(bool, MoveRowOnNodeClick, false)      \
    X(bool, NoAutoRangeScroll, false) X(bool, NodeAllExpandContract, false)                   \
    X(bool, NoScrollOnPartialRow, false) X(bool, PreciseCheckBoxCheck, false)                 \
    X(bool, PreciseNodeClick, true) X(bool, RangeSelectAndEdit, false) X(bool, RowSelect, false) \
    X(bool, RowSelectPersistent, false) X(bool, SelectOnRightClick, false)                    \
    X(bool, SizeFixedCol, false) X(int, WheelIncrement, 0)
    // clang-format on

    QV_MOUSE_PLAIN(QV_DECLARE)
    QV_PLAIN(bool, SizeFixedRow, false)

public:
    bool HotmailRowSelect() const
    {
        return FHotmailRowSelect;
    }
    void SetHotmailRowSelect(bool v);
    bool EditOnDblClickOnly() const
    {
        return FEditOnDblClickOnly;
    }
    void SetEditOnDblClickOnly(bool v);
    bool DisjunctRowSelect() const
    {
        return FDisjunctRowSelect;
    }
    void SetDisjunctRowSelect(bool v);
    bool DisjunctColSelect() const
    {
        return FDisjunctColSelect;
    }
    void SetDisjunctColSelect(bool v);
    bool DisjunctCellSelect() const
    {
        return FDisjunctCellSelect;
    }
    void SetDisjunctCellSelect(bool v);
    TWheelAction WheelAction() const
    {
        return FWheelAction;
    }
    void SetWheelAction(TWheelAction v);
    const QStringList& FixedComboValues() const
    {
        return FFixedComboValues;
    }
    void SetFixedComboValues(const QStringList& v)
    {
        FFixedComboValues = v;
    }

    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDisableEdit;
    std::function<void(TObject* sender, bool& designing)> OnIsDesigning;

private:
    bool designing();
    TObject* FOwner;
    bool FHotmailRowSelect = false;
    bool FEditOnDblClickOnly = false;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    TWheelAction FWheelAction = waMoveSelection;
    QStringList FFixedComboValues;
};

class TSyncGrid : public TPersistent {
public:
    explicit TSyncGrid(TStringGrid* owner) : FOwner(owner) {}
    QString ClassName() const override { return QStringLiteral("TSyncGrid"); }
    void Assign(const TPersistent& source);
    TStringGrid* Grid() const { return FGrid; }
    void SetGrid(TStringGrid* grid);

// clang-format off
#define QV_SYNC_PLAIN(X)                                                                      \
    X(bool, ScrollVertical, false) X(bool, ScrollHorizontal, false) X(bool, SelectionRow, false) \
    X(bool, SelectionColumn, false) X(bool, MoveRow, false) X(bool, MoveColumn, false)
    // clang-format on
    QV_SYNC_PLAIN(QV_DECLARE)

private:
    TStringGrid* FOwner;
    QPointer<TStringGrid> FGrid;
};

class TBands : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TBands"); }
    void Assign(const TPersistent& source);
    bool Active() const { return FActive; }
    void SetActive(bool v);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor v);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor v);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int v);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int v);
    int TotalLength() const { return FTotalLength; }
    // Band colour of a row counted from the first non-fixed row; clNone without banding.
    TColor RowColor(int r) const;
    QV_PLAIN(bool, Print, false)

public:
    TNotifyEvent OnChange;

private:
    void changedWhileActive();
    bool FActive = false;
    TColor FPrimaryColor = platform::clInfoBk;
    TColor FSecondaryColor = platform::clWindow;
    int FPrimaryLength = 1;
    int FSecondaryLength = 1;
    int FTotalLength = 2;
};

class TFocusHelper : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TFocusHelper"); }
    void Assign(const TPersistent& source);
    QV_PLAIN(bool, Enabled, false)
};

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode : public TPersistent {
public:
    explicit TCellNode(TStringGrid* owner) : FOwner(owner) {}
    QString ClassName() const override { return QStringLiteral("TCellNode"); }
    void Assign(const TPersistent& source);

    QV_PLAIN(TColor, Color, 0xC0C0C0)
    QV_PLAIN(TColor, NodeColor, 0)
    QV_PLAIN(bool, ExpandOne, false)

public:
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType v);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool v);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool v);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor v);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int v);
    const TBitmap& ExpandGlyph() const { return FExpandGlyph; }
    void SetExpandGlyph(const TBitmap& b) { FExpandGlyph.Image = b.Image; }
    const TBitmap& ContractGlyph() const { return FContractGlyph; }
    void SetContractGlyph(const TBitmap& b) { FContractGlyph.Image = b.Image; }

private:
    void repaint();
    TStringGrid* FOwner;
    TNodeType FNodeType = cnXP;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    TColor FTreeColor = 0x808080;
    int FNodeIndent = 12;
    TBitmap FExpandGlyph;
    TBitmap FContractGlyph;
};

class TSizeWhileTyping : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TSizeWhileTyping"); }
    QV_PLAIN(bool, Height, false)
    QV_PLAIN(bool, Width, false)
};

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };

class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TObject* owner = nullptr) : Owner(owner) {}
    QString ClassName() const override { return QStringLiteral("TColumnSize"); }
    void Assign(const TPersistent& source);

// clang-format off
#define QV_COLUMNSIZE_PLAIN(X)                                                                \
    X(bool, Save, false) X(QString, Key, {}) X(QString, Section, {}) X(int, StretchColumn, -1) \
    X(bool, SynchWithGrid, false) X(bool, SynchNormalCellsOnly, false)                        \
    X(TColumnSizeLocation, Location, clRegistry) X(TAutoSizeRows, Rows, arAll)
    // clang-format on
    QV_COLUMNSIZE_PLAIN(QV_DECLARE)

public:
    bool Stretch() const
    {
        return FStretch;
    }
    // Stores the switch and has the grid re-apply the stretching (the grid sets the hook).
    void SetStretch(bool v);
    std::function<void()> OnStretchChanged;
    TObject* Owner;

private:
    bool FStretch = false;
};

class THTMLSettings : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("THTMLSettings"); }
    void Assign(const TPersistent& source);

// clang-format off
#define QV_HTML_PLAIN(X)                                                                      \
    X(bool, AutoPreview, false) X(bool, ConvertSpecialChars, false)                           \
    X(bool, NonBreakingText, false) X(bool, SaveColor, true) X(bool, SaveFonts, true)          \
    X(QString, FooterFile, {}) X(QString, HeaderFile, {}) X(int, BorderSize, 1)                \
    X(int, CellSpacing, 0) X(int, CellPadding, 0) X(QString, TableStyle, {})                   \
    X(QString, PrefixTag, {}) X(QString, SuffixTag, {}) X(QString, Summary, {}) X(int, Width, 100) \
    X(bool, XHTML, false)
    // clang-format on
    QV_HTML_PLAIN(QV_DECLARE)
    QV_PLAIN(bool, ExportImages, true)

public:
    TIntList& ColWidths()
    {
        return FColWidths;
    }
    const TIntList& ColWidths() const
    {
        return FColWidths;
    }

private:
    TIntList FColWidths{-1, -1};
};

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPrinterOrientation { poPortrait, poLandscape };

class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TStringGrid* grid) : FGrid(grid) {}
    QString ClassName() const override { return QStringLiteral("TPrintSettings"); }
    // Raises EInvalidCast for a source of another class.
    void Assign(const TPersistent& source);
    TStringGrid* Grid() const { return FGrid; }

// clang-format off
#define QV_PRINT_PLAIN(X)                                                                     \
    X(TPrintPosition, Time, ppNone) X(TPrintPosition, Date, ppNone)                           \
    X(TPrintPosition, PageNr, ppNone) X(QString, PageNumSep, QStringLiteral("/"))             \
    X(QString, DateFormat, QStringLiteral("dd/mm/yyyy")) X(TPrintPosition, Title, ppNone)     \
    X(TFont, Font, {}) X(TFont, HeaderFont, {}) X(TFont, FooterFont, {})                       \
    X(TPrintBorders, Borders, pbSingle) X(TPenStyle, BorderStyle, psSolid)                    \
    X(QString, TitleText, {}) X(QStringList, TitleLines, {}) X(bool, Centered, true)           \
    X(bool, RepeatFixedRows, false) X(bool, RepeatFixedCols, false) X(int, FooterSize, 0)      \
    X(int, HeaderSize, 0) X(int, LeftSize, 0) X(int, RightSize, 0) X(int, ColumnSpacing, 0)    \
    X(int, RowSpacing, 0) X(int, TitleSpacing, 0)                                              \
    X(TPrinterOrientation, Orientation, poPortrait) X(QString, PagePrefix, {})                \
    X(QString, PageSuffix, {}) X(int, FixedHeight, 0) X(bool, UseFixedHeight, false)           \
    X(int, FixedWidth, 0) X(bool, UseFixedWidth, false) X(TFitToPage, FitToPage, fpNever)      \
    X(bool, NoAutoSize, false) X(bool, PrintGraphics, false) X(QString, JobName, {})           \
    X(bool, NoAutoSizeRow, false) X(int, PageNumberOffset, 0) X(int, MaxPagesOffset, 0)        \
    X(TFont, FixedFont, {}) X(bool, UseDisplayFont, true) X(bool, UseDefaultOrientation, false) \
    X(TColor, BorderColor, 0)
    // clang-format on
    QV_PRINT_PLAIN(QV_DECLARE)
    QV_PLAIN(bool, FixedCellsAlways, false)

private:
    TStringGrid* FGrid;
};

// ---- sort settings and control look ----------------------------------------------------------
//
// The grid's SortSettings() and ControlLook(): the one store of the sort state and of the look
// of cell controls that the painter, the sorting and the look logic all read and write.

class TQvStringGrid;
struct TGridLookState;

enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };
enum TIndexSortKey { ikShift, ikCtrl };
enum TControlStyle { csClassic, csFlat, csWinXP, csBorland, csVLX, csGlyph, csTheme };

// The run-time library's plain error, raised where no grid error applies.
class Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message) : std::runtime_error(message.toStdString()), msg(message) {}
    const QString& Message() const { return msg; }

private:
    QString msg;
};

class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TQvStringGrid* grid = nullptr) : FGrid(grid) {}
    QString ClassName() const override { return QStringLiteral("TSortSettings"); }
    // From another sort settings object; IgnoreCase and SortOnVirtualCells stay this one's.
    void Assign(const TPersistent& source);

// clang-format off
#define QV_SORT_PLAIN(X)                                                                      \
    X(bool, IndexShow, false) X(bool, Full, true) X(bool, SingleColumn, false)                  \
    X(bool, IgnoreBlanks, false) X(TSortBlankPosition, BlankPos, blFirst) X(bool, AutoFormat, true) \
    X(TSortDirection, Direction, sdAscending) X(bool, NormalCellsOnly, false) X(bool, FixedCols, false) \
    X(int, Column, -1) X(bool, AutoColumnMerge, false) X(TColor, IndexColor, platform::clYellow) \
    X(TSortDirection, InitSortDirection, sdAscending) X(bool, UndoSort, false)                 \
    X(bool, AutoSortForGrouping, true) X(bool, IgnoreCase, false) X(TIndexSortKey, IndexSortKey, ikShift)
    // clang-format on
    QV_SORT_PLAIN(QV_DECLARE)

public:
    bool SortOnVirtualCells() const
    {
        return FVirtualCells;
    }
    void SetSortOnVirtualCells(bool v)
    {
        FVirtualCells = v;
    }
    // Repaints the grid when it changes.
    bool Show() const
    {
        return FShow;
    }
    void SetShow(bool v);
    // Raises "Sort row should be smaller than number of fixed rows" for a row that is not a
    // fixed row of the grid.
    int Row() const
    {
        return FRow;
    }
    void SetRow(int v);
    // The sorted column's header gradient; a change repaints the last fixed row.
    TColor HeaderColor() const
    {
        return FHeaderColor;
    }
    void SetHeaderColor(TColor v);
    TColor HeaderColorTo() const
    {
        return FHeaderColorTo;
    }
    void SetHeaderColorTo(TColor v);
    TColor HeaderMirrorColor() const
    {
        return FHeaderMirrorColor;
    }
    void SetHeaderMirrorColor(TColor v);
    TColor HeaderMirrorColorTo() const
    {
        return FHeaderMirrorColorTo;
    }
    void SetHeaderMirrorColorTo(TColor v);
    // Glyphs are copied.
    const TBitmap& UpGlyph() const
    {
        return FUpGlyph;
    }
    void SetUpGlyph(const TBitmap& v)
    {
        FUpGlyph.Image = v.Image;
    }
    const TBitmap& DownGlyph() const
    {
        return FDownGlyph;
    }
    void SetDownGlyph(const TBitmap& v)
    {
        FDownGlyph.Image = v.Image;
    }
    const TBitmap& IndexUpGlyph() const
    {
        return FIndexUpGlyph;
    }
    void SetIndexUpGlyph(const TBitmap& v)
    {
        FIndexUpGlyph.Image = v.Image;
    }
    const TBitmap& IndexDownGlyph() const
    {
        return FIndexDownGlyph;
    }
    void SetIndexDownGlyph(const TBitmap& v)
    {
        FIndexDownGlyph.Image = v.Image;
    }

    void ToggleDirection();
    // No sorted column, no index keys.
    void Remove();
    // "i;" and the index keys with IndexShow, else "u" or "d" and the column.
    QString SaveToString() const;
    // Shows the indicator and sorts as the text says; raises "Invalid sort settings specifier"
    // for a text of one character. An empty text changes nothing.
    void LoadFromString(const QString& value);

    TQvStringGrid* Grid() const
    {
        return FGrid;
    }

private:
    void repaintHeader();
    TQvStringGrid* FGrid;
    bool FShow = false;
    int FRow = 0;
    bool FVirtualCells = true;
    TColor FHeaderColor = clNone;
    TColor FHeaderColorTo = clNone;
    TColor FHeaderMirrorColor = clNone;
    TColor FHeaderMirrorColorTo = clNone;
    TBitmap FUpGlyph, FDownGlyph, FIndexUpGlyph, FIndexDownGlyph;
};

// How check boxes, radio buttons, buttons, progress bars, drop-down buttons, comment markers and
// the fixed cells' gradients are drawn. The gradient writers pass their values on to the grid's
// own copies (its look store): From, To and Border only when set, mirror colours always, so a
// value written here after a scheme is the one painted.
class TControlLook : public TPersistent {
public:
    explicit TControlLook(TQvStringGrid* grid = nullptr);
    ~TControlLook() override;
    TControlLook(const TControlLook&) = delete;
    TControlLook& operator=(const TControlLook&) = delete;
    QString ClassName() const override { return QStringLiteral("TControlLook"); }
    // From another control look, values stored directly: the grid's copies are not written.
    void Assign(const TPersistent& source);
    // The gradient colours back to their defaults; the hover and pressed mirror colours go
    // through their writers.
    void Init();

    // Writers that store and repaint the grid.
// clang-format off
#define QV_CONTROLLOOK_REPAINT(X)                                                             \
    X(TColor, Color, platform::clBlack) X(TColor, CommentColor, platform::clRed)               \
    X(TControlStyle, ControlStyle, csTheme) X(bool, FlatButton, false)                         \
    X(int, ProgressMarginX, 2) X(int, ProgressMarginY, 2) X(bool, ProgressXP, false)           \
    X(bool, DropDownAlwaysVisible, false) X(bool, SpinButtonsAlwaysVisible, false)             \
    X(bool, NoDisabledCheckRadioLook, false) X(bool, NoDisabledButtonLook, false) X(int, RadioSize, 10)
// clang-format on
// clang-format off
#define QV_CONTROLLOOK_REPAINT_DECLARE(Type, Name, Default)                                    \
public:                                                                                       \
    Type Name() const { return F##Name; }                                                     \
    void Set##Name(const Type& v);                                                            \
                                                                                              \
private:                                                                                      \
    Type F##Name = Default;
    // clang-format on
    QV_CONTROLLOOK_REPAINT(QV_CONTROLLOOK_REPAINT_DECLARE)

// clang-format off
#define QV_CONTROLLOOK_PLAIN(X)                                                               \
    X(TColor, ProgressBorderColor, platform::clGray) X(bool, CheckAlwaysActive, false)         \
    X(bool, RadioAlwaysActive, false) X(bool, FixedDropDownButton, false) X(int, DropDownCount, 8) \
    X(int, HintMaxWidth, 0)
    // clang-format on
    QV_CONTROLLOOK_PLAIN(QV_DECLARE)

    // Gradient colours of fixed cells; their writers pass on to the grid's copies.
// clang-format off
#define QV_CONTROLLOOK_GRADIENTS(X)                                                           \
    X(FixedGradientFrom, clNone) X(FixedGradientTo, clNone) X(FixedGradientMirrorFrom, clNone)  \
    X(FixedGradientMirrorTo, clNone) X(FixedGradientHoverFrom, platform::clGray)              \
    X(FixedGradientHoverTo, platform::clWhite) X(FixedGradientHoverMirrorFrom, clNone)        \
    X(FixedGradientHoverMirrorTo, clNone) X(FixedGradientHoverBorder, platform::clSilver)     \
    X(FixedGradientDownFrom, platform::clGray) X(FixedGradientDownTo, platform::clSilver)     \
    X(FixedGradientDownMirrorFrom, clNone) X(FixedGradientDownMirrorTo, clNone)               \
    X(FixedGradientDownBorder, platform::clGray)
// clang-format on
// clang-format off
#define QV_CONTROLLOOK_GRADIENT_DECLARE(Name, Default)                                         \
public:                                                                                       \
    TColor Name() const { return F##Name; }                                                   \
    void Set##Name(TColor v);                                                                 \
                                                                                              \
private:                                                                                      \
    TColor F##Name = Default;
    // clang-format on
    QV_CONTROLLOOK_GRADIENTS(QV_CONTROLLOOK_GRADIENT_DECLARE)

public:
    // Side of a check box; repaints.
    int CheckSize() const
    {
        return FCheckBoxSize;
    }
    void SetCheckSize(int v);
    // The glyphs of the glyph style; copied, repaint.
    const TBitmap& CheckedGlyph() const
    {
        return FCheckedGlyph;
    }
    void SetCheckedGlyph(const TBitmap& v);
    const TBitmap& UnCheckedGlyph() const
    {
        return FUnCheckedGlyph;
    }
    void SetUnCheckedGlyph(const TBitmap& v);
    const TBitmap& RadioOnGlyph() const
    {
        return FRadioOnGlyph;
    }
    void SetRadioOnGlyph(const TBitmap& v);
    const TBitmap& RadioOffGlyph() const
    {
        return FRadioOffGlyph;
    }
    void SetRadioOffGlyph(const TBitmap& v);
    // The popup header and footer looks of the drop-down cell editors; writing assigns.
    THeaderAppearance& DropDownHeader()
    {
        return *FDropDownHeader;
    }
    const THeaderAppearance& DropDownHeader() const
    {
        return *FDropDownHeader;
    }
    void SetDropDownHeader(const THeaderAppearance& v)
    {
        FDropDownHeader->Assign(v);
    }
    TFooterAppearance& DropDownFooter()
    {
        return *FDropDownFooter;
    }
    const TFooterAppearance& DropDownFooter() const
    {
        return *FDropDownFooter;
    }
    void SetDropDownFooter(const TFooterAppearance& v)
    {
        FDropDownFooter->Assign(v);
    }

    TQvStringGrid* Grid() const
    {
        return FGrid;
    }
    // A look without a grid passes its gradients on to this store instead (the look logic
    // run on its own).
    void SetGradientCopies(TGridLookState* copies)
    {
        FCopies = copies;
    }

private:
    void repaint();
    TGridLookState* copies() const;
    TQvStringGrid* FGrid;
    TGridLookState* FCopies = nullptr;
    bool FConstructing = false;
    int FCheckBoxSize = 15;
    TBitmap FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
};

} // namespace grid

// ---- focus frame, arrow windows and alpha mask ---------------------------------------------

namespace grid {

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// A small green window in the shape of an arrow, marking where a dragged row or column lands.
class TArrowWindow : public QWidget {
    Q_OBJECT
public:
    TArrowWindow(QWidget* owner, TArrowDirection direction);
    TArrowDirection Dir() const { return FDir; }
    // The arrow's fill; the grid's ArrowColor writes all four.
    TColor Color = platform::clLime;
    // The arrow polygon of a direction, in window coordinates.
    static QPolygon Arrow(TArrowDirection direction);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TArrowDirection FDir;
};

// The window that carries the soft frame around the focused cell; never takes input or focus.
class TGridAlphaMask;

// Translucent: it paints its mask's pixels with their own alpha and the mask's opacity, as the
// platform has no layered-window update to do it.
class TGridFocusWindow : public QWidget {
    Q_OBJECT
public:
    explicit TGridFocusWindow(QWidget* owner);
    // Takes the mask's pixels and opacity and the mask's size; a mask of height 0 changes nothing.
    void ApplyLayeredMask(const TGridAlphaMask& mask);
    const QImage& Picture() const { return FPicture; }
    unsigned char Opacity() const { return FOpacity; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage FPicture;
    unsigned char FOpacity = 255;
};

// A 32-bit picture with per-pixel opacity (premultiplied) and an opacity for the whole window.
class TGridAlphaMask : public TPersistent {
public:
    TGridAlphaMask() = default;
    QString ClassName() const override { return QStringLiteral("TGridAlphaMask"); }
    std::unique_ptr<TObject> Clone() const override;
    // From another mask: its opacity and its pixels over this mask's size (a smaller source
    // is read only within its own size, the rest stays transparent); from a picture: its pixels.
    void Assign(const TGridAlphaMask& source);
    void Assign(const QImage& picture);
    // Alpha from the mask's red channel, colour from the 24-bit bitmap scaled by that alpha.
    // Nothing happens unless bitmap is 24-bit.
    void MergeMask(const QImage& mask, const QImage& bitmap, TColor color);
    unsigned char Opacity() const { return FOpacity; }
    void SetOpacity(unsigned char v) { FOpacity = v; }
    const QImage& Image() const { return FImage; }
    void SetSize(int w, int h);

private:
    QImage FImage{0, 0, QImage::Format_ARGB32_Premultiplied};
    unsigned char FOpacity = 255;
};

// A white rounded outline (or filled shape for pen width 0) on black, 24-bit, blurred when
// radius > 0.
void MakeRoundRectMask(QImage& bitmap, int width, int height, double radius, int corner, int penWidth);
// Half-width of the blur kernel for a radius (1..10).
int BlurKernelSize(double radius);
// Gaussian blur in place; raises for a picture that is not 24-bit.
void BlurBitmap24(QImage& bitmap, double radius);

} // namespace grid

// ---- grid button and grid check box --------------------------------------------------------

namespace grid {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TQvGridButtonStyle { tasButton, tasCheck };

class TQvGridButton;

// QAction has no group index of its own; an action carries it in this dynamic property.
inline constexpr char kActionGroupIndexProperty[] = "GroupIndex";

// Keeps a button's caption, down state and group index in step with a QAction. A button value
// follows the action only while it still equals the action's previous value, so a caption the
// program changed on the button itself is not overwritten. Enabled state, visibility and hint
// always follow.
class TQvGridButtonActionLink : public QObject {
public:
    TQvGridButtonActionLink(TQvGridButton* client, QAction* action);
    QAction* Action() const { return FAction; }
    bool IsCaptionLinked() const;
    // Only a grouped button with AllowAllUp follows the action's checked state.
    bool IsCheckedLinked() const;
    bool IsGroupIndexLinked() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ActionChanged();
    TQvGridButton* FClient;
    QPointer<QAction> FAction;
    QString lastCaption;
    bool lastChecked = false;
    int lastGroupIndex = 0;
};

// A flat, gradient-coloured tool button that never takes the focus: glyphs per state, check
// and group behaviour (the buttons of one group are the grouped buttons of one parent), an
// optional drop-down part at the right and seven colour looks. Painting and state rules are in
// QvObj/gridbutton.cpp; the looks are one table there.
class TQvGridButton : public QWidget {
    Q_OBJECT
public:
    using TButtonEvent = std::function<void(TQvGridButton* sender)>;
    using TButtonMouseEvent = std::function<void(TQvGridButton* sender, Qt::MouseButton button, int X, int Y)>;

    explicit TQvGridButton(QWidget* owner = nullptr);
    ~TQvGridButton() override;

// clang-format off
#define QV_BUTTON_COLORS(X)                                                                    \
    X(Color) X(ColorTo) X(ColorHot) X(ColorHotTo) X(ColorDown) X(ColorDownTo) X(ColorChecked)    \
    X(ColorCheckedTo) X(BorderColor) X(BorderDownColor) X(BorderHotColor)
// clang-format on
// clang-format off
#define QV_BUTTON_COLOR_ACCESS(Name)                                                           \
    TColor Name() const { return F##Name; }                                                   \
    void Set##Name(TColor v);
    // clang-format on
    QV_BUTTON_COLORS(QV_BUTTON_COLOR_ACCESS)
#undef QV_BUTTON_COLOR_ACCESS

    bool Flat() const
    {
        return FFlat;
    }
    void SetFlat(bool v);
    TButtonLayout Layout() const
    {
        return FLayout;
    }
    void SetLayout(TButtonLayout v);
    int Margin() const
    {
        return FMargin;
    }
    // Values below -1 are refused.
    void SetMargin(int v);
    int Spacing() const
    {
        return FSpacing;
    }
    void SetSpacing(int v);
    bool ShowCaption() const
    {
        return FShowCaption;
    }
    void SetShowCaption(bool v);
    bool Shaded() const
    {
        return FShaded;
    }
    void SetShaded(bool v);
    TQvGridButtonStyle Style() const
    {
        return FStyle;
    }
    void SetStyle(TQvGridButtonStyle v);
    bool Rounded() const
    {
        return FRounded;
    }
    void SetRounded(bool v);
    bool DropDownButton() const
    {
        return FDropDownButton;
    }
    void SetDropDownButton(bool v);
    QMenu* DropDownMenu() const
    {
        return FDropDownMenu;
    }
    void SetDropDownMenu(QMenu* v)
    {
        FDropDownMenu = v;
    }
    bool AutoXPStyle() const
    {
        return FAutoXPStyle;
    }
    void SetAutoXPStyle(bool v)
    {
        FAutoXPStyle = v;
    }
    bool AutoThemeAdapt() const
    {
        return FAutoThemeAdapt;
    }
    void SetAutoThemeAdapt(bool v);
    int GroupIndex() const
    {
        return FGroupIndex;
    }
    void SetGroupIndex(int v);
    bool AllowAllUp() const
    {
        return FAllowAllUp;
    }
    void SetAllowAllUp(bool v);
    bool Down() const
    {
        return FDown;
    }
    void SetDown(bool v);
    int Look() const
    {
        return FLook;
    }
    // Looks 0 to 6; other values change nothing.
    void SetLook(int v);

    // Glyphs are copied. Writing Glyph also makes a grey GlyphDisabled when that is empty.
    const QImage& Glyph() const
    {
        return FGlyph;
    }
    void SetGlyph(const QImage& v);
    const QImage& GlyphHot() const
    {
        return FGlyphHot;
    }
    void SetGlyphHot(const QImage& v)
    {
        FGlyphHot = v;
    }
    const QImage& GlyphDown() const
    {
        return FGlyphDown;
    }
    void SetGlyphDown(const QImage& v)
    {
        FGlyphDown = v;
    }
    const QImage& GlyphDisabled() const
    {
        return FGlyphDisabled;
    }
    void SetGlyphDisabled(const QImage& v);
    // The glyph's silhouette in grey, drawn under the lifted glyph of a hot button.
    const QImage& GlyphShade() const
    {
        return FGlyphShade;
    }

    QString Caption() const
    {
        return FCaption;
    }
    void SetCaption(const QString& v);
    // The colour of the caption and of the drop-down triangle (a QFont has none).
    TColor FontColor() const
    {
        return FFontColor;
    }
    void SetFontColor(TColor v);

    QAction* Action() const
    {
        return FActionLink ? FActionLink->Action() : nullptr;
    }
    // Takes caption, enabled state, visibility, hint, group index and checked state from the
    // action and keeps following it; a click triggers it.
    void SetAction(QAction* action);

    TButtonState State() const
    {
        return FState;
    }
    bool MouseInControl() const
    {
        return FMouseInControl;
    }

    // End of the owner's set-up (what reading a form does last): builds the shade glyph.
    void Loaded();
    // OnClick, then the linked action.
    void Click();

    TButtonEvent OnClick;
    TButtonEvent OnDblClick;
    TButtonEvent OnMouseEnter;
    TButtonEvent OnMouseLeave;
    TButtonEvent OnDropDown;
    TButtonMouseEvent OnMouseDown;
    TButtonMouseEvent OnMouseMove;
    TButtonMouseEvent OnMouseUp;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    friend class TQvGridButtonActionLink;
    void UpdateState();
    void UpdateExclusive();
    void ButtonPressed(int groupIndex, TQvGridButton* sender);
    void UpdateTracking(const QPoint& cursor);
    void MouseEnter();
    void MouseLeave();
    void ThemeAdapt();
    void CreateShade();
    void grabAccelerator();
    void pressed(const QPoint& p);

    // Painting stages; each face stage answers the content rectangle it leaves.
    struct TContentLayout {
        QPoint glyph;
        QRect text;
    };
    TRect PaintFlatFace(QPainter& canvas, TRect r, bool hot);
    TRect PaintRaisedFace(QPainter& canvas, TRect r);
    TContentLayout LayoutContent(const TRect& c, const QPoint& offset) const;
    void PaintContent(QPainter& canvas, const TRect& c, const QPoint& offset, TButtonState state);

    bool FIsComCtl6 = true; // the platform's own controls are always the themed generation
    int FGroupIndex = 0;
    QImage FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    bool FTransparent = true;
    int FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
#define QV_BUTTON_COLOR_FIELD(Name) TColor F##Name = platform::clNone;
    QV_BUTTON_COLORS(QV_BUTTON_COLOR_FIELD)
#undef QV_BUTTON_COLOR_FIELD
    QImage FGlyphDisabled;
    QImage FGlyphHot;
    QImage FGlyphDown;
    QImage FGlyphShade;
    bool disabledDerived = false; // FGlyphDisabled is the grey copy of FGlyph
    bool FShaded = true;
    TQvGridButtonStyle FStyle = tasButton;
    int FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    QPointer<QMenu> FDropDownMenu;
    bool FShowCaption = true;
    TButtonState FState = bsUp;
    QString FCaption;
    TColor FFontColor = platform::clWindowText;
    std::unique_ptr<TQvGridButtonActionLink> FActionLink;
    int acceleratorId = 0;
};

enum TTextLayout { tlTop, tlCenter, tlBottom };
// taLeftJustify or taRightJustify.
using TLeftRight = TAlignment;

// An owner-drawn check box: themed box when visual styles are active, classic frame otherwise,
// box left or right and top, centre or bottom, optionally over its parent's background (which
// it can keep in a cache). It toggles on mouse release, Space and its caption's accelerator.
class TQvCheckBox : public QWidget {
    Q_OBJECT
public:
    explicit TQvCheckBox(QWidget* owner = nullptr);
    ~TQvCheckBox() override;

    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight v);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }
    void SetButtonVertAlign(TTextLayout v);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    // True exactly for cbChecked; writing gives checked or unchecked.
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v);
    TCheckBoxState State() const { return FState; }
    // Repaints only the box side of the control.
    void SetState(TCheckBoxState v);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    // Enter moves on to the next control as Tab does.
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // Keeps the parent's background from the first paint until Transparent changes or the
    // control moves or is resized.
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool v) { FTransparentCaching = v; }
    bool TabStop() const { return focusPolicy() == Qt::StrongFocus; }
    void SetTabStop(bool v) { setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus); }
    // Background when not transparent.
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor v);
    bool Down() const { return FDown; }
    void SetDown(bool v);

    // Checked := not Checked unless ReadOnly (a grayed box becomes checked).
    virtual void Toggle();

    std::function<void(TQvCheckBox* sender)> OnClick;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool themed() const;
    QRect boxRect() const;
    QRect boxArea() const;
    void paintBackground(QPainter& p);
    void dropBackground();
    void grabAccelerator();

    bool FDown = false;
    TCheckBoxState FState = cbUnchecked;
    bool FReturnIsTab = false;
    TTextLayout FBtnVAlign = tlTop;
    TLeftRight FAlignment = taLeftJustify;
    bool FEllipsis = false;
    QString FCaption;
    bool FIsWinXP = true; // the platform always has the visual-styles generation of controls
    bool FHot = false;
    bool FReadOnly = false;
    bool FMouseDown = false;
    QImage FBkgBmp;
    QRect bkgGeometry; // where the control was when FBkgBmp was taken
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
    TColor FColor = platform::clBtnFace;
    TColor FFontColor = platform::clWindowText;
    bool spacePressed = false;
    int acceleratorId = 0;
};

// The settings of the grid's row grouping: merged, coloured and underlined group header and
// summary rows, the group count in the header, and the switches that make selecting or
// checking a header act on its group.
class TGrouping : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TGrouping"); }
    // Copies the looks and switches of another grouping; the summary switch and the line
    // widths and colours stay this grouping's own.
    void Assign(const TGrouping& source);

    bool MergeHeader = false;
    bool MergeSummary = false;
    TColor HeaderColor = clNone;
    TColor SummaryColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderTextColor = clNone;
    bool Summary = false;
    TColor SummaryTextColor = clNone;
    TColor SummaryColorTo = clNone;
    bool HeaderUnderline = false;
    bool SummaryLine = false;
    int SummaryLineWidth = 2;
    int HeaderLineWidth = 2;
    TColor SummaryLineColor = 0xFF0000;
    TColor HeaderLineColor = 0xFF0000;
    bool ShowGroupCount = false;
    QString GroupCountFormat;
    bool AutoSelectGroup = false;
    bool AutoCheckGroup = false;
};

} // namespace grid

#pragma once
// Drag and drop of the grid with other grids and programs.
//
// Call flow: a press on the selection arms the drag (FSelectionClick, input/GridInput/press.cpp;
// a release without a drag makes the pressed cell the selection, release.cpp);
// a move of more than 3 pixels with the button held starts it (StartOleDrag, dragdrop/start.cpp),
// which runs BeginTextDrag or BeginColumnDrag (qsgdd.h) through the services' drag runner; the
// drop, in this program or another, happens inside, and a move clears or removes the source
// cells afterwards. On the other side the viewport's drag events (dragdrop/events.cpp) feed the
// grid's TGridDropTarget (dragdrop/target.cpp), which exists while DragDropSettings().OleDropTarget
// is on: it places the arrows while dragging over and pastes text, loads cell blocks, moves
// columns and loads a dropped CSV file.
//
// No window of this program switches dragging or dropping on; the paths exist for grids that do.

#include "grid/GridTypes.h"
#include "grid/QvObj.h"
#include "grid/dragdrop/qsgdd.h"

#include <functional>
#include <memory>

namespace grid {

class TQvStringGrid;
class TGridDropTarget;

// The settings that are plain values; OleDropRTF and OleDropTarget do more when written.
// clang-format off
#define QV_DRAGDROP_PLAIN(X)                                                                   \
    X(bool, OleAcceptText, true) X(bool, OleEntireRows, false) X(bool, OleDropSource, false)    \
    X(bool, OleRemoveRows, false) X(bool, OleAcceptFiles, true) X(bool, OleAcceptURLs, true)    \
    X(bool, OleInsertRows, false) X(bool, OleAppendRows, false) X(bool, OleCopyAlways, false)   \
    X(bool, OleColumnDragDrop, false) X(bool, OleColumnReorder, false)                         \
    X(bool, OleColumnsOnly, false) X(bool, ShowCells, true)
// clang-format on

class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TQvStringGrid* AOwner);
    ~TDragDropSettings() override;
    // Copies the fifteen settings; registers no target and leaves the shared rich-text flag.
    void Assign(const TPersistent& source);
    QString ClassName() const override { return QStringLiteral("TDragDropSettings"); }

    bool OleDropRTF() const { return FOleDropRTF; }
    // Also sets the flag every grid of the program shares (OleDropRTFEnabled).
    void SetOleDropRTF(bool v);
    bool OleDropTarget() const { return FOleDropTarget; }
    // On: the grid gets its drop target and takes drops; off: it gives them up.
    void SetOleDropTarget(bool v);
    // The grid's drop target while it is one, else none.
    TGridDropTarget* DropTarget() const { return FDropTarget.get(); }

    QV_DRAGDROP_PLAIN(QV_DECLARE)

private:
    TQvStringGrid* FOwner;
    bool FOleDropRTF = false;
    bool FOleDropTarget = false;
    bool FOleDropTargetAssigned = false;
    std::unique_ptr<TGridDropTarget> FDropTarget;
};

// Scrolling while the platform's own drag nears the grid's edges (input/GridInput/scroll.cpp).
class TDragScrollDelays : public TPersistent {
public:
    void Assign(const TPersistent& source);
    int InitialDelay = 1000; // milliseconds
    int RepeatDelay = 250;
};

class TDragScrollMargins : public TPersistent {
public:
    void Assign(const TPersistent& source);
    int TopMargin = 50; // pixels
    int BottomMargin = 50;
    int LeftMargin = 50;
    int RightMargin = 50;
};

class TDragScrollOptions : public TPersistent {
public:
    void Assign(const TPersistent& source);
    bool Active = false;
    TDragScrollDelays Delays;
    TDragScrollMargins Margins;
};

// The grid's side of a drag it started: the picture follows the pointer, the last effect is kept.
class TGridDropSource : public TQSGDropSource {
public:
    explicit TGridDropSource(TQvStringGrid* AGrid) : FGrid(AGrid) {}
    int LastEffect() const { return FLastEffect; }

protected:
    void DragStopped() override;
    void CurrentEffect(int dwEffect) override;
    void QueryDrag() override;

private:
    TQvStringGrid* FGrid;
    int FLastEffect = platform::DROPEFFECT_NONE;
};

// The grid as a drop target: the drag-over rules with auto-scroll and arrows, and the handlers.
class TGridDropTarget : public TQSGDropTarget {
public:
    explicit TGridDropTarget(TQvStringGrid* AGrid) : FGrid(AGrid) {}

protected:
    void DropText(QPoint pt, const QString& s) override;
    void DropStream(QPoint pt, QIODevice& Stream) override;
    void DropCol(QPoint pt, int Col) override;
    void DropRTF(QPoint pt, const QString& s) override;
    void DropFiles(QPoint pt, const QStringList& Files) override;
    void DropURL(QPoint pt, const QString& s) override;
    void DragMouseMove(QPoint pt, bool& Allow, TDropFormats DropFormats) override;
    void DragMouseLeave() override;

private:
    // The drop cell of a screen point; Append when it lies below the last row of a grid that
    // appends whole rows there. A column drag never appends.
    TPoint dropCell(QPoint pt, bool columnDrag, bool& Append) const;
    // Rich text and links: the drop cell takes the text when the application's event allows.
    void dropIntoCell(QPoint pt, const QString& s,
                      const std::function<void(TQvStringGrid*, int, int, const QString&, bool&)>& ask);
    void hideArrows();
    void hideDropMarks();
    TQvStringGrid* FGrid;
};

// Nothing to initialise: Qt's drag and drop needs no start-up.
void GridOleInitialize();

} // namespace grid

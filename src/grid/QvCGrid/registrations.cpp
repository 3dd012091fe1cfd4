// Start-up and shutdown of the grid units: the process-wide values every grid shares, set once.
// Qt has no registered window messages; each message is an event type registered once with
// QEvent::registerEventType, so every grid of the process posts and recognises the same type.

#include "grid/QvCGrid.h"
#include "grid/markup/HTMLHintWindow.h"

#include <QApplication>

namespace grid {

namespace {

// Stands in for the thread-wide window-procedure hook: every move or resize of any widget,
// top-level or child, puts the shown focus frame back on its cell.
class TGridWindowPosHook : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Move || e->type() == QEvent::Resize) {
            TQvStringGrid* g = FocusWindowGrid();
            if (g && watched != g->FocusWindow())
                g->MoveFocusWindow();
        }
        return false;
    }
};

TGridWindowPosHook*& hookHandle()
{
    static TGridWindowPosHook* h = nullptr;
    return h;
}

TGridUnitRegistrations& registry()
{
    static TGridUnitRegistrations r;
    return r;
}

// Registers names in order; the first failure skips the rest of the list, as a failing
// registration of the platform does, and never stops the start-up.
void registerAll(std::initializer_list<const char*> names)
{
    try {
        for (const char* n : names)
            RegisterGridClass(QString::fromLatin1(n));
    } catch (const EQvGridError&) {
    }
}

} // namespace

const TGridUnitRegistrations& GridRegistrations()
{
    return registry();
}

void RegisterGridClass(const QString& name)
{
    auto& r = registry();
    if (r.RegisteredClasses.contains(name))
        throw EQvGridError(QStringLiteral("A class named %1 already exists").arg(name));
    r.RegisteredClasses.append(name);
}

bool ComCtlVersionIsAtLeast470(int version)
{
    return version > 0x00040045;
}

void QvGridInitialization()
{
    auto& r = registry();
    if (r.QvGridStarts++ > 0)
        return;
    if (!hookHandle() && qApp) {
        hookHandle() = new TGridWindowPosHook;
        qApp->installEventFilter(hookHandle());
    }
    registerAll({"TQvStringGrid",
                 "TDropList",
                 "TArrowWindow",
                 "TGridCombo",
                 "TGridSpin",
                 "TGridTransEdit",
                 "TGridTransCombo",
                 "TGridCheckBox",
                 "TGridEditBtn",
                 "TGridDateTimePicker",
                 "TGridUnitEditBtn",
                 "TGridTrackbarDropDown",
                 "TGridMemoDropDown",
                 "TGridCalculatorDropDown",
                 "TGridTimepickerDropDown",
                 "TGridDetailPickerDropDown",
                 "TGridGridDropDown",
                 "TGridColorDropDown",
                 "TGridImageDropDown",
                 "TGridButton",
                 "TGridDatePicker",
                 "THeaderDragButton",
                 "TControlEdit",
                 "TControlCombo",
                 "TScrollBar",
                 "TQvRichEdit",
                 "TFooterPanel",
                 "TSearchPanel"});
    // The date editors are Qt's own and need no particular common-controls library.
    r.IsComCtl470 = ComCtlVersionIsAtLeast470(0x00060000);
    r.GridCellsClipboardFormat = QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(GridCellsFormatName);
    // A second start after a full shutdown keeps the ids grids may already hold.
    if (r.GridEditDoneMessage == QEvent::None)
        r.GridEditDoneMessage = QEvent::Type(QEvent::registerEventType());
    if (r.GridShiftFocusMessage == QEvent::None)
        r.GridShiftFocusMessage = QEvent::Type(QEvent::registerEventType());
}

void QvGridFinalization()
{
    auto& r = registry();
    // Only the last of the start-ups shuts down, and only once.
    if (r.QvGridStarts == 0 || --r.QvGridStarts != 0)
        return;
    if (hookHandle()) {
        delete hookHandle(); // leaves the application's filter list as it goes
        hookHandle() = nullptr;
    }
    HintFontName().clear();
}

QObject* GridHookHandle()
{
    return hookHandle();
}

void QvCGridInitialization()
{
    auto& r = registry();
    if (r.QvCGridStarts++ > 0)
        return;
    registerAll({"TQvColumnGrid", "TGridColumnItem", "TGridColumnCollection"});
}

void QvCGridFinalization()
{
    auto& r = registry();
    if (r.QvCGridStarts > 0)
        --r.QvCGridStarts;
}

} // namespace grid

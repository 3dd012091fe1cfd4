// Program entry: creates the application and its 41 windows once, runs the message loop until
// the main window closes, then frees the windows.
#include "app/UForms.h"
#include "app/UQuorvantiseFirmWare.h"
#include "dropdowns/GridDropDowns.h"
#include "grid/QvCGrid.h"
#include "platform/Services.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvantis"));
    // The table control's registrations (clipboard format, its private messages), once per run.
    grid::QvGridInitialization();
    grid::QvCGridInitialization();
    dropdowns::RegisterGridDropDowns();
    TForms& forms = Forms();
    forms.Create_Forms(platform::productionServices());
    forms.Main()->show();
    const int rc = app.exec();
    forms.Free_Forms();
    grid::QvCGridFinalization();
    grid::QvGridFinalization();
    return rc;
}

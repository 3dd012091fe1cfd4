#include "platform/Dialogs.h"

#include <QFileDialog>

namespace platform {

QString QtFileDialogs::pickFolder(QWidget* parent, const QString& caption, const QString& startDir)
{
    return QFileDialog::getExistingDirectory(parent, caption, startDir, QFileDialog::ShowDirsOnly);
}

QString QtFileDialogs::openFileName(QWidget* parent, const QString& caption, const QString& startDir,
                                    const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, startDir, filter);
}

QString QtFileDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& startDir,
                                    const QString& filter)
{
    // Overwrite questions belong to the callers, which word them from the text table.
    return QFileDialog::getSaveFileName(parent, caption, startDir, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

} // namespace platform

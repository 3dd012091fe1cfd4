#include "app/UPlaceholderWindow.h"

#include <QLabel>
#include <QVBoxLayout>

TFPlaceholderWindow::TFPlaceholderWindow(const QString& objectName, const QString& role, QWidget* parent)
    : QDialog(parent), role_(role)
{
    setObjectName(objectName);
    setWindowTitle(role);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("%1: this window is not available in this build.").arg(role), this));
}

#pragma once
// File and folder dialogs. Windows and generators reach them only through this interface, so
// tests can answer from a script instead of blocking on a modal dialog.

#include <QString>

class QWidget;

namespace platform {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // Lets the user pick an existing folder, starting in startDir. An empty text means the
    // user cancelled.
    virtual QString pickFolder(QWidget* parent, const QString& caption, const QString& startDir) = 0;

    // Lets the user choose a file to read or to write (filter in Qt's "Name (*.ext)" form).
    // An empty text means the user cancelled. The save dialog does not ask about overwriting:
    // callers ask their own question.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& startDir,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& startDir,
                                 const QString& filter) = 0;
};

// The production implementation: QFileDialog run modally.
class QtFileDialogs final : public FileDialogs {
public:
    QString pickFolder(QWidget* parent, const QString& caption, const QString& startDir) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& startDir,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& startDir,
                         const QString& filter) override;
};

} // namespace platform

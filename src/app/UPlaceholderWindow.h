#pragma once
// Stand-in for a window whose own unit does not exist yet: it is created in its place in the
// window table so the start-up order, the language change and the buttons all work; it shows
// only its name. Each is replaced by the real window when that is written.

#include <QDialog>
#include <QString>

class TFPlaceholderWindow : public QDialog {
    Q_OBJECT
public:
    TFPlaceholderWindow(const QString& objectName, const QString& role, QWidget* parent = nullptr);

    void Set_Lang() {}

    QString Role() const { return role_; }

private:
    QString role_;
};

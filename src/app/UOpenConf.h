#pragma once
// The open-configuration window: lists the project folders under "PROJECTS" with the open
// project preselected. The chosen name is left in Name_Conf for the main window, which opens
// it when the window closes with result 1 (an empty name then means no project); Cancel and
// the close box close it with result 2.

#include "common/UFormParts.h"
#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;
class QWidget;
class TGlyphButton;

namespace platform {
struct Services;
}

namespace app {

class TFOpenConf : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 377;
    static constexpr int kClientHeight = 351;

    explicit TFOpenConf(platform::Services& services, QWidget* parent = nullptr);
    ~TFOpenConf() override;

    // Each showing: the list rebuilt from the folders, the open project (or the first entry)
    // selected.
    void FormShow() override;
    // Fills SL with the project folders' names.
    void Load_Existing_Configuration();
    // Index in SL of the first name equal to snc when a..z are taken as A..Z; -1 when none.
    int Search_Open_Conf(const QString& snc) const;
    // Name_Conf follows the list's selection (mouse or keyboard).
    void ListBox1Click();
    // Captions and hints from the text table.
    void Set_Lang();

    // The project names found, in list order.
    QStringList SL;
    // The project chosen in the list; empty when the list is empty.
    QString Name_Conf;

    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;

public slots:
    void reject() override;

protected:
private:
    void FormCreate();
};

} // namespace app

#pragma once
// What the IEC 61850 client window's tests share: a project folder with the window on it, the
// scripted dialogs and messages, and the user's steps of the catalogue and the tree (add a
// device through the open dialog, click it in the list, click a tree node by its path).

#include "protocols/energy_it/iec61850/UIEC_61850_Access.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <optional>

namespace iectest {

using energy_it::TFIEC_61850_Access;

inline QString smallFixture()
{
    return testsupport::fixturePath(QStringLiteral("iec61850/client_small.icd"));
}

class IECClientWindow : public testsupport::TableWindowTest<TFIEC_61850_Access> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        common::State().Project_Dir = projectFile(QStringLiteral("PROJECTS/P1"));
        ASSERT_TRUE(QDir().mkpath(common::State().Project_Dir));
        common::Set_Files(common::State());
        services.dialogs = &dialogs;
        Start();
    }

    QString path() const { return common::State().File_IEC_61850_Client; }
    QString catalog(const QString& name = QString()) const
    {
        return QDir(common::State().Project_Dir).filePath(QStringLiteral("ICD_Catalog/") + name);
    }
    QString fixture(const char* name) const
    {
        return testsupport::fixturePath(QStringLiteral("iec61850/") + QLatin1String(name));
    }

    // Add IEC Device, the dialog answering with file; answers: the overwrite question's.
    void addDevice(const QString& file, std::initializer_list<platform::MsgResult> answers = {})
    {
        dialogs.answers.push_back(file);
        for (auto a : answers)
            messages.answers.push_back(a);
        user->press("Btn_Add_IEC_Device");
    }

    // The DataSet page in front and laid out, as the user sees it before clicking into it.
    void showDataSetPage()
    {
        w->PC_DA_DataSet->setCurrentWidget(w->TS_DataSet);
        QCoreApplication::processEvents();
    }

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < w->LB_IEC_Devices->count(); ++i)
            names.append(w->LB_IEC_Devices->item(i)->text());
        return names;
    }

    void clickDevice(int index)
    {
        QListWidget* list = w->LB_IEC_Devices;
        QListWidgetItem* item = list->item(index);
        ASSERT_TRUE(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        QCoreApplication::processEvents();
    }

    // The tree node at a path of texts from the device node ("SRV1", "LD0", "MMXU1", ...).
    QTreeWidgetItem* node(const QStringList& texts) const
    {
        QTreeWidget* tree = w->TV_IEC_Device;
        QTreeWidgetItem* at = nullptr;
        for (const QString& text : texts) {
            QTreeWidgetItem* next = nullptr;
            const int count = at ? at->childCount() : tree->topLevelItemCount();
            for (int i = 0; i < count && !next; ++i) {
                QTreeWidgetItem* child = at ? at->child(i) : tree->topLevelItem(i);
                if (child->text(0) == text)
                    next = child;
            }
            if (!next)
                return nullptr;
            at = next;
        }
        return at;
    }

    // A click on a tree node, its parents opened first as the user does.
    void clickNode(const QStringList& texts)
    {
        QTreeWidgetItem* item = node(texts);
        ASSERT_TRUE(item) << texts.join('/').toStdString();
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
        QTreeWidget* tree = w->TV_IEC_Device;
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        QCoreApplication::processEvents();
    }

    // The device added, shown and the node clicked, then Add Var.
    void addVar(const QStringList& texts)
    {
        clickNode(texts);
        user->press("Btn_AddVar");
    }

    testsupport::FakeDialogs dialogs;
};

} // namespace iectest

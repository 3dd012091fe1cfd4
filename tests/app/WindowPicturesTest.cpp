// Every window of the program, opened as the user opens it on a 1920 x 1080 screen, paints
// exactly the picture kept for it under tests/fixtures/windows: a change to how windows are
// built must leave their looks as they are. Pictures taken now go to the build tree's
// screenshot folder; QV_UPDATE_WINDOW_PICTURES=1 writes them as the new references instead,
// for a change that means to alter a window's looks.

#include "app/UForms.h"
#include "common/UComonState.h"
#include "platform/Services.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_EDS.h"
#include "support/FakeDialogs.h"
#include "support/FakeEcho.h"
#include "support/FakeMessages.h"
#include "support/FakeShell.h"
#include "support/Screenshots.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

TEST(WindowPictures, EveryWindowPaintsItsReferencePicture)
{
    // A started program with an open project whose files are not written yet.
    QTemporaryDir exe;
    ASSERT_TRUE(exe.isValid());
    ASSERT_TRUE(QDir(exe.path()).mkpath(QStringLiteral("PROJECTS/Line3/bin")));
    ASSERT_TRUE(
        testsupport::writeFile(QDir(exe.path()).filePath(QStringLiteral("Quorvantis.xml")),
                               "<Conf_Settings><lastproj><projectname>Line3</projectname></lastproj></Conf_Settings>"));
    // The BACnet client tables ask for their address kind when the settings lack it.
    ASSERT_TRUE(testsupport::writeFile(QDir(exe.path()).filePath(QStringLiteral("PROJECTS/Line3/ParGen.xml")),
                                       "<Par_Gen><BACnet_Master_Type>0</BACnet_Master_Type></Par_Gen>"));
    common::State() = common::TProgramState();
    common::State().Exe_Dir = exe.path();
    testsupport::FakeMessages messages;
    testsupport::FakeShell shell;
    testsupport::FakeDialogs dialogs;
    testsupport::FakeReachabilityClock clock;
    testsupport::FakeEcho echo{&clock};
    platform::Services services;
    services.messages = &messages;
    services.shell = &shell;
    services.dialogs = &dialogs;
    services.echo = &echo;
    Forms().Create_Forms(services);
    // The EDS connection picker opens on the adapter file the scanner table hands it.
    const QString eds = QDir(exe.path()).filePath(QStringLiteral("adapter.eds"));
    ASSERT_TRUE(testsupport::writeFile(eds, "[Connection Manager]\r\n        Connection1 = 0x84010002,0x44640405,"
                                            ",,,,,,,,,,\"Exclusive Owner\",\"\",\"20 04 24 64 2C 96 2C 65\";\r\n"));
    auto* picker = qobject_cast<ethernet::TFEtherNEtIP_EDS*>(Forms().Find(QStringLiteral("FEtherNEtIP_EDS"))->window);
    ASSERT_NE(picker, nullptr);
    picker->EDS_FileName = eds;

    const bool update = qEnvironmentVariableIntValue("QV_UPDATE_WINDOW_PICTURES") == 1;
    const QDir references(testsupport::fixturePath(QStringLiteral("windows")));
    int compared = 0;
    for (const TFormEntry& entry : Forms().Entries()) {
        QWidget* window = entry.window;
        SCOPED_TRACE(entry.objectName.toStdString());
        window->show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->isVisible());
        const QString name = entry.objectName + QStringLiteral(".png");
        const QImage picture = testsupport::takeScreenshot(*window, QStringLiteral("windows/") + name);
        if (update) {
            // The strongest compression: the references live in the repository.
            EXPECT_TRUE(picture.save(references.filePath(name), "PNG", 0));
        } else {
            const QImage reference(references.filePath(name));
            ASSERT_FALSE(reference.isNull()) << "no reference picture " << name.toStdString();
            EXPECT_TRUE(testsupport::samePixels(picture, reference));
        }
        ++compared;
        window->hide();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(compared, 41);
    EXPECT_TRUE(messages.shown.empty()) << messages.lastText().toStdString();
    Forms().Free_Forms();
    common::State() = common::TProgramState();
}

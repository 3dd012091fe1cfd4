#pragma once
// One fixture for a window test: a fresh program folder (ProgramFolderTest), the services with
// the fake message boxes, the window under test made on them, its driver, and the steps every
// such test takes: the project file's path, showing the window afresh, a fixture's bytes.
//
//     class ReceiveCAN : public testsupport::TableWindowTest<TFReceiveCAN> {
//     protected:
//         void SetUp() override { Start(&common::TProgramState::File_CAN_Rec_Frames, "CAN_Rec_Frames.xml"); }
//     };
//
// A window that needs more than the services is made by the function Start is given; a test
// that needs more services sets them in `services` before Start.

#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace testsupport {

template <typename W>
class TableWindowTest : public ProgramFolderTest {
protected:
    using Make = std::function<std::unique_ptr<W>(platform::Services&)>;

    // file: the window's project-file path in the program state, set to name in the test's
    // folder (none: a window without a file of its own); make: how the window is made.
    void Start(QString common::TProgramState::*file = nullptr, const char* name = nullptr, Make make = {})
    {
        file_ = file;
        if (file)
            common::State().*file = projectFile(QLatin1String(name));
        services.messages = &messages;
        if constexpr (std::is_constructible_v<W, platform::Services&>)
            w = make ? make(services) : std::make_unique<W>(services);
        else
            w = make(services);
        user.emplace(*w, messages);
    }

    // Shows the window afresh (FormShow runs), closing it first when it is open.
    void open()
    {
        w->hide();
        user->open();
    }

    // The window's project file.
    QString path() const { return file_ ? common::State().*file_ : QString(); }
    // A file of that name in the test's program folder.
    QString projectFile(const QString& name) const { return QDir(tmp.path()).filePath(name); }
    // A hand-made fixture's bytes, by its path under tests/fixtures.
    static QByteArray fixtureBytes(const QString& name) { return readFile(fixturePath(name)); }

    FakeMessages messages;
    platform::Services services;
    std::unique_ptr<W> w;
    std::optional<TableWindowDriver> user;

private:
    QString common::TProgramState::*file_ = nullptr;
};

} // namespace testsupport

#pragma once
// A fixture for window tests: a fresh program state whose program folder is a temporary folder
// with its workspace folders, the built-in English texts loaded, and the previous state and
// texts put back afterwards.

#include "common/UComonState.h"
#include "common/ULanguage.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

class ProgramFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        savedState = common::State();
        savedTexts = common::Lang_Str();
        ASSERT_TRUE(tmp.isValid());
        common::State() = common::TProgramState();
        common::State().Exe_Dir = tmp.path();
        common::State().SW_Code = QString::fromLatin1(common::kSW_Code);
        common::Make_Workspace_Dirs(common::State());
        common::Load_Default_Texts();
    }

    void TearDown() override
    {
        common::State() = savedState;
        common::Lang_Str() = savedTexts;
    }

    common::TProgramState savedState;
    QStringList savedTexts;
    QTemporaryDir tmp;
};

} // namespace testsupport

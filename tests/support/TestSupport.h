#pragma once
// Helpers shared by the tests: a private temporary folder and the paths of fixtures and
// of the shared reference data (tests that need the latter skip when it is absent).

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Folder of this repository's hand-made fixtures (tests/fixtures).
QString fixturesDir();
QString fixturePath(const QString& name);

// The shared reference data beside the repository, or an empty text when it is absent.
QString sharedRefData();

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& data);

} // namespace testsupport

// Skips the current test when the shared reference data is not beside the repository.
#define QV_REQUIRE_REFDATA(var)                                                  \
    const QString var = testsupport::sharedRefData();                            \
    if (var.isEmpty())                                                            \
    GTEST_SKIP() << "shared reference data not present"

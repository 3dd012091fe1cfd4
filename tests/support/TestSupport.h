#pragma once
// Helpers shared by the tests: a private temporary folder and the paths of fixtures and of
// the reference files from other projects (tests/fixtures/refdata; files whose licence keeps
// them out of the repository are looked for in the shared reference data beside it).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// Folder of this repository's hand-made fixtures (tests/fixtures).
QString fixturesDir();
QString fixturePath(const QString& name);

// The reference files kept in the repository (tests/fixtures/refdata, see its SOURCES.md).
QString refData();
// The shared reference data beside the repository, or an empty text when it is absent.
QString sharedRefData();
// Full paths of the files of a reference folder ("scl/samples"): the repository's copies, then
// those only the shared reference data has, when it is there. Sorted by name within each.
QStringList refDataFiles(const QString& folder, const QStringList& nameFilters = {});

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& data);

} // namespace testsupport

// The repository's reference files (a checkout always has them).
#define QV_REQUIRE_REFDATA(var)                                                                                        \
    const QString var = testsupport::refData();                                                                        \
    if (var.isEmpty())                                                                                                 \
    GTEST_SKIP() << "tests/fixtures/refdata is missing from this checkout"

// Reference files whose licence keeps them out of the repository: skips, naming them, when
// the shared reference data is not beside the repository.
#define QV_REQUIRE_SHARED_REFDATA(var, files)                                                                          \
    const QString var = testsupport::sharedRefData();                                                                  \
    if (var.isEmpty())                                                                                                 \
    GTEST_SKIP() << "needs " files " from ../shared/refdata beside the checkout (not kept in "                         \
                    "tests/fixtures/refdata: see its SOURCES.md)"

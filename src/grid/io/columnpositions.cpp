// Column positions kept in an INI file: one "CP<position>" value per column holding the
// default index of the definition shown there.

#include "grid/QvCGrid.h"
#include "grid/io/IniValues.h"

#include <QSettings>

namespace grid {

namespace {

QString positionKey(const QString& section, int i)
{
    return section + QLatin1Char('/') + QStringLiteral("CP%1").arg(i);
}

using inivalues::readInteger;

} // namespace

bool TQvColumnGrid::SaveColumnPositions(const QString& Key, const QString& Section)
{
    try {
        writeColumnPositions(Key, Section);
    } catch (const platform::EFCreateError&) {
        return false;
    }
    return true;
}

// Through the replacing-file writer: a failed write raises the file-creation error naming the
// file and leaves the old file as it was.
void TQvColumnGrid::writeColumnPositions(const QString& Key, const QString& Section)
{
    std::vector<int> defIdx;
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        defIdx.push_back(FColumnCollection->GetItem(i)->DefIdx());
    inivalues::updateIniFile(Key, [&](QSettings& ini) {
        for (std::size_t i = 0; i < defIdx.size(); ++i)
            ini.setValue(positionKey(Section, int(i)), defIdx[i]);
    });
}

// A file that names a definition twice (or one outside the grid) cannot describe an order:
// moving the columns towards it would never end. Such a file is treated like one with a
// missing position: nothing changes.
bool TQvColumnGrid::LoadColumnPositions(const QString& Key, const QString& Section)
{
    auto& cols = *FColumnCollection;
    const int n = cols.Count();
    std::vector<int> positions;
    std::vector<char> seen(std::size_t(n), 0);
    {
        QSettings ini(Key, QSettings::IniFormat);
        for (int i = 0; i < n; ++i) {
            const int v = readInteger(ini, positionKey(Section, i), -1);
            if (v < 0 || v >= n || seen[std::size_t(v)])
                return false;
            seen[std::size_t(v)] = 1;
            positions.push_back(v);
        }
    }
    // Back to the recorded order first (every column shown): the stored positions describe
    // the columns from there.
    ResetColumnOrder();
    for (int j = 0; j < n; ++j)
        cols.GetItem(positions[std::size_t(j)])->SetDefIdx(j);
    cols.ResetOrganization();
    for (int k = 0; k < n; ++k)
        cols.GetItem(k)->SetDefIdx(positions[std::size_t(k)]);
    return true;
}

// The registry keeps the string grid's own "Pos" keys.
void TQvColumnGrid::SaveColPositions()
{
    if (ColumnSize().Location() == clIniFile)
        writeColumnPositions(ColumnSize().Key(), ColumnSize().Section());
    else
        TQvStringGrid::SaveColPositions();
}

void TQvColumnGrid::LoadColPositions()
{
    if (ColumnSize().Location() == clIniFile)
        LoadColumnPositions(ColumnSize().Key(), ColumnSize().Section());
    else
        TQvStringGrid::LoadColPositions();
}

} // namespace grid

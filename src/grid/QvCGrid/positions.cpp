// Column positions kept in an INI file: one "CP<position>" value per column holding the
// default index of the definition shown there.

#include "grid/QvCGrid.h"
#include "grid/QvGrid/IniValues.h"

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
    QSettings ini(Key, QSettings::IniFormat);
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        ini.setValue(positionKey(Section, i), FColumnCollection->GetItem(i)->DefIdx());
    ini.sync();
    return ini.status() == QSettings::NoError;
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
        SaveColumnPositions(ColumnSize().Key(), ColumnSize().Section());
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

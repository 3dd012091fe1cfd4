// The grid's settings kept outside the program, from any bytes: the same file read as the
// INI file of the column widths and positions (string and column grid), of the print
// settings, as the look file, and the column-state text. Values that are no number or name
// end in the conversion or list error.

#include "FuzzSupport.h"

#include "grid/QvCGrid.h"
#include "grid/QvGrid.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    return 0;
}

namespace {

template <class F>
void guarded(F&& f)
{
    try {
        f();
    } catch (const grid::EConvertError&) {
    } catch (const grid::EListError&) {
    } catch (const grid::Exception&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzzsupport::inputFile("Fuzz.ini", data, size);
    grid::TQvStringGrid g;
    g.SetColCount(6);
    g.ColumnSize().SetLocation(grid::clIniFile);
    g.ColumnSize().SetKey(path);
    g.ColumnSize().SetSection(QStringLiteral("Grid"));
    guarded([&] { g.LoadColSizes(); });
    guarded([&] { g.LoadColPositions(); });
    guarded([&] { g.LoadPrintSettings(path, QStringLiteral("Grid")); });
    guarded([&] { g.LoadVisualProps(path); });
    guarded([&] {
        g.StringToColumnStates(
            QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(std::min<std::size_t>(size, 4096))));
    });

    grid::TQvColumnGrid c;
    c.SetColCount(6);
    guarded([&] { c.LoadColumnPositions(path, QStringLiteral("Grid")); });
    return 0;
}

#include "protocols/energy_it/iec61850/UTLS_Server_Known_Cert.h"

namespace energy_it {

using namespace tables;
namespace col = tls_cert_col;

namespace {

constexpr TColumn kColumns[] = {
    {.header = 3614, .width = 40},
    {.header = 3615,
     .hint = 3618,
     .width = 50,
     .colour = Rgb(255, 216, 176),
     .editor = grid::edDataCheckBox,
     .attr = "Enable",
     .centred = true},
    {.header = 3616, .hint = 3619, .width = 500, .colour = Rgb(224, 250, 254), .attr = "Certificate"},
    {.header = 3617, .hint = 3620, .width = 160, .colour = Rgb(255, 255, 255), .attr = "Mnemonic"},
};
static_assert(std::size(kColumns) == col::Count);

constexpr TGridDef kGrids[] = {{
    .name = "QSG",
    .rows = TFTLS_Server_Known_Cert::kRows,
    .columns = kColumns,
    // No rule of its own: only the empty-key check of every table. 3622: "Error row ".
    .rules = {col::Certificate, true, col::Enable, 3622},
    .deleteQuestion = 3621,
    .insertEnables = true,
    .clickSelectsRow = true,
    .plain = true,
    .rowHeight = 60,
}};

constexpr TWindowDef kWindow{
    .name = "FTLS_Server_Known_Cert",
    .clientWidth = 800,
    .clientHeight = 337,
    .caption = 3600,
    .title = 3601,
    .buttonCaptions = Six(3602),
    .buttonHints = Six(3608),
    .grids = kGrids,
    .root = "TLS_Server_Known_Cert",
    .file = &common::TProgramState::File_TLS_Known_Cert,
};

} // namespace

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), QSG(String_Grid(0))
{
}

} // namespace energy_it

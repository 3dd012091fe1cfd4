#pragma once
// The TLS certificates the gateway's IEC 61850 client accepts from its servers: up to ten,
// each with an enable box and a description, kept in "TLS_Known_Cert.xml". A plain string
// grid with cell check boxes and tall rows, as a certificate is several lines of text.
//
// The window neither parses nor checks a certificate: the cell keeps the text as typed or
// pasted, line breaks included, and the file keeps it untrimmed (line breaks as character
// references in the attribute). The first certificate that is empty after trimming ends the
// list; a gap above filled rows is refused on OK as in every table.

#include "tables/UTableWindow.h"

namespace energy_it {

namespace tls_cert_col {
inline constexpr int N = 0, Enable = 1, Certificate = 2, Mnemonic = 3, Count = 4;
}

class TFTLS_Server_Known_Cert : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 11; // the header row and ten certificates

    explicit TFTLS_Server_Known_Cert(platform::Services& services, QWidget* parent = nullptr);

    grid::TQvStringGrid* QSG = nullptr;
    const QStringList& Hint_List() const { return Hints(0); }
    using TTableWindow::Do_Copy;
    bool Do_Copy() const { return Do_Copy(0); }
};

} // namespace energy_it

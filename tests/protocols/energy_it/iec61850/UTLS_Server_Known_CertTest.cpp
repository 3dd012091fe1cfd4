// The TLS known-certificates window driven like a user: the ten tall rows of a new project, a
// certificate pasted with its line breaks, the file written on OK byte for byte, a real
// certificate read back unchanged with CR LF and with LF line ends, the enable flags a file
// gives, the blank certificate that ends the list, and the row buttons with their check boxes.

#include "protocols/energy_it/iec61850/UTLS_Server_Known_Cert.h"

#include "common/UComonState.h"
#include "platform/Services.h"
#include "support/FakeMessages.h"
#include "support/ProgramFolder.h"
#include "support/TableWindowDriver.h"
#include "support/TableWindowTest.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSslCertificate>

#include <gtest/gtest.h>

#include <optional>

namespace {

using energy_it::TFTLS_Server_Known_Cert;
using testsupport::TableWindowDriver;
namespace col = energy_it::tls_cert_col;

const QString kGapRefused = QStringLiteral("Error row 2!! This row is empty but rows below it are filled: fill it in "
                                           "or delete it, or the rows below would not be saved");

QByteArray fixture(const char* name)
{
    return testsupport::readFile(testsupport::fixturePath(QStringLiteral("tls/") + QLatin1String(name)));
}

// The certificate as openssl wrote it (LF line ends).
QString pem()
{
    return QString::fromLatin1(fixture("ied_server.pem"));
}

// A file of rows given as attribute texts, written as a hand editor would.
QByteArray fileOf(const QStringList& rows)
{
    QByteArray xml = "<TLS_Server_Known_Cert>\n";
    for (const QString& row : rows)
        xml += "\t<row " + row.toUtf8() + " />\n";
    return xml + "</TLS_Server_Known_Cert>\n";
}

class TLSServerKnownCert : public testsupport::TableWindowTest<TFTLS_Server_Known_Cert> {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        Start(&common::TProgramState::File_TLS_Known_Cert, "TLS_Known_Cert.xml");
    }

    void open()
    {
        w->hide();
        user->open();
    }

    grid::TQvStringGrid& table() const { return *w->QSG; }

    bool checked(int row) const
    {
        bool state = false;
        EXPECT_TRUE(table().GetCheckBoxState(col::Enable, row, state)) << "no box in row " << row;
        return state;
    }

    // A row put in as loading would.
    void setRow(int row, bool enabled, const QString& certificate, const QString& mnemonic = QString())
    {
        table().SetCheckBoxState(col::Enable, row, enabled);
        table().SetCells(col::Certificate, row, certificate);
        table().SetCells(col::Mnemonic, row, mnemonic);
    }
};

TEST_F(TLSServerKnownCert, ANewProjectShowsTenEnabledEmptyTallRowsAndOKWritesABareRoot)
{
    open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Definition the list of Known Certificates"));
    EXPECT_EQ(w->size(), QSize(800, 337));
    EXPECT_EQ(qobject_cast<grid::TQvColumnGrid*>(&table()), nullptr);
    EXPECT_EQ(table().ColCount(), 4);
    EXPECT_EQ(table().RowCount(), 11);
    const int widths[] = {40, 50, 500, 160};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(table().ColWidths(c), widths[c]) << c;
    EXPECT_NE(table().RowHeights(0), 60);
    const platform::TColor colours[] = {0, 0xB0D8FF, 0xFEFAE0, 0xFFFFFF};
    for (int row = 1; row <= 10; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(table().RowHeights(row), 60);
        EXPECT_EQ(table().Cells(col::N, row), QString::number(row));
        EXPECT_TRUE(checked(row));
        EXPECT_EQ(table().Cells(col::Certificate, row), QString());
        for (int c = 1; c < 4; ++c)
            EXPECT_EQ(table().GetCellProperties(c, row)->BrushColor(), colours[c]) << c;
        EXPECT_EQ(table().GetCellProperties(col::Enable, row)->Alignment(), grid::taCenter);
    }
    EXPECT_EQ(table().Cells(col::Certificate, 0), QStringLiteral("Certificate"));
    EXPECT_EQ(w->Hint_List(), QStringList({"Enable/Disable the Row with TLS Certificate", "Insert the TLS Certificate",
                                           "Insert a Description of TLS Certificate"}));
    // The header of a column shows its hint; data cells show none.
    QString hint;
    table().OnGridHint(&table(), 0, col::Mnemonic, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert a Description of TLS Certificate"));
    table().OnGridHint(&table(), 1, col::Mnemonic, hint);
    EXPECT_EQ(hint, QString());
    EXPECT_EQ(w->Btn_OK->toolTip(), QStringLiteral("Confirm and save the TLS Certificates List"));

    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(user->result(), TFTLS_Server_Known_Cert::kModalOK);
    EXPECT_EQ(testsupport::readFile(path()), QByteArray("<TLS_Server_Known_Cert />\n<!--SW_VERSION = 1.000-->\n"));
}

TEST_F(TLSServerKnownCert, TypedAndPastedCertificatesAreSavedAsTheyStand)
{
    open();
    user->activate();
    user->type(table(), col::Certificate, 1, QStringLiteral("CERT-ONE"));
    user->type(table(), col::Mnemonic, 1, QStringLiteral("Main IED & <backup>"));
    user->type(table(), col::Certificate, 2, QStringLiteral("  two  "));
    user->clickCell(table(), col::Enable, 2);
    EXPECT_FALSE(checked(2));

    // Pasted into the cell's editor, the certificate keeps its line breaks.
    QGuiApplication::clipboard()->setText(pem());
    table().SetCol(col::Certificate);
    table().SetRow(3);
    table().ShowEditor();
    ASSERT_TRUE(table().EditorMode());
    QTest::keyClick(table().InplaceEditor(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(table().InplaceEditor(), Qt::Key_Return);
    EXPECT_EQ(table().Cells(col::Certificate, 3), pem());
    user->type(table(), col::Mnemonic, 3, QStringLiteral("pasted"));

    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()), fixture("TLS_Known_Cert_window.xml"));

    // Shown again, the certificate reads as the one pasted.
    open();
    EXPECT_EQ(table().Cells(col::Certificate, 3), pem());
    EXPECT_EQ(table().Cells(col::Certificate, 2), QStringLiteral("  two  "));
    EXPECT_FALSE(checked(2));
}

TEST_F(TLSServerKnownCert, ARealCertificateComesBackByteForByteWithEitherLineEnd)
{
    const QList<QSslCertificate> made = QSslCertificate::fromData(pem().toLatin1(), QSsl::Pem);
    ASSERT_EQ(made.size(), 1);
    ASSERT_FALSE(made.front().isNull());
    const QByteArray digest = made.front().digest(QCryptographicHash::Sha256);

    struct Case {
        const char* file;
        const char* lineEnd;
    } cases[] = {{"TLS_Known_Cert_pem_lf.xml", "\n"}, {"TLS_Known_Cert_pem_crlf.xml", "\r\n"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.file);
        ASSERT_TRUE(testsupport::writeFile(path(), fixture(k.file)));
        open();
        EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
        const QString text = table().Cells(col::Certificate, 1);
        EXPECT_EQ(text, QString(pem()).replace(QLatin1Char('\n'), QLatin1String(k.lineEnd)));
        const QList<QSslCertificate> read = QSslCertificate::fromData(text.toLatin1(), QSsl::Pem);
        ASSERT_EQ(read.size(), 1);
        EXPECT_EQ(read.front().digest(QCryptographicHash::Sha256), digest);

        user->press("Btn_OK");
        EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
        EXPECT_EQ(testsupport::readFile(path()), fixture(k.file));
    }
}

TEST_F(TLSServerKnownCert, AnyEnableButNLoadsChecked)
{
    struct Case {
        const char* enable; // nullptr: no attribute
        bool checked;
    } cases[] = {{nullptr, true}, {"Y", true}, {"N", false}, {"yes", true}, {"n", true}, {"", true}, {" N", true}};
    QStringList rows;
    for (const Case& k : cases)
        rows << (k.enable ? QStringLiteral("Enable=\"%1\" ").arg(QLatin1String(k.enable)) : QString())
                    + QStringLiteral("Certificate=\"C\"");
    ASSERT_TRUE(testsupport::writeFile(path(), fileOf(rows)));
    open();
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(checked(int(i) + 1), cases[i].checked) << (cases[i].enable ? cases[i].enable : "(missing)");
    // A row without attributes loads with what the reset put there.
    ASSERT_TRUE(testsupport::writeFile(
        path(), fileOf({QStringLiteral("Enable=\"N\" Certificate=\"A\" Mnemonic=\"m\""), QString()})));
    open();
    EXPECT_EQ(table().Cells(col::Mnemonic, 1), QStringLiteral("m"));
    EXPECT_TRUE(checked(2));
    EXPECT_EQ(table().Cells(col::Certificate, 2), QString());
}

TEST_F(TLSServerKnownCert, ABlankCertificateEndsTheListUnlessSomethingWouldBeLost)
{
    struct Case {
        const char* what;
        const char* certificate2;
        const char* mnemonic2;
        const char* certificate3;
        bool refused;
    } cases[] = {
        {"blanks only, nothing below", "   ", "", "", false},
        {"empty, nothing below", "", "", "", false},
        {"blanks only, a certificate below", "   ", "", "C3", true},
        {"empty with a description of its own", "", "lost?", "", true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        messages.shown.clear();
        QFile::remove(path());
        open();
        setRow(1, true, QStringLiteral("C1"));
        setRow(2, false, QLatin1String(k.certificate2), QLatin1String(k.mnemonic2));
        setRow(3, true, QLatin1String(k.certificate3));
        user->press("Btn_OK");
        if (k.refused) {
            EXPECT_EQ(user->lastMessage(), kGapRefused);
            EXPECT_FALSE(QFile::exists(path()));
            EXPECT_TRUE(w->isVisible());
        } else {
            EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
            EXPECT_EQ(testsupport::readFile(path()),
                      QByteArray("<TLS_Server_Known_Cert>\n\t<row Enable=\"Y\" Certificate=\"C1\" Mnemonic=\"\" />\n"
                                 "</TLS_Server_Known_Cert>\n<!--SW_VERSION = 1.000-->\n"));
        }
    }
}

TEST_F(TLSServerKnownCert, DeletingRow3MovesTheRowsBelowUpAndLeavesRow10EmptyAndChecked)
{
    open();
    for (int row = 1; row <= 10; ++row)
        setRow(row, row != 5, QStringLiteral("C%1").arg(row), QStringLiteral("M%1").arg(row));
    user->clickCell(table(), col::Certificate, 3);

    messages.answers = {platform::MsgResult::No};
    user->press("Btn_DelRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Are you sure to delete the Row number 3"));
    EXPECT_EQ(table().Cells(col::Certificate, 3), QStringLiteral("C3"));

    messages.answers = {platform::MsgResult::Yes};
    user->press("Btn_DelRow");
    for (int row = 3; row <= 9; ++row) {
        EXPECT_EQ(table().Cells(col::Certificate, row), QStringLiteral("C%1").arg(row + 1));
        EXPECT_EQ(table().Cells(col::Mnemonic, row), QStringLiteral("M%1").arg(row + 1));
        EXPECT_EQ(checked(row), row != 4) << row;
    }
    EXPECT_EQ(table().Cells(col::Certificate, 10), QString());
    EXPECT_EQ(table().Cells(col::Mnemonic, 10), QString());
    EXPECT_TRUE(checked(10));
    EXPECT_EQ(table().Cells(col::N, 10), QStringLiteral("10"));
}

TEST_F(TLSServerKnownCert, InsertCopyAndPasteCarryTheCheckBoxes)
{
    open();
    setRow(1, false, QStringLiteral("C1"), QStringLiteral("first"));
    setRow(2, true, QStringLiteral("C2"));

    user->clickCell(table(), col::Certificate, 2);
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Error!!! Copy a valid row before Paste it"));

    user->press("Btn_InsRow");
    EXPECT_EQ(table().Cells(col::Certificate, 2), QString());
    EXPECT_TRUE(checked(2));
    EXPECT_EQ(table().Cells(col::Certificate, 3), QStringLiteral("C2"));

    user->clickCell(table(), col::Certificate, 1);
    user->press("Btn_CopyRow");
    EXPECT_TRUE(w->Do_Copy());
    user->clickCell(table(), col::Mnemonic, 2);
    const size_t before = user->messageCount();
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->messageCount(), before);
    EXPECT_EQ(table().Cells(col::Certificate, 2), QStringLiteral("C1"));
    EXPECT_EQ(table().Cells(col::Mnemonic, 2), QStringLiteral("first"));
    EXPECT_FALSE(checked(2));

    // A used row is overwritten only on Yes.
    user->clickCell(table(), col::Mnemonic, 3);
    messages.answers = {platform::MsgResult::No};
    user->press("Btn_PasteRow");
    EXPECT_EQ(user->lastMessage(), QStringLiteral("Row Already used. Do you want to overwrite the values?"));
    EXPECT_EQ(table().Cells(col::Certificate, 3), QStringLiteral("C2"));
    EXPECT_TRUE(checked(3));

    // Shown again, nothing is copied any more.
    open();
    EXPECT_FALSE(w->Do_Copy());
}

TEST_F(TLSServerKnownCert, AFileOfMoreThanTenRowsFillsTheTen)
{
    QStringList rows;
    for (int i = 1; i <= 12; ++i)
        rows << QStringLiteral("Enable=\"Y\" Certificate=\"C%1\" Mnemonic=\"\"").arg(i);
    ASSERT_TRUE(testsupport::writeFile(path(), fileOf(rows)));
    open();
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(table().Cells(col::Certificate, 10), QStringLiteral("C10"));
    EXPECT_EQ(table().RowCount(), 11);
    user->press("Btn_OK");
    EXPECT_EQ(user->messageCount(), 0u) << user->lastMessage().toStdString();
    EXPECT_EQ(testsupport::readFile(path()).count("<row "), 10);
}

TEST_F(TLSServerKnownCert, CancelWritesNothing)
{
    open();
    setRow(1, true, QStringLiteral("C1"));
    user->press("Btn_Cancel");
    EXPECT_EQ(user->result(), TFTLS_Server_Known_Cert::kModalCancel);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(TLSServerKnownCert, Screenshot)
{
    ASSERT_TRUE(testsupport::writeFile(path(), fixture("TLS_Known_Cert_window.xml")));
    open();
    user->checkTablePicture(QStringLiteral("windows/TLS_Server_Known_Cert_window.png"), QSize(800, 337), table(), 2, 1);
}

} // namespace

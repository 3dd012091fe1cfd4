// The step "IO-Link IODD File": the folder question, the overwrite question, the description
// in the IODD folder and the ZIP package beside the user's other files.

#include "gateway/UIOLinkSlaveIODD.h"

#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Zip.h"

#include <QApplication>
#include <QFileInfo>

namespace gateway {

QString IODD_Package_Name(const QDate& day)
{
    return QStringLiteral("Norvix-") + Get_Product_Code() + QLatin1Char('-') + Date_Str(day)
           + QStringLiteral("-IODD1.1");
}

bool Zip_IODD(const QString& packagePath, const QString& descriptionPath, const QString& ioddDir, QString* error)
{
    platform::ZipWriter zip;
    if (!zip.open(packagePath, error))
        return false;
    if (!zip.addFile(descriptionPath, QFileInfo(descriptionPath).fileName(), error))
        return false;
    // The pictures are installed with the program; one that is missing is left out of the
    // package rather than spoiling it.
    for (const char* picture : {kIODD_Pic, kIODD_Icon, kIODD_Logo}) {
        const QString name = QString::fromLatin1(picture);
        const QString path = platform::joinPath(ioddDir, name);
        if (platform::fileExists(path) && !zip.addFile(path, name, error))
            return false;
    }
    return zip.close(error);
}

bool Zip_IODD(const QString& packagePath, const QString& descriptionPath, QString* error)
{
    return Zip_IODD(packagePath, descriptionPath, common::State().IODD_Dir, error);
}

TIODD_Result Create_IODD(QWidget* parent, const TIODD_Services& services)
{
    const common::TProgramState& state = common::State();
    const QString folder = services.dialogs->pickFolder(parent, QString(), state.Project_Dir);
    if (folder.isEmpty())
        return TIODD_Result::Cancelled;

    const QDate day = services.today ? services.today() : QDate::currentDate();
    const QString name = IODD_Package_Name(day);
    const QString packagePath = platform::joinPath(folder, name + QStringLiteral(".zip"));
    const QString descriptionPath = platform::joinPath(state.IODD_Dir, name + QStringLiteral(".xml"));

    if (platform::fileExists(packagePath)) {
        // Only an explicit No keeps the earlier package (and its description).
        const platform::MsgResult answer = services.messages->show(
            parent, common::Lang_Str().value(kText_File_Exists), QApplication::applicationDisplayName(),
            platform::MsgIcon::Question, platform::MsgButtons::YesNo);
        if (answer == platform::MsgResult::No)
            return TIODD_Result::Declined;
    }

    TIODD_Data data;
    QString error;
    bool ok = Read_IOLink_Data(data, &error);
    if (ok)
        ok = Write_IODD_File(data, descriptionPath, day, &error);
    if (ok)
        ok = Zip_IODD(packagePath, descriptionPath, state.IODD_Dir, &error);
    if (!ok) {
        services.messages->error(parent, QStringLiteral("Error! The IODD package was not written.\n") + error);
        return TIODD_Result::Failed;
    }
    return TIODD_Result::Written;
}

} // namespace gateway

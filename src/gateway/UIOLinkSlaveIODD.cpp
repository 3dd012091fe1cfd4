#include "gateway/UIOLinkSlaveIODD.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "gateway/UIOLinkSlaveTables.h"
#include "gateway/UParGenFile.h"
#include "gateway/UProjectFiles.h"
#include "platform/Files.h"
#include "platform/Xml.h"

#include <QFile>

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace gateway {

namespace {

constexpr const char* kProduct_Code = "GX40517";
constexpr const char* kDevice_Id = "517";
constexpr qint64 kFile_Buffer_Size = 10'000'000;

// Bit sums and offsets of a crafted file must not overflow; a real table is far below this.
int addBits(int sum, int length)
{
    const qint64 s = qint64(sum) + qint64(length);
    return int(std::clamp<qint64>(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

TProcessData toProcessData(const TIOLink_PD_Row& row, QChar separator)
{
    TProcessData pd;
    pd.Name = row.Name.value_or(QString());
    pd.Description = row.Description.value_or(QString());
    pd.Length = common::strToIntDef(row.Length.value_or(QString()), 0);
    if (!row.Gradient || !common::Str_To_Float_Sep(*row.Gradient, separator, pd.Gradient))
        pd.Gradient = 1.0f;
    pd.Offset = common::strToIntDef(row.Offset.value_or(QString()), 0);
    pd.UnitCode = common::strToIntDef(row.UnitCode.value_or(QString()), 0);
    return pd;
}

TVariable toVariable(const TIOLink_Var_Row& row, QChar separator)
{
    TVariable v;
    v.Index = common::strToIntDef(row.Index.value_or(QString()), 60);
    v.Name = row.Name.value_or(QString());
    v.Access = Access_Rights_Str(row.Access.value_or(QString()));
    v.Length = common::strToIntDef(row.Length.value_or(QString()), 0);
    if (!row.Gradient || !common::Str_To_Float_Sep(*row.Gradient, separator, v.Gradient))
        v.Gradient = 1.0f;
    v.Offset = common::strToIntDef(row.Offset.value_or(QString()), 0);
    v.UnitCode = common::strToIntDef(row.UnitCode.value_or(QString()), 0);
    v.DefaultValue = common::strToIntDef(row.DefaultValue.value_or(QString()), 0);
    v.Description = row.Description.value_or(QString());
    return v;
}

// The IO-Link rate of "ParGen.xml" as the description names it: the element's text, without
// blanks at its ends, when it is one of the three rates in any case (written upper-case), since
// the description allows no other; anything else, a missing element or file, "COM1".
QString iolinkBitrate(const QString& parGenPath)
{
    namespace xml = platform::xml;
    const QString fallback = QString::fromLatin1(kIOLink_Rate_Items[0]);
    if (!platform::fileExists(parGenPath))
        return fallback;
    xml::Document doc;
    QString error;
    if (!doc.load(parGenPath, &error))
        throw xml::XmlError(QStringLiteral("%1: %2").arg(parGenPath, error).toStdString());
    const pugi::xml_node node = xml::child(doc.root(), pargen::IOLink_Slave_Baudrate);
    const QString rate = node ? common::trimBlanks(xml::text(node)).toUpper() : QString();
    for (const char* item : kIOLink_Rate_Items)
        if (rate == QLatin1String(item))
            return rate;
    return fallback;
}

} // namespace

QString Get_Product_Code()
{
    return QString::fromLatin1(kProduct_Code);
}

QString Get_Device_Id()
{
    return QString::fromLatin1(kDevice_Id);
}

QString Access_Rights_Str(const QString& access)
{
    if (access == QLatin1String("Read Only"))
        return QStringLiteral("ro");
    if (access == QLatin1String("Write Only"))
        return QStringLiteral("wo");
    if (access == QLatin1String("Read Write"))
        return QStringLiteral("rw");
    return QString();
}

QString Date_Str(const QDate& day)
{
    return day.toString(QStringLiteral("yyyyMMdd"));
}

QString Date_Str_Dash(const QDate& day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

QString Gradient_Str(float gradient)
{
    const double v = double(gradient);
    if (!std::isfinite(v))
        return QStringLiteral("1");
    if (v == 0.0)
        return QStringLiteral("0");
    // Fifteen significant digits, correctly rounded: "d.dddddddddddddde[+-]xx".
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    QString s = QString::fromLatin1(buf);
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative)
        s.remove(0, 1);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    const int exp10 = s.mid(e + 1).toInt();
    QString digits = s.left(e).remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString out;
    // Fixed notation from 0.0001 up to 15 integer digits, scientific outside.
    if (exp10 < -4 || exp10 >= 15) {
        out = digits.left(1);
        if (digits.size() > 1)
            out += QLatin1Char('.') + digits.mid(1);
        out += QLatin1Char('E') + QString::number(exp10);
    } else if (exp10 < 0) {
        out = QStringLiteral("0.") + QString(-exp10 - 1, QLatin1Char('0')) + digits;
    } else {
        const int intDigits = exp10 + 1;
        if (digits.size() <= intDigits) {
            out = digits + QString(intDigits - digits.size(), QLatin1Char('0'));
        } else {
            out = digits.left(intDigits) + QLatin1Char('.') + digits.mid(intDigits);
        }
    }
    return negative ? QLatin1Char('-') + out : out;
}

QString Xml_Escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&apos;");
            break;
        case u'\t':
            out += QLatin1String("&#9;");
            break;
        case u'\n':
            out += QLatin1String("&#10;");
            break;
        case u'\r':
            out += QLatin1String("&#13;");
            break;
        default:
            // Other control characters cannot appear in XML 1.0 at all.
            if (c.unicode() < 0x20)
                out += QLatin1Char(' ');
            else
                out += c;
        }
    }
    return out;
}

std::uint32_t Calc_CRC32(const QByteArray& buffer, qint64 count)
{
    if (count <= 0)
        return 0;
    count = std::min<qint64>(count, buffer.size());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer.constData()), uInt(count));
    return std::uint32_t(crc);
}

std::uint32_t File_CRC32(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray buffer = file.read(kFile_Buffer_Size);
    return Calc_CRC32(buffer, buffer.size());
}

bool Read_IOLink_Data(TIODD_Data& data, const QString& parGenPath, const QString& ioLinkSlavePath, QString* error)
{
    data = TIODD_Data();
    const QChar decimalSeparator = common::Get_Decimal_Separator();
    try {
        data.IODD_Bitrate = iolinkBitrate(parGenPath);
        TIOLink_Slave_File file;
        Read_IOLink_Slave_File(ioLinkSlavePath, file);
        for (const TIOLink_Var_Row& row : file.Variables) {
            if (Is_Enabled_Trimmed(row.Enable))
                data.IODD_Variables.push_back(toVariable(row, decimalSeparator));
        }
        for (const TIOLink_PD_Row& row : file.Process_Data_Input) {
            if (!Is_Enabled_Trimmed(row.Enable))
                continue;
            data.IODD_PD_In.push_back(toProcessData(row, decimalSeparator));
            data.IODD_PD_In_Bits = addBits(data.IODD_PD_In_Bits, data.IODD_PD_In.back().Length);
        }
        for (const TIOLink_PD_Row& row : file.Process_Data_Output) {
            if (!Is_Enabled_Trimmed(row.Enable))
                continue;
            data.IODD_PD_Out.push_back(toProcessData(row, decimalSeparator));
            data.IODD_PD_Out_Bits = addBits(data.IODD_PD_Out_Bits, data.IODD_PD_Out.back().Length);
        }
    } catch (const platform::xml::XmlError& e) {
        if (error)
            *error = QString::fromUtf8(e.what());
        return false;
    }
    std::int32_t cycle = 0;
    common::Calc_Min_Cycle_Time(data.IODD_Bitrate, data.IODD_PD_In_Bits, data.IODD_PD_Out_Bits, cycle);
    data.IODD_Min_Cycle_Time = cycle;
    return true;
}

bool Read_IOLink_Data(TIODD_Data& data, QString* error)
{
    const common::TProgramState& state = common::State();
    return Read_IOLink_Data(data, state.File_ParGen, state.File_IOLink_Slave, error);
}

bool Write_IODD_File(const TIODD_Data& data, const QString& path, const QDate& day, QString* error)
{
    // IO-Link carries at most 32 octets of process data per direction: a description with more
    // fits no device, so none is written (a project saved before the window refused more, or
    // a file edited by hand).
    const struct {
        int bits;
        int text;
    } directions[] = {{data.IODD_PD_In_Bits, kText_IODD_PD_In_Too_Long},
                      {data.IODD_PD_Out_Bits, kText_IODD_PD_Out_Too_Long}};
    for (const auto& d : directions) {
        if (d.bits > 8 * kIOLink_PD_Max_Bytes) {
            if (error)
                *error = common::Lang_Text(d.text);
            return false;
        }
    }
    // The IODD stamp is the CRC-32 of the file as written with an empty crc attribute; both
    // documents are built from the same data, so they differ only in that attribute.
    const QByteArray unstamped = IODD_Document(data, day, QString());
    const std::uint32_t crc = Calc_CRC32(unstamped, unstamped.size());
    const QByteArray stamped = IODD_Document(data, day, QString::number(crc));
    return platform::replaceFile(path, stamped, error);
}

} // namespace gateway

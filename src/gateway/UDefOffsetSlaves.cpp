#include "gateway/UDefOffsetSlaves.h"

#include "common/UComonHelpers.h"
#include "common/ULanguage.h"

#include <array>
#include <span>
#include <tuple>
#include <utility>

namespace gateway {

namespace {

// A required whole number of a scan-list row within [min, max]; false names the attribute.
bool readCount(const TAttr& value, const char* name, int max, int row, int& out, QString& error)
{
    int v = -1;
    if (!value || !common::tryStrToInt(*value, v) || v < 0 || v > max) {
        error = QStringLiteral("%1: row %2 has no valid \"%3\"")
                    .arg(QLatin1String(kDNETM_Net_FileName))
                    .arg(row)
                    .arg(QLatin1String(name));
        return false;
    }
    out = v;
    return true;
}

void fillRows(const std::vector<TDNet_Byte_Row>& rows, QStringList& offsets, QStringList& mnemonics)
{
    const qsizetype n = std::min<qsizetype>(qsizetype(rows.size()), offsets.size());
    for (qsizetype j = 0; j < n; ++j) {
        const TDNet_Byte_Row& r = rows[size_t(j)];
        if (r.Offset)
            offsets[j] = *r.Offset;
        if (r.Mnemonic)
            mnemonics[j] = *r.Mnemonic;
    }
}

std::vector<TDNet_Byte_Row> byteRows(const QStringList& offsets, const QStringList& mnemonics)
{
    std::vector<TDNet_Byte_Row> rows;
    rows.reserve(size_t(offsets.size()));
    for (qsizetype j = 0; j < offsets.size(); ++j)
        rows.push_back({offsets[j], j < mnemonics.size() ? mnemonics[j] : QString()});
    return rows;
}

} // namespace

bool Load_Slave_DN(const TDNet_Net_File& net, TSlave_List& slaves, QString& error)
{
    slaves.clear();
    for (size_t i = 0; i < net.Rows.size(); ++i) {
        const TDNet_Net_Row& r = net.Rows[i];
        auto slave = std::make_unique<TSlave_DN>();
        const int row = int(i) + 1;
        if (!readCount(r.ID, "ID", limits::DNet_ID.max, row, slave->ID, error)
            || !readCount(r.NB_IN, "NB_IN", limits::DNet_Byte_Count.max, row, slave->ByteIN, error)
            || !readCount(r.NB_OUT, "NB_OUT", limits::DNet_Byte_Count.max, row, slave->ByteOUT, error)) {
            slaves.clear();
            return false;
        }
        slave->Mnemonic = r.Mnemonic.value_or(QString());
        for (int k = 0; k < slave->ByteIN; ++k) {
            slave->SL_ByteIN.append(QLatin1String(kOffset_None));
            slave->SL_ByteIN_M.append(QString());
        }
        for (int k = 0; k < slave->ByteOUT; ++k) {
            slave->SL_ByteOUT.append(QLatin1String(kOffset_None));
            slave->SL_ByteOUT_M.append(QString());
        }
        slaves.push_back(std::move(slave));
    }
    return true;
}

void Load_Offset_Slave_DN(const TDNet_DefOff_File& offsets, TSlave_List& slaves)
{
    std::vector<int> ids;
    ids.reserve(slaves.size());
    for (const auto& s : slaves)
        ids.push_back(s->ID);
    const std::vector<int> pairs = Pair_Offset_Nodes(ids, offsets);
    for (size_t i = 0; i < slaves.size(); ++i) {
        if (pairs[i] < 0)
            continue;
        const TDNet_Offset_Node& node = offsets.Nodes[size_t(pairs[i])];
        TSlave_DN& s = *slaves[i];
        fillRows(node.ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
        fillRows(node.ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
    }
}

std::optional<QString> Check_Data(const TSlave_List& slaves)
{
    // What the file gave is checked as a pick would be: the image takes nothing else.
    for (const auto& s : slaves) {
        const std::tuple<const char*, const QStringList&, int> directions[] = {{kByteIN, s->SL_ByteIN, s->ByteIN},
                                                                               {kByteOUT, s->SL_ByteOUT, s->ByteOUT}};
        for (const auto& [name, offsets, count] : directions) {
            for (int j = 0; j < count && j < offsets.size(); ++j) {
                const QString& offset = offsets[j];
                int v = -1;
                if (offset == QLatin1String(kOffset_None)
                    || (common::tryStrToInt(offset, v) && limits::DNet_Offset.contains(v)))
                    continue;
                return common::Lang_Text(kText_DefOff_Not_Offered)
                    .arg(QLatin1String(name), offset)
                    .arg(s->ID)
                    .arg(j)
                    .arg(limits::DNet_Offset.max);
            }
        }
    }

    // Per position: the ID and the byte number of the output byte that took it.
    std::array<std::pair<int, int>, kDefOff_Max_Byte> taken;
    taken.fill({-1, -1});
    for (const auto& s : slaves) {
        for (int j = 0; j < s->ByteOUT && j < s->SL_ByteOUT.size(); ++j) {
            const int offset = common::strToIntDef(s->SL_ByteOUT[j], -1);
            // Only the offered positions are compared; the pick list offers no other.
            if (offset < 0 || offset >= kDefOff_Max_Byte)
                continue;
            auto& entry = taken[size_t(offset)];
            if (entry.first < 0) {
                entry = {s->ID, j};
                continue;
            }
            return common::Lang_Text(kText_DefOff_Duplicate) + QStringLiteral("\n\r") + QStringLiteral("( ")
                   + common::Lang_Text(3222) + QString::number(entry.first) + common::Lang_Text(3223)
                   + QString::number(entry.second) + common::Lang_Text(3224) + QString::number(s->ID)
                   + common::Lang_Text(3225) + QString::number(j) + QStringLiteral(")");
        }
    }
    return std::nullopt;
}

TDNet_DefOff_File DefOff_File_From_Slaves(const TSlave_List& slaves)
{
    TDNet_DefOff_File file;
    for (const auto& s : slaves) {
        TDNet_Offset_Node node;
        node.ID = QString::number(s->ID);
        node.ByteIN = byteRows(s->SL_ByteIN, s->SL_ByteIN_M);
        node.ByteOUT = byteRows(s->SL_ByteOUT, s->SL_ByteOUT_M);
        file.Nodes.push_back(std::move(node));
    }
    return file;
}

} // namespace gateway

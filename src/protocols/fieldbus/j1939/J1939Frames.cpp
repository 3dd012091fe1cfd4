#include "protocols/fieldbus/j1939/J1939Frames.h"

#include "common/UComonHelpers.h"
#include "common/ULanguage.h"

#include <memory>

namespace fieldbus {

using common::trimBlanks;
using namespace tables;

namespace {

enum class TKind { Transport, FastPacket, WholeFrame, PartFrame };

bool set(const TRuleCell& cell, int column)
{
    return column >= 0 && cell.Cell(column) == QLatin1String("Y");
}

bool given(const TRuleCell& cell, int column)
{
    return !trimBlanks(cell.Cell(column)).isEmpty();
}

TKind kind(const TRuleCell& cell, const TFrameColumns& c)
{
    if (set(cell, c.transport))
        return TKind::Transport;
    if (set(cell, c.fastPacket))
        return TKind::FastPacket;
    if (c.start < 0 || given(cell, c.start) || given(cell, c.count))
        return TKind::PartFrame;
    return TKind::WholeFrame;
}

} // namespace

void Plug_Frame_Rules(TRuleRun& run, const TFrameColumns& c)
{
    run.conditions.emplace("transport", [c](const TRuleCell& cell) { return kind(cell, c) == TKind::Transport; });
    run.conditions.emplace("fast_packet", [c](const TRuleCell& cell) { return kind(cell, c) == TKind::FastPacket; });
    run.conditions.emplace("single_part", [c](const TRuleCell& cell) { return kind(cell, c) == TKind::PartFrame; });

    run.checks.emplace("both_given", [c](const TRuleCell& cell) -> std::optional<QString> {
        if (given(cell, c.start) && given(cell, c.count))
            return std::nullopt;
        return cell.Failure();
    });
    // Summed in 64 bits: N is any 32-bit number until this check has passed.
    run.checks.emplace("start_plus_n", [c](const TRuleCell& cell) -> std::optional<QString> {
        const long long n = cell.Number();
        if (n >= cell.rule.min && cell.Number(c.start) + n <= cell.rule.max)
            return std::nullopt;
        return cell.Failure();
    });
    // A whole single frame counts its 8 bytes; every other row the bytes it names (a part of
    // a single frame only those, not 8 besides).
    auto total = std::make_shared<long long>(0);
    run.checks.emplace("frame_bytes", [c, total](const TRuleCell& cell) -> std::optional<QString> {
        *total += kind(cell, c) == TKind::WholeFrame ? 8 : cell.Number(c.count);
        if (*total <= cell.rule.max)
            return std::nullopt;
        return common::Lang_Text(cell.rule.text) + QString::number(cell.rule.max);
    });
}

} // namespace fieldbus

#include "protocols/fieldbus/canopen/SdoColumns.h"

namespace fieldbus {

void Plug_NByte_Check(tables::TRuleRun& run)
{
    run.checks.emplace(std::string(kNByteCheck), [](const tables::TRuleCell& cell) -> std::optional<QString> {
        const int n = cell.Number();
        if (n == 1 || n == 2 || n == 4)
            return std::nullopt;
        return cell.Failure();
    });
}

} // namespace fieldbus

// The grouping settings object.

#include "grid/QvObj.h"

namespace grid {

void TGrouping::Assign(const TGrouping& source)
{
    GroupCountFormat = source.GroupCountFormat;
    HeaderColor = source.HeaderColor;
    HeaderColorTo = source.HeaderColorTo;
    HeaderTextColor = source.HeaderTextColor;
    HeaderUnderline = source.HeaderUnderline;
    MergeHeader = source.MergeHeader;
    MergeSummary = source.MergeSummary;
    ShowGroupCount = source.ShowGroupCount;
    SummaryColor = source.SummaryColor;
    SummaryColorTo = source.SummaryColorTo;
    SummaryTextColor = source.SummaryTextColor;
    SummaryLine = source.SummaryLine;
    AutoCheckGroup = source.AutoCheckGroup;
    AutoSelectGroup = source.AutoSelectGroup;
}

} // namespace grid

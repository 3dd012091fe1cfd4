#include "grid/edit/DropDownEditors.h"

#include <map>

namespace grid {

namespace {

std::map<TEditorType, TDropDownEditorFactory>& factories()
{
    static std::map<TEditorType, TDropDownEditorFactory> f;
    return f;
}

} // namespace

bool IsDropDownEditorKind(TEditorType kind)
{
    switch (kind) {
    case edTrackbarDropDown:
    case edMemoDropDown:
    case edCalculatorDropDown:
    case edTimePickerDropDown:
    case edDetailDropDown:
    case edGridDropDown:
    case edColorPickerDropDown:
    case edImagePickerDropDown:
    case edQvGridDropDown:
        return true;
    default:
        return false;
    }
}

void RegisterDropDownEditor(TEditorType kind, TDropDownEditorFactory factory)
{
    if (IsDropDownEditorKind(kind))
        factories()[kind] = std::move(factory);
}

const TDropDownEditorFactory* DropDownEditorFactory(TEditorType kind)
{
    const auto it = factories().find(kind);
    return it == factories().end() || !it->second ? nullptr : &it->second;
}

} // namespace grid

#pragma once
// The value names the grid's streams write for its enumerations and sets, in the order of
// their values: the column stream and the binary cell stream share them.

#include <QStringList>

namespace grid::streamnames {

inline const QStringList& alignments()
{
    static const QStringList n{"taLeftJustify", "taRightJustify", "taCenter"};
    return n;
}

inline const QStringList& editors()
{
    static const QStringList n{"edNormal",
                               "edSpinEdit",
                               "edComboEdit",
                               "edComboList",
                               "edEditBtn",
                               "edCheckBox",
                               "edDateEdit",
                               "edDateEditUpDown",
                               "edTimeEdit",
                               "edButton",
                               "edDataCheckBox",
                               "edNumeric",
                               "edPositiveNumeric",
                               "edFloat",
                               "edCapital",
                               "edMixedCase",
                               "edPassword",
                               "edUnitEditBtn",
                               "edLowerCase",
                               "edUpperCase",
                               "edFloatSpinEdit",
                               "edTimeSpinEdit",
                               "edDateSpinEdit",
                               "edNumericEditBtn",
                               "edFloatEditBtn",
                               "edCustom",
                               "edRichEdit",
                               "edNone",
                               "edDateTimeEdit",
                               "edValidChars",
                               "edTrackbarDropDown",
                               "edMemoDropDown",
                               "edCalculatorDropDown",
                               "edTimePickerDropDown",
                               "edDetailDropDown",
                               "edGridDropDown",
                               "edColorPickerDropDown",
                               "edImagePickerDropDown",
                               "edQvGridDropDown",
                               "edPositiveFloat",
                               "edNumericUnitEditBtn",
                               "edFloatUnitEditBtn",
                               "edMaskEditBtn"};
    return n;
}

inline const QStringList& fontStyles()
{
    static const QStringList n{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    return n;
}

} // namespace grid::streamnames

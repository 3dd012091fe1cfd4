#pragma once
// The character and paste rules of the number kinds, shared by the grid's text editor and the
// button editors (the numeric and float edit-with-button and unit kinds filter like edNumeric
// and edFloat), so a typed or pasted character is judged the same wherever it is entered.

#include "grid/BaseGrid.h"

#include <QString>

#include <functional>

class QLineEdit;
class QPoint;

namespace grid {

// What happens to one typed character of a number kind.
enum class TCharVerdict { Accept, Drop, Beep, AcceptUnfiltered };

// The edit's state the rules look at.
struct TEditState {
    QString text;
    int caret = 0; // the selection's start when something is selected
    QString selected;
};

// edNumeric / edPositiveNumeric (integer = true) and edFloat / edPositiveFloat (integer =
// false); signed allows a leading minus. A character outside the float set passes unfiltered
// only while Ctrl is down.
TCharVerdict NumberCharVerdict(bool integer, bool signedKind, QChar ch, const TEditState& edit, bool ctrl);

// 0 whole number, 1 decimal number, 2 anything else (sign and locale decimal separator taken).
int NumberTextKind(const QString& s);

// Whether a pasted candidate text is taken by a number kind (the whole text must read as a
// number of the kind, a minus only for the signed kinds).
bool NumberPasteAllowed(bool integer, bool signedKind, const QString& candidate);

// The pasted text merged into the edit at the caret or over the selection; empty optional
// when the length limit refuses it (the pasted text or the result too long). A trailing CR LF
// of the pasted text is dropped first.
struct TPasteMerge {
    bool ok = false;
    QString text;     // the edit's text afterwards
    int selStart = 0; // with a selection before: the pasted text stays selected
    int selLength = 0;
    int caret = 0; // without: the caret goes after the pasted text
};
TPasteMerge MergePaste(const TEditState& edit, QString pasted, int lengthLimit);

// The edit's standard menu at a screen point, its Paste going through the editor's own paste
// step instead of the plain one.
void ExecEditMenu(QLineEdit& edit, const QPoint& at, const std::function<void()>& paste);

} // namespace grid

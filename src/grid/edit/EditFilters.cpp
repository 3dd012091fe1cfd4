#include "grid/edit/EditFilters.h"

#include "grid/edit/GridUnitHelpers.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>

namespace grid {

int NumberTextKind(const QString& s)
{
    const QString t = s.trimmed();
    if (t.isEmpty())
        return 2;
    int i = (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) ? 1 : 0;
    int digits = 0, seps = 0;
    const QChar dec = LocaleDecimalSeparator();
    for (; i < t.size(); ++i) {
        if (t[i].isDigit())
            ++digits;
        else if (t[i] == dec && ++seps == 1)
            continue;
        else
            return 2;
    }
    if (!digits)
        return 2;
    return seps ? 1 : 0;
}

TCharVerdict NumberCharVerdict(bool integer, bool signedKind, QChar ch, const TEditState& edit, bool ctrl)
{
    const QChar minus = QLatin1Char('-');
    const bool digit = ch.isDigit() && ch.unicode() < 128;
    if (integer) {
        if (digit)
            return TCharVerdict::Accept;
        if (signedKind && ch == minus && edit.caret == 0 && !edit.text.contains(minus))
            return TCharVerdict::Accept;
        return TCharVerdict::Beep;
    }
    const QChar dec = LocaleDecimalSeparator();
    const bool candidate = digit || ch == QLatin1Char(',') || ch == QLatin1Char('.') || (ch == minus && signedKind);
    if (!candidate)
        return ctrl ? TCharVerdict::AcceptUnfiltered : TCharVerdict::Drop;
    if (ch == dec && edit.text.contains(dec) && !edit.selected.contains(dec))
        return TCharVerdict::Drop;
    if (ch == LocaleThousandSeparator() && ch != dec)
        return TCharVerdict::Drop;
    if (ch == minus && (edit.caret != 0 || edit.text.contains(minus)) && !edit.selected.contains(minus))
        return TCharVerdict::Beep;
    return TCharVerdict::Accept;
}

bool NumberPasteAllowed(bool integer, bool signedKind, const QString& candidate)
{
    const int kind = NumberTextKind(candidate);
    if (integer ? kind != 0 : kind > 1)
        return false;
    return signedKind || !candidate.contains(QLatin1Char('-'));
}

TPasteMerge MergePaste(const TEditState& edit, QString pasted, int lengthLimit)
{
    TPasteMerge m;
    if (lengthLimit > 0 && pasted.size() > lengthLimit)
        return m;
    const int crlf = pasted.indexOf(QStringLiteral("\r\n"));
    if (crlf >= 0 && crlf == pasted.size() - 2)
        pasted.chop(2);
    const int len = edit.selected.size();
    m.text = edit.text;
    m.text.replace(edit.caret, len, pasted);
    if (lengthLimit > 0 && m.text.size() > lengthLimit)
        return m;
    m.ok = true;
    if (len > 0) {
        m.selStart = edit.caret;
        m.selLength = pasted.size();
    }
    m.caret = edit.caret + pasted.size();
    return m;
}

void ExecEditMenu(QLineEdit& edit, const QPoint& at, const std::function<void()>& paste)
{
    QMenu* menu = edit.createStandardContextMenu();
    // The standard menu names its Paste entry only by text, with the shortcut after a tab.
    const QString pasteKey = QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* a : menu->actions()) {
        if (!a->text().endsWith(pasteKey))
            continue;
        QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
        QObject::connect(a, &QAction::triggered, &edit, paste);
    }
    menu->exec(at);
    delete menu;
}

} // namespace grid

#pragma once
// The completion the list pickers (detail list, multi-column list) run on every change of their
// edit text: the part before the caret is looked up among the items' texts; when one starts with
// it the text becomes the typed part, in the case typed, followed by the rest of that item's
// text, and the rest is selected with the caret after the typed part, so that further typing
// replaces it. When none does, whatever followed the caret is dropped.
//
// Without matching case both sides compare upper-cased one character at a time (the platform's
// one-to-one case mapping), so a keystroke costs one pass over the items and allocates nothing
// per item.

#include <QString>

#include <algorithm>

namespace dropdowns {

// Each character upper-cased on its own, so the text keeps its length.
QString UpperChars(const QString& text);
// True when text starts with key (upper-cased by UpperChars unless matchCase); an empty key
// starts nothing.
bool StartsWithKey(const QString& text, const QString& key, bool matchCase);

struct TCompletion {
    enum TKind { ckNone, ckCompleted, ckCut };
    TKind Kind = ckNone;
    // The item that completed the text (ckCompleted), else -1.
    int Index = -1;
    // Length of the typed part, the part that was looked up.
    int TypedLength = 0;
    // The new text (ckCompleted, ckCut).
    QString Text;
    // The selection as QLineEdit::setSelection takes it: the anchor at the end of the text and
    // a negative length back to the caret, after the typed part.
    int SelStart = 0;
    int SelLength = 0;
};

// Where the list pickers' First, Last, Next and Previous move the choice among `count` items:
// no wrap-around, and without a choice Next and Previous take the first item. -1: nothing moves.
enum class TSelectStep { First, Last, Next, Previous };
inline int SelectionTarget(int current, int count, TSelectStep step)
{
    if (count <= 0)
        return -1;
    switch (step) {
    case TSelectStep::First:
        return 0;
    case TSelectStep::Last:
        return count - 1;
    case TSelectStep::Next:
        return current < 0 ? 0 : (current + 1 < count ? current + 1 : -1);
    case TSelectStep::Previous:
        return current < 0 ? 0 : (current > 0 ? current - 1 : -1);
    }
    return -1;
}

// Caption tails longer than this are cut.
inline constexpr int kCompletionTailMax = 255;

// The completion of `text` with the caret at `caret` over `count` item texts, `textAt(i)`
// giving item i's text. The search starts at item `first` (a nested run on the completed text
// knows that no earlier item can start with it). Nothing without items.
template <class TextAt>
TCompletion CompleteTyped(const QString& text, int caret, bool matchCase, int count, TextAt&& textAt, int first = 0)
{
    TCompletion result;
    if (count <= 0)
        return result;
    const QString typed = text.left(std::max(0, caret));
    result.TypedLength = int(typed.size());
    const QString key = matchCase ? typed : UpperChars(typed);
    if (!key.isEmpty()) {
        for (int i = std::max(0, first); i < count; ++i) {
            const QString& candidate = textAt(i);
            if (!StartsWithKey(candidate, key, matchCase))
                continue;
            result.Kind = TCompletion::ckCompleted;
            result.Index = i;
            result.Text = text.left(key.size()) + candidate.mid(key.size(), kCompletionTailMax);
            result.SelStart = int(result.Text.size());
            result.SelLength = int(key.size()) - result.SelStart;
            return result;
        }
    }
    if (!typed.isEmpty()) {
        result.Kind = TCompletion::ckCut;
        result.Text = typed;
        result.SelStart = int(typed.size());
        result.SelLength = 0;
    }
    return result;
}

} // namespace dropdowns

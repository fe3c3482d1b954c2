// Small helpers shared by the list and memo windows and the pages: moving
// lines between list boxes, memos and the program's string lists without a
// repaint per line, sorted list boxes, count labels that follow their list,
// and letting paints through during long loops.
#pragma once

#include <QElapsedTimer>
#include <QStringList>

#include "core/ListPresence.h"
#include "core/Types.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace listtools {

QStringList ToQt(const StringList& lines);
StringList FromQt(const QStringList& lines);

// Every line of a list box, in order.
StringList ListLines(const QListWidget* list);

// ---- sorted list boxes ------------------------------------------------------------
// A list box whose form sets sortingEnabled keeps its items in one order,
// listsearch::CompareOrder: the user's locale with letter case ignored, so
// "alpha" comes before "One" and "Élan" before "zulu".
// Every way in (typing, moves, imports, editors, restored settings) adds
// through the functions below: one item goes to its place by a binary
// search, a batch is appended and sorted once at its end. On a box that
// does not sort they append in the given order.
void AddListItem(QListWidget* list, const QString& text);
void AddListItems(QListWidget* list, const QStringList& texts);
// Replaces the lines of a list box in one go.
void SetListLines(QListWidget* list, const StringList& lines);
void SetListLines(QListWidget* list, const QStringList& lines);
// The row of an item equal to `text` ignoring letter case, or -1; a binary
// search on a sorted box. Masks and types; folder lines: FindListLine.
int FindListItem(const QListWidget* list, const QString& text);
// The row of a line of a folder list that is `text` (SameFolderLine: byte
// for byte but for a drive letter's case), or -1; a binary search on a
// sorted box.
int FindListLine(const QListWidget* list, const QString& text);

// An import into a page's list: adds to `include` every line that `accept`
// lets through (it may rewrite the line first) and that neither list holds
// (SameFolderLine), in one go. Returns how many were added.
std::size_t AppendNewLines(QListWidget* include, const QListWidget* exclude, const StringList& lines,
                           const ImportLineFilter& accept = {});

// ---- counts -----------------------------------------------------------------------
// From now on the label shows the list's number of items after every change
// of the list, whoever makes it.
void ShowCountOf(QListWidget* list, QLabel* label);

// The memo's lines as the user sees them: a line break at the very end
// opens no further line, and an empty memo has none.
StringList MemoLines(const QPlainTextEdit* memo);
void SetMemoLines(QPlainTextEdit* memo, const StringList& lines);
// The number of MemoLines, without building them.
int MemoLineCount(const QPlainTextEdit* memo);
// The number of memo lines that are not empty after trimming.
int MemoFilledLineCount(const QPlainTextEdit* memo);

// Lets pending paints through at most every 50 ms.
class PaintThrottle {
public:
    PaintThrottle() { timer_.start(); }
    void Tick();

private:
    QElapsedTimer timer_;
};

}  // namespace listtools

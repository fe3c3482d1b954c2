// Small helpers shared by the list and memo windows: moving lines between
// list boxes, memos and the program's string lists without a repaint per
// line, and letting paints through during long loops.
#pragma once

#include <QElapsedTimer>
#include <QStringList>

#include "core/ListPresence.h"
#include "core/Types.h"

class QListWidget;
class QPlainTextEdit;

namespace listtools {

QStringList ToQt(const StringList& lines);
StringList FromQt(const QStringList& lines);

// Every line of a list box, in order.
StringList ListLines(const QListWidget* list);
// Replaces the lines of a list box in one go.
void SetListLines(QListWidget* list, const StringList& lines);

// An import into a page's list: appends to `include` every line that
// `accept` lets through (it may rewrite the line first) and that neither
// list holds, ignoring letter case, in one go. Returns how many were added.
std::size_t AppendNewLines(QListWidget* include, const QListWidget* exclude, const StringList& lines,
                           const ImportLineFilter& accept = {});

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

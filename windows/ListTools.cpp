#include "windows/ListTools.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "core/PathTools.h"
#include "platform/qt/QtPlatform.h"

namespace listtools {

QStringList ToQt(const StringList& lines) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) out << QString::fromStdString(line);
    return out;
}

StringList FromQt(const QStringList& lines) {
    StringList out;
    for (const auto& line : lines) out.push_back(line.toStdString());
    return out;
}

StringList ListLines(const QListWidget* list) {
    StringList out;
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
}

void SetListLines(QListWidget* list, const StringList& lines) {
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(ToQt(lines));
    list->setUpdatesEnabled(true);
}

std::size_t AppendNewLines(QListWidget* include, const QListWidget* exclude, const StringList& lines,
                           const ImportLineFilter& accept) {
    StringList merged = ListLines(include);
    const std::size_t before = merged.size();
    const std::size_t added = ::AppendNewLines(merged, exclude ? ListLines(exclude) : StringList(), lines, accept);
    QStringList tail;
    for (std::size_t i = before; i < merged.size(); ++i) tail << QString::fromStdString(merged[i]);
    include->addItems(tail);
    return added;
}

StringList MemoLines(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    StringList out;
    if (text.isEmpty()) return out;
    for (const auto& line : text.split('\n')) out.push_back(line.toStdString());
    if (out.back().empty()) out.pop_back();
    return out;
}

void SetMemoLines(QPlainTextEdit* memo, const StringList& lines) { memo->setPlainText(ToQt(lines).join('\n')); }

int MemoLineCount(const QPlainTextEdit* memo) {
    const QTextDocument* doc = memo->document();
    int count = doc->blockCount();
    if (doc->lastBlock().text().isEmpty()) --count;
    return count;
}

int MemoFilledLineCount(const QPlainTextEdit* memo) {
    int count = 0;
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
        if (!TrimControlAndBlanks(block.text().toStdString()).empty()) ++count;
    return count;
}

void PaintThrottle::Tick() {
    if (timer_.elapsed() < 50) return;
    qtplat::ProcessPendingPaints();
    timer_.restart();
}

}  // namespace listtools

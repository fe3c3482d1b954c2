// The list box's exact search, which ignores letter case, for the list and
// combo boxes of the selection windows (masks and file types); the order of
// the sorted boxes; and the place of a new line in a sorted combo box (the
// sorted list boxes are kept by listtools::AddListItems). Letter case is
// folded as the core folds it (ToLowerCase). Lines of folder lists are one
// only when they name one entry (LineKey, as the core's SameFolderLine).
#pragma once

#include <QCollatorSortKey>
#include <QComboBox>
#include <QListWidget>
#include <QSet>
#include <QString>

#include "core/PathTools.h"

namespace listsearch {

inline QString Key(const QString& text) { return QString::fromStdString(ToLowerCase(text.toStdString())); }

inline QSet<QString> KeysOf(const QListWidget* list) {
    QSet<QString> keys;
    keys.reserve(list->count());
    for (int i = 0; i < list->count(); ++i) keys.insert(Key(list->item(i)->text()));
    return keys;
}

inline QSet<QString> KeysOf(const QComboBox* combo) {
    QSet<QString> keys;
    keys.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i) keys.insert(Key(combo->itemText(i)));
    return keys;
}

// The key of a line of a folder list (FolderLineKey): lines are one only
// when they name one entry ("Jobs" and "jobs" are two folders).
inline QString LineKey(const QString& text) { return QString::fromStdString(FolderLineKey(text.toStdString())); }

// SameFolderLine on the texts as the boxes hold them.
inline bool SameLine(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    const auto drive = [](QStringView t) { return t.size() >= 2 && t[1] == u':' && t[0].isLetter() && t[0].unicode() < 128; };
    if (drive(a) && drive(b)) return a[0].toLower() == b[0].toLower() && a.mid(1) == b.mid(1);
    return a == b;
}

inline QSet<QString> LineKeysOf(const QListWidget* list) {
    QSet<QString> keys;
    keys.reserve(list->count());
    for (int i = 0; i < list->count(); ++i) keys.insert(LineKey(list->item(i)->text()));
    return keys;
}

// -1 when absent.
inline int IndexOf(const QComboBox* combo, const QString& text) {
    const QString key = Key(text);
    for (int i = 0; i < combo->count(); ++i)
        if (Key(combo->itemText(i)) == key) return i;
    return -1;
}

// The order of every sorted box: the user's locale with letter case ignored
// ("Élan" before "zulu"); texts it ranks alike follow their folded text
// (Key), then their exact text, so the order is total and lines that are
// duplicates stand together. Each call says where a text goes by the locale
// of the moment; the keys of one box all come from one locale.
QCollatorSortKey OrderKey(const QString& text);
int CompareOrder(const QString& a, const QString& b);

inline bool SortsBefore(const QString& a, const QString& b) { return CompareOrder(a, b) < 0; }

// The first row whose text sorts after `text`.
template <typename TextAt>
int SortedRow(int count, const QString& text, TextAt textAt) {
    int low = 0, high = count;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (SortsBefore(text, textAt(mid))) high = mid;
        else low = mid + 1;
    }
    return low;
}

inline int InsertSorted(QComboBox* combo, const QString& text) {
    const int row = SortedRow(combo->count(), text, [combo](int i) { return combo->itemText(i); });
    combo->insertItem(row, text);
    return row;
}

}  // namespace listsearch

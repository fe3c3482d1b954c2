#include "windows/ListTools.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "core/PathTools.h"
#include "platform/qt/QtPlatform.h"
#include "windows/ListBoxSearch.h"

namespace listtools {

namespace {

// An item of a sorted box: keeps its place in the order and its folded
// text, so that sorting and searching 100,000 items work each text once.
class SortedItem : public QListWidgetItem {
public:
    static constexpr int kType = QListWidgetItem::UserType + 0x5157;

    explicit SortedItem(const QString& text)
        : QListWidgetItem(text, nullptr, kType), order_(listsearch::OrderKey(text)), key_(listsearch::Key(text)) {}

    static QString KeyOf(const QListWidgetItem& item) {
        return item.type() == kType ? static_cast<const SortedItem&>(item).key_ : listsearch::Key(item.text());
    }
    // The order of `item` against a text whose keys are given.
    static int Compare(const QListWidgetItem& item, const QCollatorSortKey& order, const QString& key) {
        int c = item.type() == kType ? static_cast<const SortedItem&>(item).order_.compare(order)
                                     : listsearch::OrderKey(item.text()).compare(order);
        return c != 0 ? c : QString::compare(KeyOf(item), key);
    }
    bool operator<(const QListWidgetItem& other) const override {
        if (other.type() != kType) return listsearch::CompareOrder(text(), other.text()) < 0;
        const auto& o = static_cast<const SortedItem&>(other);
        int c = order_.compare(o.order_);
        if (c == 0) c = QString::compare(key_, o.key_);
        return c != 0 ? c < 0 : text() < other.text();
    }
    void setData(int role, const QVariant& value) override {
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            order_ = listsearch::OrderKey(value.toString());
            key_ = listsearch::Key(value.toString());
        }
        QListWidgetItem::setData(role, value);  // a sorted box moves the item from here
    }
    QListWidgetItem* clone() const override { return new SortedItem(*this); }

private:
    QCollatorSortKey order_;
    QString key_;
};

// Up to this many items go to their places one by one; more are sorted once.
constexpr qsizetype kPlacedOneByOne = 16;

}  // namespace

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

void AddListItem(QListWidget* list, const QString& text) {
    if (list->isSortingEnabled())
        list->addItem(new SortedItem(text));  // the box places it by a binary search
    else
        list->addItem(text);
}

void AddListItems(QListWidget* list, const QStringList& texts) {
    if (texts.isEmpty()) return;
    if (!list->isSortingEnabled()) {
        list->addItems(texts);
        return;
    }
    if (texts.size() <= kPlacedOneByOne) {
        for (const QString& text : texts) list->addItem(new SortedItem(text));
        return;
    }
    // Placing each item would move the whole list every time.
    list->setSortingEnabled(false);
    for (const QString& text : texts) list->addItem(new SortedItem(text));
    list->setSortingEnabled(true);
    list->sortItems();
}

void SetListLines(QListWidget* list, const QStringList& lines) {
    list->setUpdatesEnabled(false);
    list->clear();
    AddListItems(list, lines);
    list->setUpdatesEnabled(true);
}

void SetListLines(QListWidget* list, const StringList& lines) { SetListLines(list, ToQt(lines)); }

int FindListItem(const QListWidget* list, const QString& text) {
    const QString key = listsearch::Key(text);
    if (!list->isSortingEnabled()) {
        for (int i = 0; i < list->count(); ++i)
            if (SortedItem::KeyOf(*list->item(i)) == key) return i;
        return -1;
    }
    // Lines equal ignoring case stand together in the order.
    const QCollatorSortKey order = listsearch::OrderKey(text);
    int low = 0, high = list->count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (SortedItem::Compare(*list->item(mid), order, key) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return low < list->count() && SortedItem::KeyOf(*list->item(low)) == key ? low : -1;
}

int FindListLine(const QListWidget* list, const QString& text) {
    const auto same = [&](int row) { return listsearch::SameLine(list->item(row)->text(), text); };
    if (!list->isSortingEnabled()) {
        for (int i = 0; i < list->count(); ++i)
            if (same(i)) return i;
        return -1;
    }
    // The lines equal to it ignoring case stand together, from the first one
    // FindListItem finds.
    const QString key = listsearch::Key(text);
    for (int i = FindListItem(list, text); i >= 0 && i < list->count() && SortedItem::KeyOf(*list->item(i)) == key; ++i)
        if (same(i)) return i;
    return -1;
}

std::size_t AppendNewLines(QListWidget* include, const QListWidget* exclude, const StringList& lines,
                           const ImportLineFilter& accept) {
    StringList merged = ListLines(include);
    const std::size_t before = merged.size();
    const std::size_t added = ::AppendNewLines(merged, exclude ? ListLines(exclude) : StringList(), lines, accept);
    QStringList tail;
    for (std::size_t i = before; i < merged.size(); ++i) tail << QString::fromStdString(merged[i]);
    AddListItems(include, tail);
    return added;
}

void ShowCountOf(QListWidget* list, QLabel* label) {
    // Counted by the model: a list being destroyed empties its model.
    const QAbstractItemModel* model = list->model();
    const auto show = [model, label] { label->setText(QString::number(model->rowCount())); };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, label, show);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, label, show);
    QObject::connect(model, &QAbstractItemModel::modelReset, label, show);
    show();
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

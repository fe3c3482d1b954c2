#include "results/ResultsList.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QListView>
#include <QStyledItemDelegate>
#include <algorithm>

#include "core/ExportWriter.h"
#include "platform/qt/QtPlatform.h"

namespace results {
namespace {

std::vector<PendingChanges*>& PendingList() {
    static std::vector<PendingChanges*> list;
    return list;
}

QElapsedTimer& PaceTimer() {
    static QElapsedTimer timer;
    return timer;
}

constexpr qint64 kPaceMs = 50;

}  // namespace

PendingChanges::~PendingChanges() {
    if (!marked_) return;
    auto& list = PendingList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void PendingChanges::MarkPending() {
    if (marked_) return;
    marked_ = true;
    PendingList().push_back(this);
}

void FlushPending() {
    std::vector<PendingChanges*> list;
    list.swap(PendingList());
    for (PendingChanges* p : list) p->marked_ = false;
    for (PendingChanges* p : list) p->FlushChanges();
}

bool PaceRun() {
    QElapsedTimer& timer = PaceTimer();
    if (timer.isValid() && timer.elapsed() < kPaceMs) return false;
    FlushPending();
    qtplat::ProcessPendingPaints();
    timer.start();
    return true;
}

void FinishRun() {
    FlushPending();
    qtplat::ProcessPendingPaints();
    PaceTimer().start();
}

}  // namespace results

ResultsListModel::ResultsListModel(QObject* parent) : QAbstractListModel(parent) {}

int ResultsListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

QVariant ResultsListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(lines_[static_cast<std::size_t>(index.row())]);
    return {};
}

void ResultsListModel::Append(std::string line) {
    lines_.push_back(std::move(line));
    MarkPending();
}

void ResultsListModel::Clear() {
    beginResetModel();
    lines_.clear();
    shown_ = 0;
    keys_.clear();
    indexed_ = 0;
    endResetModel();
}

void ResultsListModel::SetLines(std::vector<std::string> lines) {
    beginResetModel();
    lines_ = std::move(lines);
    shown_ = static_cast<int>(lines_.size());
    keys_.clear();
    indexed_ = 0;
    endResetModel();
}

bool ResultsListModel::Contains(const std::string& line) const {
    for (; indexed_ < lines_.size(); ++indexed_) keys_.insert(ListSearchKey(lines_[indexed_]));
    return keys_.count(ListSearchKey(line)) != 0;
}

void ResultsListModel::FlushChanges() {
    const int total = static_cast<int>(lines_.size());
    if (total <= shown_) return;
    beginInsertRows(QModelIndex(), shown_, total - 1);
    shown_ = total;
    endInsertRows();
}

namespace {

class ExtentDelegate : public QStyledItemDelegate {
public:
    ExtentDelegate(int extent, QObject* parent) : QStyledItemDelegate(parent), extent_(extent) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(std::max(size.width(), extent_));
        return size;
    }

private:
    int extent_;
};

}  // namespace

void SetUpResultsListView(QListView* view, ResultsListModel* model, int extent) {
    view->setModel(model);
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setItemDelegate(new ExtentDelegate(extent, view));
}

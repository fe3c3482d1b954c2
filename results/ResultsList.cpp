#include "results/ResultsList.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QListView>
#include <QStyledItemDelegate>
#include <algorithm>

#include "core/ExportWriter.h"
#include "core/PathTools.h"
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
QElapsedTimer& AnswerTimer() {
    static QElapsedTimer timer;
    return timer;
}

constexpr qint64 kPaceMs = 50;
// Putting very long lists on the screen takes long: the next showing waits
// twenty times as long as this one took, so showing costs a run at most
// about a twentieth of its time.
qint64 g_paceMs = kPaceMs;

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
    // Runs call this for every item: the clock is read every 32nd call only.
    static unsigned calls = 0;
    if ((++calls & 31u) != 0) return false;
    return PaceNow();
}

bool PaceNow() {
    QElapsedTimer& shown = PaceTimer();
    QElapsedTimer& answered = AnswerTimer();
    const bool show = !shown.isValid() || shown.elapsed() >= g_paceMs;
    // (Half the pace: a caller paced on a clock of its own, as a pool's
    // waits are, comes a little early now and then.)
    if (!show && answered.isValid() && answered.elapsed() < kAnswerMs / 2) return false;
    // The window answers between showings too: with nothing new to lay out,
    // its events (the window manager's, a repaint) cost next to nothing.
    if (show) {
        shown.start();
        FlushPending();
    }
    qtplat::ProcessPendingPaints();
    answered.start();
    if (!show) return false;
    g_paceMs = std::max<qint64>(kPaceMs, shown.elapsed() * 20);
    shown.start();
    return true;
}

void FinishRun() {
    FlushPending();
    qtplat::ProcessPendingPaints();
    PaceTimer().start();
    AnswerTimer().start();
    g_paceMs = kPaceMs;
}

}  // namespace results

ResultsListModel::ResultsListModel(QObject* parent)
    : QAbstractListModel(parent), shared_(std::make_shared<Shared>()) {
    shared_->viewers.push_back(this);
}

ResultsListModel::~ResultsListModel() { std::erase(shared_->viewers, this); }

int ResultsListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

// A view asks for the index of every row at each layout of the list: the
// answer needs none of the base's calls for the row and column counts.
QModelIndex ResultsListModel::index(int row, int column, const QModelIndex& parent) const {
    return row >= 0 && row < shown_ && column == 0 && !parent.isValid() ? createIndex(row, 0) : QModelIndex();
}

QVariant ResultsListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_) return {};
    if (role != Qt::DisplayRole) return {};
    const std::string_view line = LineView(static_cast<std::size_t>(index.row()));
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

SharedLine ResultsListModel::Append(std::string_view line) {
    shared_->lines->Append(line);
    for (ResultsListModel* viewer : shared_->viewers) viewer->MarkPending();
    return {&shared_->lines, shared_->lines->Size() - 1};
}

std::vector<std::string> ResultsListModel::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(Count());
    for (std::size_t i = 0; i < Count(); ++i) lines.emplace_back(LineView(i));
    return lines;
}

void ResultsListModel::Clear() {
    beginResetModel();
    first_ = shared_->lines->Size();
    shown_ = 0;
    keys_.Clear();
    indexed_ = 0;
    endResetModel();
    // Lines no list shows any more give their memory back.
    const bool unseen = std::all_of(shared_->viewers.begin(), shared_->viewers.end(),
                                    [&](const ResultsListModel* v) { return v->first_ == shared_->lines->Size(); });
    if (unseen) {
        shared_->lines = std::make_shared<LineStore>();
        for (ResultsListModel* viewer : shared_->viewers) viewer->first_ = 0;
    }
}

double ResultsListModel::HeldBytes(bool shared) const {
    if (shared_->viewers.empty() || shared_->viewers.front() != this || (!shared && shared_->lines.use_count() > 1))
        return 0;
    return static_cast<double>(shared_->lines->HeldBytes());
}

void ResultsListModel::Detach() {
    if (shared_->viewers.size() == 1) return;
    std::erase(shared_->viewers, this);
    shared_ = std::make_shared<Shared>();
    shared_->viewers.push_back(this);
    first_ = 0;
}

void ResultsListModel::SetLines(std::vector<std::string> lines) {
    beginResetModel();
    Detach();
    shared_->lines = std::make_shared<LineStore>();
    first_ = 0;
    std::size_t bytes = 0;
    for (const auto& line : lines) bytes += line.size();
    shared_->lines->Reserve(lines.size(), bytes);
    for (const auto& line : lines) shared_->lines->Append(line);
    shown_ = static_cast<int>(Count());
    keys_.Clear();
    indexed_ = 0;
    endResetModel();
}

void ResultsListModel::SetLines(LineStore lines) {
    beginResetModel();
    Detach();
    shared_->lines = std::make_shared<LineStore>(std::move(lines));
    first_ = 0;
    shown_ = static_cast<int>(Count());
    keys_.Clear();
    indexed_ = 0;
    endResetModel();
}

bool ResultsListModel::ShareLinesWith(ResultsListModel& other) {
    if (shared_ == other.shared_) return true;
    if (!IsEmpty() || !other.IsEmpty() || other.shown_ != 0) return false;
    std::erase(other.shared_->viewers, &other);
    other.shared_ = shared_;
    other.first_ = shared_->lines->Size();
    shared_->viewers.push_back(&other);
    return true;
}

bool ResultsListModel::Contains(std::string_view line) const {
    for (; indexed_ < Count(); ++indexed_) keys_.FindOrAdd(LineView(indexed_), indexed_);
    return keys_.Contains(line);
}

void ResultsListModel::FlushChanges() {
    const int total = static_cast<int>(Count());
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
    // Rows come in at the run's pace, right before the pending paints are
    // let through: laid out only later (the view's own timer), they would be
    // painted blank, every time. Laid out now, the paint shows them.
    QObject::connect(model, &QAbstractItemModel::rowsInserted, view, [view] {
        if (view->isVisible()) view->doItemsLayout();
    });
}

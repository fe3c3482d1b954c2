// The list behind every results list box. A run appends its lines here
// without touching the screen; the views learn of them only when the lines
// are flushed, so 100,000 lines cost 100,000 appends and a few repaints.
#pragma once

#include <QAbstractListModel>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/FolderLineIndex.h"
#include "core/LineStore.h"
#include "core/SharedLine.h"

class QListView;

namespace results {

// Anything that holds changes not yet on the screen.
class PendingChanges {
public:
    PendingChanges() = default;
    PendingChanges(const PendingChanges&) = delete;
    PendingChanges& operator=(const PendingChanges&) = delete;
    virtual ~PendingChanges();
    virtual void FlushChanges() = 0;

protected:
    // Puts this on the list that FlushPending works through.
    void MarkPending();

private:
    bool marked_ = false;
    friend void FlushPending();
};

// Puts every pending line and count of every results window on the screen
// (no events are processed).
void FlushPending();
// How often a run lets the window answer (paint, the window manager's
// questions; never user input): a window silent for a fraction of a second
// already looks hung.
constexpr int kAnswerMs = 50;
// For a run's loop, after each item: every kAnswerMs lets pending events
// through, and every ~50 ms or more (as long as showing takes) flushes the
// lists first. True when it flushed.
bool PaceRun();
// The same without counting calls, for a caller that already calls seldom
// (a run pool waiting for its workers): the pace is shared with PaceRun.
bool PaceNow();
// At the end of a run: flushes and paints once, always.
void FinishRun();

}  // namespace results

class ResultsListModel : public QAbstractListModel, public results::PendingChanges {
    Q_OBJECT
public:
    explicit ResultsListModel(QObject* parent = nullptr);
    ~ResultsListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shown at the next flush (in every list that shares this one's lines).
    // The answer names the line where it is kept, so that a run's record
    // can keep the same line without a copy; valid until the next append.
    SharedLine Append(std::string_view line);
    // At once.
    void Clear();
    void SetLines(std::vector<std::string> lines);
    void SetLines(LineStore lines);
    // The block of lines when this list alone shows all of it (a list
    // filled by SetLines); null otherwise.
    const LineStore* OwnLines() const {
        return first_ == 0 && shared_->viewers.size() == 1 ? shared_->lines.get() : nullptr;
    }

    // Every line, those not yet shown included.
    std::size_t Count() const { return shared_->lines->Size() - first_; }
    bool IsEmpty() const { return Count() == 0; }
    // The view stays valid until the next line is appended.
    std::string_view LineView(std::size_t index) const { return (*shared_->lines)[first_ + index]; }
    // The block that holds this list's lines, and where line `index` is in
    // it: for taking lines over without copying them (LineStore::AppendLineOf).
    const LineStore& Block() const { return *shared_->lines; }
    std::size_t BlockIndex(std::size_t index) const { return first_ + index; }
    std::string Line(std::size_t index) const { return std::string(LineView(index)); }
    std::vector<std::string> Lines() const;

    // What clearing this list and every other that shows its lines gives
    // back: their block, unless a run's record keeps it too (`shared`: the
    // records go as well). Only the first of those lists answers, so that a
    // sum over them counts it once.
    double HeldBytes(bool shared = false) const;

    // Whether a line that is this one (SameFolderLine) is held.
    bool Contains(std::string_view line) const;

    // From now on `other` holds this list's lines too, without a copy:
    // what is appended to either shows in both, and each is cleared on its
    // own. Only for two empty lists; false (and nothing shared) otherwise.
    bool ShareLinesWith(ResultsListModel& other);
    bool SharesLinesWith(const ResultsListModel& other) const { return shared_ == other.shared_; }

    // Tells the views about the lines appended since the last flush.
    void FlushChanges() override;

private:
    // One block of lines and the lists that show a tail of it. A run's
    // record may share the block too: it is only ever appended to, and a
    // list that lets its lines go takes a new block instead of emptying it.
    struct Shared {
        std::shared_ptr<LineStore> lines = std::make_shared<LineStore>();
        std::vector<ResultsListModel*> viewers;
    };
    struct LineAt {
        const ResultsListModel* model;
        std::string_view operator()(std::size_t i) const { return model->LineView(i); }
    };
    void Detach();

    std::shared_ptr<Shared> shared_;
    std::size_t first_ = 0;  // this list's first line in the block
    int shown_ = 0;
    // Lines [0, indexed_) by their search key, built when first searched.
    mutable FolderLineIndex<LineAt> keys_{LineAt{this}};
    mutable std::size_t indexed_ = 0;
};

// Sets a list view up for very many lines: one row height for all, no
// editing, and rows as wide as `extent` pixels (the list's horizontal
// scroll extent), whatever their text.
void SetUpResultsListView(QListView* view, ResultsListModel* model, int extent);

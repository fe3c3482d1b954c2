// The list behind every results list box. A run appends its lines here
// without touching the screen; the views learn of them only when the lines
// are flushed, so 100,000 lines cost 100,000 appends and a few repaints.
#pragma once

#include <QAbstractListModel>
#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

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
// For a run's loop, after each item: every ~50 ms flushes and lets pending
// paints through (never user input). True when it did.
bool PaceRun();
// At the end of a run: flushes and paints once, always.
void FinishRun();

}  // namespace results

class ResultsListModel : public QAbstractListModel, public results::PendingChanges {
    Q_OBJECT
public:
    explicit ResultsListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Shown at the next flush.
    void Append(std::string line);
    // At once.
    void Clear();
    void SetLines(std::vector<std::string> lines);

    // Every line, those not yet shown included.
    std::size_t Count() const { return lines_.size(); }
    bool IsEmpty() const { return lines_.empty(); }
    const std::string& Line(std::size_t index) const { return lines_[index]; }
    const std::vector<std::string>& Lines() const { return lines_; }

    // The list box's exact search, which ignores letter case.
    bool Contains(const std::string& line) const;

    // Tells the views about the lines appended since the last flush.
    void FlushChanges() override;

private:
    std::vector<std::string> lines_;
    int shown_ = 0;
    // Search keys of lines_[0, indexed_), built when first searched.
    mutable std::unordered_set<std::string> keys_;
    mutable std::size_t indexed_ = 0;
};

// Sets a list view up for very many lines: one row height for all, no
// editing, and rows as wide as `extent` pixels (the list's horizontal
// scroll extent), whatever their text.
void SetUpResultsListView(QListView* view, ResultsListModel* model, int extent);

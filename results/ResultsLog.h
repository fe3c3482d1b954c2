// The pattern every Visual Log and every zoom window follows, written once
// and driven by each window's table.
//
// What a run does with its page's Visual Log (all in the UI thread):
//   log->ClearLists(); zoom->ClearAllLists();
//   log->SetRunMode(realRun); log->ShowLog();        // when "Show Visual Log" is on
//   per item:  log->AddLine(TfrmStatistic02::FoldersCreated, line);  // log and zoom
//              log->AddExportLine(category, "src,dest");             // where a hidden list exists
//              log->SetLabelText("lblStat02FoldersCreated", CounterToStr(counter));
//              results::PaceRun();                                    // repaints every ~50 ms
//   at the end: results::FinishRun();
// Nothing appended or counted reaches the screen before the next flush.
#pragma once

#include <QDialog>
#include <QPointer>
#include <cstddef>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "results/ResultsList.h"

class QAbstractButton;
class QCheckBox;
class QLabel;
class QListView;
class QRadioButton;
class ZoomStatisticsWindow;

// Horizontal scroll extent of every results list, in pixels.
inline constexpr int kResultsListExtent = 3000;

enum ResultCategoryFlags : unsigned {
    // The Export button disables the window's Export buttons while it works
    // and enables them again afterwards.
    kSwitchesExportButtons = 1,
    // The Export button is one of those EnableExportButtons switches.
    kSwitchedByEnable = 2,
    // The focus is not moved back to the Export button at the end.
    kKeepsFocus = 4,
    // The preview line comes from the export list, the buffer line from the
    // visible list at the same index.
    kHandsOverVisibleLine = 8,
    kModelExport = kSwitchesExportButtons | kSwitchedByEnable,
};

struct ResultCategoryLayout {
    const char* list;        // visible list box
    const char* hiddenList;  // its export-line list, or nullptr
    const char* exportList;  // the list Smart Export reads; nullptr: `list`
    const char* zoomButton;
    const char* zoomCategory;  // the category's name in the zoom window
    const char* exportButton;
    const char* warningText;  // shown when the list read is empty
    const char* warningCaption;
    unsigned flags;
};

struct VisualLogLayout {
    std::span<const ResultCategoryLayout> categories;
    const char* runModeCheck;
    const char* runModeLabel;
    const char* realRunText;  // nullptr: the label keeps its own text
    const char* simulationText;
    ZoomStatisticsWindow* (*zoomWindow)();
};

class VisualLogWindow : public QDialog, public results::PendingChanges {
    Q_OBJECT
public:
    // ---- what a run calls ----
    // The line goes to the category's list here and in the zoom window;
    // the answer names it where it is kept (see ResultsListModel::Append).
    SharedLine AddLine(int category, const std::string& line);
    // The line goes to the category's hidden export-line list.
    void AddExportLine(int category, const std::string& line);
    // Any list of the window by its name (visible or hidden); nullptr when
    // the window has none of that name.
    ResultsListModel* List(std::string_view name) const;
    ResultsListModel* CategoryList(int category) const;
    int CategoryCount() const { return static_cast<int>(categoryLists_.size()); }
    // The category's hidden export-line list; nullptr where it has none.
    ResultsListModel* ExportList(int category) const { return hiddenLists_[static_cast<std::size_t>(category)]; }
    // Empties every list of the window, the hidden ones too.
    void ClearLists();
    // What ClearLists gives back (ResultsListModel::HeldBytes).
    double HeldBytes(bool shared = false) const;
    // Count labels, written at the next flush: a value as DoubleToStr
    // writes it (six digits), or any text. The pages' counters go as
    // CounterToStr text, in full.
    void SetCount(std::string_view label, double value);
    void SetLabelText(std::string_view label, const std::string& text);
    // Checks (real run) or unchecks (simulation) the run-mode box and sets
    // the top label's text and colour to match.
    void SetRunMode(bool realRun);
    // The main window's activation: the top label follows the run-mode box.
    void ApplyRunModeLabel();
    // Flushes and shows the window modeless, in front, painted before the
    // caller goes on.
    void ShowLog();

    // ---- the window's own operations ----
    void EnableExportButtons(bool enabled);
    void Zoom(int category);
    void SmartExport(int category);

    void FlushChanges() override;

protected:
    VisualLogWindow(const VisualLogLayout& layout, QWidget* parent);
    // Called by each window after setupUi: finds the named controls and
    // sets the lists up.
    void AttachControls();

private:
    struct LabelSlot {
        QLabel* label = nullptr;
        std::variant<double, std::string> value;
        bool pending = false;
    };
    ResultsListModel* ZoomList(int category);
    ResultsListModel* ExportSource(int category) const;
    LabelSlot* FindLabel(std::string_view name);
    void MarkLabel(LabelSlot& slot);

    const VisualLogLayout& layout_;
    std::deque<std::string> names_;  // keys of the maps below
    std::unordered_map<std::string_view, ResultsListModel*> lists_;
    std::unordered_map<std::string_view, LabelSlot> labels_;
    std::vector<LabelSlot*> pendingLabels_;
    std::vector<ResultsListModel*> categoryLists_;
    std::vector<ResultsListModel*> hiddenLists_;
    std::vector<QAbstractButton*> exportButtons_;
    QCheckBox* runModeCheck_ = nullptr;
    QLabel* runModeLabel_ = nullptr;
    // The zoom window whose lists zoomLists_ holds (null once it is gone).
    QPointer<ZoomStatisticsWindow> zoomSeen_;
    std::vector<ResultsListModel*> zoomLists_;
    bool exporting_ = false;
};

struct ZoomWindowLayout {
    const char* page;  // "02"
    std::span<const char* const> categories;
};

class ZoomStatisticsWindow : public QDialog {
    Q_OBJECT
public:
    ResultsListModel* List(std::string_view category) const;
    ResultsListModel* List(std::size_t index) const { return categories_[index].model; }
    int IndexOf(std::string_view category) const;
    void AddLine(std::string_view category, const std::string& line);

    void ClearAllLists();
    // What ClearAllLists gives back (ResultsListModel::HeldBytes).
    double HeldBytes(bool shared = false) const;
    void SetAllRadiosChecked(bool checked);
    void SetLabelsVisible(bool visible);
    void SetListsVisible(bool visible);
    // The radio buttons' handler: only this category's label and list show.
    void ShowCategory(int index);
    // A Visual Log's Zoom button: the category is checked and shown, and the
    // window comes to the front.
    void ZoomTo(std::string_view category);
    // The category shown now, -1 before any.
    int ShownCategory() const;

protected:
    ZoomStatisticsWindow(const ZoomWindowLayout& layout, QWidget* parent);
    void AttachControls();

private:
    struct Category {
        QRadioButton* radio = nullptr;
        QLabel* label = nullptr;
        QListView* view = nullptr;
        ResultsListModel* model = nullptr;
    };
    const ZoomWindowLayout& layout_;
    std::vector<Category> categories_;
};

// The look shared by every results window: the light blue background and
// bold maroon button captions.
void ApplyResultsWindowLook(QWidget* window, bool maroonButtons);

#include "results/ResultsLog.h"

#include <algorithm>
#include <string_view>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

#include "core/ExportWriter.h"
#include "core/FolderLineIndex.h"
#include "core/FileNames.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/SharedExportWindow.h"

namespace {

const QColor kResultsBackground(0xEF, 0xF7, 0xFF);  // colour value 16775151 (0x00BBGGRR)
const QColor kMaroon(0x80, 0x00, 0x00);             // colour value 128

template <typename T>
T* Named(QWidget* window, const char* name) {
    return name ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

void SetMaroon(QWidget* widget, QPalette::ColorRole role) {
    QPalette palette = widget->palette();
    palette.setColor(role, kMaroon);
    widget->setPalette(palette);
}

}  // namespace

void ApplyResultsWindowLook(QWidget* window, bool maroonButtons) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kResultsBackground);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    if (!maroonButtons) return;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
        SetMaroon(button, QPalette::ButtonText);
    }
}

// ---- Visual Log ----------------------------------------------------------------

VisualLogWindow::VisualLogWindow(const VisualLogLayout& layout, QWidget* parent) : QDialog(parent), layout_(layout) {}

void VisualLogWindow::AttachControls() {
    ApplyResultsWindowLook(this, true);

    for (QListView* view : findChildren<QListView*>()) {
        auto* model = new ResultsListModel(view);
        SetUpResultsListView(view, model, kResultsListExtent);
        // A list is as wide as its share of the row, never as its lines ask:
        // lines run as long as paths, and the rows' stretch gives the room
        // to the lists that hold the long ones.
        QSizePolicy policy = view->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        view->setSizePolicy(policy);
        names_.push_back(view->objectName().toStdString());
        lists_[names_.back()] = model;
    }
    for (QLabel* label : findChildren<QLabel*>()) {
        if (!label->objectName().startsWith(QLatin1String("lblStat"))) continue;
        names_.push_back(label->objectName().toStdString());
        labels_[names_.back()].label = label;
    }
    for (const ResultCategoryLayout& c : layout_.categories) {
        categoryLists_.push_back(List(c.list));
        hiddenLists_.push_back(c.hiddenList ? List(c.hiddenList) : nullptr);
        exportButtons_.push_back(Named<QAbstractButton>(this, c.exportButton));
        Q_ASSERT(categoryLists_.back() && exportButtons_.back());
    }

    runModeCheck_ = Named<QCheckBox>(this, layout_.runModeCheck);
    runModeLabel_ = Named<QLabel>(this, layout_.runModeLabel);
    if (runModeLabel_) {
        QFont font(QStringLiteral("Verdana"));
        font.setBold(true);
        font.setPixelSize(14);
        runModeLabel_->setFont(font);
        runModeLabel_->setAlignment(Qt::AlignCenter);
        SetMaroon(runModeLabel_, QPalette::WindowText);
    }
}

ResultsListModel* VisualLogWindow::List(std::string_view name) const {
    const auto it = lists_.find(name);
    return it == lists_.end() ? nullptr : it->second;
}

ResultsListModel* VisualLogWindow::CategoryList(int category) const {
    return categoryLists_[static_cast<std::size_t>(category)];
}

ResultsListModel* VisualLogWindow::ZoomList(int category) {
    ZoomStatisticsWindow* zoom = layout_.zoomWindow ? layout_.zoomWindow() : nullptr;
    if (zoom != zoomSeen_.data()) {
        // A new zoom window (start-up, or a test): look its lists up once.
        zoomSeen_ = zoom;
        zoomLists_.clear();
        for (std::size_t i = 0; i < layout_.categories.size(); ++i) {
            ResultsListModel* list = zoom ? zoom->List(std::string_view(layout_.categories[i].zoomCategory)) : nullptr;
            // The zoom list holds the same lines: one copy for both, where
            // both are still empty.
            if (list) categoryLists_[i]->ShareLinesWith(*list);
            zoomLists_.push_back(list);
        }
    }
    return zoomSeen_ ? zoomLists_[static_cast<std::size_t>(category)] : nullptr;
}

SharedLine VisualLogWindow::AddLine(int category, const std::string& line) {
    ResultsListModel* list = CategoryList(category);
    // Looked up before the line goes in: lists share their lines only while both are empty.
    ResultsListModel* zoom = ZoomList(category);
    const SharedLine kept = list->Append(line);
    if (zoom && !list->SharesLinesWith(*zoom)) zoom->Append(line);
    return kept;
}

void VisualLogWindow::AddExportLine(int category, const std::string& line) {
    if (ResultsListModel* hidden = hiddenLists_[static_cast<std::size_t>(category)]) hidden->Append(line);
}

void VisualLogWindow::ClearLists() {
    for (auto& entry : lists_) entry.second->Clear();
}

double VisualLogWindow::HeldBytes(bool shared) const {
    double bytes = 0;
    for (const auto& entry : lists_) bytes += entry.second->HeldBytes(shared);
    return bytes;
}

VisualLogWindow::LabelSlot* VisualLogWindow::FindLabel(std::string_view name) {
    const auto it = labels_.find(name);
    return it == labels_.end() ? nullptr : &it->second;
}

void VisualLogWindow::MarkLabel(LabelSlot& slot) {
    if (slot.pending) return;
    slot.pending = true;
    pendingLabels_.push_back(&slot);
    MarkPending();
}

void VisualLogWindow::SetCount(std::string_view label, double value) {
    if (LabelSlot* slot = FindLabel(label)) {
        slot->value = value;
        MarkLabel(*slot);
    }
}

void VisualLogWindow::SetLabelText(std::string_view label, const std::string& text) {
    if (LabelSlot* slot = FindLabel(label)) {
        slot->value = text;
        MarkLabel(*slot);
    }
}

void VisualLogWindow::FlushChanges() {
    for (LabelSlot* slot : pendingLabels_) {
        const std::string text = std::holds_alternative<double>(slot->value)
                                     ? DoubleToStr(std::get<double>(slot->value))
                                     : std::get<std::string>(slot->value);
        slot->label->setText(QString::fromStdString(text));
        slot->pending = false;
    }
    pendingLabels_.clear();
}

void VisualLogWindow::SetRunMode(bool realRun) {
    if (runModeCheck_) runModeCheck_->setChecked(realRun);
    if (layout_.realRunText) ApplyRunModeLabel();
}

void VisualLogWindow::ApplyRunModeLabel() {
    if (!runModeLabel_ || !layout_.realRunText) return;
    const bool real = runModeCheck_ && runModeCheck_->isChecked();
    runModeLabel_->setText(QString::fromUtf8(real ? layout_.realRunText : layout_.simulationText));
    SetMaroon(runModeLabel_, QPalette::WindowText);
    runModeLabel_->setAlignment(Qt::AlignCenter);
}

void VisualLogWindow::ShowLog() {
    results::FlushPending();
    qtplat::ShowPainted(this);  // before the run's work, which may not paint for seconds
}

void VisualLogWindow::EnableExportButtons(bool enabled) {
    for (std::size_t i = 0; i < exportButtons_.size(); ++i)
        if (layout_.categories[i].flags & kSwitchedByEnable) exportButtons_[i]->setEnabled(enabled);
}

void VisualLogWindow::Zoom(int category) {
    ZoomStatisticsWindow* zoom = layout_.zoomWindow ? layout_.zoomWindow() : nullptr;
    if (!zoom) return;
    results::FlushPending();
    zoom->ZoomTo(layout_.categories[static_cast<std::size_t>(category)].zoomCategory);
}

ResultsListModel* VisualLogWindow::ExportSource(int category) const {
    const ResultCategoryLayout& c = layout_.categories[static_cast<std::size_t>(category)];
    return c.exportList ? List(c.exportList) : CategoryList(category);
}

void VisualLogWindow::SmartExport(int category) {
    // The fill lets paints through, never input, and the export window is
    // modal; the guard keeps a second export out all the same.
    if (exporting_) return;
    exporting_ = true;
    const ResultCategoryLayout& c = layout_.categories[static_cast<std::size_t>(category)];
    const bool switches = (c.flags & kSwitchesExportButtons) != 0;
    if (switches) EnableExportButtons(false);

    const ResultsListModel* source = ExportSource(category);
    const ResultsListModel* visible = CategoryList(category);
    SharedExportWindow* exporter = GetSharedExportWindow();
    if (source->IsEmpty()) {
        plat::MessageBox(c.warningText, c.warningCaption, plat::MB_OK | plat::MB_ICONWARNING);
    } else if (exporter) {
        exporter->ClearExportView();
        exporter->ClearExportLines();
        // Each line that names a drive or server, once (SameFolderLine:
        // names byte for byte); where the page wrote its two lists out of step, the hidden
        // line stands in for the missing visible one.
        const bool worded = (c.flags & kHandsOverVisibleLine) != 0;
        const std::size_t count = source->Count();
        auto seen = MakeFolderLineIndex([source](std::size_t i) { return source->LineView(i); }, count);
        constexpr std::size_t kAhead = 16;  // slots fetched ahead of their lookup
        const auto hashOf = [&](std::size_t i) {
            if (i + kAhead < count) __builtin_prefetch(source->LineView(i + kAhead).data());
            const std::uint64_t hash = seen.Hash(source->LineView(i));
            seen.Prefetch(hash);
            return hash;
        };
        std::uint64_t hashes[kAhead];
        for (std::size_t i = 0; i < std::min(count, kAhead); ++i) hashes[i] = hashOf(i);
        // The lines are taken over without copying their bytes. What their
        // bytes hold is gathered from the source's lines a stretch behind the
        // hashing, while they are still in the cache.
        LineStore lines = source->Block().SharingBlocks();
        // While every line so far is taken, in the block's own order, the
        // lines are the block's: they are taken over whole at the end, and
        // only a line left out makes the list its own.
        bool wholeBlock = !worded && source->BlockIndex(0) == 0 && count == source->Block().Size();
        if (!wholeBlock) lines.Reserve(count, 0);
        ExportTextFacts facts;
        constexpr std::size_t kStretch = 4096;
        std::size_t scanned = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const std::string_view line = source->LineView(i);
            if (!worded) facts.NoteDrive(line);
            const std::uint64_t hash = hashes[i % kAhead];
            if (i + kAhead < count) hashes[i % kAhead] = hashOf(i + kAhead);
            if (!worded && (i + 1 - scanned == kStretch || i + 1 == count)) {
                source->Block().ForEachRun(source->BlockIndex(scanned), source->BlockIndex(i + 1),
                                           [&facts](std::string_view run) { facts.Scan(run); });
                scanned = i + 1;
            }
            if (!HasExportDrivePart(line) || seen.FindOrAdd(line, i, hash) != seen.npos) {
                if (wholeBlock) {
                    lines.Reserve(count, 0);
                    for (std::size_t k = 0; k < i; ++k) lines.AppendLineOf(source->Block(), k);
                    wholeBlock = false;
                }
                continue;
            }
            if (wholeBlock) continue;
            if (worded && i < visible->Count())
                lines.AppendLineOf(visible->Block(), visible->BlockIndex(i));
            else
                lines.AppendLineOf(source->Block(), source->BlockIndex(i));
        }
        if (wholeBlock) lines = source->Block();
        if (worded) facts.Scan(lines);  // the visible lines stand in for those compared
        // The lines handed over are those compared unless the visible ones stand in.
        exporter->SetExportLines(std::move(lines), !worded, facts);
        exporter->SelectFirstPreviewLine();
        exporter->SetListKind("FOLDERS");
        // Shown once, modally: a window mapped and withdrawn within the same
        // moment can leave the window manager holding it withdrawn, and the
        // modal showing then waits on a window nobody sees.
        exporter->ShowModal();
    }

    if (switches) EnableExportButtons(true);
    if (!(c.flags & kKeepsFocus)) exportButtons_[static_cast<std::size_t>(category)]->setFocus();
    exporting_ = false;
}

// ---- zoom windows ---------------------------------------------------------------

ZoomStatisticsWindow::ZoomStatisticsWindow(const ZoomWindowLayout& layout, QWidget* parent)
    : QDialog(parent), layout_(layout) {}

void ZoomStatisticsWindow::AttachControls() {
    ApplyResultsWindowLook(this, false);
    const QString page = QString::fromLatin1(layout_.page);
    for (const char* name : layout_.categories) {
        const QString suffix = QStringLiteral("ZoomStatistics") + QString::fromLatin1(name);
        Category c;
        c.radio = findChild<QRadioButton*>(QStringLiteral("rdoVol") + page + suffix);
        c.label = findChild<QLabel*>(QStringLiteral("lblVol") + page + suffix);
        c.view = findChild<QListView*>(QStringLiteral("lstVol") + page + suffix);
        Q_ASSERT(c.radio && c.label && c.view);
        // Exclusivity is kept here: SetAllRadiosChecked(false) must be able
        // to uncheck them all.
        c.radio->setAutoExclusive(false);
        c.model = new ResultsListModel(c.view);
        SetUpResultsListView(c.view, c.model, kResultsListExtent);
        categories_.push_back(c);
    }
}

int ZoomStatisticsWindow::IndexOf(std::string_view category) const {
    for (std::size_t i = 0; i < categories_.size(); ++i)
        if (category == layout_.categories[i]) return static_cast<int>(i);
    return -1;
}

ResultsListModel* ZoomStatisticsWindow::List(std::string_view category) const {
    const int i = IndexOf(category);
    return i < 0 ? nullptr : categories_[static_cast<std::size_t>(i)].model;
}

void ZoomStatisticsWindow::AddLine(std::string_view category, const std::string& line) {
    if (ResultsListModel* model = List(category)) model->Append(line);
}

void ZoomStatisticsWindow::ClearAllLists() {
    for (const Category& c : categories_) c.model->Clear();
}

double ZoomStatisticsWindow::HeldBytes(bool shared) const {
    double bytes = 0;
    for (const Category& c : categories_) bytes += c.model->HeldBytes(shared);
    return bytes;
}

void ZoomStatisticsWindow::SetAllRadiosChecked(bool checked) {
    for (const Category& c : categories_) c.radio->setChecked(checked);
}

void ZoomStatisticsWindow::SetLabelsVisible(bool visible) {
    for (const Category& c : categories_) c.label->setVisible(visible);
}

void ZoomStatisticsWindow::SetListsVisible(bool visible) {
    for (const Category& c : categories_) c.view->setVisible(visible);
}

void ZoomStatisticsWindow::ShowCategory(int index) {
    if (index < 0 || index >= static_cast<int>(categories_.size())) return;
    const Category& c = categories_[static_cast<std::size_t>(index)];
    SetLabelsVisible(false);
    c.label->setVisible(true);
    SetListsVisible(false);
    c.view->setVisible(true);
}

void ZoomStatisticsWindow::ZoomTo(std::string_view category) {
    const int index = IndexOf(category);
    if (index < 0) return;
    SetAllRadiosChecked(false);
    // Checking the radio runs its handler, which shows the category.
    categories_[static_cast<std::size_t>(index)].radio->setChecked(true);
    show();
    raise();
    activateWindow();
}

int ZoomStatisticsWindow::ShownCategory() const {
    for (std::size_t i = 0; i < categories_.size(); ++i)
        if (categories_[i].radio->isChecked()) return static_cast<int>(i);
    return -1;
}

#include "results/LevelSummary.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressDialog>
#include <memory>
#include <QTableWidget>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/RunPool.h"
#include "platform/qt/QtPlatform.h"
#include "results/ResultsList.h"
#include "results/TfrmLevelSummFolder.h"

namespace {

// "Level Number" is the level minus one, so a folder right below a drive
// root is on level 0.
std::vector<std::pair<QString, QString>> LevelRows(const FolderStructSize& size) {
    std::vector<std::pair<QString, QString>> rows;
    for (const auto& [level, count] : size.GetLevelCounts())
        rows.emplace_back(QString::fromStdString(DoubleToStr(static_cast<double>(level) - 1.0)),
                          QString::fromStdString(UInt64ToStr(count)));
    return rows;
}

void FillRows(QWidget* view, const FolderStructSize& size) {
    const auto rows = LevelRows(size);
    if (auto* tree = qobject_cast<QTreeWidget*>(view)) {
        tree->clear();
        QList<QTreeWidgetItem*> items;
        for (const auto& [level, count] : rows) items.append(new QTreeWidgetItem(QStringList{level, count}));
        tree->addTopLevelItems(items);
    } else if (auto* table = qobject_cast<QTableWidget*>(view)) {
        table->clearContents();
        table->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            table->setItem(r, 0, new QTableWidgetItem(rows[static_cast<std::size_t>(r)].first));
            table->setItem(r, 1, new QTableWidgetItem(rows[static_cast<std::size_t>(r)].second));
        }
    }
}

void SetText(QWidget* window, const char* name, const std::string& text) {
    if (auto* label = window->findChild<QLabel*>(QString::fromLatin1(name)))
        label->setText(QString::fromStdString(text));
}

}  // namespace

void FillLevelSummary(const FolderStructSize& size, QWidget* summaryWindow) {
    if (!summaryWindow) return;
    FillRows(summaryWindow->findChild<QWidget*>(QStringLiteral("lstViewLevelSummFolder")), size);
    SetText(summaryWindow, "lblLevelSummFolderName", size.GetRoot());
    SetText(summaryWindow, "lblLevelSummFolderSum", UInt64ToStr(size.GetFolderCount()));
    SetText(summaryWindow, "lblLevelSummFileSum", UInt64ToStr(size.GetFileCount()));
    const std::uint64_t bytes = size.GetTotalFileSize();
    SetText(summaryWindow, "lblLevelSummFileSize", FormatByteSize(bytes) + "  (" + UInt64ToStr(bytes) + " bytes).");
}

void ExamineShowingProgress(FolderStructSize& size) {
    // The walk goes on a thread of its own: the window thread answers
    // meanwhile, however slowly the folders are read.
    QElapsedTimer clock;
    clock.start();
    std::atomic<std::uint64_t> walked{0};
    size.SetProgress([&walked](std::uint64_t n) { walked.store(n, std::memory_order_relaxed); });
    std::unique_ptr<QProgressDialog> progress;
    qint64 shownAt = 0;
    RunPoolOptions options;
    options.Workers = 2;  // one thread: two keep the pool off its plain loop
    options.Pump = [] { results::PaceNow(); };
    options.PumpInterval = std::chrono::milliseconds(results::kAnswerMs);
    options.Peek = [&](std::size_t, RunApplyContext&) {
        const qint64 now = clock.elapsed();
        if (now < 1000 || now - shownAt < 100) return;
        shownAt = now;
        if (!progress) {
            progress = std::make_unique<QProgressDialog>();
            progress->setWindowTitle(QStringLiteral("Measuring"));
            progress->setCancelButton(nullptr);
            progress->setRange(0, 0);
            progress->setMinimumDuration(0);
            progress->setMinimumWidth(420);
        }
        progress->setLabelText(QStringLiteral("%1\n%2 folders so far.")
                                   .arg(QString::fromStdString(size.GetRoot()))
                                   .arg(QString::fromStdString(UInt64ToStr(walked.load(std::memory_order_relaxed)))));
        progress->show();
    };
    RunPool pool(std::move(options));
    pool.Run(
        1, {}, [&](std::size_t, RunItemContext&) { size.Examine(); }, [](std::size_t, RunApplyContext&) {});
    size.SetProgress({});
}

void ShowLevelSummary(const FolderStructSize& size) {
    if (!frmLevelSummFolder) return;
    FillLevelSummary(size, frmLevelSummFolder);
    if (frmLevelSummFolder->isVisible()) frmLevelSummFolder->hide();
    qtplat::ExecModal(frmLevelSummFolder);
}

void ShowLevelSummary2(const FolderStructSize& size) { ShowLevelSummary(size); }

void ShowLevelSummary3(const FolderStructSize& size, QWidget* builderWindow) {
    if (!builderWindow) return;
    FillRows(builderWindow->findChild<QWidget*>(QStringLiteral("lstViewLevelSumFolder")), size);
    SetText(builderWindow, "lblMainLevelSumSubFolder", UInt64ToStr(size.GetFolderCount()));
    SetText(builderWindow, "lblMainLevelSumFiles", UInt64ToStr(size.GetFileCount()));
    SetText(builderWindow, "lblMainLevelSumFileSize", FormatByteSize(size.GetTotalFileSize()));
}

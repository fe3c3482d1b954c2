#include "results/TfrmZoomIncludeWindow.h"

#include <QAbstractItemModel>

#include "platform/qt/QtPlatform.h"
#include "results/ResultsLog.h"
#include "ui_TfrmZoomIncludeWindow.h"

TfrmZoomIncludeWindow* frmZoomIncludeWindow = nullptr;

TfrmZoomIncludeWindow::TfrmZoomIncludeWindow(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmZoomIncludeWindow>()) {
    ui->setupUi(this);
    model_ = new ResultsListModel(ui->lstZoomIncludeWindow);
    SetUpResultsListView(ui->lstZoomIncludeWindow, model_, kResultsListExtent);
    ApplyResultsWindowLook(this, false);
    connect(ui->btnZoomInjcludeWindowsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmZoomIncludeWindow::~TfrmZoomIncludeWindow() = default;

void TfrmZoomIncludeWindow::Fill(const StringList& lines) {
    model_->Clear();
    for (const std::string& line : lines)
        if (!model_->Contains(line)) model_->Append(line);
    model_->FlushChanges();
}

void TfrmZoomIncludeWindow::Fill(const QAbstractItemModel* source) {
    StringList lines;
    if (source)
        for (int row = 0; row < source->rowCount(); ++row)
            lines.push_back(source->index(row, 0).data(Qt::DisplayRole).toString().toStdString());
    Fill(lines);
}

int TfrmZoomIncludeWindow::ShowZoom(const StringList& lines) {
    Fill(lines);
    return ShowModal();
}

int TfrmZoomIncludeWindow::ShowZoom(const QAbstractItemModel* source) {
    Fill(source);
    return ShowModal();
}

int TfrmZoomIncludeWindow::ShowModal() {
    if (modal_) return -1;
    // A window that is already visible cannot become modal: hide it first.
    if (isVisible()) hide();
    modal_ = true;
    const int result = qtplat::ExecModal(this);
    modal_ = false;
    return result;
}

#include "results/TfrmFolderViews.h"

#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/ShellServices.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "results/LevelSummary.h"
#include "ui_TfrmFolderViews.h"

TfrmFolderViews* frmFolderViews = nullptr;

TfrmFolderViews::TfrmFolderViews(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmFolderViews>()) {
    ui->setupUi(this);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    connect(ui->btnFolderViewsExplorer, &QPushButton::clicked, this, &TfrmFolderViews::btnFolderViewsExplorerClick);
    connect(ui->btnFolderViewsLevels, &QPushButton::clicked, this, &TfrmFolderViews::btnFolderViewsLevelsClick);
}

TfrmFolderViews::~TfrmFolderViews() = default;

void TfrmFolderViews::btnFolderViewsExplorerClick() {
    const std::string folder = TrimControlAndBlanks(ui->edtFolderViewsFolder->text().toStdString());
    if (folder.empty()) {
        plat::MessageBox(
            "There is no selected Folder Structure !\nAction : You must select a Folder with a subfolder structure.",
            "SubTierwick.            Warning no: 0574.", plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    ViewFolder(folder, "SubTierwick.");
}

void TfrmFolderViews::btnFolderViewsLevelsClick() {
    const std::string folder = TrimBlanks(ui->edtFolderViewsFolder->text().toStdString());
    if (folder.empty()) return;
    FolderStructSize size(folder);
    size.SetCountRoot(true);
    size.ExamineWithMasks();
    ShowLevelSummary2(size);
}

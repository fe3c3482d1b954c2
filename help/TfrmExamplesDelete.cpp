#include "help/TfrmExamplesDelete.h"

#include <QListWidget>

#include "help/ExampleKit.h"
#include "ui_TfrmExamplesDelete.h"

TfrmExamplesDelete* frmExamplesDelete = nullptr;

namespace {

const QString kMain1 = QStringLiteral("f:\\Clients\\Customer1");
const QString kMain2 = QStringLiteral("f:\\Clients\\Customer2");
const QString kSub1 = QStringLiteral("f:\\Clients\\Customer1\\Marketing\\Emails");
const QString kSub2 = QStringLiteral("f:\\Clients\\Customer2\\Programs\\Beta");
const QString kMainFile1 = QStringLiteral("f:\\Clients\\Customer1\\index.html");
const QString kMainFile2 = QStringLiteral("f:\\Clients\\Customer2\\basic.swf");
const QString kSubFile1 = QStringLiteral("f:\\Clients\\Customer1\\Marketing\\Emails\\License.doc");
const QString kSubFile2 = QStringLiteral("f:\\Clients\\Customer2\\Programs\\Beta\\Main.cpp");

}  // namespace

TfrmExamplesDelete::TfrmExamplesDelete(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmExamplesDelete>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnExDeClose);
    examplekit::Fill(ui->lstExDeIncludeWindow, {kMain1, kMain2});
    examplekit::Fill(ui->lstExDeSubFolderStructures, {kSub1, kSub2});
    examplekit::Fill(ui->lstExDeFiles, {kMainFile1, kSubFile1, kMainFile2, kSubFile2});
    for (QRadioButton* radio : {ui->rdoExDeCompleteFoldersRetainMainFolders, ui->rdoExDeEverythingRetainNothing,
                                ui->rdoExDeFilesFromMainFolders, ui->rdoExDeFilesAllFiles})
        connect(radio, &QRadioButton::clicked, this, &TfrmExamplesDelete::ShowResults);
    ui->rdoExDeCompleteFoldersRetainMainFolders->setChecked(true);
    ShowResults();
}

TfrmExamplesDelete::~TfrmExamplesDelete() = default;

// Files in subfolders go first, then files in main folders, then folders,
// deepest first.
void TfrmExamplesDelete::ShowResults() {
    const QStringList structures{kSubFile1, kSubFile2, kMainFile1, kMainFile2, kSub1, kSub2,
                                 QStringLiteral("f:\\Clients\\Customer1\\Marketing"),
                                 QStringLiteral("f:\\Clients\\Customer2\\Programs")};
    QStringList deleted, retained;
    if (ui->rdoExDeCompleteFoldersRetainMainFolders->isChecked()) {
        deleted = structures;
        retained = {kMain1, kMain2};
    } else if (ui->rdoExDeEverythingRetainNothing->isChecked()) {
        deleted = structures + QStringList{kMain1, kMain2};
        retained = {QStringLiteral("f:\\Clients")};
    } else if (ui->rdoExDeFilesFromMainFolders->isChecked()) {
        deleted = {kMainFile1, kMainFile2};
        retained = {kSubFile1, kSubFile2, kSub1, kSub2};
    } else {
        deleted = {kSubFile1, kSubFile2, kMainFile1, kMainFile2};
        retained = {kSub1, kSub2};
    }
    examplekit::Fill(ui->lstExDeDeleted, deleted);
    examplekit::Fill(ui->lstExDeRetain, retained);
}

#include "help/TfrmExamplesDeleteFiles.h"

#include <QListWidget>

#include "help/ExampleKit.h"
#include "ui_TfrmExamplesDeleteFiles.h"

TfrmExamplesDeleteFiles* frmExamplesDeleteFiles = nullptr;

namespace {

const QString kSub1 = QStringLiteral("f:\\Clients\\Customer1\\Marketing\\Emails");
const QString kSub2 = QStringLiteral("f:\\Clients\\Customer2\\Programs\\Beta");
const QString kMainFile1 = QStringLiteral("f:\\Clients\\Customer1\\index.html");
const QString kMainFile2 = QStringLiteral("f:\\Clients\\Customer2\\basic.swf");
const QString kSubFile1 = QStringLiteral("f:\\Clients\\Customer1\\Marketing\\Emails\\License.doc");
const QString kSubFile2 = QStringLiteral("f:\\Clients\\Customer2\\Programs\\Beta\\Main.cpp");

}  // namespace

TfrmExamplesDeleteFiles::TfrmExamplesDeleteFiles(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmExamplesDeleteFiles>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnExDeFilesClose);
    examplekit::Fill(ui->lstExDeFilesIncludeWindow,
                     {QStringLiteral("f:\\Clients\\Customer1"), QStringLiteral("f:\\Clients\\Customer2")});
    examplekit::Fill(ui->lstExDeFilesSubFolderStructures, {kSub1, kSub2});
    examplekit::Fill(ui->lstExDeFilesFiles, {kMainFile1, kMainFile2, kSubFile1, kSubFile2});
    for (QRadioButton* radio : {ui->rdoExDeFilesFilesFromMainFolders, ui->rdoExDeFilesFilesAllFiles})
        connect(radio, &QRadioButton::clicked, this, &TfrmExamplesDeleteFiles::ShowResults);
    ui->rdoExDeFilesFilesFromMainFolders->setChecked(true);
    ShowResults();
}

TfrmExamplesDeleteFiles::~TfrmExamplesDeleteFiles() = default;

void TfrmExamplesDeleteFiles::ShowResults() {
    if (ui->rdoExDeFilesFilesFromMainFolders->isChecked()) {
        examplekit::Fill(ui->lstExDeFilesDeleted, {kMainFile1, kMainFile2});
        examplekit::Fill(ui->lstExDeFilesRetain, {kSubFile1, kSubFile2, kSub1, kSub2});
    } else {
        examplekit::Fill(ui->lstExDeFilesDeleted, {kSubFile1, kSubFile2, kMainFile1, kMainFile2});
        examplekit::Fill(ui->lstExDeFilesRetain, {kSub1, kSub2});
    }
}

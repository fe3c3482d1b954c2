#include "help/TfrmExamplesRenameFiles.h"

#include <QListWidget>

#include "help/ExampleKit.h"
#include "ui_TfrmExamplesRenameFiles.h"

TfrmExamplesRenameFiles* frmExamplesRenameFiles = nullptr;

TfrmExamplesRenameFiles::TfrmExamplesRenameFiles(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmExamplesRenameFiles>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnExReFilesClose);
    examplekit::Fill(ui->lstExReFilesIncludeWindow, {QStringLiteral("f:\\Clients\\Customer1")});
    examplekit::Fill(ui->lstExReFilesFileWindow,
                     {QStringLiteral("f:\\Clients\\basic.txt"), QStringLiteral("f:\\Clients\\report.txt"),
                      QStringLiteral("f:\\Clients\\basic.doc"), QStringLiteral("f:\\Clients\\Customer1\\Overview.txt"),
                      QStringLiteral("f:\\Clients\\Customer1\\graphics.txt"),
                      QStringLiteral("f:\\Clients\\Customer1\\graphics.doc")});
    for (QRadioButton* radio : {ui->rdoExReFilesAddPrefixesSuffixes, ui->rdoExReFilesChangeFileType})
        connect(radio, &QRadioButton::clicked, this, &TfrmExamplesRenameFiles::MethodClicked);
    for (QRadioButton* radio :
         {ui->rdoExReFilesInMainFolders, ui->rdoExReFilesInMainFoldersAndSubFolders, ui->rdoExReFilesInSubFolders,
          ui->rdoExReFilesDuplicatedFilesSkip, ui->rdoExReFilesDuplicatedFilesOverWrite,
          ui->rdoExReFilesDuplicatedFilesIncreaseFileNames})
        connect(radio, &QRadioButton::clicked, this, &TfrmExamplesRenameFiles::ShowResults);
    ui->rdoExReFilesAddPrefixesSuffixes->setChecked(true);
    MethodClicked();
}

TfrmExamplesRenameFiles::~TfrmExamplesRenameFiles() = default;

void TfrmExamplesRenameFiles::MethodClicked() {
    const bool prefixes = ui->rdoExReFilesAddPrefixesSuffixes->isChecked();
    for (QWidget* field : {ui->edtExReFilesNewPrefix, ui->edtExReFilesDelimiterPrefixFiles,
                           ui->edtExReFilesDelimiterFilesSuffix, ui->edtExReFilesNewSuffix})
        field->setEnabled(prefixes);
    for (QWidget* field : {ui->edtExReFilesOldFileType, ui->edtExReFilesNewFileType}) field->setEnabled(!prefixes);
    ui->rdoExReFilesInMainFolders->setChecked(true);
    ui->rdoExReFilesDuplicatedFilesSkip->setChecked(true);
    ShowResults();
}

void TfrmExamplesRenameFiles::ShowResults() {
    QStringList main, sub;
    if (ui->rdoExReFilesAddPrefixesSuffixes->isChecked()) {
        main = {QStringLiteral("f:\\Clients\\2015-basic_July.txt"), QStringLiteral("f:\\Clients\\2015-report_July.txt"),
                QStringLiteral("f:\\Clients\\2015-basic_July.doc")};
        sub = {QStringLiteral("f:\\Clients\\Customer1\\2015-Overview_July.txt"),
               QStringLiteral("f:\\Clients\\Customer1\\2015-graphics_July.txt"),
               QStringLiteral("f:\\Clients\\Customer1\\2015-graphics_July.doc")};
    } else if (ui->rdoExReFilesDuplicatedFilesSkip->isChecked()) {
        // basic.txt and graphics.txt stay: their .doc names are taken.
        main = {QStringLiteral("f:\\Clients\\basic.txt"), QStringLiteral("f:\\Clients\\report.doc"),
                QStringLiteral("f:\\Clients\\basic.doc")};
        sub = {QStringLiteral("f:\\Clients\\Customer1\\Overview.doc"),
               QStringLiteral("f:\\Clients\\Customer1\\graphics.txt"),
               QStringLiteral("f:\\Clients\\Customer1\\graphics.doc")};
    } else if (ui->rdoExReFilesDuplicatedFilesOverWrite->isChecked()) {
        main = {QStringLiteral("f:\\Clients\\report.doc"), QStringLiteral("f:\\Clients\\basic.doc")};
        sub = {QStringLiteral("f:\\Clients\\Customer1\\Overview.doc"),
               QStringLiteral("f:\\Clients\\Customer1\\graphics.doc")};
    } else {
        main = {QStringLiteral("f:\\Clients\\report.doc"), QStringLiteral("f:\\Clients\\basic.doc"),
                QStringLiteral("f:\\Clients\\basicINC0000001.doc")};
        sub = {QStringLiteral("f:\\Clients\\Customer1\\Overview.doc"),
               QStringLiteral("f:\\Clients\\Customer1\\graphics.doc"),
               QStringLiteral("f:\\Clients\\Customer1\\graphicsINC0000001.doc")};
    }
    QStringList lines;
    if (!ui->rdoExReFilesInSubFolders->isChecked()) lines << main;
    if (!ui->rdoExReFilesInMainFolders->isChecked()) lines << sub;
    examplekit::Fill(ui->lstExReFilesPreviewWindow, lines);
}

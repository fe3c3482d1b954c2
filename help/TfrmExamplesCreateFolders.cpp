#include "help/TfrmExamplesCreateFolders.h"

#include <QListWidget>

#include "help/ExampleKit.h"
#include "ui_TfrmExamplesCreateFolders.h"

TfrmExamplesCreateFolders* frmExamplesCreateFolders = nullptr;

TfrmExamplesCreateFolders::TfrmExamplesCreateFolders(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmExamplesCreateFolders>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnExCrFoldersClose);
    examplekit::Fill(ui->lstExCrFoldersIncludeWindow,
                     {QStringLiteral("f:\\Clients\\Company01"), QStringLiteral("f:\\Clients\\Company02")});
    auto* options = new examplekit::AttachOptions(
        this,
        {ui->rdoExCrFoldersAttachNothing,
         ui->rdoExCrFoldersAttachFolderTemplates,
         ui->rdoExCrFoldersAttachFolderStructures,
         {ui->rdoExCrFoldersMainFolders, ui->rdoExCrFoldersSubFoldersOnly, ui->rdoExCrFoldersMainFoldersWithFiles,
          ui->rdoExCrFoldersSubFoldersOnlyWithFiles}},
        ui->lstExCrFoldersFolderStructures, ui->lstExCrFoldersPreview,
        {QStringLiteral("f:\\Clients\\2015-Company01-July"), QStringLiteral("f:\\Clients\\2015-Company02-July")},
        QStringLiteral("E-mails"));
    options->ShowDefault();
}

TfrmExamplesCreateFolders::~TfrmExamplesCreateFolders() = default;

#include "help/TfrmExamplesCopy.h"

#include <QListWidget>

#include "help/ExampleKit.h"
#include "ui_TfrmExamplesCopy.h"

TfrmExamplesCopy* frmExamplesCopy = nullptr;

TfrmExamplesCopy::TfrmExamplesCopy(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmExamplesCopy>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnExamplesCopyClose);
    const QStringList include{QStringLiteral("f:\\Clients\\Company01"), QStringLiteral("f:\\Clients\\Company02")};
    examplekit::Fill(ui->lstExamplesCopyIncludeWindow, include);
    auto* options = new examplekit::AttachOptions(
        this,
        {nullptr,
         ui->rdoExCopyFolderTemplates,
         ui->rdoExCopyFolderStructures,
         {ui->rdoExCopyMainFolders, ui->rdoExCopySubFoldersOnly, ui->rdoExCopyMainFoldersWithFiles,
          ui->rdoExCopySubFoldersOnlyWithFiles}},
        ui->lstExamplesCopyFolderStructures, ui->lstExamplesCopyPreview, include, QStringLiteral("E-mails"));
    options->ShowDefault();
}

TfrmExamplesCopy::~TfrmExamplesCopy() = default;

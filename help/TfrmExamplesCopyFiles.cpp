#include "help/TfrmExamplesCopyFiles.h"

#include <QListWidget>
#include <QSet>

#include "help/ExampleKit.h"
#include "ui_TfrmExamplesCopyFiles.h"

TfrmExamplesCopyFiles* frmExamplesCopyFiles = nullptr;

namespace {

const QStringList kInclude{QStringLiteral("f:\\Clients\\Client1"), QStringLiteral("f:\\Clients\\Client2")};

struct Source {
    QString path;
    bool inMainFolder;  // left out with "Subfolders Only."
};
// In the order the copy takes them: the second Overview.doc meets the first.
const Source kSources[] = {
    {QStringLiteral("f:\\Templates\\ClearAll.bmp"), true},
    {QStringLiteral("f:\\Templates\\Docs\\Overview.doc"), false},
    {QStringLiteral("f:\\Templates\\Reports\\January.txt"), false},
    {QStringLiteral("f:\\Templates\\Reports\\February.txt"), false},
    {QStringLiteral("f:\\Templates\\Reports\\Overview.doc"), false},
};

QString FileName(const QString& path) { return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1); }

// "Overview.doc" -> "OverviewINC0000001.doc", the first number not yet taken.
QString IncreasedName(const QString& target, const QSet<QString>& taken) {
    const int dot = target.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? target : target.left(dot);
    const QString type = dot < 0 ? QString() : target.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate = stem + QStringLiteral("INC") + QStringLiteral("%1").arg(n, 7, 10, QLatin1Char('0')) + type;
        if (!taken.contains(candidate)) return candidate;
    }
}

}  // namespace

TfrmExamplesCopyFiles::TfrmExamplesCopyFiles(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmExamplesCopyFiles>()) {
    ui->setupUi(this);
    examplekit::SetUpExampleWindow(this, ui->btnExamplesCopyFilesClose);
    examplekit::Fill(ui->lstExamplesCopyFilesIncludeWindow, kInclude);
    examplekit::Fill(ui->lstExamplesCopyFilesFolderStructureWindow,
                     {QStringLiteral("f:\\Templates\\Docs"), QStringLiteral("f:\\Templates\\Reports")});
    examplekit::Fill(ui->lstExamplesCopyFilesFileWindow,
                     {QStringLiteral("f:\\Templates\\ClearAll.bmp"), QStringLiteral("f:\\Templates\\Docs\\Overview.doc"),
                      QStringLiteral("f:\\Templates\\Reports\\Overview.doc"),
                      QStringLiteral("f:\\Templates\\Reports\\January.txt"),
                      QStringLiteral("f:\\Templates\\Reports\\February.txt")});
    for (QRadioButton* radio :
         {ui->rdoExamplesCopyFilesAttachMainFolderWithSubFolders, ui->rdoExamplesCopyFilesAttachSubFoldersOnly,
          ui->rdoExamplesCopyFilesCopyToMainFolders, ui->rdoExamplesCopyFilesCopyToMainFoldersExtensions,
          ui->rdoExamplesCopyFilesDuplicatedFilesSkip, ui->rdoExamplesCopyFilesDuplicatedFilesOverWrited,
          ui->rdoExamplesCopyFilesDuplicatedFilesIncreaseFileNames})
        connect(radio, &QRadioButton::clicked, this, &TfrmExamplesCopyFiles::ShowResults);
    ui->rdoExamplesCopyFilesAttachMainFolderWithSubFolders->setChecked(true);
    ui->rdoExamplesCopyFilesCopyToMainFolders->setChecked(true);
    ui->rdoExamplesCopyFilesDuplicatedFilesSkip->setChecked(true);
    ShowResults();
}

TfrmExamplesCopyFiles::~TfrmExamplesCopyFiles() = default;

void TfrmExamplesCopyFiles::ShowResults() {
    const bool withMainFolder = ui->rdoExamplesCopyFilesAttachMainFolderWithSubFolders->isChecked();
    const bool byType = ui->rdoExamplesCopyFilesCopyToMainFoldersExtensions->isChecked();
    const bool skip = ui->rdoExamplesCopyFilesDuplicatedFilesSkip->isChecked();
    const bool overwrite = ui->rdoExamplesCopyFilesDuplicatedFilesOverWrited->isChecked();

    QStringList results, side;
    for (const QString& folder : kInclude) {
        QSet<QString> taken;
        for (const Source& source : kSources) {
            if (source.inMainFolder && !withMainFolder) continue;
            const QString name = FileName(source.path);
            const QString folderOfType = byType ? QStringLiteral("\\") + name.mid(name.lastIndexOf(QLatin1Char('.')) + 1)
                                                : QString();
            QString target = folder + folderOfType + QStringLiteral("\\") + name;
            if (taken.contains(target)) {
                if (skip) {
                    side << QStringLiteral("Skipped Destination ") + target + QStringLiteral(" (Source ") + source.path;
                    continue;
                }
                if (overwrite) {
                    side << QStringLiteral("Overwrited ") + target + QStringLiteral(" (Source ") + source.path;
                } else {
                    target = IncreasedName(target, taken);
                    side << QStringLiteral("Increased File Names ") + target + QStringLiteral(" (Source ") + source.path;
                }
            }
            taken.insert(target);
            results << QStringLiteral("Copy Source ") + source.path + QStringLiteral(" To Dest ") + target;
        }
    }
    ui->lblExamplesCopyFilesSkipOverInc->setText(skip        ? QStringLiteral("Skipped Files")
                                                 : overwrite ? QStringLiteral("OverWrited Files")
                                                             : QStringLiteral("Increased File Names"));
    examplekit::Fill(ui->lstExamplesCopyFilesPreviewWindow, results);
    examplekit::Fill(ui->lstExamplesCopyFilesSkipOverIncWindow, side);
}

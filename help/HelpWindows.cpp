#include "help/HelpWindows.h"

#include <QCoreApplication>

#include "core/ShellServices.h"
#include "help/HelpLook.h"
#include "help/TAboutBox.h"
#include "help/TfrmAltalanosHelp.h"
#include "help/TfrmDriveSelect.h"
#include "help/TfrmExamplesCopy.h"
#include "help/TfrmExamplesCopyFiles.h"
#include "help/TfrmExamplesCreateFolders.h"
#include "help/TfrmExamplesDelete.h"
#include "help/TfrmExamplesDeleteFiles.h"
#include "help/TfrmExamplesIncreasedNumbers.h"
#include "help/TfrmExamplesRename.h"
#include "help/TfrmExamplesRenameFiles.h"
#include "help/TfrmMoreHelp.h"
#include "help/TfrmOverViewHelp.h"
#include "platform/FileSystem.h"

void ShowHelpTopic(unsigned topic) {
    if (!frmAltalanosHelp) return;
    frmAltalanosHelp->SetTopic(topic);
    helplook::ShowModal(frmAltalanosHelp);
}

void ShowMoreHelp() {
    if (frmMoreHelp) helplook::ShowModal(frmMoreHelp);
}

void ShowExamples(ExampleWindow which) {
    QDialog* window = nullptr;
    switch (which) {
    case ExampleWindow::Vol02: window = frmDriveSelect; break;
    case ExampleWindow::Vol03: window = frmExamplesIncreasedNumbers; break;
    case ExampleWindow::Vol04: window = frmExamplesCreateFolders; break;
    case ExampleWindow::Vol06: window = frmExamplesRename; break;
    case ExampleWindow::Vol07: window = frmExamplesDelete; break;
    case ExampleWindow::Vol08: window = frmExamplesCopy; break;
    case ExampleWindow::Vol10: window = frmExamplesCopyFiles; break;
    case ExampleWindow::Vol11: window = frmExamplesDeleteFiles; break;
    case ExampleWindow::Vol12: window = frmExamplesRenameFiles; break;
    }
    if (window) helplook::ShowModal(window);
}

void ShowOverview() {
    if (frmOverViewHelp) helplook::ShowModal(frmOverViewHelp);
}

void ShowAbout() {
    if (AboutBox) helplook::ShowModal(AboutBox);
}

bool OpenHowToVideos() { return OpenProgramPage(); }

std::string ProgramPageFile() {
    const std::string native = (QCoreApplication::applicationDirPath() + QStringLiteral("/README.md")).toStdString();
    std::string file;
    return plat::FromNative(native, file) ? file : std::string();
}

bool OpenProgramPage() { return ViewDocument(ProgramPageFile(), "Help."); }

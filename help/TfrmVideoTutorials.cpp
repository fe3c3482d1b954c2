#include "help/TfrmVideoTutorials.h"

#include "core/SettingsStore.h"
#include "help/HelpLook.h"
#include "help/HelpWindows.h"
#include "platform/Desktop.h"
#include "ui_TfrmVideoTutorials.h"

TfrmVideoTutorials* frmVideoTutorials = nullptr;

TfrmVideoTutorials::TfrmVideoTutorials(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmVideoTutorials>()) {
    ui->setupUi(this);
    helplook::ApplyWindowLook(this);
    helplook::MakeMaroonButton(ui->btnVIdeoTutorialsClose);
    for (QPushButton* button : {ui->btnVideoTutorialsCopy01, ui->btnVideoTutorialsDelete01,
                                ui->btnVideoTutorialsRename01, ui->btnVideoTutorialsCRFolders,
                                ui->btnVideoTutorialsCRStrings, ui->btnVideoTutorialsCRIncNum})
        connect(button, &QPushButton::clicked, this, [this] { OpenLocalTutorialPage(); });
    connect(ui->btnVideoTutorialsInternet, &QPushButton::clicked, this,
            &TfrmVideoTutorials::btnVideoTutorialsInternetClick);
    connect(ui->btnVIdeoTutorialsClose, &QPushButton::clicked, this, &QDialog::close);
}

TfrmVideoTutorials::~TfrmVideoTutorials() = default;

// A full path: the current directory is never changed for it.
std::string TfrmVideoTutorials::LocalTutorialPage() {
    std::string folder = GetProgramFolder();
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder.empty() ? std::string() : folder + "\\basic.htm";
}

bool TfrmVideoTutorials::OpenLocalTutorialPage() {
    const std::string page = LocalTutorialPage();
    return !page.empty() && plat::OpenDocumentWithDesktop(page);
}

void TfrmVideoTutorials::btnVideoTutorialsInternetClick() { OpenProgramPage(); }

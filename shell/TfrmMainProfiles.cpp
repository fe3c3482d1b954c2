// Profile Manager: the whole store (every page's settings and lists) saved
// to a file of the user's choice and read back.
#include "core/FileNames.h"
#include "core/PathTools.h"
#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"
#include "shell/TfrmMain.h"

namespace {

const char* const kOpenProfileFilter = "Text files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
const char* const kSaveProfileFilter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";

// A profile is expected to end in ".set" (any letter case); another name needs a Yes.
bool AcceptProfileName(const std::string& file) {
    std::string extension;
    if (GetFileExtension(file, extension) && ToLowerCase(extension) == "set") return true;
    return plat::MessageBox("The file extension is not set.\nDo you want to select this file ?\nClick YES to "
                            "Continue Selecting this file,\nClick NO to Stop the Select process.",
                            "Import File content.            Warnings no: 0311.",
                            plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2) == plat::IDYES;
}

}  // namespace

void TfrmMain::OpenRestoreProfile1Click() {
    const std::string file = qtplat::GetOpenFileName(this, kOpenProfileFilter, "txt");
    if (file.empty() || !AcceptProfileName(file)) return;
    // Only a whole settings file is read: anything else leaves the store and
    // every page as they are.
    RestoreClass restore(file);
    if (!restore.IsSettingsFile()) {
        plat::MessageBox("The file is not a Settings File, or it can not be read:\n" + file +
                             "\n\nNothing was changed.\nAction : Select a file saved by Save Profile As..",
                         "Restore Settings.            Warning no: 0451.", plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    RefreshAllPagesAfterRestore();
    const std::string programFolder = GetProgramFolder();
    restore.ClearLists();
    restore.Restore();
    SetProgramFolder(programFolder);  // a profile never moves where the settings live
    RestoreControlsFromSettings();
    RestorePageListsFromSettings();
    ReapplyAttachOptions();
    RefreshAllPagesAfterRestore();
    plat::MessageBox("End of the Restore process!", "Restore Settings.            Information no: 0450.",
                     plat::MB_OK | plat::MB_ICONINFORMATION);
}

void TfrmMain::SaveProfile1Click() {
    const std::string file = qtplat::GetSaveFileName(this, kSaveProfileFilter, "txt");
    if (file.empty() || !AcceptProfileName(file)) return;
    SaveControlsToSettings();
    SaveClass save(file);
    if (!save.IsOpen() || !save.Save()) return;  // the writer has said why
    plat::MessageBox("End of the Save Settings process!", "Save Settings.            Information no: 0450.",
                     plat::MB_OK | plat::MB_ICONINFORMATION);
}

#include "pages/files/FilePages.h"

#include <QWidget>

#include "pages/PageCommon.h"
#include "pages/files/FileRuns.h"
#include "platform/MessageBox.h"

void EnableFileTabSheets(QWidget* page, const char* ownSheet, bool enabled) {
    static const char* const kSheets[] = {"tabFolderCreation", "tabCreateFolderStrings", "tabCreateFolderFolders",
                                          "tabCreateFolderIncreasedNumbers", "tabFolderOperations", "tabFolderCopy",
                                          "tabFolderDelete", "tabFolderRename", "tabFileOperations", "tabFileCopy",
                                          "tabFileDelete", "tabFileRename", "tabConsistencyChecker"};
    QWidget* top = page->window();
    if (top == page) return;  // a page on its own has no tab sheets
    for (const char* name : kSheets) {
        const std::string sheet = name;
        // The run's own sheet and the file sheets' frame stay usable.
        if (!enabled && (sheet == ownSheet || sheet == "tabFileOperations")) continue;
        if (auto* w = top->findChild<QWidget*>(name)) pagekit::SetTabSheetEnabled(w, enabled);
    }
}

int FilePageBox(const std::string& text, const std::string& topic, const char* kind, const char* number,
                unsigned flags) {
    return plat::MessageBox(text, FileCaption(topic, kind, number), flags);
}

#include "pages/files/FilePages.h"

#include "core/PathTools.h"
#include "core/Validation.h"
#include "pages/files/FileRuns.h"

using namespace pagekit;

IncludeExcludeProfile FileListProfile(bool moreThanThree) {
    IncludeExcludeProfile p;
    p.Trim = TrimBlanks;
    p.MoveTakes = HasDrivePart;
    p.ImportTakes = [moreThanThree](std::string& line) {
        line = TrimBlanks(line);
        return !moreThanThree || line.size() > 3;
    };
    p.ImportNeedsDrive = true;
    p.BuilderNeedsDrive = true;
    p.EmptyImportEnds = true;
    p.ExportTakes = HasDrivePart;
    return p;
}

bool FileRefusesDriveRoot(const std::string& line) {
    const std::string trimmed = TrimBlanks(line);
    if (trimmed.size() > 3 && !IsDriveRootPath(trimmed)) return false;
    plat::MessageBox("You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.",
                     kFileRootRefusalCaption, kWarn);
    return true;
}

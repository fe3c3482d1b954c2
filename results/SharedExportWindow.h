// What the results windows use of the program's shared export window. That
// window lives in a layer above this one; it registers itself here when it
// is created, so the results windows reach it without linking against it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/ExportWriter.h"
#include "core/LineStore.h"

class SharedExportWindow {
public:
    virtual ~SharedExportWindow() = default;

    virtual void ClearExportView() = 0;
    virtual void ClearExportLines() = 0;
    virtual void AddExportLine(const std::string& line) = 0;
    // The whole buffer at once; its preview is made when the window shows.
    // `distinct`: no two of the lines are one (SameFolderLine);
    // `facts`: what their bytes hold (found for these lines or more).
    virtual void SetExportLines(LineStore lines, bool distinct, const ExportTextFacts& facts) = 0;
    virtual void SetListKind(const std::string& kind) = 0;

    // The preview list: its case-ignoring search, an appended line, the
    // running count of handed-over lines and the selection of its first line.
    virtual bool PreviewContains(const std::string& line) const = 0;
    virtual void AddPreviewLine(const std::string& line) = 0;
    virtual void SetSourceCount(std::size_t count) = 0;
    virtual void SelectFirstPreviewLine() = 0;

    // Hides the window first when it is visible; refuses (returns -1) when
    // it is already being shown modally.
    virtual int ShowModal() = 0;
};

SharedExportWindow* GetSharedExportWindow();
void SetSharedExportWindow(SharedExportWindow* window);

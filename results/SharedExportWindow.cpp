#include "results/SharedExportWindow.h"

namespace {
SharedExportWindow* g_exportWindow = nullptr;
}

SharedExportWindow* GetSharedExportWindow() { return g_exportWindow; }
void SetSharedExportWindow(SharedExportWindow* window) { g_exportWindow = window; }

// The structure totals of page 03 and the disk-space check before a run.
#include "core/PathTools.h"
#include "pages/creation/Vol03Engine.h"

bool Vol03CheckDiskSpace(Vol03State& state, const Vol03Inputs& in, bool withFiles) {
    // The numbers of the edits, whatever was stored when they were left.
    const Vol03Numbers numbers = Vol03ReadNumbers(in.StartText, in.EndText);
    const double n = static_cast<double>(numbers.Count());
    const NumberedItems items = Vol03Items(in, numbers);
    if (!PlanMadeOnTheWay(state, items)) return false;
    if (in.RelativePaths) {
        SetTemplateTotals(state, in, items, 3);
        return true;
    }
    std::vector<CreationFreeSpace> free;
    if (!MeasureCreationSpace(state, in, withFiles, {TrimControlAndBlanks(in.DestFolder)}, free)) return false;
    return Vol03WeighDiskSpace(state, n, free[0].bytes, free[0].root);
}

void Vol03CountToCreate(Vol03State& state, const Vol03Inputs& in) {
    const Vol03Numbers numbers = Vol03ReadNumbers(in.StartText, in.EndText);
    const double n = static_cast<double>(numbers.Count());
    const NumberedItems items = Vol03Items(in, numbers);
    if (!PlanMadeOnTheWay(state, items)) return;
    if (in.RelativePaths) {
        SetTemplateTotals(state, in, items, 3);
        return;
    }
    MeasureCreationStructures(state, in, false);
    if (n > 0) SetCreationToCreate(state, n);
}

bool Vol03WeighDiskSpace(Vol03State& state, double mainFolders, std::uint64_t free, const std::string& root) {
    return WeighCreationDiskSpace(state, mainFolders, free, root, MessageCaption(kVol03Topic, "Information", 30040));
}

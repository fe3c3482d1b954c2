// The structure totals of page 02 and the disk-space check before a run.
#include "core/PathTools.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol02Internal.h"

bool Vol02CheckDiskSpace(Vol02State& state, const Vol02Inputs& in, bool withFiles) {
    const std::vector<CreationItem> items = Vol02Items(in);
    if (!PlanMadeOnTheWay(state, items)) return false;
    if (in.RelativePaths) {
        SetTemplateTotals(state, in, items, 2);
        return true;
    }
    if (!withFiles) {  // no file takes room
        if (!MeasureCreationStructures(state, in, false)) return false;
        SetCreationToCreate(state, static_cast<double>(items.size()));
        return true;
    }
    std::vector<CreationFreeSpace> free;
    if (!MeasureCreationSpace(state, in, withFiles, {TrimControlAndBlanks(in.DestFolder)}, free)) return false;
    return Vol02WeighDiskSpace(state, in, free[0].bytes, free[0].root);
}

bool Vol02WeighDiskSpace(Vol02State& state, const Vol02Inputs& in, std::uint64_t free, const std::string& root) {
    return WeighCreationDiskSpace(state, static_cast<double>(in.IncludeStrings.size()), free, root,
                                  MessageCaption(kVol02Topic, "Information", 20059));
}

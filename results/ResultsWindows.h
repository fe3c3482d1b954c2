// Every window of the results family, for start-up. Each is created once,
// in the program's order, by `ptr = new Class(parent)`, and lives until the
// end; the export window (windows/TfrmFileExport.h, #26) registers itself
// with the Visual Logs when it is created.
//
//   #   class                          pointer
//   14  TfrmLevelSummFolder            frmLevelSummFolder
//   30  TfrmFolderViews                frmFolderViews
//   31  TForcedUnSuccessFullForm       ForcedUnSuccessFullForm
//   38  TSubFolderUnSuccessFullForm    SubFolderUnSuccessFullForm
//   40  TfrmVol02ZoomStatistics        frmVol02ZoomStatistics
//   41  TfrmVol03ZoomStatistics        frmVol03ZoomStatistics
//   42  TfrmVol04ZoomStatistics        frmVol04ZoomStatistics
//   43  TfrmVol06ZoomStatistics        frmVol06ZoomStatistics
//   44  TfrmVol07ZoomStatistics        frmVol07ZoomStatistics
//   45  TfrmVol08ZoomStatistics        frmVol08ZoomStatistics
//   46  TfrmVol10ZoomStatistics        frmVol10ZoomStatistics
//   47  TfrmVol11ZoomStatistics        frmVol11ZoomStatistics
//   48  TfrmVol12ZoomStatistics        frmVol12ZoomStatistics
//   49  TfrmVol15ZoomStatistics        frmVol15ZoomStatistics
//   50  TfrmZoomIncludeWindow          frmZoomIncludeWindow
//   51  TfrmStatistic15                frmStatistic15
//   52  TfrmStatistic02                frmStatistic02
//   54  TfrmStatistic03                frmStatistic03
//   55  TfrmStatistic04                frmStatistic04
//   56  TfrmStatistic06                frmStatistic06
//   57  TfrmStatistics07               frmStatistics07
//   58  TfrmStatistic08                frmStatistic08
//   59  TfrmStatistic10                frmStatistic10
//   60  TfrmStatistics11               frmStatistics11
//   61  TfrmStatistic12                frmStatistic12
#pragma once

#include "results/LevelSummary.h"
#include "results/ResultsLog.h"
#include "results/TForcedUnSuccessFullForm.h"
#include "results/TSubFolderUnSuccessFullForm.h"
#include "results/TfrmFolderViews.h"
#include "results/TfrmLevelSummFolder.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic06.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic12.h"
#include "results/TfrmStatistic15.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmStatistics11.h"
#include "results/TfrmVol02ZoomStatistics.h"
#include "results/TfrmVol03ZoomStatistics.h"
#include "results/TfrmVol04ZoomStatistics.h"
#include "results/TfrmVol06ZoomStatistics.h"
#include "results/TfrmVol07ZoomStatistics.h"
#include "results/TfrmVol08ZoomStatistics.h"
#include "results/TfrmVol10ZoomStatistics.h"
#include "results/TfrmVol11ZoomStatistics.h"
#include "results/TfrmVol12ZoomStatistics.h"
#include "results/TfrmVol15ZoomStatistics.h"
#include "results/TfrmZoomIncludeWindow.h"

// The main window's activation: the top label of every Visual Log but the
// consistency checker's follows its run-mode box (maroon, centred).
void RelabelVisualLogs();

// The level summary of a measured folder tree, in the level-summary window
// or in the subfolder list builder. FolderStructSize measures; these only
// show what it counted.
#pragma once

class FolderStructSize;
class QWidget;

// Fills frmLevelSummFolder (the root, one row per level, the totals) and
// shows it modally. The two names are one operation.
void ShowLevelSummary(const FolderStructSize& size);
void ShowLevelSummary2(const FolderStructSize& size);

// Fills the level part of the subfolder list builder: its list view
// lstViewLevelSumFolder (a QTreeWidget or QTableWidget of two columns) gets
// the same rows, lblMainLevelSumSubFolder the folder count,
// lblMainLevelSumFiles the file count and lblMainLevelSumFileSize the size
// text. Nothing is shown or closed.
void ShowLevelSummary3(const FolderStructSize& size, QWidget* builderWindow);

// Measures the tree (FolderStructSize::Examine) on a thread of its own while
// the windows answer and paint; a walk that takes longer than a second
// shows how many folders it has walked so far in a small window of its
// own. User input waits until the walk ends.
void ExamineShowingProgress(FolderStructSize& size);

// Fills the level-summary window without showing it.
void FillLevelSummary(const FolderStructSize& size, QWidget* summaryWindow);

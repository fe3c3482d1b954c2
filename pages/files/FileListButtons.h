// The Include and Exclude list buttons of the three file pages, written
// once: moving lines, adding a folder, import, list builder, editor, view,
// export, zoom and the Exclude deletions. Each page hands in its messages
// and its rules (which moves and imports refuse the root of a drive).
#pragma once

#include <deque>
#include <functional>
#include <string>

class IncludeListEditor;
class QListWidget;
class QWidget;

struct FileListProfile {
    // Captions, whole, of each message.
    std::string AddEmpty, AddInInclude, AddInExclude;
    std::string AddInIncludeText = "This folder exists in the INCLUDE FOLDER LIST !!!";
    std::string AddInExcludeText = "This folder exists in the EXCLUDE FOLDER LIST !!!";
    std::string ImportEmpty, ImportEnd, BuilderEmpty, BuilderEnd;
    std::string ViewNone, ExportEmpty, DeleteSelectedEmpty, DeleteSelectedAsk, DeleteAllEmpty, DeleteAllAsk;
    std::string ViewTopic;  // the topic of "View" failures
    // Refuses a line the Include list may not take (shows why); empty: none.
    std::function<bool(const std::string& line)> CheckNotDriveRoot;
    bool RootCheckOnAllFromExclude = false;
    // Imports: lines must be longer than three characters; the list
    // builder's lines need no drive part.
    bool ImportNeedsMoreThanThree = false;
    bool ImportStopsAtRoot = false;
    bool BuilderNeedsDrive = true;
    IncludeListEditor* (*Editor)() = nullptr;
};

class FileListButtons {
public:
    FileListButtons(QWidget* page, QListWidget* include, QListWidget* exclude, FileListProfile profile,
                    std::function<void()> refresh);

    void IncToExc();
    void ExcToInc();
    void AllFromInc();
    void AllFromExc();
    void ExchangeIncExc();
    void AddFolder();
    void SmartImport();
    void SubFolderListBuilder();
    void EditIncludeList();
    void IncludeFolderListView();
    void SmartExport();
    void ZoomIncludeWindow();
    void DeleteFromExcludeList();
    void DeleteExcludeAll();

private:
    void Move(QListWidget* from, QListWidget* to, bool selectedOnly, bool rootCheck);
    void TakeLines(const std::string& emptyCaption, const std::string& endCaption, bool accepted,
                   const std::deque<std::string>& lines, bool needDrive);

    QWidget* page_;
    QListWidget* include_;
    QListWidget* exclude_;
    FileListProfile p_;
    std::function<void()> refresh_;
};

// True when the line names a drive: "X:..." or "\\server...".
bool HasDrivePart(const std::string& line);
// The delete and rename pages' root rule (message 110037): a line of three
// characters or fewer, or any spelling of a drive's root, is refused.
bool FileCheckNotDriveRoot(const std::string& line);

// The table behind the settings bridge: every page control and list that
// the settings store mirrors, page by page, in the order they are restored.
// A page that gains a persisted control adds one row here; the bridge's
// operations (TfrmMain::RestoreControlsFromSettings and the others) walk
// the rows and need no change.
#pragma once

#include <string>
#include <vector>

#include "core/Types.h"

class TfrmMain;

// A check box, radio button (a flag: checked when not 0) or edit (a text).
struct BridgeControl {
    const char* control;  // objectName
    int (*getFlag)() = nullptr;
    void (*setFlag)(int) = nullptr;
    std::string (*getText)() = nullptr;
    void (*setText)(const std::string&) = nullptr;
    bool staysEnabled = false;  // left usable by a restore (the AddToList edits)
    int initialFlag = 0;        // a flag's value at a first start
};

// A list box and its list setting.
struct BridgeList {
    const char* list;
    StringList (*get)();
    void (*set)(const StringList&);
    void (*clear)();
};

// A destination combo box: its items and its current text.
struct BridgeCombo {
    const char* combo;
    StringList (*getHistory)();
    void (*setHistory)(const StringList&);
    void (*clearHistory)();
    std::string (*getText)();
    void (*setText)(const std::string&);
};

struct BridgePage {
    const char* page;                       // "02"
    std::vector<BridgeControl> controls;    // restore order
    std::vector<const char*> alsoDisabled;  // disabled with them by a restore
    std::vector<BridgeCombo> combos;        // restored before the lists
    std::vector<BridgeList> lists;
    void (*refreshAfterLists)(TfrmMain&) = nullptr;  // after the page's lists are restored
};

// Pages in restore order: 02, 03, 04, 06, 07, 08, 10, 11, 12, 15.
const std::vector<BridgePage>& BridgePages();
// Pages in the order their controls are saved: 02, 04, 03, 06, ...
std::vector<const BridgePage*> BridgePagesInSaveOrder();

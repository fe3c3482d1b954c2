// The structure source of the create, copy and check pages under a real
// mouse: exactly one of its radios stays checked, a click on the checked
// one changes nothing, and what the Simulation attaches the run attaches.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest/QTest>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/creation/Vol04Page.h"
#include "pages/checker/Vol15Page.h"
#include "pages/folders/Vol08Page.h"
#include "platform/Desktop.h"
#include "results/ResultsList.h"
#include "results/ResultsLog.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
#include "results/TfrmStatistic08.h"
#include "shell/TfrmMain.h"
#include "tests/ui/PageWindowFixture.h"

namespace {

using pagewindow::C;
using Lines = std::vector<std::string>;

// Brings a control of the main window in front: its tab sheets chosen, its
// page scrolled to it, the window drawn.
void BringToFront(QWidget* control) {
    for (QWidget* w = control; w && w->parentWidget(); w = w->parentWidget()) {
        if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget())) stack->setCurrentWidget(w);
        if (auto* area = qobject_cast<QScrollArea*>(w)) area->ensureWidgetVisible(control);
    }
    QApplication::processEvents();
}

// A click of the mouse on the radio's round button.
void ClickRadio(QRadioButton* radio) {
    QStyleOptionButton option;
    option.initFrom(radio);
    const QPoint at = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio).center();
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, at);
}

// A page with a structure source. Pages that make what they attach name
// their run and the Visual Log list of what it made.
struct SourcePage {
    const char* id;  // "Vol02"
    std::vector<const char*> sources;  // the source radios, the one that empties the list first
    std::function<void()> fill;  // the page ready to run
    std::function<void()> add;   // Add Structure: the structure listed
    VisualLogWindow* log = nullptr;
    const char* made = nullptr;      // the log's list of the folders made
    const char* simulate = nullptr;  // the run's buttons
    const char* run = nullptr;
    std::string attached;  // a folder the structure gives, in the drive
};
class StructureSourceTest : public pagewindow::PageWindowFixture {
protected:
    StructureSourceTest() : PageWindowFixture('P') {
        drive.MakeFolder("Dest");
        drive.MakeFolder("S\\docs");
        drive.MakeFolder("M1");
    }
    void SetUp() override {
        PageWindowFixture::SetUp();
        previousOpen = plat::SetOpenFolderHandler([](const std::string&) { return true; });
        previousBrowser = plat::SetFolderBrowserHandler([this](void*, const std::string&) { return browsed; });
        frmMain->show();
    }
    void TearDown() override {
        frmMain->hide();
        plat::SetFolderBrowserHandler(previousBrowser);
        plat::SetOpenFolderHandler(previousOpen);
        PageWindowFixture::TearDown();
    }
    template <class T>
    T* Of(const SourcePage& page, const char* name) {
        return C<T>(("rdo" + std::string(page.id) + name).c_str());
    }
    Lines LogLines(const SourcePage& page) {
        const ResultsListModel* model = page.log->List(page.made);
        return model ? model->Lines() : Lines{"<none>"};
    }
    // The folder browser's answer, then its button.
    void Browse(const std::string& button, const std::string& folder) {
        browsed = folder;
        Click(button.c_str());
    }

    plat::OpenFolderHandler previousOpen;
    plat::FolderBrowserHandler previousBrowser;
    std::string browsed;
};

}  // namespace

TEST_F(StructureSourceTest, AClickOnTheCheckedSourceKeepsItAndItsList) {
    const std::vector<const char*> withNothing{"AttachNothing", "StructureImportRelativePaths",
                                               "StructureImportFullPaths"};
    const std::vector<const char*> twoKinds{"StructureImportRelativePaths", "StructureImportFullPaths"};
    const std::vector<SourcePage> pages{
        {"Vol02", withNothing,
         [&] {
             frmMain->Page02->Vol02SetDestinationFolder(drive.path("Dest"));
             C<QLineEdit>("edtVol02AddToList")->setText("a");
             Click("btnVol02AddToList");
         },
         [&] { frmMain->Page02->Vol02AddStructureToList(drive.path("S")); }, frmStatistic02,
         "lstStat02SubFoldersCreated", "btnVol02CreateFoldersSimulation", "btnVol02CreateFolders",
         "Dest\\a\\S\\docs"},
        {"Vol03", withNothing,
         [&] {
             frmMain->Page03->Vol03SetDestFolder(drive.path("Dest"));
             C<QLineEdit>("edtVol03StartNumber")->setText("7");
             C<QLineEdit>("edtVol03EndNumber")->setText("7");
             frmMain->Page03->edtVol03EndNumberExit();
         },
         [&] { frmMain->Page03->Vol03AddStructure(drive.path("S")); }, frmStatistic03,
         "lstStat03SubFoldersCreated", "btnVol03CreateFoldersSimulation", "btnVol03CreateFolders",
         "Dest\\7\\S\\docs"},
        {"Vol04", withNothing,
         [&] {
             C<QLineEdit>("edtVol04AddToList")->setText(QString::fromStdString(drive.path("Dest\\b")));
             Click("btnVol04AddToList");
         },
         [&] { frmMain->Page04->Vol04AddFolderStructurePath(drive.path("S")); }, frmStatistic04,
         "lstStat04SubFoldersCreated", "btnVol04CreateFoldersSimulation", "btnVol04CreateFolders",
         "Dest\\b\\S\\docs"},
        {"Vol08", twoKinds, [&] { Browse("btnVol08AddFolderToList", drive.path("M1")); },
         [&] { frmMain->Page08->Vol08AddFolderStructurePath(drive.path("S")); }, frmStatistic08,
         "lstStat08SubFoldersCopied", "btnVol08CopyFoldersSimulation", "btnVol08CopyFolders", "M1\\S\\docs"},
        {"Vol15", twoKinds, [&] { Browse("btnVol15AddFolderToList", drive.path("M1")); },
         [&] { Browse("btnVol15AddFolderStructure", drive.path("S")); }, nullptr, nullptr, nullptr, nullptr, ""},
    };
    for (const SourcePage& page : pages) {
        SCOPED_TRACE(page.id);
        page.fill();
        page.add();
        const std::string id = page.id;
        QListWidget* list = C<QListWidget>(("lst" + id + "AddFolderStructure").c_str());
        ASSERT_EQ(list->count(), 1);
        QRadioButton* folders = Of<QRadioButton>(page, "StructureImportFullPaths");
        QRadioButton* attach = Of<QRadioButton>(page, "AttachMainFolderWithoutFiles");
        std::vector<QRadioButton*> sources;
        for (const char* name : page.sources) sources.push_back(Of<QRadioButton>(page, name));
        ASSERT_TRUE(folders->isChecked());
        ASSERT_TRUE(attach->isChecked());
        BringToFront(folders);
        ASSERT_FALSE(folders->visibleRegion().isEmpty());

        for (QRadioButton* radio : {folders, folders, attach}) {
            ClickRadio(radio);
            EXPECT_TRUE(folders->isChecked());
            EXPECT_EQ(std::count_if(sources.begin(), sources.end(), [](auto* r) { return r->isChecked(); }), 1);
            EXPECT_TRUE(attach->isChecked());
            EXPECT_EQ(list->count(), 1);
        }
        page.add();  // listed once
        EXPECT_EQ(list->count(), 1);

        if (page.log) {
            // The Simulation attaches what the run attaches.
            Click(page.simulate);
            const Lines simulated = LogLines(page);
            EXPECT_FALSE(drive.Exists(page.attached));
            Click(page.run);
            EXPECT_EQ(LogLines(page), simulated);
            EXPECT_NE(std::find(simulated.begin(), simulated.end(), drive.path(page.attached)), simulated.end());
            EXPECT_TRUE(drive.Exists(page.attached));
        }

        // Another source is still one click away, and leaves one checked.
        QRadioButton* other = sources.front();
        BringToFront(other);
        ClickRadio(other);
        EXPECT_TRUE(other->isChecked());
        EXPECT_FALSE(folders->isChecked());
        EXPECT_EQ(std::count_if(sources.begin(), sources.end(), [](auto* r) { return r->isChecked(); }), 1);
        EXPECT_EQ(list->count(), 0);
    }
}

// The structure source of the create pages under a real mouse: exactly one
// of its radios stays checked, a click on the checked one changes nothing,
// and what the Simulation attaches the run attaches.
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
#include "platform/Desktop.h"
#include "results/ResultsList.h"
#include "results/ResultsLog.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmStatistic03.h"
#include "results/TfrmStatistic04.h"
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

struct CreatePage {
    const char* id;  // "Vol02"
    std::function<void()> fill;  // the page ready to run
    std::function<void()> add;   // Add Structure: the structure listed
    VisualLogWindow* log;
    std::string attached;  // a folder the structure gives, in the drive
};

class StructureSourceTest : public pagewindow::PageWindowFixture {
protected:
    StructureSourceTest() : PageWindowFixture('P') {
        drive.MakeFolder("Dest");
        drive.MakeFolder("S\\docs");
    }
    void SetUp() override {
        PageWindowFixture::SetUp();
        previousOpen = plat::SetOpenFolderHandler([](const std::string&) { return true; });
        frmMain->show();
    }
    void TearDown() override {
        frmMain->hide();
        plat::SetOpenFolderHandler(previousOpen);
        PageWindowFixture::TearDown();
    }
    template <class T>
    T* Of(const CreatePage& page, const char* name) {
        return C<T>(("rdo" + std::string(page.id) + name).c_str());
    }
    Lines LogLines(const CreatePage& page, const std::string& list) {
        const ResultsListModel* model = page.log->List(("lstStat" + std::string(page.id).substr(3) + list).c_str());
        return model ? model->Lines() : Lines{"<none>"};
    }

    plat::OpenFolderHandler previousOpen;
};

}  // namespace

TEST_F(StructureSourceTest, AClickOnTheCheckedSourceKeepsItAndItsList) {
    const std::vector<CreatePage> pages{
        {"Vol02",
         [&] {
             frmMain->Page02->Vol02SetDestinationFolder(drive.path("Dest"));
             C<QLineEdit>("edtVol02AddToList")->setText("a");
             Click("btnVol02AddToList");
         },
         [&] { frmMain->Page02->Vol02AddStructureToList(drive.path("S")); },
         frmStatistic02, "Dest\\a\\S\\docs"},
        {"Vol03",
         [&] {
             frmMain->Page03->Vol03SetDestFolder(drive.path("Dest"));
             C<QLineEdit>("edtVol03StartNumber")->setText("7");
             C<QLineEdit>("edtVol03EndNumber")->setText("7");
             frmMain->Page03->edtVol03EndNumberExit();
         },
         [&] { frmMain->Page03->Vol03AddStructure(drive.path("S")); },
         frmStatistic03, "Dest\\7\\S\\docs"},
        {"Vol04",
         [&] {
             C<QLineEdit>("edtVol04AddToList")->setText(QString::fromStdString(drive.path("Dest\\b")));
             Click("btnVol04AddToList");
         },
         [&] { frmMain->Page04->Vol04AddFolderStructurePath(drive.path("S")); },
         frmStatistic04, "Dest\\b\\S\\docs"},
    };
    for (const CreatePage& page : pages) {
        SCOPED_TRACE(page.id);
        page.fill();
        page.add();
        const std::string id = page.id;
        QListWidget* list = C<QListWidget>(("lst" + id + "AddFolderStructure").c_str());
        ASSERT_EQ(list->count(), 1);
        QRadioButton* folders = Of<QRadioButton>(page, "StructureImportFullPaths");
        QRadioButton* attach = Of<QRadioButton>(page, "AttachMainFolderWithoutFiles");
        const std::vector<QRadioButton*> sources{Of<QRadioButton>(page, "AttachNothing"),
                                                 Of<QRadioButton>(page, "StructureImportRelativePaths"), folders};
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

        // The Simulation attaches what the run attaches.
        Click(("btn" + id + "CreateFoldersSimulation").c_str());
        const Lines simulated = LogLines(page, "SubFoldersCreated");
        EXPECT_FALSE(drive.Exists(page.attached));
        Click(("btn" + id + "CreateFolders").c_str());
        EXPECT_EQ(LogLines(page, "SubFoldersCreated"), simulated);
        EXPECT_NE(std::find(simulated.begin(), simulated.end(), drive.path(page.attached)), simulated.end());
        EXPECT_TRUE(drive.Exists(page.attached));

        // Another source is still one click away, and leaves one checked.
        QRadioButton* nothing = sources.front();
        BringToFront(nothing);
        ClickRadio(nothing);
        EXPECT_TRUE(nothing->isChecked());
        EXPECT_FALSE(folders->isChecked());
        EXPECT_EQ(list->count(), 0);
    }
}

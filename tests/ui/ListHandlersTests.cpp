// The shared list handlers on plain widgets: how moves treat duplicates,
// lines a page does not take and a refused line; which controls each
// structure source leaves usable.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "pages/IncludeExcludeLists.h"
#include "pages/StructureLists.h"
#include "platform/MessageBox.h"
#include "windows/ListTools.h"

namespace {

using Lines = StringList;
using namespace pagekit;

class ListHandlersTest : public ::testing::Test {
protected:
    QWidget page;
    QListWidget* include = new QListWidget(&page);
    QListWidget* exclude = new QListWidget(&page);
    plat::MessageBoxScript boxes;
    int refreshes = 0;

    std::unique_ptr<IncludeExcludeLists> Lists(IncludeExcludeProfile profile) {
        profile.Refresh = [this] { ++refreshes; };
        return std::make_unique<IncludeExcludeLists>(&page, IncludeExcludeWidgets{include, exclude},
                                                      std::move(profile));
    }
    static void Fill(QListWidget* list, const Lines& lines, bool selectAll = true) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);  // as the pages' lists
        listtools::SetListLines(list, lines);
        for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(selectAll);
    }
};

TEST_F(ListHandlersTest, MovesCarryEachLineOnceByThePagesRule) {
    Fill(include, {"C:\\Jobs", "C:\\jobs", "plain", "C:\\Old", "c:\\Jobs"});
    Fill(exclude, {"c:\\old", "C:\\Old"}, false);
    IncludeExcludeProfile p;
    p.MoveTakes = HasDrivePart;
    Lists(p)->IncToExcClick();
    // Two folders apart from their case; the drive letter is no name. A line
    // without a drive and a held one leave all the same.
    EXPECT_EQ(listtools::ListLines(exclude), (StringList{"c:\\old", "C:\\Old", "C:\\Jobs", "C:\\jobs"}));
    EXPECT_EQ(include->count(), 0);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(ListHandlersTest, ARefusedLineEndsTheMoveWithNothingRemoved) {
    Fill(exclude, {"C:\\a", "C:\\", "C:\\b"});
    IncludeExcludeProfile p;
    p.Refuses = [](const std::string& line) { return line == "C:\\"; };
    Lists(p)->ExcToIncClick();
    EXPECT_EQ(listtools::ListLines(include), (StringList{"C:\\a"}));
    EXPECT_EQ(exclude->count(), 3);
    EXPECT_EQ(refreshes, 0);
    // Moving all out of Exclude asks only when the page says so.
    include->clear();
    Lists(p)->AllFromExcClick();
    EXPECT_EQ(include->count(), 3);
}

TEST_F(ListHandlersTest, ExcludeDeletesAskAndExchangeSwaps) {
    Fill(include, {"C:\\i"}, false);
    Fill(exclude, {"C:\\x", "C:\\y"}, false);
    exclude->item(0)->setSelected(true);
    IncludeExcludeProfile p;
    p.DeleteSelectedAsk.caption = "ask";
    auto lists = Lists(p);
    lists->DeleteFromExcludeClick();  // no answer: No
    EXPECT_EQ(exclude->count(), 2);
    boxes.Queue(plat::IDYES);
    lists->DeleteFromExcludeClick();
    EXPECT_EQ(listtools::ListLines(exclude), (StringList{"C:\\y"}));
    lists->ExchangeClick();
    EXPECT_EQ(listtools::ListLines(include), (StringList{"C:\\y"}));
    EXPECT_EQ(listtools::ListLines(exclude), (StringList{"C:\\i"}));
    EXPECT_EQ(refreshes, 3);
}

TEST_F(ListHandlersTest, EachStructureSourceLeavesItsOwnControls) {
    StructureListWidgets w;
    w.List = new QListWidget(&page);
    w.Add = new QPushButton(&page);
    w.Import = new QPushButton(&page);
    w.Options = new QPushButton(&page);
    QRadioButton* radios[4];
    for (auto*& r : radios) r = new QRadioButton(&page);
    w.MainFolderWithoutFiles = radios[0];
    w.SubFoldersOnlyWithoutFiles = radios[1];
    w.MainFolderWithFiles = radios[2];
    w.SubFoldersOnlyWithFiles = radios[3];
    StructureListHandlers structures(&page, w, 2, {});
    structures.ApplySource(StructureSource::TemplateLines);
    EXPECT_TRUE(w.Import->isEnabled() && w.Options->isEnabled() && w.List->isEnabled());
    EXPECT_FALSE(w.Add->isEnabled() || radios[2]->isEnabled());
    structures.ApplySource(StructureSource::ExistingFolders);
    EXPECT_TRUE(w.Add->isEnabled() && radios[2]->isEnabled());
    EXPECT_FALSE(w.Import->isEnabled() || w.Options->isEnabled());
    EXPECT_TRUE(radios[0]->isChecked());  // one compare way is always chosen
    structures.ApplySource(StructureSource::Nothing);
    EXPECT_FALSE(w.List->isEnabled() || w.Add->isEnabled() || w.Import->isEnabled());
}

}  // namespace

// The help and example windows: every opener shows its window with the
// right topic, "More help" is offered only for page topics, the example
// windows answer their radio buttons, and the link labels look and act like
// links that open only through the desktop seam.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <filesystem>
#include <set>
#include <functional>
#include <vector>

#include "core/SettingsStore.h"
#include "help/HelpTexts.h"
#include "help/HelpWindows.h"
#include "help/HyperlinkLabel.h"
#include "help/TAboutBox.h"
#include "help/TfrmAltalanosHelp.h"
#include "help/TfrmDriveSelect.h"
#include "help/TfrmExamplesCopy.h"
#include "help/TfrmExamplesCopyFiles.h"
#include "help/TfrmExamplesCreateFolders.h"
#include "help/TfrmExamplesDelete.h"
#include "help/TfrmExamplesDeleteFiles.h"
#include "help/TfrmExamplesIncreasedNumbers.h"
#include "help/TfrmExamplesRename.h"
#include "help/TfrmExamplesRenameFiles.h"
#include "help/TfrmMoreHelp.h"
#include "help/TfrmOverViewHelp.h"
#include "help/TfrmVideoTutorials.h"
#include "pages/TfrmSubFolderListBuilder.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"
#include "tests/support/TempDrive.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmFileSelection.h"
#include "windows/TfrmFolderTemplateOptions.h"
#include "windows/TfrmVol07EditIncludeList.h"

namespace fs = std::filesystem;

namespace {

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}

template <class T>
T* Child(const QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QStringList List(const QWidget* window, const char* name) { return Items(Child<QListWidget>(window, name)); }
void Click(const QWidget* window, const char* radio) { Child<QRadioButton>(window, radio)->click(); }
QPushButton* MoreHelpButton() { return Child<QPushButton>(frmAltalanosHelp, "btnAltalanosHelpMoreHelp"); }
QListWidget* HelpList() { return Child<QListWidget>(frmAltalanosHelp, "lstAltalanosHelp"); }
void Trigger(const char* action) { Child<QAction>(frmMain, action)->trigger(); }

// What the help window showed while it was open.
struct HelpSeen {
    unsigned topic = 0;
    QStringList lines;
    bool moreHelpVisible = false, moreHelpEnabled = false;
};

class HelpWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        drive.MakeFolder("prog");
        oldCwd = fs::current_path();
        fs::current_path(drive.nativePath("prog"));
        ResetSettingsToInitialValues();
        ResetStartStateWords();
        previousBoxes = plat::SetMessageBoxHandler([this](const std::string&, const std::string& caption, unsigned) {
            captions.push_back(caption);
            return int(plat::IDOK);
        });
        previousOpener = plat::SetOpenDocumentHandler([this](const std::string& file) {
            opened.push_back(file);
            return viewerAnswers;
        });
        qtplat::SetModalHandler([this](QDialog* dialog) {
            if (auto* start = qobject_cast<TfrmRestoreSettings*>(dialog)) {
                start->findChild<QAbstractButton*>("btnRestoreSettingsOk")->click();
                return dialog->result();
            }
            shown.push_back(dialog);
            // Showing runs the window's activation, as exec would.
            dialog->show();
            if (dialog == frmAltalanosHelp) {
                QPushButton* moreHelp = MoreHelpButton();
                help.push_back({frmAltalanosHelp->GetTopic(), List(frmAltalanosHelp, "lstAltalanosHelp"),
                                moreHelp->isVisibleTo(frmAltalanosHelp), moreHelp->isEnabled()});
            }
            if (whileShown) whileShown(dialog);
            dialog->hide();
            return int(QDialog::Accepted);
        });
        CreateAppWindows();
        frmMain->FormActivate();
    }
    void TearDown() override {
        DestroyAppWindows();
        qtplat::SetModalHandler({});
        plat::SetOpenDocumentHandler(previousOpener);
        plat::SetMessageBoxHandler(previousBoxes);
        fs::current_path(oldCwd);
    }

    HelpSeen ShowTopic(unsigned topic) {
        help.clear();
        ShowHelpTopic(topic);
        EXPECT_EQ(help.size(), 1u);
        return help.empty() ? HelpSeen{} : help.back();
    }

    testsupport::TempDrive drive;
    fs::path oldCwd;
    plat::MessageBoxHandler previousBoxes;
    plat::OpenDocumentHandler previousOpener;
    std::vector<QDialog*> shown;
    std::vector<HelpSeen> help;
    std::vector<std::string> opened;
    bool viewerAnswers = true;
    std::vector<std::string> captions;
    std::function<void(QDialog*)> whileShown;
};

TEST_F(HelpWindowsTest, PageTwoButtonsOpenTopicSevenAndItsExamples) {
    frmMain->findChild<QPushButton*>("btnVol02ListHelp")->click();
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].topic, HelpTopic::Vol02);
    EXPECT_EQ(help[0].lines.value(0).trimmed(), "Creating Mass Folder(s) from a list of strings.");
    EXPECT_TRUE(help[0].moreHelpVisible);
    EXPECT_EQ(frmAltalanosHelp->windowTitle(), "Help for Quillmere 7.00");

    frmMain->findChild<QPushButton*>("btnVol02Examples")->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], frmDriveSelect);
}

// The folder pages' Help opens their own topic, which names the page's
// buttons as they read and scrolls sideways to its longest line; Examples
// opens the page's own window.
TEST_F(HelpWindowsTest, FolderPagesOpenTheirTopicReadableToTheEndAndTheirExamples) {
    struct Page {
        const char* prefix;
        unsigned topic;
        QDialog* examples;
        const char* caption;
        std::vector<const char*> buttons;
    };
    const Page pages[] = {
        {"btnVol08", HelpTopic::Vol08, frmExamplesCopy,
         "Examples - Copying Folder Structures/Templates to a List of Folders",
         {"btnVol08AddFolderToList", "btnVol08SmartImport", "btnVol08SubFolderListBuilder", "btnVol08CopyFolders",
          "btnVol08CopyFoldersSimulation", "btnVol08Undo"}},
        {"btnVol07", HelpTopic::Vol07, frmExamplesDelete, "Examples - Deleting Multiple Folders and/or Files.",
         {"btnVol07AddFoldersToList", "btnVol07SmartImport", "btnVol07SubFolderListBuilder", "btnVol07DeleteFolders"}},
        {"btnVol06", HelpTopic::Vol06, frmExamplesRename, "Examples - Renaming Multiple Folders.",
         {"btnVol06AddFolderToList", "btnVol06SmartImport", "btnVol06SubFolderListBuilder", "btnVol06RenameFolders",
          "btnVol06RenameFoldersSimulation", "btnVol06Undo"}},
    };
    int widest = 0, reach = 0;
    whileShown = [&](QDialog* dialog) {
        if (dialog != frmAltalanosHelp) return;
        QListWidget* list = HelpList();
        const QFontMetrics metrics(list->font());
        widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(list->item(i)->text()));
        QApplication::processEvents();
        reach = list->horizontalScrollBar()->maximum() + list->viewport()->width();
    };
    for (const Page& page : pages) {
        SCOPED_TRACE(page.prefix);
        help.clear();
        shown.clear();
        Child<QPushButton>(frmMain, (std::string(page.prefix) + "Help").c_str())->click();
        Child<QPushButton>(frmMain, (std::string(page.prefix) + "Examples").c_str())->click();
        ASSERT_EQ(help.size(), 1u);
        EXPECT_EQ(help[0].topic, page.topic);
        EXPECT_TRUE(help[0].moreHelpVisible && help[0].moreHelpEnabled);
        EXPECT_GE(reach, widest);
        const QString text = help[0].lines.join('\n').simplified();
        for (const char* button : page.buttons) {
            const QString caption = Child<QPushButton>(frmMain, button)->text().simplified();
            EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
        }
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[1], page.examples);
        EXPECT_EQ(page.examples->windowTitle(), page.caption);
    }
}

TEST_F(HelpWindowsTest, EveryTopicShowsItsTitleNotesAndMoreHelpOnlyForPageTopics) {
    const char* titles[] = {
        "Folder Template Options. - Create Folders from non existing Paths Without Drive Letter.",
        "Folder Template Options. - Create Folders from Strings.",
        "Folder Template Options. - Create Folders using Increased Numbers.",
        "Folder Template Options. - Copy Folders.",
        "Folder Template Options. - Check Project Consistency.",
        "Creating Multiple Folders from a list of folders.",
        "Creating Mass Folder(s) from a list of strings.",
        "Creating Multiple Folders using increased numbers.",
        "Creating Folders manually.",
        "Copy a specific set of Folder Structure(s) to a List of Folders.",
        "Delete a Complete List of Folders, Subfolder structures with files, or just files in Subfolder structures.",
        "Renaming the Last Subfolder of a List of Main Folders (List of Full Paths).",
        "Copy Multiple files to a List of Folders.",
        "Renaming Multiple Files in Folder Structures.",
        "Delete Multiple Files in Subfolder structures.",
        "File Import.",
        "Select File Names and/or File Types.",
        "Checking Folders and Files Consistency.",
    };
    for (unsigned topic = 1; topic <= 18; ++topic) {
        SCOPED_TRACE(topic);
        const HelpSeen seen = ShowTopic(topic);
        ASSERT_GT(seen.lines.size(), 10);
        EXPECT_EQ(seen.lines[0].trimmed(), titles[topic - 1]);  // no blank row above the title
        const bool pageTopic = topic >= 6 && topic <= 15 && topic != 9 ? true : topic == 18;
        EXPECT_EQ(seen.lines.contains(topic == 11 ? " Notes:" : "  Notes:"), pageTopic);
        const bool moreHelp = !(topic <= 5 || topic == 16 || topic == 17);
        EXPECT_EQ(seen.moreHelpVisible, moreHelp);
        EXPECT_EQ(seen.moreHelpEnabled, moreHelp);
        for (const QString& line : seen.lines) EXPECT_FALSE(line.contains('\t')) << line.toStdString();
    }
    // No topic yet, or one past the table: an empty list, More help offered.
    for (unsigned topic : {0u, 19u, 0xFFFFFFFFu}) {
        const HelpSeen seen = ShowTopic(topic);
        EXPECT_TRUE(seen.lines.isEmpty());
        EXPECT_TRUE(seen.moreHelpVisible && seen.moreHelpEnabled);
    }
}

TEST_F(HelpWindowsTest, TopicDecidesMoreHelpWhateverTheCallerLeftAndMoreHelpOpensOnTop) {
    MoreHelpButton()->hide();  // as the file selection window does
    EXPECT_TRUE(ShowTopic(HelpTopic::Vol10).moreHelpVisible);
    MoreHelpButton()->show();
    EXPECT_FALSE(ShowTopic(HelpTopic::FileSelection).moreHelpVisible);

    // More help keeps the help window's list and its place.
    int rowSeen = -1;
    whileShown = [&](QDialog* dialog) {
        if (dialog != frmAltalanosHelp) return;
        whileShown = nullptr;
        HelpList()->scrollToItem(HelpList()->item(40));
        rowSeen = HelpList()->indexAt({2, 2}).row();
        MoreHelpButton()->click();
        EXPECT_EQ(HelpList()->indexAt({2, 2}).row(), rowSeen);
    };
    shown.clear();
    ShowTopic(HelpTopic::Vol10);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], frmMoreHelp);
    EXPECT_GT(rowSeen, 0);
    EXPECT_EQ(frmMoreHelp->windowTitle(), "More Help Topics for Quillmere 7.00");
    EXPECT_GT(frmMoreHelp->findChild<QListWidget*>("lstMoreHelp")->count(), 20);
    // The topic stays for the next showing.
    EXPECT_EQ(frmAltalanosHelp->GetTopic(), HelpTopic::Vol10);
}

TEST_F(HelpWindowsTest, HelpMenuOpensOverviewAboutAndTheProgramPage) {
    Trigger("OverView");
    Trigger("About1");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], frmOverViewHelp);
    EXPECT_EQ(shown[1], AboutBox);
    EXPECT_EQ(frmOverViewHelp->windowTitle(), "Quillmere 7.00 OverView, some questions.");
    EXPECT_EQ(Child<QLabel>(AboutBox, "ProductName")->text(), "Quillmere 7.00");

    EXPECT_TRUE(opened.empty());
    Trigger("Howtovideosonline1");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], ProgramPageFile());
    EXPECT_TRUE(opened[0].ends_with("\\README.md"));
}

// The help lists open on their first line of text, never show a row as
// chosen, and the columns their lines set with blanks stand in line.
TEST_F(HelpWindowsTest, HelpListsOpenOnTextWithNoRowHighlightedAndColumnsInLine) {
    QListWidget* more = Child<QListWidget>(frmMoreHelp, "lstMoreHelp");
    QListWidget* overview = Child<QListWidget>(frmOverViewHelp, "lstOverViewHelp");
    EXPECT_EQ(more->item(0)->text().trimmed(), "Contents:");
    EXPECT_EQ(overview->item(0)->text().trimmed(), "Quillmere 7.00 - Overview.");

    // "(level N)" after paths of different lengths: one column, whatever the font.
    const QFontMetrics metrics(more->font());
    std::vector<int> columns;
    for (const QString& line : Items(more))
        if (const qsizetype at = line.indexOf(QStringLiteral("(level ")); at > 0)
            columns.push_back(metrics.horizontalAdvance(line.left(at)));
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(std::set<int>(columns.begin(), columns.end()).size(), 1u);

    // The row that has the keyboard's focus looks like every other row.
    for (QListWidget* list : {more, HelpList()}) {
        SCOPED_TRACE(list->objectName().toStdString());
        if (list == HelpList()) {
            frmAltalanosHelp->SetTopic(HelpTopic::Vol10);
            frmAltalanosHelp->FormActivate();
        }
        QWidget* window = list->window();
        window->show();
        QApplication::setActiveWindow(window);
        list->setFocus();
        list->setCurrentRow(0);
        ASSERT_TRUE(list->hasFocus());
        const QImage image = list->viewport()->grab().toImage();
        const QRect row = list->visualItemRect(list->item(0));
        const QColor base = list->palette().color(QPalette::Base);
        EXPECT_EQ(image.pixelColor(image.width() - 4, row.center().y()), base);
        window->hide();
    }
}

// More help names the list builder's options and buttons with the window's
// own captions; the Overview's ten operations number in one column.
TEST_F(HelpWindowsTest, HelpTextsNameWhatTheWindowsShow) {
    const QString more = Items(Child<QListWidget>(frmMoreHelp, "lstMoreHelp")).join(QLatin1Char('\n'));
    for (const char* name : {"rdoFromToLevelNumber", "rdoAboveLevelNumber", "rdoBelowLevelNumber",
                             "rdoBuildAllSubFolders", "rdoBuildLastSubFolder", "btnBuildList"}) {
        const QString caption = Child<QAbstractButton>(frmSubFolderListBuilder, name)->text();
        EXPECT_TRUE(more.contains(QLatin1Char('"') + caption + QLatin1Char('"'))) << caption.toStdString();
    }
    for (const char* name : {"btnEditIncludeList", "btnIncludeFolderListView", "btnSmartExport",
                             "btnSubFolderListBuilderLevels", "btnDeleteFromExcludeList", "btnDeleteExcludedAll"})
        EXPECT_TRUE(more.contains(Child<QAbstractButton>(frmSubFolderListBuilder, name)->text())) << name;

    // The Include list's further buttons, by the captions the folder pages show.
    const QStringList lines = Items(Child<QListWidget>(frmMoreHelp, "lstMoreHelp"));
    const qsizetype further = lines.indexOf(QRegularExpression(QStringLiteral(".*Further buttons.*")));
    ASSERT_GE(further, 0);
    const QRegularExpression entry(QStringLiteral("^      (\\S.*?\\S)  +\\S"));
    int named = 0;
    for (qsizetype i = further + 1; i < lines.size() && !lines[i].trimmed().isEmpty(); ++i) {
        const QRegularExpressionMatch m = entry.match(lines[i]);
        if (!m.hasMatch()) continue;
        ++named;
        for (const char* page : {"Vol06Page", "Vol07Page", "Vol08Page"}) {
            QStringList captions;
            for (const QAbstractButton* b : Child<QWidget>(frmMain, page)->findChildren<QAbstractButton*>())
                captions << b->text();
            EXPECT_TRUE(captions.contains(m.captured(1))) << page << ": " << m.captured(1).toStdString();
        }
    }
    EXPECT_GE(named, 5);
    // A caption's colon is not followed by more punctuation.
    for (unsigned topic = 1; topic <= 18; ++topic)
        for (const char* line : helptext::TopicBody(topic))
            EXPECT_EQ(std::string(line).find(":,"), std::string::npos) << topic << ": " << line;

    // "10." ends where "9." does, and its text starts where theirs do.
    QListWidget* overview = Child<QListWidget>(frmOverViewHelp, "lstOverViewHelp");
    const QFontMetrics metrics(overview->font());
    const QRegularExpression item(QStringLiteral("^\\s+(\\d+)\\.\\s+\\S"));
    std::set<int> points, texts;
    int numbered = 0;
    for (const QString& line : Items(overview)) {
        const QRegularExpressionMatch m = item.match(line);
        if (!m.hasMatch() || m.captured(1).toInt() != numbered + 1) continue;
        ++numbered;
        points.insert(metrics.horizontalAdvance(line.left(m.capturedEnd(1) + 1)));
        texts.insert(metrics.horizontalAdvance(line.left(m.capturedEnd(0) - 1)));
        if (numbered == 10) break;
    }
    EXPECT_EQ(numbered, 10);
    EXPECT_EQ(points.size(), 1u);
    EXPECT_EQ(texts.size(), 1u);
}

TEST_F(HelpWindowsTest, SharedWindowsHelpButtonsOpenTheirTopicOrMoreHelp) {
    // The template options window's index is the topic.
    for (int index = 1; index <= 5; ++index) {
        frmFolderTemplateOptions->SetTemplateIndex(index);
        Child<QPushButton>(frmFolderTemplateOptions, "btnFolderTemplateOptionsHelp")->click();
    }
    Child<QPushButton>(frmFileImport, "btnFileImportHelp")->click();
    Child<QPushButton>(frmFileSelection, "btnFileSelectionHelp")->click();
    std::vector<unsigned> topics;
    for (const HelpSeen& seen : help) {
        topics.push_back(seen.topic);
        EXPECT_FALSE(seen.moreHelpVisible) << seen.topic;
    }
    EXPECT_EQ(topics, (std::vector<unsigned>{1, 2, 3, 4, 5, HelpTopic::FileImport, HelpTopic::FileSelection}));

    shown.clear();
    Child<QPushButton>(frmSubFolderListBuilder, "btnHelp")->click();
    Child<QPushButton>(frmVol07EditIncludeList, "btnVol07EditIncludeListHelp")->click();
    EXPECT_EQ(shown, (std::vector<QDialog*>{frmMoreHelp, frmMoreHelp}));
}

// Mouse events as the window system delivers them to a label.
void Mouse(QLabel* label, QEvent::Type type, QPoint at = {2, 2}) {
    QMouseEvent event(type, at, label->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &event);
}

TEST_F(HelpWindowsTest, LinkLabelsLookLikeLinksAndOpenOnlyThroughTheDesktop) {
    QLabel* link = Child<QLabel>(frmOverViewHelp, "statHtmlQuillmere");
    EXPECT_EQ(link->palette().color(QPalette::WindowText), HyperlinkLabel::LinkColour());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->textFormat(), Qt::PlainText);
    EXPECT_FALSE(link->font().underline());

    QEnterEvent enter({2, 2}, {2, 2}, link->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->font().underline());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->font().underline());

    // A click opens once; a double click too; a press dragged off opens nothing.
    Mouse(link, QEvent::MouseButtonPress);
    Mouse(link, QEvent::MouseButtonRelease);
    EXPECT_EQ(opened.size(), 1u);
    Mouse(link, QEvent::MouseButtonPress);
    Mouse(link, QEvent::MouseButtonRelease);
    Mouse(link, QEvent::MouseButtonDblClick);
    Mouse(link, QEvent::MouseButtonRelease);
    EXPECT_EQ(opened.size(), 2u);
    Mouse(link, QEvent::MouseButtonPress);
    Mouse(link, QEvent::MouseButtonRelease, {-5, -5});
    EXPECT_EQ(opened.size(), 2u);

    // Every link of the overview and the About box opens the program's page.
    opened.clear();
    for (const char* name : {"statHtmlAskExpert", "statHtmlSupport"}) {
        QLabel* label = Child<QLabel>(frmOverViewHelp, name);
        Mouse(label, QEvent::MouseButtonPress);
        Mouse(label, QEvent::MouseButtonRelease);
    }
    QLabel* about = Child<QLabel>(AboutBox, "statHtmlVelbrook");
    Mouse(about, QEvent::MouseButtonPress);
    Mouse(about, QEvent::MouseButtonRelease);
    EXPECT_EQ(opened, std::vector<std::string>(3, ProgramPageFile()));
    // Making a label a link twice changes nothing.
    EXPECT_EQ(MakeHyperlinkStatic(about), MakeHyperlinkStatic(about));
}

// Without a program that shows the page, every link and the Help menu's
// videos item say so, as the folder views do; nothing fails in silence.
TEST_F(HelpWindowsTest, ALinkThatCannotBeOpenedIsReported) {
    viewerAnswers = false;
    Trigger("Howtovideosonline1");
    for (const char* name : {"statHtmlAskExpert", "statHtmlSupport", "statHtmlQuillmere"}) {
        QLabel* label = Child<QLabel>(frmOverViewHelp, name);
        Mouse(label, QEvent::MouseButtonPress);
        Mouse(label, QEvent::MouseButtonRelease);
    }
    QLabel* about = Child<QLabel>(AboutBox, "statHtmlVelbrook");
    Mouse(about, QEvent::MouseButtonPress);
    Mouse(about, QEvent::MouseButtonRelease);
    EXPECT_EQ(opened, std::vector<std::string>(5, ProgramPageFile()));
    EXPECT_EQ(captions, std::vector<std::string>(5, "Help.            Warning no: 0455."));

    // A link that opens says nothing.
    viewerAnswers = true;
    captions.clear();
    Trigger("Howtovideosonline1");
    EXPECT_TRUE(captions.empty());
}

TEST_F(HelpWindowsTest, TutorialButtonsOpenTheProgramFolderPageOnlyWhenItIsThere) {
    auto* tutorials = frmVideoTutorials;
    Child<QPushButton>(tutorials, "btnVideoTutorialsCopy01")->click();
    EXPECT_TRUE(opened.empty());  // no basic.htm: nothing, and nothing said
    drive.WriteFile("prog\\basic.htm", "<html></html>");
    const fs::path before = fs::current_path();
    Child<QPushButton>(tutorials, "btnVideoTutorialsCRIncNum")->click();
    Child<QPushButton>(tutorials, "btnVideoTutorialsInternet")->click();
    EXPECT_EQ(opened, (std::vector<std::string>{drive.path("prog\\basic.htm"), ProgramPageFile()}));
    EXPECT_EQ(fs::current_path(), before);
}

TEST_F(HelpWindowsTest, EveryPageExampleWindowOpens) {
    const std::pair<ExampleWindow, QDialog*> windows[] = {
        {ExampleWindow::Vol02, frmDriveSelect},         {ExampleWindow::Vol03, frmExamplesIncreasedNumbers},
        {ExampleWindow::Vol04, frmExamplesCreateFolders}, {ExampleWindow::Vol06, frmExamplesRename},
        {ExampleWindow::Vol07, frmExamplesDelete},      {ExampleWindow::Vol08, frmExamplesCopy},
        {ExampleWindow::Vol10, frmExamplesCopyFiles},   {ExampleWindow::Vol11, frmExamplesDeleteFiles},
        {ExampleWindow::Vol12, frmExamplesRenameFiles},
    };
    for (const auto& [which, window] : windows) {
        shown.clear();
        ShowExamples(which);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], window);
        EXPECT_TRUE(window->windowTitle().startsWith("Examples - ")) << window->windowTitle().toStdString();
    }
}

TEST_F(HelpWindowsTest, AttachExamplesOfferTheFourWaysOnlyUnderExistingStructures) {
    QWidget* w = frmExamplesCreateFolders;
    const char* ways[] = {"rdoExCrFoldersMainFolders", "rdoExCrFoldersSubFoldersOnly",
                          "rdoExCrFoldersMainFoldersWithFiles", "rdoExCrFoldersSubFoldersOnlyWithFiles"};
    EXPECT_EQ(List(w, "lstExCrFoldersPreview"),
              QStringList({"f:\\Clients\\2015-Company01-July\\Seo\\Seo1", "f:\\Clients\\2015-Company01-July\\Seo\\Seo2",
                           "f:\\Clients\\2015-Company02-July\\Seo\\Seo1", "f:\\Clients\\2015-Company02-July\\Seo\\Seo2"}));
    Click(w, "rdoExCrFoldersAttachFolderStructures");
    for (const char* way : ways) EXPECT_TRUE(Child<QRadioButton>(w, way)->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(w, ways[0])->isChecked());
    Click(w, ways[3]);
    EXPECT_EQ(List(w, "lstExCrFoldersPreview").value(1), "f:\\Clients\\2015-Company01-July\\Beta\\anchors.cpp");
    EXPECT_EQ(List(w, "lstExCrFoldersFolderStructures"), QStringList({"e:\\Marketing", "f:\\Programs"}));

    Click(w, "rdoExCrFoldersAttachNothing");
    for (const char* way : ways) {
        EXPECT_FALSE(Child<QRadioButton>(w, way)->isEnabled());
        EXPECT_FALSE(Child<QRadioButton>(w, way)->isChecked());
    }
    EXPECT_EQ(List(w, "lstExCrFoldersPreview"),
              QStringList({"f:\\Clients\\2015-Company01-July", "f:\\Clients\\2015-Company02-July"}));
    // Back to structures: always at the first way again.
    Click(w, "rdoExCrFoldersAttachFolderStructures");
    EXPECT_TRUE(Child<QRadioButton>(w, ways[0])->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(w, ways[3])->isChecked());

    // Pages 02 and 03 spell the mail folder without a hyphen; page 08 copies
    // into the Include folders themselves.
    Click(frmDriveSelect, "rdoExCrStringsAttachFolderStructures");
    EXPECT_EQ(List(frmDriveSelect, "lstADSPreview").value(0), "f:\\Clients\\2015-Customer1-July\\Marketing\\Emails");
    Click(frmExamplesIncreasedNumbers, "rdoExCrIncAttachFolderStructures");
    Click(frmExamplesIncreasedNumbers, "rdoExCrIncAttachSubFoldersOnlyWithFiles");
    EXPECT_EQ(List(frmExamplesIncreasedNumbers, "lstExCrIncPreview").value(2),
              "f:\\Clients\\Customer-2-2015\\Emails\\Brochure.txt");
    Click(frmExamplesCopy, "rdoExCopyFolderStructures");
    Click(frmExamplesCopy, "rdoExCopySubFoldersOnly");
    EXPECT_EQ(List(frmExamplesCopy, "lstExamplesCopyPreview"),
              QStringList({"f:\\Clients\\Company01\\E-mails", "f:\\Clients\\Company01\\Beta",
                           "f:\\Clients\\Company02\\E-mails", "f:\\Clients\\Company02\\Beta"}));
    // The choice is still there at the next opening.
    ShowExamples(ExampleWindow::Vol08);
    EXPECT_TRUE(Child<QRadioButton>(frmExamplesCopy, "rdoExCopySubFoldersOnly")->isChecked());
}

TEST_F(HelpWindowsTest, CopyFilesExampleAppliesEachRuleToTheSecondOverviewDoc) {
    QWidget* w = frmExamplesCopyFiles;
    auto results = [w] { return List(w, "lstExamplesCopyFilesPreviewWindow"); };
    auto side = [w] { return List(w, "lstExamplesCopyFilesSkipOverIncWindow"); };
    EXPECT_EQ(results().size(), 8);  // four per folder: the second Overview.doc is skipped
    EXPECT_EQ(side().value(0),
              "Skipped Destination f:\\Clients\\Client1\\Overview.doc (Source f:\\Templates\\Reports\\Overview.doc");
    Click(w, "rdoExamplesCopyFilesDuplicatedFilesIncreaseFileNames");
    EXPECT_EQ(results().size(), 10);
    EXPECT_EQ(results().value(4),
              "Copy Source f:\\Templates\\Reports\\Overview.doc To Dest f:\\Clients\\Client1\\OverviewINC0000001.doc");
    EXPECT_EQ(Child<QLabel>(w, "lblExamplesCopyFilesSkipOverInc")->text(), "Increased File Names");
    Click(w, "rdoExamplesCopyFilesCopyToMainFoldersExtensions");
    Click(w, "rdoExamplesCopyFilesAttachSubFoldersOnly");
    EXPECT_EQ(results().size(), 8);
    EXPECT_FALSE(results().join('\n').contains("ClearAll.bmp"));
    EXPECT_EQ(results().value(1),
              "Copy Source f:\\Templates\\Reports\\January.txt To Dest f:\\Clients\\Client1\\txt\\January.txt");
    Click(w, "rdoExamplesCopyFilesDuplicatedFilesOverWrited");
    EXPECT_EQ(side(), QStringList({"Overwrited f:\\Clients\\Client1\\doc\\Overview.doc (Source f:\\Templates\\Reports\\Overview.doc",
                                   "Overwrited f:\\Clients\\Client2\\doc\\Overview.doc (Source f:\\Templates\\Reports\\Overview.doc"}));
    Click(w, "rdoExamplesCopyFilesDuplicatedFilesSkip");
    EXPECT_EQ(results().size(), 6);
}

TEST_F(HelpWindowsTest, RenameAndDeleteExamplesFollowTheirRadios) {
    QWidget* r = frmExamplesRenameFiles;
    Click(r, "rdoExReFilesChangeFileType");
    Click(r, "rdoExReFilesInMainFoldersAndSubFolders");
    Click(r, "rdoExReFilesDuplicatedFilesIncreaseFileNames");
    EXPECT_EQ(List(r, "lstExReFilesPreviewWindow").size(), 6);
    EXPECT_EQ(List(r, "lstExReFilesPreviewWindow").value(5), "f:\\Clients\\Customer1\\graphicsINC0000001.doc");
    EXPECT_FALSE(Child<QWidget>(r, "edtExReFilesNewPrefix")->isEnabled());
    // A method click starts again at main folders only, skipping duplicates.
    Click(r, "rdoExReFilesAddPrefixesSuffixes");
    EXPECT_TRUE(Child<QRadioButton>(r, "rdoExReFilesInMainFolders")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(r, "rdoExReFilesDuplicatedFilesSkip")->isChecked());
    EXPECT_EQ(List(r, "lstExReFilesPreviewWindow").value(0), "f:\\Clients\\2015-basic_July.txt");

    Click(frmExamplesRename, "rdoExRenameTheLastSubFolder");
    EXPECT_EQ(List(frmExamplesRename, "lstExRePreview").value(1), "f:\\Clients\\Customer2\\Company");
    EXPECT_TRUE(Child<QWidget>(frmExamplesRename, "edtExReNewLastSubFolder")->isEnabled());
    EXPECT_FALSE(Child<QWidget>(frmExamplesRename, "edtExReNewPrefix")->isEnabled());

    // The delete-files example shows its default option from the start.
    EXPECT_EQ(List(frmExamplesDeleteFiles, "lstExDeFilesDeleted"),
              QStringList({"f:\\Clients\\Customer1\\index.html", "f:\\Clients\\Customer2\\basic.swf"}));
    Click(frmExamplesDelete, "rdoExDeEverythingRetainNothing");
    EXPECT_EQ(List(frmExamplesDelete, "lstExDeDeleted").size(), 10);
    EXPECT_EQ(List(frmExamplesDelete, "lstExDeDeleted").last(), "f:\\Clients\\Customer2");
    EXPECT_EQ(List(frmExamplesDelete, "lstExDeRetain"), QStringList({"f:\\Clients"}));
}

}  // namespace

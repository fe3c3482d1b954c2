// The Qt half of the platform's desktop services: real message boxes and
// opening folders in the file manager.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTimer>

#include <QUrl>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "core/ShellServices.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/qt/FileDialogs.h"
#include "platform/qt/QtPlatform.h"
#include "tests/support/TempDrive.h"

namespace {

// A stand-in for xdg-open on PATH: records its arguments and exits with `code`.
class FakeOpener {
public:
    explicit FakeOpener(int code) : dir_(std::filesystem::temp_directory_path() / "qm-fake-opener") {
        std::filesystem::create_directories(dir_);
        const std::filesystem::path script = dir_ / "xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << (dir_ / "args").string() << "'\nexit "
                              << code << "\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        oldPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", (dir_.string() + ":" + oldPath_).c_str(), 1);
    }
    ~FakeOpener() {
        setenv("PATH", oldPath_.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Args() const {
        std::ifstream in(dir_ / "args");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path dir_;
    std::string oldPath_;
};

}  // namespace

// The real handler asks xdg-open, and a desktop where nothing opens folders
// (xdg-open fails) gets "View"'s warning instead of silence.
TEST(OpenFolderWindow, AFailingFileManagerIsReported) {
    testsupport::TempDrive drive('T');
    drive.MakeFolder("Jobs");
    qtplat::InstallDesktopHandlers();
    {
        plat::MessageBoxScript boxes;
        {
            FakeOpener none(3);
            EXPECT_FALSE(plat::OpenFolderWithDesktop(drive.path("Jobs")));
            const QUrl url = QUrl::fromLocalFile(QString::fromStdString(drive.native() + "/Jobs"));
            EXPECT_EQ(none.Args(), url.toString().toStdString() + "\n");
            EXPECT_FALSE(ViewFolder(drive.path("Jobs"), "Creating Folder(s).-From a String List."));
        }
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_NE(boxes.shown()[0].caption.find("Warning no: 0455."), std::string::npos);
        FakeOpener manager(0);
        EXPECT_TRUE(plat::OpenFolderWithDesktop(drive.path("Jobs")));
        EXPECT_EQ(boxes.shown().size(), 1u);
    }
    plat::SetMessageBoxHandler({});
    plat::SetOpenFolderHandler({});
    plat::SetFolderBrowserHandler({});
}

// Documents (the help windows' links) are opened the same way: a desktop
// without a viewer for them is reported, not taken for success.
TEST(OpenDocumentWindow, AFailingViewerIsReported) {
    testsupport::TempDrive drive('T');
    drive.WriteFile("README.md", "# read me");
    qtplat::InstallDesktopHandlers();
    {
        plat::MessageBoxScript boxes;
        {
            FakeOpener none(3);
            EXPECT_FALSE(ViewDocument(drive.path("README.md"), "Help."));
            const QUrl url = QUrl::fromLocalFile(QString::fromStdString(drive.native() + "/README.md"));
            EXPECT_EQ(none.Args(), url.toString().toStdString() + "\n");
        }
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].caption, "Help.            Warning no: 0455.");
        FakeOpener viewer(0);
        EXPECT_TRUE(ViewDocument(drive.path("README.md"), "Help."));
        EXPECT_EQ(boxes.shown().size(), 1u);
    }
    plat::SetMessageBoxHandler({});
    plat::SetOpenFolderHandler({});
    plat::SetOpenDocumentHandler({});
    plat::SetFolderBrowserHandler({});
}

// The caption carries the message number users quote: the box is wide
// enough for all of it, however short its text.
TEST(MessageBoxWindow, IsWideEnoughForItsWholeCaption) {
    const std::string caption = "Creating Folder(s).-From a String List.            Warning no: 20022.";
    const std::unique_ptr<QMessageBox> box =
        qtplat::MakeMessageBox("Short.", caption, plat::MB_YESNO | plat::MB_ICONQUESTION | plat::MB_DEFBUTTON2);
    box->show();
    QApplication::processEvents();
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GT(box->width(), QFontMetrics(bold).horizontalAdvance(QString::fromStdString(caption)) + 100);
    EXPECT_EQ(box->windowTitle().toStdString(), caption);
    EXPECT_EQ(box->defaultButton(), static_cast<QAbstractButton*>(box->button(QMessageBox::No)));
    box->hide();

    // A long text keeps the width it needs.
    const std::unique_ptr<QMessageBox> wide =
        qtplat::MakeMessageBox(std::string(60, 'w') + " " + std::string(60, 'w'), "Short.", plat::MB_OK);
    wide->show();
    QApplication::processEvents();
    EXPECT_GT(wide->width(), QFontMetrics(QApplication::font()).horizontalAdvance(QString(60, 'w')));
    wide->hide();
}

// A name field takes what is typed: no list of the folder's names opens
// over it (on a slow share it opens late and swallows the keys typed as it
// does), in the file dialogs and in the folder browser alike.
TEST(FileDialogWindows, OfferNoListThatTakesTheKeysTyped) {
    const qtplat::FileDialogHandler scripted = qtplat::SetFileDialogHandler({});  // the real dialogs
    int seen = 0;
    // Each dialog looked at once it shows, then closed.
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&seen] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (!dialog || !dialog->isVisible()) continue;
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            EXPECT_TRUE(name && !name->completer());
            ++seen;
            dialog->reject();
        }
    });
    look.start(5);
    EXPECT_EQ(qtplat::GetOpenFileName(nullptr, "All Files (*.*)|*.*", ""), "");
    EXPECT_EQ(qtplat::GetSaveFileName(nullptr, "Text files (*.txt)|*.txt", "txt"), "");
    EXPECT_EQ(qtplat::BrowseFolder(nullptr, "Select the Folder."), "");
    look.stop();
    qtplat::SetFileDialogHandler(scripted);
    EXPECT_EQ(seen, 3);
}

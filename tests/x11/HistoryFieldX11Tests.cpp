// A mask typed in the File Selection window, its OK clicked at once, on a
// real X server: the history holds "*.*", and what OK stores is the "*."
// typed, key by key, never the history entry it begins.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/SettingsStore.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"
#include "tests/x11/X11Support.h"
#include "windows/TfrmFileSelection.h"

namespace {

using x11test::MoveTo;
using x11test::Eventually;
using x11test::Xdo;

TEST(HistoryFieldX11, OkTakesTheMaskTypedNotTheHistoryEntryItBegins) {
    testsupport::TempDrive drive{'H'};
    drive.MakeFolder("prog");
    ResetSettingsToInitialValues();
    SetValuesOfEveryStart(drive.path("prog"));
    FillFirstStartDefaults();
    SetFileSelNamesHistory({"*.*", "*.txt"});
    plat::MessageBoxScript boxes;

    TfrmFileSelection window;
    window.move(150, 100);
    window.show();
    ASSERT_TRUE(Eventually([&] { return window.isActiveWindow(); }));
    auto* names = window.findChild<QComboBox*>("cboFileManNames");
    auto* ok = window.findChild<QPushButton*>("btnFileManOK");
    ASSERT_TRUE(names && ok);
    Xdo(MoveTo(names->lineEdit()) + QStringList{"click", "1"});
    ASSERT_TRUE(Eventually([&] { return names->hasFocus(); }));

    x11test::XdoAtOnce("xdotool key ctrl+a && xdotool type '*.' && xdotool " + MoveTo(ok).join(' ') + " click 1");
    EXPECT_TRUE(Eventually([&] { return !window.isVisible(); }));
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(GetFileSelNameMasks(), (StringList{"*."}));
    EXPECT_EQ(GetFileSelNamesText(), "*.");
    EXPECT_EQ(names->currentText().toStdString(), "*.");
}

}  // namespace

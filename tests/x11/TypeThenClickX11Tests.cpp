// A user types in a field and clicks the next control at once, on a real X
// server: leaving the field runs its check (page 03's numbers count the
// structures and paint), and the click that left it must still complete.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QScrollArea>
#include <QStackedWidget>

#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "shell/TfrmMain.h"
#include "tests/ui/PageWindowFixture.h"
#include "tests/x11/X11Support.h"

namespace {

using pagewindow::C;
using x11test::Eventually;
using x11test::Pause;

// The control's tab sheets chosen and its page scrolled to it.
void BringToFront(QWidget* control) {
    for (QWidget* w = control; w && w->parentWidget(); w = w->parentWidget()) {
        if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget())) stack->setCurrentWidget(w);
        if (auto* area = qobject_cast<QScrollArea*>(w)) area->ensureWidgetVisible(control);
    }
}

// Where a user clicks a control: a radio on its round button.
QStringList At(QWidget* w) {
    QPoint at = w->rect().center();
    if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        at = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio).center();
    }
    return x11test::MoveTo(w, at);
}

struct Move {
    const char* field;
    const char* typed;
    const char* control;  // a button or a radio of the same page
};

void PrintTo(const Move& move, std::ostream* os) { *os << move.field << " then " << move.control; }

class TypeThenClickX11 : public pagewindow::PageWindowFixture, public ::testing::WithParamInterface<Move> {
protected:
    TypeThenClickX11() : PageWindowFixture('K') { drive.MakeFolder("Dest"); }
    void SetUp() override {
        PageWindowFixture::SetUp();
        answer = plat::IDNO;  // a run's question, when one comes, is declined
        previousBrowser = plat::SetFolderBrowserHandler([this](void*, const std::string&) {
            return drive.path("Dest");
        });
        // Each page ready to run, its fields open for input.
        frmMain->Page02->Vol02SetDestinationFolder(drive.path("Dest"));
        frmMain->Page03->Vol03SetDestFolder(drive.path("Dest"));
        C<QLineEdit>("edtVol02AddToList")->setText("a");
        Click("btnVol02AddToList");
        C<QLineEdit>("edtVol04AddToList")->setText(QString::fromStdString(drive.path("Dest\\a")));
        Click("btnVol04AddToList");
        for (const char* radio : {"rdoVol02AttachNothing", "rdoVol03AttachNothing", "rdoVol04AttachNothing"})
            Click(radio);
        Click("btnVol06AddFolderToList");
        texts.clear();
        captions.clear();
        frmMain->show();
        ASSERT_TRUE(Eventually([] { return frmMain->windowHandle()->isExposed() && frmMain->isActiveWindow(); }));
    }
    void TearDown() override {
        PageWindowFixture::TearDown();
        plat::SetFolderBrowserHandler(previousBrowser);
    }
    plat::FolderBrowserHandler previousBrowser;
};

// Typed and clicked in one go, as fast as the user's hands: the field's
// check runs while the click's release is already waiting. The click then
// completes once the check is done: its handler runs once, the control is
// not left drawn pressed, and the field holds every character typed.
TEST_P(TypeThenClickX11, TheClickThatLeavesTheFieldCompletes) {
    const Move move = GetParam();
    auto* field = C<QLineEdit>(move.field);
    auto* control = C<QAbstractButton>(move.control);
    ASSERT_TRUE(field && control);
    BringToFront(field);
    BringToFront(control);
    ASSERT_TRUE(Eventually([&] { return field->isVisible() && control->isVisible() && control->isEnabled(); }))
        << field->isVisible() << field->isEnabled() << control->isVisible() << control->isEnabled();
    x11test::Xdo(QStringList{"windowactivate", "--sync", QString::number(frmMain->windowHandle()->winId())} +
                 At(field) + QStringList{"click", "1"});
    ASSERT_TRUE(Eventually([&] { return field->hasFocus(); }));

    int clicks = 0;
    QObject::connect(control, &QAbstractButton::clicked, frmMain, [&] { ++clicks; });
    const bool radio = control->isCheckable();
    // All of it reaches the server before the program reads any of it.
    x11test::XdoAtOnce("xdotool key ctrl+a && xdotool type '" + QString(move.typed) + "' && xdotool " +
                       At(control).join(' ') + " click 1");

    EXPECT_TRUE(Eventually([&] { return clicks == 1; })) << move.control << " after " << move.field;
    Pause(300);  // nothing more comes
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(control->isDown());
    if (radio) {
        EXPECT_TRUE(control->isChecked());
    }
    EXPECT_EQ(field->text().toStdString(), move.typed);
}

// A click that begins while leaving a field is being checked (page 03's
// numbers count and paint) is the user's input during a wait: it is
// dropped, press and release, and never replayed; the next one is taken.
TEST_F(TypeThenClickX11, AClickGivenWhileTheFieldIsCheckedIsDropped) {
    auto* field = C<QLineEdit>("edtVol03EndNumber");
    auto* button = C<QAbstractButton>("btnVol03CreateFolders");
    BringToFront(field);
    ASSERT_TRUE(Eventually([&] { return field->isVisible() && button->isEnabled(); }));
    field->setFocus();
    ASSERT_TRUE(Eventually([&] { return field->hasFocus(); }));
    int clicks = 0;
    QObject::connect(button, &QAbstractButton::clicked, frmMain, [&] { ++clicks; });
    // The Tab's check runs with the click already given.
    x11test::XdoAtOnce("xdotool key Tab && xdotool " + At(button).join(' ') + " click 1");
    Pause(800);
    x11test::Xdo({"mousemove_relative", "5", "5"});  // held-back input would come now
    Pause(300);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->isDown());
    EXPECT_TRUE(texts.empty());

    x11test::Xdo(At(button) + QStringList{"click", "1"});
    EXPECT_TRUE(Eventually([&] { return clicks == 1; }));
}

// Every field whose leaving runs a check, each with the controls a user
// clicks next: the run buttons, a source radio, another field's page button.
INSTANTIATE_TEST_SUITE_P(
    EveryCheckedField, TypeThenClickX11,
    ::testing::Values(Move{"edtVol03StartNumber", "7", "btnVol03CreateFolders"},
                      Move{"edtVol03StartNumber", "12", "btnVol03CreateFoldersSimulation"},
                      Move{"edtVol03EndNumber", "40", "btnVol03CreateFolders"},
                      Move{"edtVol03EndNumber", "9", "rdoVol03StructureImportRelativePaths"},
                      Move{"edtVol03StartNumber", "3", "rdoVol03StructureImportFullPaths"},
                      Move{"edtVol03EndNumber", "5", "btnVol03AddDestFolder"},
                      Move{"edtVol03Prefix", "P-", "btnVol03CreateFolders"},
                      Move{"edtVol03Suffix", "s1", "btnVol03CreateFoldersSimulation"},
                      Move{"edtVol02Prefix", "A", "btnVol02CreateFolders"},
                      Move{"edtVol02Suffix", "Z", "rdoVol02StructureImportRelativePaths"},
                      Move{"edtVol04Prefix", "B", "btnVol04CreateFoldersSimulation"},
                      Move{"edtVol04Suffix", "Y", "rdoVol04StructureImportFullPaths"},
                      Move{"edtVol06NewPrefix", "N", "btnVol06ClearAll"}),
    [](const ::testing::TestParamInfo<Move>& info) {
        return std::string(info.param.field + 3) + "_" + std::to_string(info.index);
    });

}  // namespace

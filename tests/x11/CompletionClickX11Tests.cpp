// A folder typed in a box with a completion list, then a button clicked at
// once: the list is open when the click comes. The list closes and the
// click reaches its button, as it would were the list not a popup that
// holds the pointer; a window the modal one blocks still gets nothing.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/CompletionClick.h"
#include "tests/x11/X11Support.h"

namespace {

using x11test::MoveTo;
using x11test::Eventually;
using x11test::Pause;
using x11test::Xdo;

class CompletionClickX11 : public ::testing::Test {
protected:
    void SetUp() override {
        qtplat::InstallCompletionClickThrough();
        owner.setGeometry(100, 100, 700, 500);
        outside = new QPushButton("Outside", &owner);
        outside->setGeometry(20, 420, 120, 30);
        owner.show();
        dialog = new QDialog(&owner);
        dialog->setWindowModality(Qt::ApplicationModal);
        auto* row = new QHBoxLayout(dialog);
        folder = new QComboBox(dialog);
        folder->setEditable(true);
        folder->setMinimumWidth(250);
        folder->addItems({"C:\\Jobs\\Alpha", "C:\\Jobs\\Beta", "C:\\Jobs\\Bravo"});
        folder->setCurrentIndex(-1);
        folder->completer()->setCompletionMode(QCompleter::PopupCompletion);
        build = new QPushButton("Build", dialog);
        row->addWidget(folder);
        row->addWidget(build);
        dialog->move(200, 120);
        dialog->show();
        ASSERT_TRUE(Eventually([&] { return dialog->isActiveWindow(); }));
        QObject::connect(build, &QPushButton::clicked, [this] { ++builds; });
        QObject::connect(outside, &QPushButton::clicked, [this] { ++outsides; });
        Xdo(MoveTo(folder) + QStringList{"click", "1"});
        ASSERT_TRUE(Eventually([&] { return folder->hasFocus(); }));
        // The list opens as the user types.
        Xdo({"type", "C:\\Jobs\\B"});
        ASSERT_TRUE(Eventually([&] { return popup() && popup()->isVisible(); }));
    }
    void TearDown() override { delete dialog; }

    QAbstractItemView* popup() const { return folder->completer()->popup(); }

    QWidget owner;
    QPushButton* outside = nullptr;
    QDialog* dialog = nullptr;
    QComboBox* folder = nullptr;
    QPushButton* build = nullptr;
    int builds = 0;
    int outsides = 0;
};

TEST_F(CompletionClickX11, TheClickThatClosesTheListReachesItsButtonOnce) {
    x11test::XdoAtOnce("xdotool type 'ravo' && xdotool " + MoveTo(build).join(' ') + " click 1");
    EXPECT_TRUE(Eventually([&] { return builds == 1; }));
    Pause(300);
    EXPECT_EQ(builds, 1);
    EXPECT_FALSE(build->isDown());
    EXPECT_FALSE(popup()->isVisible());
    EXPECT_EQ(folder->currentText().toStdString(), "C:\\Jobs\\Bravo");

    // A pick from the list is the list's own, as before.
    folder->lineEdit()->clear();
    folder->setFocus();
    Xdo({"type", "C:\\Jobs\\B"});
    ASSERT_TRUE(Eventually([&] { return popup()->isVisible(); }));
    auto* list = folder->completer()->popup();
    const QModelIndex beta = folder->completer()->completionModel()->index(0, 0);
    Xdo(MoveTo(list->viewport(), list->visualRect(beta).center()) + QStringList{"click", "1"});
    EXPECT_TRUE(Eventually([&] { return !popup()->isVisible(); }));
    EXPECT_EQ(folder->currentText().toStdString(), "C:\\Jobs\\Beta");
    EXPECT_EQ(builds, 1);
}

TEST_F(CompletionClickX11, AClickOnAWindowTheModalOneBlocksOnlyClosesTheList) {
    Xdo(MoveTo(outside) + QStringList{"click", "1"});
    EXPECT_TRUE(Eventually([&] { return !popup()->isVisible(); }));
    Pause(300);
    EXPECT_EQ(outsides, 0);
    EXPECT_FALSE(outside->isDown());
    EXPECT_EQ(folder->currentText().toStdString(), "C:\\Jobs\\B");
}

}  // namespace

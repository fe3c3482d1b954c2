// The Qt half of the platform's desktop services: real message boxes and
// opening folders in the file manager.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QFontMetrics>
#include <QMessageBox>

#include <memory>

#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"

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

#include "help/HelpLook.h"

#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include "platform/qt/QtPlatform.h"

namespace helplook {

void ApplyWindowLook(QDialog* window) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, QColor(239, 247, 255));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void MakeMaroonButton(QPushButton* button) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(button->font().pointSizeF());
    font.setBold(true);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, QColor(128, 0, 0));
    button->setPalette(palette);
}

void SetUpHelpList(QListWidget* list) {
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(12);
    list->setFont(font);
    list->setWordWrap(false);
    list->setTextElideMode(Qt::ElideNone);
    list->setUniformItemSizes(true);
    // Read-only text: nothing to select.
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int ShowModal(QDialog* window) {
    if (window->isModal() && window->isVisible()) return -1;
    if (window->isVisible()) window->hide();
    return qtplat::ExecModal(window);
}

}  // namespace helplook

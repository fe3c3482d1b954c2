#include "help/HelpLook.h"

#include <QDialog>
#include <QFontDatabase>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>

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

namespace {

// Help lines are read, never chosen: the row that has the keyboard's focus
// looks like every other.
class PlainLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        plain.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_MouseOver);
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

}  // namespace

void SetUpHelpList(QListWidget* list) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    list->setFont(font);
    list->setWordWrap(false);
    list->setTextElideMode(Qt::ElideNone);
    // Not uniform: that keeps the first width it measured, so a later topic's
    // longer lines could not be scrolled into view.
    list->setUniformItemSizes(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setItemDelegate(new PlainLineDelegate(list));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void SetHelpLines(QListWidget* list, const QStringList& lines) {
    qsizetype first = 0;
    while (first < lines.size() && lines[first].trimmed().isEmpty()) ++first;
    list->clear();
    list->addItems(lines.mid(first));
}

int ShowModal(QDialog* window) {
    if (window->isModal() && window->isVisible()) return -1;
    if (window->isVisible()) window->hide();
    return qtplat::ExecModal(window);
}

}  // namespace helplook

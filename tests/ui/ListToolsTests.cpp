// The shared list tools: sorted list boxes and count labels that follow
// their lists.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>

#include <string>

#include "windows/ListTools.h"

namespace {

StringList Lines(const QListWidget& list) { return listtools::ListLines(&list); }

QListWidget* SortedBox(QListWidget& list) {
    list.setSortingEnabled(true);
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    return &list;
}

}  // namespace

TEST(SortedListBox, EveryWayInKeepsTheFoldedOrder) {
    QListWidget box;
    SortedBox(box);
    listtools::AddListItem(&box, "Zeta");
    listtools::AddListItems(&box, {"One", "\u00E9t\u00E9", "Two"});
    listtools::AddListItem(&box, "alpha");
    box.addItem("Beta");  // straight through Qt, as a later page might
    EXPECT_EQ(Lines(box), (StringList{"alpha", "Beta", "One", "Two", "Zeta", "\u00E9t\u00E9"}));

    EXPECT_EQ(listtools::FindListItem(&box, "ONE"), 2);
    EXPECT_EQ(listtools::FindListItem(&box, "\u00C9T\u00C9"), 5);  // folded as the duplicate test folds
    EXPECT_EQ(listtools::FindListItem(&box, "on"), -1);
    EXPECT_EQ(listtools::FindListItem(&box, "zz"), -1);

    // An edited item moves to its new place.
    box.item(0)->setText("omega");
    EXPECT_EQ(Lines(box), (StringList{"Beta", "omega", "One", "Two", "Zeta", "\u00E9t\u00E9"}));

    // A box that does not sort keeps the given order.
    QListWidget plain;
    listtools::AddListItems(&plain, {"b", "A"});
    listtools::AddListItem(&plain, "a2");
    EXPECT_EQ(Lines(plain), (StringList{"b", "A", "a2"}));
    EXPECT_EQ(listtools::FindListItem(&plain, "a"), 1);
}

// 100,000 items in one batch are sorted once; what was selected stays so.
TEST(SortedListBox, LongBatchesSortOnceAndKeepTheSelection) {
    QListWidget box;
    SortedBox(box);
    listtools::AddListItems(&box, {"keep", "Mid"});
    box.item(0)->setSelected(true);  // "keep"
    QStringList many;
    for (int i = 99999; i >= 0; --i) many << QString("Item %1").arg(i, 6, 10, QChar('0'));
    listtools::AddListItems(&box, many);
    ASSERT_EQ(box.count(), 100002);
    EXPECT_EQ(box.item(0)->text(), "Item 000000");
    EXPECT_EQ(box.item(99999)->text(), "Item 099999");
    EXPECT_EQ(box.item(100000)->text(), "keep");
    EXPECT_TRUE(box.item(100000)->isSelected());
    EXPECT_EQ(box.selectedItems().size(), 1);
    EXPECT_EQ(listtools::FindListItem(&box, "ITEM 054321"), 54321);

    listtools::SetListLines(&box, StringList{"y", "X"});
    EXPECT_EQ(Lines(box), (StringList{"X", "y"}));
}

TEST(CountLabel, FollowsItsListWhoeverChangesIt) {
    QListWidget list;
    QLabel count;
    listtools::ShowCountOf(&list, &count);
    list.addItems({"a", "b", "c"});
    EXPECT_EQ(count.text(), "3");
    delete list.takeItem(1);
    EXPECT_EQ(count.text(), "2");
    listtools::SetListLines(&list, StringList{"x"});
    EXPECT_EQ(count.text(), "1");
    list.clear();
    EXPECT_EQ(count.text(), "0");
}

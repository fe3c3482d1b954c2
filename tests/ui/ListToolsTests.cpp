// The shared list tools: sorted list boxes and count labels that follow
// their lists.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QLocale>

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
    EXPECT_EQ(Lines(box), (StringList{"alpha", "Beta", "\u00E9t\u00E9", "One", "Two", "Zeta"}));

    EXPECT_EQ(listtools::FindListItem(&box, "ONE"), 3);
    EXPECT_EQ(listtools::FindListItem(&box, "\u00C9T\u00C9"), 2);  // folded as the duplicate test folds
    EXPECT_EQ(listtools::FindListItem(&box, "on"), -1);
    EXPECT_EQ(listtools::FindListItem(&box, "ete"), -1);
    EXPECT_EQ(listtools::FindListItem(&box, "zz"), -1);

    // An edited item moves to its new place.
    box.item(0)->setText("omega");
    EXPECT_EQ(Lines(box), (StringList{"Beta", "\u00E9t\u00E9", "omega", "One", "Two", "Zeta"}));

    // A box that does not sort keeps the given order.
    QListWidget plain;
    listtools::AddListItems(&plain, {"b", "A"});
    listtools::AddListItem(&plain, "a2");
    EXPECT_EQ(Lines(plain), (StringList{"b", "A", "a2"}));
    EXPECT_EQ(listtools::FindListItem(&plain, "a"), 1);
}

// Sorted boxes follow the user's locale with letter case ignored; what
// counts as a duplicate is folded as before, so lines the locale ranks
// alike but the duplicate test tells apart both stay and are both found.
TEST(SortedListBox, OrdersByTheUsersLocaleIgnoringCase) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QListWidget box;
    SortedBox(box);
    listtools::AddListItems(&box, {"zulu", "\u00C9lan", "Eve", "elan", "\u00E9LAN", "Zeta"});
    listtools::AddListItem(&box, "\u00C4rlig");
    EXPECT_EQ(Lines(box), (StringList{"\u00C4rlig", "elan", "\u00C9lan", "\u00E9LAN", "Eve", "Zeta", "zulu"}));
    EXPECT_EQ(listtools::FindListItem(&box, "\u00C9LAN"), 2);  // the first of the two that fold alike
    EXPECT_EQ(listtools::FindListItem(&box, "ELAN"), 1);

    // Omega and omega rank alike but are no duplicates: both stay, each is found.
    listtools::AddListItems(&box, {"\u03C9", "\u03A9"});
    EXPECT_EQ(box.count(), 9);
    EXPECT_EQ(box.item(listtools::FindListItem(&box, "\u03C9"))->text(), "\u03C9");
    EXPECT_EQ(box.item(listtools::FindListItem(&box, "\u03A9"))->text(), "\u03A9");

    // A Swedish user finds the letters with dots after z.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    QListWidget swedish;
    SortedBox(swedish);
    listtools::AddListItems(&swedish, {"\u00C4rlig", "zulu", "Alf"});
    EXPECT_EQ(Lines(swedish), (StringList{"Alf", "zulu", "\u00C4rlig"}));

    // A user who set no language ("C") gets the Unicode table's order, not code points.
    QLocale::setDefault(QLocale::c());
    QListWidget plain;
    SortedBox(plain);
    listtools::AddListItems(&plain, {"zulu", "\u00C9lan", "Alf"});
    EXPECT_EQ(Lines(plain), (StringList{"Alf", "\u00C9lan", "zulu"}));
    QLocale::setDefault(saved);
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
    EXPECT_EQ(count.text(), "0");  // from the start, not only after the first change
    list.addItems({"a", "b", "c"});
    EXPECT_EQ(count.text(), "3");
    delete list.takeItem(1);
    EXPECT_EQ(count.text(), "2");
    listtools::SetListLines(&list, StringList{"x"});
    EXPECT_EQ(count.text(), "1");
    list.clear();
    EXPECT_EQ(count.text(), "0");
}

#include "program/menu_model.h"

#include "program/menu_items.h"

#include <QSet>
#include <gtest/gtest.h>

// The items are looked up by name: a name given twice would hide an item,
// and the main window shows the recent-file entries (found by isMru) as paths.
TEST(MenuModelNames, EveryItemHasItsOwnNameAndTheFiveRecentFilesAreRecognised)
{
    const MenuModel m;
    QSet<QString> names;
    int recent = 0;
    for (const MenuItem &item : m.items()) {
        EXPECT_FALSE(names.contains(item.name)) << item.name.toStdString();
        names.insert(item.name);
        recent += MenuModel::isMru(item.name) ? 1 : 0;
        if (!item.parent.isEmpty()) {
            EXPECT_TRUE(m.has(item.parent)) << item.name.toStdString();
        }
    }
    EXPECT_EQ(recent, 5);
    EXPECT_EQ(MenuModel::mru(4), QStringLiteral("mnuMRU(4)"));
    EXPECT_TRUE(m.has(MenuModel::mru(4)));
    EXPECT_FALSE(MenuModel::isMru(menu::kFile));
    EXPECT_EQ(m.children(menu::kItemAnnot), (QStringList{menu::kItemadd, menu::kItemClearNote}));
}

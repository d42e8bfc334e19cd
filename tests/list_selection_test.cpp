#include "work/list_selection.h"

#include <gtest/gtest.h>

#include "work/workspace.h"

namespace zentil {
namespace {

void fill(PageStore& store, int count) {
    for (int i = 0; i < count; ++i) {
        auto page = std::make_unique<Page>();
        ASSERT_TRUE(createPage(*page, 4, 4, 2, 2, kMode8));
        store.append(std::move(page));
    }
}

// The page shown follows the selection: the shown list's current entry (its
// first without one), the other list when the shown one is empty, none when
// both are; rows past a list's end go with the pages they stood for.
TEST(ListSelectionTest, ThePageShownFollowsTheSelectionAndTheListsAsTheyStand) {
    struct Case {
        int sprites, pictures;
        ListSelection given;
        ListId shown;
        int row;  // of the page shown in `shown`
        EntryMarks spriteMarks;
    };
    const Case cases[] = {
        {3, 2, {ListId::Sprites, {{0, 2}, 2}, {}}, ListId::Sprites, 2, {{0, 2}, 2}},
        {3, 2, {ListId::None, {{1}, -1}, {}}, ListId::Sprites, 0, {{1}, 0}},
        {3, 2, {ListId::Pictures, {}, {{}, 1}}, ListId::Pictures, 1, {}},
        {0, 2, {ListId::Sprites, {{4}, 4}, {}}, ListId::Pictures, 0, {}},
        {3, 0, {ListId::Pictures, {{1, 5}, 5}, {{0}, 0}}, ListId::Sprites, 2, {{1}, 2}},
        {0, 0, {ListId::Sprites, {{0}, 0}, {}}, ListId::None, -1, {}},
    };
    for (const Case& c : cases) {
        Workspace ws;
        fill(ws.sprites, c.sprites);
        fill(ws.pictures, c.pictures);
        ListSelection selection = c.given;
        showSelected(ws, selection);
        EXPECT_EQ(ws.activeList(), c.shown);
        EXPECT_EQ(selection.shown, c.shown);
        EXPECT_EQ(ws.placeOf(ws.currentPage()), (PagePlace{c.shown, c.row}));
        EXPECT_EQ(selection.sprites, c.spriteMarks);
        if (c.shown != ListId::None) {
            EXPECT_EQ(selection.marks(c.shown).current, c.row);
        }
    }
}

TEST(ListSelectionTest, LoadedPagesAreMarkedInTurnAndOneEntryReplacesAListsMarks) {
    ListSelection selection{ListId::Pictures, {{0, 3}, 3}, {{1}, 1}};
    addLoadedEntry(selection, ListId::Sprites, 4);
    addLoadedEntry(selection, ListId::Sprites, 5);
    EXPECT_EQ(selection.sprites, (EntryMarks{{0, 5}, 5}));
    selectOnly(selection, ListId::Pictures, 2);
    EXPECT_EQ(selection, (ListSelection{ListId::Pictures, {{0, 5}, 5}, {{2}, 2}}));
    EXPECT_EQ(onlyEntry(ListId::Sprites, 1), (ListSelection{ListId::Sprites, {{1}, 1}, {}}));
}

}  // namespace
}  // namespace zentil

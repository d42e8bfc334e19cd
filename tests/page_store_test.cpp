#include "image/page_store.h"
#include "test_support.h"
#include "work/workspace.h"

namespace zentil {
namespace {

std::unique_ptr<Page> named(const char* name, int width) {
    auto page = std::make_unique<Page>();
    if (!createPage(*page, width, 1, 2, 1, kMode8)) return nullptr;
    setPageName(*page, name);
    page->areas[1] = std::make_unique<AreaLayer>();
    (*page->areas[1])[0] = AreaRect{0, 0, width, 1};
    return page;
}

std::string names(const PageStore& store) {
    std::string out;
    for (int i = 0; i < store.size(); ++i)
        out += pageName(store.at(i));
    return out;
}

// Pages keep their identity, their data and their order while others come
// and go around them; a page taken out can go back where it was.
TEST(PageStore, PagesKeepTheirIdentityAsOthersComeAndGo) {
    PageStore store(4);
    for (const char* name : {"A", "B", "C", "D"})
        store.append(named(name, 3));
    EXPECT_TRUE(store.full());
    Page* c = &store.at(2);
    std::unique_ptr<Page> b = store.take(1);
    EXPECT_EQ(names(store), "ACD");
    EXPECT_EQ(&store.at(1), c);  // the same page, one place down
    EXPECT_EQ(store.indexOf(c), 1);
    EXPECT_EQ(store.indexOf(b.get()), -1);
    EXPECT_EQ((*b->areas[1])[0].right, 3);  // area layers travel with their page
    EXPECT_EQ(store.insert(1, std::move(b)), 1);
    EXPECT_EQ(names(store), "ABCD");
    EXPECT_EQ(store.take(9), nullptr);  // past the end: nothing
    EXPECT_EQ(store.find(-1), nullptr);
    EXPECT_EQ(store.find(4), nullptr);
    store.take(3);
    EXPECT_EQ(store.insert(99, named("E", 1)), 3);  // clamped to the end
    EXPECT_EQ(names(store), "ABCE");
}

// The workspace names where a page stands and what new pages take.
TEST(Workspace, PlacesPagesAndGivesItsDefaults) {
    Workspace ws;
    ws.sprites.append(named("S", 2));
    ws.pictures.append(named("P", 2));
    ws.pictures.append(named("Q", 2));
    EXPECT_EQ(ws.sprites.capacity(), 2048);
    EXPECT_EQ(ws.pictures.capacity(), 512);
    const PagePlace q = ws.placeOf(&ws.pictures.at(1));
    EXPECT_EQ(q.list, ListId::Pictures);
    EXPECT_EQ(q.index, 1);
    EXPECT_FALSE(ws.placeOf(nullptr).valid());
    ws.settings.defaultColorKey8 = 7;
    ws.settings.defaultColorKey24 = 0x123456;
    ws.palette[5] = 99;
    const PageDefaults d = ws.defaults();
    EXPECT_EQ(d.key8, 7);
    EXPECT_EQ(d.key24, 0x123456u);
    EXPECT_EQ(d.palette[5], 99);
    ws.setCurrent(ListId::Pictures, &ws.pictures.at(0));
    ws.clearPages();
    EXPECT_EQ(ws.currentPage(), nullptr);
    EXPECT_EQ(ws.activeList(), ListId::None);
    EXPECT_TRUE(ws.sprites.empty() && ws.pictures.empty());
}

}  // namespace
}  // namespace zentil

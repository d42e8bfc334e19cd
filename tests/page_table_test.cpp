#include "image/page_table.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

TEST_F(CoreTest, StoresCoverTheirSlotRanges) {
    Store store{};
    EXPECT_TRUE(storeOfSlot(0, store));
    EXPECT_EQ(store, Store::Sprite);
    EXPECT_TRUE(storeOfSlot(2047, store));
    EXPECT_EQ(store, Store::Sprite);
    EXPECT_TRUE(storeOfSlot(2048, store));
    EXPECT_EQ(store, Store::Tga);
    EXPECT_TRUE(storeOfSlot(2559, store));
    EXPECT_EQ(store, Store::Tga);
    EXPECT_FALSE(storeOfSlot(2560, store));
    EXPECT_FALSE(storeOfSlot(kNoPage, store));
    EXPECT_EQ(pageOrNull(kNoPage), nullptr);
    EXPECT_EQ(pageOrNull(kSlotCount), nullptr);
    EXPECT_EQ(pageOrNull(2048), &pageAt(2048));
    EXPECT_EQ(storeCapacity(Store::Sprite) + storeCapacity(Store::Tga), kSlotCount);
}

TEST_F(CoreTest, EachStoreFillsItsFirstFreeSlotUntilFull) {
    EXPECT_EQ(firstFreeSlot(Store::Sprite), 0);
    EXPECT_EQ(firstFreeSlot(Store::Tga), kTgaFirstSlot);
    ASSERT_TRUE(createSinglePage(pageAt(0), 4, 4, kMode8));
    ASSERT_TRUE(createSinglePage(pageAt(1), 4, 4, kMode8));
    ASSERT_TRUE(createSinglePage(pageAt(kTgaFirstSlot), 4, 4, kMode8));
    EXPECT_EQ(storePageCount(Store::Sprite), 2);
    EXPECT_EQ(firstFreeSlot(Store::Sprite), 2);
    EXPECT_EQ(storePageCount(Store::Tga), 1);
    EXPECT_EQ(firstFreeSlot(Store::Tga), kTgaFirstSlot + 1);

    for (int slot = kTgaFirstSlot; slot < kSlotCount; ++slot)
        ASSERT_TRUE(createSinglePage(pageAt(slot), 1, 1, kMode8));
    EXPECT_EQ(storePageCount(Store::Tga), kTgaSlotCount);
    EXPECT_EQ(firstFreeSlot(Store::Tga), kNoPage);
    // A full TGA store does not spill into the sprite store's count.
    EXPECT_EQ(storePageCount(Store::Sprite), 2);

    ASSERT_TRUE(createSinglePage(capturePage(), 4, 4, kMode8));
    ASSERT_TRUE(createSinglePage(captureViewPage(), 4, 4, kMode8));
    releaseAllPages();
    EXPECT_EQ(storePageCount(Store::Sprite), 0);
    EXPECT_EQ(storePageCount(Store::Tga), 0);
    EXPECT_FALSE(capturePage().inUse());
    EXPECT_FALSE(captureViewPage().inUse());
}

}  // namespace
}  // namespace zentil

namespace zentil {
namespace {

using test::CoreTest;

TEST_F(CoreTest, RemovingAPageClosesTheGapAndFreesTheLastSlot) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(createPage(pageAt(i), 2 + i, 1, 2, 1, kMode8));
        setPageName(pageAt(i), std::string(1, static_cast<char>('A' + i)));
        (*pageAt(i).areas[1])[0] = AreaRect{0, 0, 1 + i, 1};
    }
    removeFromStore(Store::Sprite, 3);
    removeFromStore(Store::Sprite, 1);
    EXPECT_EQ(storePageCount(Store::Sprite), 3);
    EXPECT_EQ(pageName(pageAt(0)), "A");
    EXPECT_EQ(pageName(pageAt(1)), "C");
    EXPECT_EQ(pageName(pageAt(2)), "E");
    EXPECT_EQ(pageAt(2).width, 6);
    EXPECT_EQ((*pageAt(1).areas[1])[0].right, 3);  // area layers travel with their page
    EXPECT_FALSE(pageAt(3).inUse());
    EXPECT_EQ(pageAt(3).pixels8, nullptr);
    EXPECT_EQ(pageAt(4).pixels8, nullptr);
    removeFromStore(Store::Sprite, 7);  // past the end: nothing
    EXPECT_EQ(storePageCount(Store::Sprite), 3);
}

}  // namespace
}  // namespace zentil

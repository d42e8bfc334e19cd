// The table of page slots with its two stores, and the two capture pages.
// Slots 0-2047 hold the sprite store, 2048-2559 the TGA store; each store
// fills its first slots without gaps. -1 means no page.
#pragma once

#include "image/page.h"

namespace zentil {

inline constexpr int kNoPage = -1;
inline constexpr int kSlotCount = 2560;
inline constexpr int kSpriteFirstSlot = 0;
inline constexpr int kSpriteSlotCount = 2048;
inline constexpr int kTgaFirstSlot = 2048;
inline constexpr int kTgaSlotCount = 512;

enum class Store { Sprite, Tga };

int storeFirstSlot(Store store);
int storeCapacity(Store store);
// The store that `slot` belongs to; false for slots outside the table.
bool storeOfSlot(int slot, Store& store);

// The record of a slot; `slot` must be in 0..2559.
Page& pageAt(int slot);
// The record of a slot, or nullptr for -1 and any other slot outside the table.
Page* pageOrNull(int slot);

// The block lifted on the canvas, and that block composed over the page beneath it.
Page& capturePage();
Page& captureViewPage();

// Number of pages in the store (its slots in use from the first on).
int storePageCount(Store store);
// The first free slot of the store, or kNoPage when it is full.
int firstFreeSlot(Store store);

// Removes the page at list position `position` of the store: every later page
// moves down one slot, so the store stays without gaps, and the slot left
// free at the end is released.
void removeFromStore(Store store, int position);

// Releases every record of the table and both capture pages.
void releaseAllPages();

}  // namespace zentil

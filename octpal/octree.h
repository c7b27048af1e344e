// The colour octree behind octpal_core.h: node layout, insertion, reduction, palette numbering and the
// nearest-colour search.  Internal to the library; the module state lives in octree.cpp.
#pragma once
#include <cstdint>

#include "octpal/octpal_core.h"

struct OctNode {
    int32_t isLeaf;
    uint32_t pixelCount;
    // 64-bit so that a large picture of bright colours cannot wrap a sum and skew its mean.
    uint64_t sumRed, sumGreen, sumBlue;
    int32_t paletteIndex;  // -1 until the palette is numbered
    uint32_t color;        // 0x00BBGGRR of the leaf's palette colour, valid with paletteIndex
    OctNode* children[8];
    OctNode* nextReducible;
};

namespace octree {

// Frees every node and forgets the reducible lists; afterwards there is no tree.
void Clear();
// Clears the tree and prepares an empty one of the given depth (1..8).
void Begin(uint32_t colorBits);
// Adds one colour; returns the leaf it reached, or null when a node could not be allocated (the tree
// is then incomplete and the caller must Clear it).
OctNode* Insert(uint8_t r, uint8_t g, uint8_t b);
// Merges the children of the newest inner node of the deepest level that has one; false when no inner
// node is left.
bool ReduceOnce();
uint32_t LeafCount();
bool HasTree();
// Numbers the leaves depth first by child slot and stores their mean colours, optionally into `out`.
void Number(OctEntry* out);
int32_t Nearest(uint8_t r, uint8_t g, uint8_t b, uint32_t* color);

inline uint32_t ColorRef(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (uint32_t(b) << 16); }

}  // namespace octree

#include "octpal/octree.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxLevels = 9;  // levels 0..8
constexpr uint8_t kLevelMask[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};

OctNodeAlloc nodeAlloc = std::malloc;
OctNodeFree nodeFree = std::free;

OctNode* root = nullptr;
uint32_t leafCount = 0;
uint32_t depth = 8;
OctNode* reducible[kMaxLevels] = {};
int32_t nextIndex = 0;

OctNode* NewNode()
{
    auto* node = static_cast<OctNode*>(nodeAlloc(sizeof(OctNode)));
    if (!node)
        return nullptr;
    std::memset(node, 0, sizeof *node);
    node->paletteIndex = -1;
    return node;
}

void FreeNode(OctNode* node)
{
    if (!node)
        return;
    for (OctNode* child : node->children)
        FreeNode(child);
    nodeFree(node);
}

inline int SlotOf(uint8_t r, uint8_t g, uint8_t b, uint32_t level)
{
    const uint8_t m = kLevelMask[level];
    return ((r & m) ? 4 : 0) | ((g & m) ? 2 : 0) | ((b & m) ? 1 : 0);
}

void NumberNode(OctNode* node, OctEntry* out)
{
    if (!node->isLeaf) {
        for (OctNode* child : node->children)
            if (child)
                NumberNode(child, out);
        return;
    }
    const uint32_t n = node->pixelCount ? node->pixelCount : 1;
    const auto r = uint8_t(node->sumRed / n), g = uint8_t(node->sumGreen / n), b = uint8_t(node->sumBlue / n);
    node->paletteIndex = nextIndex++;
    node->color = octree::ColorRef(r, g, b);
    if (out) {
        OctEntry& e = out[node->paletteIndex];
        e.red = r;
        e.green = g;
        e.blue = b;
    }
}

inline uint32_t Distance(uint32_t a, uint32_t b)
{
    const int dr = int(a & 0xFF) - int(b & 0xFF);
    const int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
    const int db = int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF);
    return uint32_t(dr * dr + dg * dg + db * db);
}

// Nearest leaf below `node`; children in slot order, the first of equally near ones wins, and leaves
// without a palette index take no part.
int32_t SearchSubtree(const OctNode* node, uint32_t query, uint32_t* color)
{
    if (node->isLeaf) {
        *color = node->color;
        return node->paletteIndex;
    }
    int32_t best = -1;
    uint32_t bestColor = 0, bestDistance = 0;
    for (const OctNode* child : node->children) {
        if (!child)
            continue;
        uint32_t c = 0;
        const int32_t index = SearchSubtree(child, query, &c);
        if (index < 0)
            continue;
        const uint32_t d = Distance(query, c);
        if (best < 0 || d < bestDistance) {
            best = index;
            bestColor = c;
            bestDistance = d;
        }
    }
    if (best >= 0)
        *color = bestColor;
    return best;
}

}  // namespace

namespace octree {

void Clear()
{
    FreeNode(root);
    root = nullptr;
    leafCount = 0;
    for (OctNode*& head : reducible)
        head = nullptr;
}

void Begin(uint32_t colorBits)
{
    Clear();
    depth = colorBits;
}

OctNode* Insert(uint8_t r, uint8_t g, uint8_t b)
{
    OctNode** slot = &root;
    for (uint32_t level = 0;; ++level) {
        OctNode* node = *slot;
        if (!node) {
            node = NewNode();
            if (!node)
                return nullptr;
            if (level == depth) {
                node->isLeaf = 1;
                ++leafCount;
            } else {
                node->nextReducible = reducible[level];
                reducible[level] = node;
            }
            *slot = node;
        }
        if (node->isLeaf) {
            ++node->pixelCount;
            node->sumRed += r;
            node->sumGreen += g;
            node->sumBlue += b;
            return node;
        }
        slot = &node->children[SlotOf(r, g, b, level)];
    }
}

bool ReduceOnce()
{
    int level = int(depth) - 1;
    while (level > 0 && !reducible[level])
        --level;
    OctNode* node = level >= 0 ? reducible[level] : nullptr;
    if (!node)
        return false;
    reducible[level] = node->nextReducible;
    node->nextReducible = nullptr;
    uint32_t removed = 0;
    for (OctNode*& child : node->children) {
        if (!child)
            continue;
        node->pixelCount += child->pixelCount;
        node->sumRed += child->sumRed;
        node->sumGreen += child->sumGreen;
        node->sumBlue += child->sumBlue;
        nodeFree(child);
        child = nullptr;
        ++removed;
    }
    node->isLeaf = 1;
    leafCount = leafCount + 1 - removed;
    return true;
}

uint32_t LeafCount() { return leafCount; }

bool HasTree() { return root != nullptr; }

void Number(OctEntry* out)
{
    nextIndex = 0;
    if (root)
        NumberNode(root, out);
}

int32_t Nearest(uint8_t r, uint8_t g, uint8_t b, uint32_t* color)
{
    const OctNode* node = root;
    if (!node)
        return -1;
    const uint32_t query = ColorRef(r, g, b);
    for (uint32_t level = 0; !node->isLeaf; ++level) {
        const OctNode* child = node->children[SlotOf(r, g, b, level)];
        if (!child) {
            uint32_t c = 0;
            const int32_t index = SearchSubtree(node, query, &c);
            if (index >= 0 && color)
                *color = c;
            return index;
        }
        node = child;
    }
    if (color && node->paletteIndex >= 0)
        *color = node->color;
    return node->paletteIndex;
}

}  // namespace octree

extern "C" {

uint32_t OctLeafCount(void) { return octree::LeafCount(); }

void OctCollectPalette(OctEntry* out) { octree::Number(out); }

int32_t OctNearestIndex(uint32_t colorref, uint32_t* outColor)
{
    return octree::Nearest(uint8_t(colorref), uint8_t(colorref >> 8), uint8_t(colorref >> 16), outColor);
}

void OctRelease(void) { octree::Clear(); }

void OctSetNodeHeap(OctNodeAlloc alloc, OctNodeFree release)
{
    octree::Clear();
    const bool custom = alloc && release;
    nodeAlloc = custom ? alloc : std::malloc;
    nodeFree = custom ? release : std::free;
}

}  // extern "C"

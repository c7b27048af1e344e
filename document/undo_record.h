// Inside the undo history: the record every slot holds and the steps shared by its two files
// (undo_history.cpp keeps the ring, undo_records.cpp makes and applies the records).
#pragma once
#include <cstddef>
#include <cstdint>

#include "document/undo.h"

struct UndoRecord {
    bool undone;                 // between the cursor and the redo end
    int32_t index;               // layer index from the top (0, 1, 2, 4, 7, 8, 9; 16: the source)
    Rect rect;                   // 0: document rectangle of the change
    Bitmap* before;              // 0, 9
    Bitmap* after;
    int16_t beforeX, beforeY;    // 9: layer position before and after the transform
    int16_t afterX, afterY;
    Layer* layer;                // 1: the removed layer; 16: the copy
    Layer* upper;                // 3: the two source layers and the merged one
    Layer* lower;
    Layer* merged;
    char name[kLayerNameSize];   // 2
    LayerEffectState propsBefore, propsAfter;   // 4
    char pathBefore[kPathSize], pathAfter[kPathSize];   // 5
    int32_t from, to, placeAfter;   // 6
    int32_t dx, dy;                 // 8
    void* selBefore;                // 10
    size_t selBeforeSize;
    void* selAfter;
    size_t selAfterSize;
};

// A new zeroed record in the slot at the cursor (dropping the undone records and, in a full ring,
// the oldest), or null when there is no history, undo or redo is running, or memory runs out.
// CommitPush then moves the cursor past it.
UndoRecord* BeginPush(Document* doc, UndoType type);
void CommitPush(Document* doc);

// Frees what the record owns in its present state, then the record.
void FreeUndoRecord(UndoType type, UndoRecord* record);
// Reverses (undo) or repeats (redo) a record on the document; false when it could not.
bool ApplyUndoRecord(Document* doc, UndoType type, UndoRecord* record, bool undo);

// The undo history: a ring of 40 records per document, each reversing and repeating one operation.
//
// Records before the cursor are done (undo reverses the newest of them); records from the cursor up
// to the redo end are undone (redo repeats the first of them).  A new record drops every undone one
// and, once the ring is full, the oldest.  Of the 40 slots at most 39 records can be undone: the slot
// at the cursor of a full ring holds the record the next push drops.
//
// Ownership: a record owns what its operation took out of the document while that is out of the
// document: the removed layer of a deletion while done, the source layers of a merge while done and
// the merged layer while undone, the copy of a duplication while undone; painting and transform
// records own their before and after bitmaps, whole-document records their two temporary files,
// selection records their two selection blocks.  Everything is freed when the record is dropped.
//
// Undo and redo drive the document through the same layer operations the user triggers; while they
// run, the history ignores the undo records those operations would push and the tutorial recorder
// hears nothing (undo winds the tutorial back through its own hook instead).
#pragma once
#include <cstddef>
#include <cstdint>

#include "document/document.h"
#include "document/layer.h"

constexpr int kUndoCapacity = 40;
constexpr int kUndoEmptySoundEffect = 105;   // played when there is nothing to undo
constexpr int kSelectionTimerId = 1032;      // marching ants, restarted after a selection undo
constexpr int kSelectionTimerMs = 100;

enum UndoType : int32_t {
    kUndoNone = -1,
    kUndoPaint = 0,
    kUndoDeleteLayer = 1,
    kUndoNewLayer = 2,
    kUndoMergeDown = 3,
    kUndoLayerProps = 4,
    kUndoWholeDocument = 5,
    kUndoMoveLayer = 6,
    kUndoVisibility = 7,
    kUndoLayerOffset = 8,
    kUndoTransform = 9,
    kUndoSelection = 10,
    kUndoDuplicateLayer = 16,
};

struct UndoRecord;

struct UndoSlot {
    uint8_t header[40];      // not used by the history
    int32_t type;            // UndoType, kUndoNone when empty
    UndoRecord* record;
    uint32_t tutorA, tutorB; // tutorial positions when the record was made (0: no tutorial)
};

struct UndoHistory {
    UndoSlot* slots;
    int32_t redoEnd;   // one past the newest record that can be redone
    int32_t cursor;    // slot of the next record; the one before it is undone next
    int32_t oldest;    // oldest record still kept
    int32_t capacity;
};

// What the history needs from the rest of the program.  Every pointer starts as a harmless default
// (nothing happens, no tutorial) and is never null; ResetUndoUiHooks puts the defaults back.
struct UndoUiHooks {
    // Plays a sound effect (the owner checks whether sound is on).
    void (*playSound)(int effect);
    // The toolbar's undo and redo buttons ("Undo  [Ctrl-Z]", "Redo  [Ctrl-Shift-Z]").
    void (*setButtons)(int undoEnabled, int redoEnabled);
    // Tutorial record positions now; both 0 when no tutorial is recorded or played.
    void (*tutorialPositions)(uint32_t* a, uint32_t* b);
    // Winds the tutorial recording or playback back to the positions stored with an undone record.
    void (*windTutorial)(uint32_t a, uint32_t b);
    // Puts a selection saved by its owner (the bytes it handed to PushSelectionUndo) back in place.
    void (*restoreSelection)(Document* doc, const void* bytes, size_t size);
    // Starts (or restarts) a timer of the main window.
    void (*startTimer)(int id, int milliseconds);
};
extern UndoUiHooks g_undoUiHooks;
void ResetUndoUiHooks();

// Assigns the document core's history hooks (creation with every document, discarding at close, one
// record per layer command).  The shell calls it once at start; tests call it per case.
void InstallUndoHistory();

// A history with `capacity` slots for the document (doc->history); both buttons disabled.  0 when
// memory runs out.
int CreateUndoHistory(Document* doc, int capacity = kUndoCapacity);
// Frees every record and the history itself.
void DiscardUndoHistory(Document* doc);
// The document's history becomes the one the buttons show (when the current document changes).
void ActivateUndoHistory(Document* doc);

int CanUndo(const Document* doc);
int CanRedo(const Document* doc);
// Reverses the newest done record; with nothing to undo plays sound effect 105.  1 when a record was
// reversed; 0 otherwise (a record that could not be reversed stays where it was).
int Undo(Document* doc);
// Repeats the first undone record; 0 when there is none or it could not be repeated.
int Redo(Document* doc);

// Records of the operations outside the layer commands.  Each is called after its operation
// succeeded; 0 when nothing was recorded (no history, nothing changed or memory ran out).
//
// A stroke changed rect (document coordinates) of the current layer: the part inside the layer is
// kept before (from the document's backup) and after (from the layer).
int PushPaintUndo(Document* doc, const Rect& rect);
// A whole-document change (rotate, flip, resize, crop): call SaveUndoSnapshot before the change and
// PushWholeDocumentUndo with that path after it; the history writes the after state itself and owns
// both files.  On failure the before file is removed.
int SaveUndoSnapshot(Document* doc, char path[kPathSize]);
int PushWholeDocumentUndo(Document* doc, const char* beforePath);
// The layer at index was moved by (dx, dy).
int PushLayerOffsetUndo(Document* doc, int32_t index, int32_t dx, int32_t dy);
// A transform replaced the pixels and position of the layer at index.  The history takes both
// bitmaps (also on failure, when it frees them).
int PushTransformUndo(Document* doc, int32_t index, Bitmap* before, int16_t beforeX, int16_t beforeY,
                      Bitmap* after, int16_t afterX, int16_t afterY);
// The selection changed; the bytes are the owner's saved mask and bounds, copied into the record.
int PushSelectionUndo(Document* doc, const void* before, size_t beforeSize, const void* after, size_t afterSize);

// Folder of the temporary files of whole-document records (default: the system's temporary folder).
void SetUndoFolder(const char* folder);

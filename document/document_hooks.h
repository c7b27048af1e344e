// The calls the document core makes into the rest of the program.
//
// The document core is portable and knows nothing of windows, dialogs, the undo history or the
// tutorial recorder.  Where an operation has to reach one of them it calls a plain function pointer
// from the tables below.  Every pointer starts out as a harmless default (do nothing, answer yes,
// report failure for readers) so that the core runs alone in tests and tools; the shell, the undo
// history and the tutorial recorder assign their own functions at start-up.  The core calls the
// pointers without testing them, so a pointer is never set to null; ResetDocumentHooks() puts every
// default back (tests do that between cases).
#pragma once
#include <cstdint>

#include "document/rect.h"
#include "raster/bitmap.h"

struct Document;
struct Layer;
struct LayerProps;
struct LayerEffectState;

// Answers of the program's message box.
enum : int { kAnswerYes = 11, kAnswerNo = 12, kAnswerCancel = 13 };

struct DocumentHooks {
    // Shows a question; returns kAnswerYes, kAnswerNo or kAnswerCancel.  Default: kAnswerYes.
    int (*messageBox)(const char* text, const char* caption);
    // Asks for a text with title and the current value in text (capacity bytes including the NUL);
    // returns kAnswerYes when the user confirmed the edited text.  Default: kAnswerNo.
    int (*promptText)(const char* title, char* text, int capacity);

    // Reads a layered document file into a zero-filled document (width, height, stored word, layers,
    // composite, thumbnail size); 1 on success, 0 on failure with the document released.  Default: 0.
    int (*readDocument)(const char* path, Document* doc);
    // Imports a raster file; a new bitmap (24 or 32 bits) or null.  Default: null.
    Bitmap* (*importRaster)(const char* path);
    // Adds a full path to the recent-files list.  Default: nothing.
    void (*addRecentFile)(const char* path);

    // A document was created and is complete: the shell creates its window (and keeps it in the open-
    // documents list with RegisterOpenDocument).  Returns 1, or 0 to make creation fail.  Default: 1.
    int (*documentCreated)(Document* doc);
    // The document is about to be freed: the shell destroys its window.  Default: nothing.
    void (*documentClosing)(Document* doc);
    // The current document changed (may be null): the window layer shows it.  Default: nothing.
    void (*currentDocumentChanged)(Document* doc);

    // Brings a composed document rectangle (already clipped to the canvas, never empty) to the screen:
    // view mapping, screen buffer, copy to the window.  Default: nothing.
    void (*presentRect)(Document* doc, const Rect& rect);
    // The layer box must be drawn again (layers, names, thumbnails or the current layer changed).
    void (*refreshLayerBox)(Document* doc);
    // The current layer changed while the document has an overlay: its owner refreshes it.
    void (*refreshOverlay)(Document* doc, Layer* layer);
    // A layer is leaving the stack: a floating selection that belongs to it is dropped.
    void (*dropFloating)(Document* doc, Layer* layer);
    // Long operations: wait cursor and mouse capture on, and off again on every path.
    void (*beginWait)();
    void (*endWait)();

    // Creates and frees the document's undo history (capacity 40) and selection state.  Defaults make
    // none and free nothing; creation still succeeds.
    int (*createHistory)(Document* doc);
    void (*discardHistory)(Document* doc);
    void (*releaseSelection)(Document* doc);

    // Bytes of the character that starts at s (1 for a single-byte code page; the Windows build can
    // install a double-byte-aware one).  Default: UTF-8 sequences count whole, any other byte is 1.
    int (*charBytes)(const char* s);
};

// Undo records of the layer commands.  Each is called after its operation succeeded.  A function that
// takes a layer returns 1 when the history keeps it (and frees it when the record is discarded);
// with 0 the document frees it at once.  Defaults keep nothing.
struct UndoHooks {
    int (*deleteLayer)(Document* doc, int index, Layer* removed);
    void (*newLayer)(Document* doc, int index, const char* name);
    // upper and lower left the stack; merged took their place.
    int (*mergeDown)(Document* doc, Layer* upper, Layer* lower, Layer* merged);
    // Opacity, blend mode, effects or name of the layer at index changed.
    void (*layerProps)(Document* doc, int index, const LayerProps& before, const LayerProps& after);
    // An effect dialog changed the flags and parameter blocks of the layer at index.
    void (*layerEffects)(Document* doc, int index, const LayerEffectState& before, const LayerEffectState& after);
    void (*moveLayer)(Document* doc, int from, int to, int after);
    void (*toggleVisibility)(Document* doc, int index);
    // copy stands above the layer at sourceIndex and stays owned by the document.
    void (*duplicateLayer)(Document* doc, int sourceIndex, Layer* copy);
};

// Tutorial records of the layer commands; the recorder ignores them unless it is recording.
enum : int {
    kTutorSelectLayer = 23,       // value: new index minus the current index
    kTutorNewLayer = 24,
    kTutorDeleteLayer = 25,
    kTutorDuplicateLayer = 26,
    kTutorBlendMode = 27,         // value: the blend mode
    kTutorToggleVisibility = 28,  // value: index minus the current index
    kTutorMergeDown = 29,
};
struct TutorialHooks {
    void (*layerCommand)(int code, int value);
    void (*moveLayer)(int from, int to, int after);
};

extern DocumentHooks g_documentHooks;
extern UndoHooks g_undoHooks;
extern TutorialHooks g_tutorialHooks;

void ResetDocumentHooks();

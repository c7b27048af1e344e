// Documents: one open picture each, with its layer stack, composite and editing state.
//
// A document owns its layers, the 24-bit composite the window shows, the backup of the current layer,
// the overlay, the selection state and the undo history.  It always has at least one layer and a
// current layer.  Several documents can be open; the open-documents list keeps them (with their
// windows) in order of creation and exactly one of them is current: every tool, layer command and
// file operation works on the current document.
//
// Operations return 1 on success and 0 on failure (or a pointer that is null on failure); a failing
// operation leaves the document as it was.
#pragma once
#include <cstdint>

#include "document/layer.h"
#include "document/rect.h"
#include "raster/bitmap.h"

constexpr int kPathSize = 260;

struct Selection;      // owned by the selection code
struct UndoHistory;    // owned by the undo code

struct Document {
    char directory[kPathSize];   // folder of the file, without trailing backslash
    char fileName[kPathSize];    // without folder; the window title
    uint32_t modified;           // 1 after any change, cleared by saving and by creation
    uint32_t hasFile;            // opened from or saved to a file
    int32_t width, height;       // canvas size
    uint32_t dragActive;         // a mouse button is held on the canvas
    uint32_t dragHandle;         // handle of the layer transform being dragged
    int32_t dragStartX, dragStartY;
    Selection* selection;        // selection mask, marching ants, floating paste
    Layer* top;                  // top-most layer, head of the list
    Layer* bottom;               // the background, tail of the list
    Layer* current;              // never null while the document is open
    int32_t currentIndex;        // from the top, -1 if not found
    uint32_t storedWord;         // carried through the file header unchanged
    int32_t layerCount;
    int32_t slotWidth, slotHeight;     // one thumbnail slot of the layer box
    int32_t thumbWidth, thumbHeight;   // layer thumbnails
    Bitmap* backup;              // copy of the current layer's pixels (tools read, undo records)
    int32_t overlayX, overlayY;
    Bitmap* overlay;             // 32-bit, copied opaquely above the current layer, or null
    Bitmap* composite;           // 24-bit, width × height
    UndoHistory* history;
    uint32_t transformActive;
    Layer transformLayer;        // the transformed preview drawn in place of the current layer
    int32_t transformGeometry[19];
};

// New-document defaults (kept in the settings as DEF_WIDTH, DEF_HEIGHT, COLORMODE, FILETITLE) and the
// picture folder new documents take as their directory.
struct NewDocumentDefaults {
    int32_t width;        // 600
    int32_t height;       // 400
    int32_t colourMode;   // 0
    char title[kPathSize];   // "Untitled"
};
void SetNewDocumentDefaults(int32_t width, int32_t height, int32_t colourMode, const char* title);
const NewDocumentDefaults& GetNewDocumentDefaults();
void SetPictureFolder(const char* folder);
const char* GetPictureFolder();

// Creates a document and makes it current.  Without a path: a blank canvas of the default size with an
// opaque white "Background".  With a path: the layered-document reader first, the raster importer
// second (through the hooks); directory and file name come from the path and has file is set.  Null
// when the file cannot be read or memory runs out; the current document is then unchanged.
Document* CreateDocument(const char* path);
// A document of the bitmap's size whose background is a 32-bit copy of it (24-bit pixels become
// opaque).  Title: the default title.
Document* CreateDocumentFromBitmap(const Bitmap* bitmap);
// Puts a path on the recent-files list when the document has a file, releases everything, takes it
// off the open-documents list, frees it.  A closed current document leaves no current document.
void CloseDocument(Document* doc);
// Frees the selection, the overlay, the backup, the composite, the transform layer and every layer
// (top down); the layer count becomes 0.  The record itself stays.
void ReleaseDocumentContents(Document* doc);

Document* CurrentDocument();
void SetCurrentDocument(Document* doc);

// Sets modified on the current document; every editing operation ends with it.
void MarkModified();
void MarkModified(Document* doc);

// Accessors of the current document: 0 or null when there is none.
int GetDocumentSize(int32_t* width, int32_t* height);
Bitmap* GetComposite();
Layer* GetCurrentLayer();
int32_t GetCurrentIndex();

// Thumbnail and slot sizes for a canvas: the longer side maps to 40; the slot is at least 22 high.
void ComputeThumbnailSizes(int32_t width, int32_t height, int32_t* thumbW, int32_t* thumbH, int32_t* slotW,
                           int32_t* slotH);

// The open documents in order of creation, each with its window.  Creation adds a document (without a
// window: the shell sets it from its documentCreated hook) and closing removes it.
struct OpenDocument {
    Document* doc;
    void* window;
    OpenDocument* next;
    OpenDocument* prev;
};
OpenDocument* FirstOpenDocument();
OpenDocument* LastOpenDocument();
OpenDocument* FindOpenDocument(const Document* doc);
void SetDocumentWindow(Document* doc, void* window);
void* DocumentWindow(const Document* doc);
int OpenDocumentCount();

// The document desk: the windows of the open documents, which one is current, how they are drawn
// and refreshed, and the commands that act on them (closing, zoom, undo and redo, the layer box's
// commands before the layer box exists).
//
// The desk is the shell's side of the document core's hooks: InstallDocumentDesk assigns them, so
// that a document made anywhere (start-up, an acquired picture, undo of a whole-picture change) gets
// its window, and a closing one loses it.  Windows are drawn in stacking order, oldest at the bottom;
// the current document's window comes to the top.  When documents are maximised only the top window
// is drawn, filling the work area.
//
// The screen belongs to the program: the desk asks it to redraw and copy a screen rectangle through
// DeskScreen, so the desk itself runs headless in tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/recent_files.h"
#include "document/document.h"
#include "platform/geometry.h"
#include "raster/bitmap.h"

namespace app {

class DocWindow;

struct DeskScreen {
    // Redraws the screen buffer inside the rectangle and copies it to the window.
    void (*refresh)(const platform::Rect& area);
    // Posts a command to the main window's dispatcher (it runs once the current message is done).
    void (*postCommand)(int command, intptr_t parameter);
    // The system's Save dialog for layered documents (SaveHooks::saveDialog), or null for none.
    int (*saveDialog)(const char* startFolder, char* folder, char* name);
    // The system's Open dialog ("Open File", the picture types, several files at once) starting in
    // startFolder: fills buffer as GetOpenFileName does (a full path, or the folder and the names,
    // each ending in a zero, then one more zero) and returns 1, or 0 when cancelled.  Null for none.
    int (*openDialog)(const char* startFolder, char* buffer, int size);
    // The eyedropper picked a colour: the foreground's (left button) or the background's (right).
    void (*colourPicked)(Colour colour, bool background);
};

// Commands of the shell that act on documents.  Identifiers of the standard file and edit menus
// where there are such, our own otherwise.
enum : int {
    kCmdNewDocument = 57600,
    kCmdOpen = 57601,
    kCmdCloseDocument = 57602,    // parameter: 0 for the current document
    kCmdSave = 57603,
    kCmdSaveAs = 57604,
    kCmdUndo = 57643,
    kCmdRedo = 57644,
    kCmdZoomIn = 32850,
    kCmdZoomOut = 32851,
    kCmdZoomActual = 32852,
    kCmdMaximiseDocuments = 32853,   // parameter: 1 maximised, 0 restored
};

// The screen the windows live on and how to reach it.  Assigns the document core's window hooks
// (documentCreated, documentClosing, currentDocumentChanged, presentRect, messageBox), the saving
// hooks (the dialog, the window title) and the undo history's; the undo history itself is installed
// here too.
void InstallDocumentDesk(const platform::Rect& workArea, const DeskScreen& screen);
// Closes every window without questions and forgets the screen (the program is ending or a test is
// over).
void ReleaseDocumentDesk();

// Creates the first document: the named file (a .vkd or, once there are importers, a picture), or a
// blank one from the new-document defaults.  A file the program cannot read is told in the message box
// and a blank document is made instead.  Null only when not even a blank document could be made.
Document* CreateFirstDocument(const char* path);

// Recent-files commands 9000 to 9005 open the n-th entry of the list as a new document; a file that
// cannot be read any more is told.  1 when taken.
int RecentFileCommand(int command, const RecentFiles& list);

// A picture from the scanner or camera (a packed DIB of length bytes) as a new document; null when
// the block is damaged or memory runs out.
Document* DocumentFromPackedDib(const void* dib, size_t length);

void DrawDocumentWindows(Bitmap* screen, const platform::Rect& clip);
// Mouse input over the windows, topmost first; 1 when a window took it.  A press on a window's canvas
// makes its document current and is left to the canvas input (0).
int DocumentWindowsMouse(unsigned message, void* window, uintptr_t wParam, intptr_t lParam);

// The temporary eyedropper (Alt held): while it is on, a left press on a canvas picks the
// foreground colour from the picture there and a right press the background colour.
void SetColourPicker(bool on);
bool ColourPicker();

// The temporary hand (Space held): while it is on, a drag on a canvas moves the picture in its view
// instead of reaching the canvas input.
void SetHandScroll(bool on);
bool HandScroll();

DocWindow* WindowOf(const Document* doc);
// The window of the current document, or null.
DocWindow* ActiveDocumentWindow();

bool DocumentsMaximised();
void SetDocumentsMaximised(bool maximised);

// A window's close button: the document closes through the command dispatcher, after the press that
// asked for it is over.
void RequestCloseDocument(Document* doc);
// Makes the document current (its window comes to the top).
void ActivateDocument(Document* doc);

// Closes one document, asking to save it when modified; false when the user kept it open.
bool CloseDocumentAsking(Document* doc);
// Closes every document from the most recently opened to the first; stops at the first one the user
// keeps open and returns false, leaving it and all older ones open.
bool CloseAllDocuments();

// The paths an Open dialog's selection names: a single full path, or a folder followed by names.
std::vector<std::string> OpenSelection(const char* buffer, size_t size);
// Open: each file chosen becomes a new document; the dialog's folder becomes the picture folder and
// a file that cannot be read is told.  1 when taken.
int FileOpenCommand(int command, intptr_t parameter);
// Save and save as of the current document in the layered format; a file that could not be written
// is told, a cancelled dialog is not.  1 when taken.
int FileSaveCommand(int command, intptr_t parameter);
// Commands of the desk and of the layer box (137 new, 138 delete, 139 duplicate, 140 merge down,
// 135 opacity slider with the sub-code in the parameter's high word and the value in its low word,
// 50126 blend mode with the mode as the parameter); 1 when taken.
int DocumentCommand(int command, intptr_t parameter);
int LayerCommand(int command, intptr_t parameter);

// The toolbar's undo and redo buttons read their state here.
bool UndoEnabled();
bool RedoEnabled();

}  // namespace app

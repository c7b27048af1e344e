#include "app/document_desk.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/document_window.h"
#include "app/sound.h"
#include "document/document_core.h"
#include "document/document_save.h"
#include "document/undo.h"
#include "document/vkd_file.h"
#include "platform/files.h"
#include "platform/window_host.h"
#include "raster/bmp_file.h"
#include "widgets/message_box.h"
#include "widgets/messages.h"

namespace app {
namespace {

platform::Rect workArea;
DeskScreen screen{};
// Stacking order, bottom first.
std::vector<DocWindow*> windows;
bool maximised = false;
bool undoEnabled = false, redoEnabled = false;
// The temporary hand and the drag it is doing: the window, where the drag began and the scroll
// position then.
bool hand = false;
bool picker = false;
DocWindow* handWindow = nullptr;
platform::Point handStart;
DocumentView handView;

const char* const kUnreadableFile = "This file cannot be opened. A new picture was made instead.";
const char* const kUnreadableRecentFile = "This file cannot be opened.";

void Refresh(const platform::Rect& area)
{
    if (screen.refresh && !area.Empty())
        screen.refresh(area);
}

platform::Rect Frame(const DocWindow* w) { return const_cast<DocWindow*>(w)->AbsoluteRect(); }

bool Drawn(const DocWindow* w) { return !maximised || (!windows.empty() && windows.back() == w); }

// The questions of the document core in the program's message box: the save question offers
// cancel, reports only say OK, every other question is yes or no.
int DocumentMessage(const char* text, const char* caption)
{
    int kind = widgets::kBoxYesNo;
    if (text == kSavePromptText || (text && std::strcmp(text, kSavePromptText) == 0))
        kind = widgets::kBoxYesNoCancel;
    else if (text == kVkdHigherVersionText || text == kSaveFailedText || text == kUnreadableFile ||
             text == kUnreadableRecentFile)
        kind = widgets::kBoxOk;
    return widgets::SkinnedMessageBox(caption, text, kind);
}

int WindowForNewDocument(Document* doc)
{
    const int cascade = static_cast<int>(windows.size());
    auto* w = new DocWindow(doc, DocumentFrameRect(doc->width, doc->height, kDefaultZoomIndex, workArea, cascade,
                                                   false));
    if (maximised)
        w->SetMaximised(true, workArea);
    windows.push_back(w);
    SetDocumentWindow(doc, w);
    Refresh(Frame(w));
    return 1;
}

void ForgetWindow(Document* doc)
{
    auto it = std::find_if(windows.begin(), windows.end(), [doc](DocWindow* w) { return w->Doc() == doc; });
    if (it == windows.end())
        return;
    DocWindow* w = *it;
    const platform::Rect area = Frame(w);
    if (handWindow == w)
        handWindow = nullptr;
    windows.erase(it);
    SetDocumentWindow(doc, nullptr);
    delete w;
    Refresh(area);
    // With maximised windows the one below now shows.
    if (maximised && !windows.empty())
        Refresh(Frame(windows.back()));
}

void CurrentChanged(Document* doc)
{
    ActivateUndoHistory(doc);
    auto it = std::find_if(windows.begin(), windows.end(), [doc](DocWindow* w) { return w->Doc() == doc; });
    if (it == windows.end() || *it == windows.back())
        return;
    DocWindow* w = *it;
    windows.erase(it);
    windows.push_back(w);
    Refresh(Frame(w));
}

void PresentRect(Document* doc, const Rect& rect)
{
    DocWindow* w = WindowOf(doc);
    if (!w || !w->Shown() || w->Minimised() || !Drawn(w))
        return;
    Refresh(ScreenAreaOf(w->Mapping(), rect, w->View().zoom));
}

void SetButtons(int undo, int redo)
{
    undoEnabled = undo != 0;
    redoEnabled = redo != 0;
}

// The Save dialog, watched: whether the last one was cancelled, and its folder becomes the one the
// next dialog starts in.
bool dialogCancelled = false;

int WatchedSaveDialog(const char* startFolder, char folder[kPathSize], char name[kPathSize])
{
    dialogCancelled = !screen.saveDialog || !screen.saveDialog(startFolder, folder, name);
    if (dialogCancelled)
        return 0;
    std::string chosen(folder);
    while (chosen.size() > 1 && (chosen.back() == '\\' || chosen.back() == '/'))
        chosen.pop_back();
    SetPictureFolder(chosen.c_str());
    return 1;
}

void TitleChanged(Document* doc)
{
    if (DocWindow* w = WindowOf(doc))
        w->UpdateTitle();
}

void StartTimer(int id, int millis)
{
    if (platform::Host())
        platform::Host()->StartTimer(static_cast<unsigned>(id), static_cast<unsigned>(millis));
}

}  // namespace

void InstallDocumentDesk(const platform::Rect& area, const DeskScreen& s)
{
    workArea = area;
    screen = s;
    InstallUndoHistory();
    g_documentHooks.messageBox = DocumentMessage;
    g_documentHooks.documentCreated = WindowForNewDocument;
    g_documentHooks.documentClosing = ForgetWindow;
    g_documentHooks.currentDocumentChanged = CurrentChanged;
    g_documentHooks.presentRect = PresentRect;
    g_saveHooks.saveDialog = WatchedSaveDialog;
    g_saveHooks.titleChanged = TitleChanged;
    g_undoUiHooks.setButtons = SetButtons;
    g_undoUiHooks.playSound = PlaySoundEffect;
    g_undoUiHooks.startTimer = StartTimer;
}

void ReleaseDocumentDesk()
{
    while (OpenDocument* last = LastOpenDocument())
        CloseDocument(last->doc);
    for (DocWindow* w : windows)
        delete w;
    windows.clear();
    hand = picker = false;
    handWindow = nullptr;
    screen = {};
    maximised = false;
    undoEnabled = redoEnabled = false;
}

Document* CreateFirstDocument(const char* path)
{
    if (path && *path) {
        if (Document* doc = CreateDocument(path))
            return doc;
        g_documentHooks.messageBox(kUnreadableFile, "WARNING");
    }
    return CreateDocument(nullptr);
}

int RecentFileCommand(int command, const RecentFiles& list)
{
    const int n = command - kFirstRecentCommand;
    if (n < 0 || n >= kMaxRecentFiles)
        return 0;
    if (n >= list.count)
        return 1;
    const std::string path = JoinPath(list.folder[n], list.name[n]);
    if (path.empty() || !CreateDocument(platform::HostPath(path).c_str()))
        g_documentHooks.messageBox(kUnreadableRecentFile, "WARNING");
    return 1;
}

Document* DocumentFromPackedDib(const void* dib, size_t length)
{
    Bitmap* picture = dib ? DIBHandletoRGBDIB(dib, length) : nullptr;
    if (!picture)
        return nullptr;
    Document* doc = CreateDocumentFromBitmap(picture);
    DeletePic(picture);
    return doc;
}

void DrawDocumentWindows(Bitmap* target, const platform::Rect& clip)
{
    if (maximised) {
        if (!windows.empty())
            windows.back()->Draw(target, clip);
        return;
    }
    for (DocWindow* w : windows)
        w->Draw(target, clip);
}

namespace {

// The eyedropper's press; true when it took the message.
bool PickerMouse(unsigned message, platform::Point p)
{
    if (!picker || (message != widgets::kMsgLButtonDown && message != widgets::kMsgRButtonDown))
        return false;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        DocWindow* w = *it;
        if (!Drawn(w) || !w->Shown() || !w->HitTest(p))
            continue;
        Document* doc = w->Doc();
        const ViewMapping m = w->Mapping();
        if (!platform::Intersect(ViewRect(m), DocumentClientRect(Frame(w))).Contains(p) || !doc->composite)
            return false;
        int32_t x = 0, y = 0;
        ScreenToDocument(m, p.x, p.y, &x, &y);
        x = std::clamp(x, 0, doc->width - 1);
        y = std::clamp(y, 0, doc->height - 1);
        ActivateDocument(doc);
        const uint8_t* px = PicPixel(doc->composite, x, y);
        const Colour colour = static_cast<Colour>(px[0] | px[1] << 8 | px[2] << 16);
        if (screen.colourPicked)
            screen.colourPicked(colour, message == widgets::kMsgRButtonDown);
        return true;
    }
    return false;
}

// The hand's drag; true when it took the message.
bool HandMouse(unsigned message, platform::Point p)
{
    if (handWindow) {
        if (message == widgets::kMsgMouseMove || message == widgets::kMsgLButtonUp) {
            // the picture follows the mouse: screen distance over the zoom, from where the drag began
            const int32_t percent = ZoomPercent(handView.zoom);
            handWindow->ScrollTo(handView.scrollX - static_cast<int32_t>(int64_t{p.x - handStart.x} * 100 / percent),
                                 handView.scrollY - static_cast<int32_t>(int64_t{p.y - handStart.y} * 100 / percent));
            Refresh(Frame(handWindow));
        }
        if (message == widgets::kMsgLButtonUp)
            handWindow = nullptr;
        return true;
    }
    if (!hand || message != widgets::kMsgLButtonDown)
        return false;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        DocWindow* w = *it;
        if (!Drawn(w) || !w->Shown() || !w->HitTest(p))
            continue;
        if (!DocumentClientRect(Frame(w)).Contains(p))
            return false;   // the title bar works as ever
        ActivateDocument(w->Doc());
        handWindow = w;
        handStart = p;
        handView = w->View();
        return true;
    }
    return false;
}

}  // namespace

void SetHandScroll(bool on)
{
    hand = on;
    if (!on)
        handWindow = nullptr;
}

bool HandScroll() { return hand; }

void SetColourPicker(bool on) { picker = on; }
bool ColourPicker() { return picker; }

int DocumentWindowsMouse(unsigned message, void* window, uintptr_t wParam, intptr_t lParam)
{
    const platform::Point p = widgets::PointFromParam(lParam);
    if (PickerMouse(message, p) || HandMouse(message, p))
        return 1;
    if (message == widgets::kMsgLButtonDown) {
        // Only the topmost window under the point sees a press.
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            if (Drawn(*it) && (*it)->Shown() && (*it)->HitTest(p))
                return (*it)->LButtonDown(window, wParam, lParam);
        return 0;
    }
    // Moves and releases end what a press began (a title-bar drag, a pressed button), wherever the
    // mouse is now; a window with nothing under way ignores them.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (!Drawn(*it))
            continue;
        if (message == widgets::kMsgLButtonUp && (*it)->LButtonUp(window, wParam, lParam))
            return 1;
        if (message == widgets::kMsgMouseMove && (*it)->MouseMove(window, wParam, lParam))
            return 1;
    }
    return 0;
}

DocWindow* WindowOf(const Document* doc)
{
    for (DocWindow* w : windows)
        if (w->Doc() == doc)
            return w;
    return nullptr;
}

DocWindow* ActiveDocumentWindow() { return WindowOf(CurrentDocument()); }

bool DocumentsMaximised() { return maximised; }

void SetDocumentsMaximised(bool on)
{
    maximised = on;
    for (DocWindow* w : windows) {
        w->SetMaximised(on, workArea);
        w->FitFrame(workArea);   // back in its place, sized for the zoom it has now
    }
    Refresh(workArea);
}

void RequestCloseDocument(Document* doc)
{
    if (screen.postCommand)
        screen.postCommand(kCmdCloseDocument, reinterpret_cast<intptr_t>(doc));
}

void ActivateDocument(Document* doc)
{
    if (doc && doc != CurrentDocument() && FindOpenDocument(doc))
        SetCurrentDocument(doc);
}

bool CloseDocumentAsking(Document* doc)
{
    if (!doc || !FindOpenDocument(doc))
        return true;
    // The question is about this picture: show it on top first.
    ActivateDocument(doc);
    if (!AskSaveBeforeClose(doc))
        return false;
    CloseDocument(doc);
    // Another document becomes current: the one whose window is now on top.
    if (!CurrentDocument() && !windows.empty())
        SetCurrentDocument(windows.back()->Doc());
    return true;
}

bool CloseAllDocuments()
{
    while (OpenDocument* last = LastOpenDocument()) {
        if (!CloseDocumentAsking(last->doc))
            return false;
    }
    return true;
}

std::vector<std::string> OpenSelection(const char* buffer, size_t size)
{
    std::vector<std::string> parts;
    size_t at = 0;
    while (at < size && buffer[at]) {
        size_t end = at;
        while (end < size && buffer[end])
            ++end;
        if (end == size)
            break;   // not terminated: nothing trustworthy follows
        parts.emplace_back(buffer + at, end - at);
        at = end + 1;
    }
    if (parts.size() <= 1)
        return parts;
    // a folder and the names chosen in it
    std::vector<std::string> paths;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string path = JoinPath(parts[0], parts[i].c_str());
        if (!path.empty())
            paths.push_back(path);
    }
    return paths;
}

int FileOpenCommand(int command, intptr_t)
{
    if (command != kCmdOpen)
        return 0;
    if (!screen.openDialog)
        return 1;
    std::vector<char> buffer(16 * 1024, '\0');
    if (!screen.openDialog(GetPictureFolder(), buffer.data(), static_cast<int>(buffer.size())))
        return 1;
    buffer.back() = '\0';
    for (const std::string& path : OpenSelection(buffer.data(), buffer.size())) {
        const size_t cut = path.find_last_of("\\/");
        if (cut != std::string::npos)
            SetPictureFolder(path.substr(0, cut).c_str());
        if (!CreateDocument(platform::HostPath(path).c_str()))
            g_documentHooks.messageBox(kUnreadableRecentFile, "WARNING");
    }
    return 1;
}

int FileSaveCommand(int command, intptr_t)
{
    if (command != kCmdSave && command != kCmdSaveAs)
        return 0;
    Document* doc = CurrentDocument();
    if (!doc)
        return 1;
    dialogCancelled = false;
    const int saved = command == kCmdSaveAs ? SaveDocumentAs(doc) : SaveDocument(doc);
    if (!saved && !dialogCancelled)
        g_documentHooks.messageBox(kSaveFailedText, kVkdWarningCaption);
    return 1;
}

int DocumentCommand(int command, intptr_t parameter)
{
    Document* doc = CurrentDocument();
    DocWindow* w = ActiveDocumentWindow();
    switch (command) {
    case kCmdNewDocument:
        CreateDocument(nullptr);
        return 1;
    case kCmdCloseDocument: {
        // A window's own close button names its document; it may have closed meanwhile.
        Document* target = parameter ? reinterpret_cast<Document*>(parameter) : doc;
        if (FindOpenDocument(target))
            CloseDocumentAsking(target);
        return 1;
    }
    case kCmdUndo:
        if (doc)
            Undo(doc);
        else
            PlaySoundEffect(kUndoEmptySoundEffect);
        return 1;
    case kCmdRedo:
        if (doc)
            Redo(doc);
        return 1;
    case kCmdZoomIn:
    case kCmdZoomOut:
    case kCmdZoomActual:
        if (w) {
            const int zoom = command == kCmdZoomActual ? kDefaultZoomIndex
                                                       : StepZoom(w->View().zoom, command == kCmdZoomIn ? 1 : -1);
            const platform::Rect before = Frame(w);
            w->SetZoom(zoom);
            w->FitFrame(workArea);
            Refresh(platform::Union(before, Frame(w)));
        }
        return 1;
    case kCmdMaximiseDocuments:
        SetDocumentsMaximised(parameter != 0);
        return 1;
    }
    return 0;
}

int LayerCommand(int command, intptr_t parameter)
{
    // The layer box's commands are taken even with no picture open: they then do nothing.
    Document* doc = CurrentDocument();
    switch (command) {
    case kCmdNewLayer:
        if (doc)
            NewLayerCommand(doc);
        return 1;
    case kCmdDeleteLayer:
        if (doc)
            DeleteLayerCommand(doc);
        return 1;
    case kCmdDuplicateLayer:
        if (doc)
            DuplicateLayerCommand(doc);
        return 1;
    case kCmdMergeDown:
        if (doc)
            MergeDownCommand(doc);
        return 1;
    case kCmdOpacitySlider:
        if (doc)
            OpacitySliderCommand(doc, static_cast<int>((parameter >> 16) & 0xFFFF),
                                 static_cast<int32_t>(parameter & 0xFFFF));
        return 1;
    case kCmdBlendModeList:
        if (doc)
            SetBlendModeCommand(doc, static_cast<int32_t>(parameter));
        return 1;
    }
    return 0;
}

bool UndoEnabled() { return undoEnabled; }
bool RedoEnabled() { return redoEnabled; }

}  // namespace app

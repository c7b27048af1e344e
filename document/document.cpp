#include "document/document.h"

#include <cstring>
#include <new>

#include "document/compose.h"
#include "document/document_hooks.h"
#include "document/effect_render.h"
#include "document/layer_list.h"
#include "document/thumbnail.h"
#include "raster/block_ops.h"
#include "raster/pic_copy.h"

namespace {

Document* g_current = nullptr;
OpenDocument* g_firstOpen = nullptr;
OpenDocument* g_lastOpen = nullptr;

NewDocumentDefaults g_defaults = {600, 400, 0, "Untitled"};
char g_pictureFolder[kPathSize] = ".";

void CopyText(char* dst, size_t cap, const char* src)
{
    size_t n = src ? std::strlen(src) : 0;
    if (n > cap - 1)
        n = cap - 1;
    if (n)
        std::memcpy(dst, src, n);
    dst[n] = '\0';
}

// Long operations show the wait cursor and hold the mouse; this gives both back on every path.
struct WaitScope {
    WaitScope() { g_documentHooks.beginWait(); }
    ~WaitScope() { g_documentHooks.endWait(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
};

int AddOpenDocument(Document* doc)
{
    auto* node = new (std::nothrow) OpenDocument{doc, nullptr, nullptr, g_lastOpen};
    if (!node)
        return 0;
    if (g_lastOpen)
        g_lastOpen->next = node;
    else
        g_firstOpen = node;
    g_lastOpen = node;
    return 1;
}

void RemoveOpenDocument(Document* doc)
{
    OpenDocument* node = FindOpenDocument(doc);
    if (!node)
        return;
    (node->prev ? node->prev->next : g_firstOpen) = node->next;
    (node->next ? node->next->prev : g_lastOpen) = node->prev;
    delete node;
}

void FreeDocument(Document* doc)
{
    ReleaseDocumentContents(doc);
    delete doc;
}

// Splits a path at its last backslash (or slash) into folder and file name.
void SplitPath(const char* path, Document* doc)
{
    const char* cut = nullptr;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/')
            cut = p;
    }
    if (cut) {
        size_t n = static_cast<size_t>(cut - path);
        if (n > kPathSize - 1)
            n = kPathSize - 1;
        std::memcpy(doc->directory, path, n);
        doc->directory[n] = '\0';
        CopyText(doc->fileName, kPathSize, cut + 1);
    } else {
        doc->directory[0] = '\0';
        CopyText(doc->fileName, kPathSize, path);
    }
}

// Steps shared by every way of creating a document once its layers exist: effects, composite,
// history, the open-documents list and the window.  On failure the caller frees the record.
int FinishDocument(Document* doc)
{
    for (Layer* l = doc->top; l; l = l->below) {
        if (!RenderLayerEffects(l, nullptr))
            return 0;
    }
    ComposeDocument(doc, nullptr);
    if (!g_documentHooks.createHistory(doc))
        return 0;
    if (!AddOpenDocument(doc)) {
        g_documentHooks.discardHistory(doc);
        return 0;
    }
    doc->modified = 0;
    if (!g_documentHooks.documentCreated(doc)) {
        RemoveOpenDocument(doc);
        g_documentHooks.discardHistory(doc);
        return 0;
    }
    return 1;
}

// A blank-or-imported document: one "Background" layer holding the bitmap (taken over on success).
Document* DocumentFromLayerBitmap(Document* doc, Bitmap* pixels)
{
    doc->width = pixels->width;
    doc->height = pixels->height;
    doc->composite = NewRGBPic(doc->width, doc->height);
    Layer* background = doc->composite ? NewLayer("Background") : nullptr;
    if (!background) {
        DeletePic(pixels);
        FreeDocument(doc);
        return nullptr;
    }
    ComputeThumbnailSizes(doc->width, doc->height, &doc->thumbWidth, &doc->thumbHeight, &doc->slotWidth,
                          &doc->slotHeight);
    background->pixels = pixels;
    InsertLayer(doc, background, nullptr);
    if (!MakeLayerThumbnail(doc, background) || !SelectLayer(doc, background) || !FinishDocument(doc)) {
        FreeDocument(doc);
        return nullptr;
    }
    SetCurrentDocument(doc);
    return doc;
}

}  // namespace

void SetNewDocumentDefaults(int32_t width, int32_t height, int32_t colourMode, const char* title)
{
    g_defaults.width = width;
    g_defaults.height = height;
    g_defaults.colourMode = colourMode;
    CopyText(g_defaults.title, kPathSize, title);
}

const NewDocumentDefaults& GetNewDocumentDefaults() { return g_defaults; }
void SetPictureFolder(const char* folder) { CopyText(g_pictureFolder, kPathSize, folder); }
const char* GetPictureFolder() { return g_pictureFolder; }

void ComputeThumbnailSizes(int32_t width, int32_t height, int32_t* thumbW, int32_t* thumbH, int32_t* slotW,
                           int32_t* slotH)
{
    if (width <= 0 || height <= 0) {
        *thumbW = *thumbH = *slotW = *slotH = 0;
        return;
    }
    if (width <= height) {
        *thumbH = *slotH = 40;
        *thumbW = *slotW = static_cast<int32_t>(int64_t{width} * 40 / height);
    } else {
        *thumbW = *slotW = 40;
        *thumbH = *slotH = static_cast<int32_t>(int64_t{height} * 40 / width);
        if (*slotH < 22)
            *slotH = 22;
    }
}

Document* CreateDocument(const char* path)
{
    WaitScope wait;
    auto* doc = new (std::nothrow) Document{};
    if (!doc)
        return nullptr;
    if (path && *path) {
        SplitPath(path, doc);
        doc->hasFile = 1;
        if (g_documentHooks.readDocument(path, doc)) {
            if (!doc->composite || !doc->top || !SelectLayer(doc, doc->top) || !FinishDocument(doc)) {
                FreeDocument(doc);
                return nullptr;
            }
            SetCurrentDocument(doc);
            return doc;
        }
        // The reader releases what it read; start again from a clean record for the import.
        ReleaseDocumentContents(doc);
        Document clean{};
        std::memcpy(clean.directory, doc->directory, kPathSize);
        std::memcpy(clean.fileName, doc->fileName, kPathSize);
        clean.hasFile = 1;
        *doc = clean;
        Bitmap* imported = g_documentHooks.importRaster(path);
        Bitmap* pixels = imported ? CreateAlphaDIBFromBmp(imported) : nullptr;
        DeletePic(imported);
        if (!pixels) {
            FreeDocument(doc);
            return nullptr;
        }
        return DocumentFromLayerBitmap(doc, pixels);
    }
    CopyText(doc->directory, kPathSize, g_pictureFolder);
    CopyText(doc->fileName, kPathSize, g_defaults.title);
    Bitmap* pixels = NewRGBAPic(g_defaults.width, g_defaults.height);
    if (!pixels) {
        FreeDocument(doc);
        return nullptr;
    }
    BlockSet(pixels, 0, 0, pixels->width, pixels->height, 0xFFFFFFFF);
    return DocumentFromLayerBitmap(doc, pixels);
}

Document* CreateDocumentFromBitmap(const Bitmap* bitmap)
{
    if (!bitmap)
        return nullptr;
    WaitScope wait;
    auto* doc = new (std::nothrow) Document{};
    if (!doc)
        return nullptr;
    CopyText(doc->directory, kPathSize, g_pictureFolder);
    CopyText(doc->fileName, kPathSize, g_defaults.title);
    Bitmap* pixels = CreateAlphaDIBFromBmp(bitmap);
    if (!pixels) {
        FreeDocument(doc);
        return nullptr;
    }
    return DocumentFromLayerBitmap(doc, pixels);
}

void ReleaseDocumentContents(Document* doc)
{
    if (!doc)
        return;
    g_documentHooks.releaseSelection(doc);
    DeletePic(doc->overlay);
    doc->overlay = nullptr;
    DeletePic(doc->backup);
    doc->backup = nullptr;
    DeletePic(doc->composite);
    doc->composite = nullptr;
    ReleaseLayerContents(&doc->transformLayer);
    doc->transformActive = 0;
    for (Layer* l = doc->top; l;) {
        Layer* next = l->below;
        FreeLayer(l);
        l = next;
    }
    doc->top = doc->bottom = doc->current = nullptr;
    doc->currentIndex = -1;
    doc->layerCount = 0;
}

void CloseDocument(Document* doc)
{
    if (!doc)
        return;
    if (doc->hasFile) {
        char full[kPathSize * 2 + 2];
        std::strcpy(full, doc->directory);
        std::strcat(full, "\\");
        std::strcat(full, doc->fileName);
        full[kPathSize - 1] = '\0';
        g_documentHooks.addRecentFile(full);
    }
    g_documentHooks.documentClosing(doc);
    g_documentHooks.discardHistory(doc);
    RemoveOpenDocument(doc);
    if (g_current == doc)
        SetCurrentDocument(nullptr);
    FreeDocument(doc);
}

Document* CurrentDocument() { return g_current; }

void SetCurrentDocument(Document* doc)
{
    g_current = doc;
    g_documentHooks.currentDocumentChanged(doc);
}

void MarkModified()
{
    if (g_current)
        g_current->modified = 1;
}

void MarkModified(Document* doc)
{
    if (doc)
        doc->modified = 1;
}

int GetDocumentSize(int32_t* width, int32_t* height)
{
    if (!g_current) {
        *width = *height = 0;
        return 0;
    }
    *width = g_current->width;
    *height = g_current->height;
    return 1;
}

Bitmap* GetComposite() { return g_current ? g_current->composite : nullptr; }
Layer* GetCurrentLayer() { return g_current ? g_current->current : nullptr; }
int32_t GetCurrentIndex() { return g_current ? g_current->currentIndex : 0; }

OpenDocument* FirstOpenDocument() { return g_firstOpen; }
OpenDocument* LastOpenDocument() { return g_lastOpen; }

OpenDocument* FindOpenDocument(const Document* doc)
{
    for (OpenDocument* n = g_firstOpen; n; n = n->next) {
        if (n->doc == doc)
            return n;
    }
    return nullptr;
}

void SetDocumentWindow(Document* doc, void* window)
{
    if (OpenDocument* n = FindOpenDocument(doc))
        n->window = window;
}

void* DocumentWindow(const Document* doc)
{
    OpenDocument* n = FindOpenDocument(doc);
    return n ? n->window : nullptr;
}

int OpenDocumentCount()
{
    int n = 0;
    for (OpenDocument* o = g_firstOpen; o; o = o->next)
        ++n;
    return n;
}

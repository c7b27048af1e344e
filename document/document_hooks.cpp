#include "document/document_hooks.h"

namespace {

int AnswerYes(const char*, const char*) { return kAnswerYes; }
int NoPrompt(const char*, char*, int) { return kAnswerNo; }
int NoReader(const char*, Document*) { return 0; }
Bitmap* NoImporter(const char*) { return nullptr; }
void NoPath(const char*) {}
int Accept(Document*) { return 1; }
void NoDoc(Document*) {}
void NoPresent(Document*, const Rect&) {}
void NoLayer(Document*, Layer*) {}
void Nothing() {}

int Utf8Bytes(const char* s)
{
    auto c = static_cast<unsigned char>(s[0]);
    int n = c >= 0xF0 && c < 0xF8 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n > 1 && c >= 0xF8)
        n = 1;
    for (int i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return 1;   // not a well-formed sequence: bytes stand alone
    }
    return n;
}

int KeepNoLayer(Document*, int, Layer*) { return 0; }
void NoNewLayer(Document*, int, const char*) {}
int KeepNoMerge(Document*, Layer*, Layer*, Layer*) { return 0; }
void NoProps(Document*, int, const LayerProps&, const LayerProps&) {}
void NoEffects(Document*, int, const LayerEffectState&, const LayerEffectState&) {}
void NoMove(Document*, int, int, int) {}
void NoIndex(Document*, int) {}
void NoDuplicate(Document*, int, Layer*) {}

void NoCommand(int, int) {}
void NoMoveRecord(int, int, int) {}

constexpr DocumentHooks kDefaultDocumentHooks = {
    .messageBox = AnswerYes,
    .promptText = NoPrompt,
    .readDocument = NoReader,
    .importRaster = NoImporter,
    .addRecentFile = NoPath,
    .documentCreated = Accept,
    .documentClosing = NoDoc,
    .currentDocumentChanged = NoDoc,
    .presentRect = NoPresent,
    .refreshLayerBox = NoDoc,
    .refreshOverlay = NoLayer,
    .dropFloating = NoLayer,
    .beginWait = Nothing,
    .endWait = Nothing,
    .createHistory = Accept,
    .discardHistory = NoDoc,
    .releaseSelection = NoDoc,
    .charBytes = Utf8Bytes,
};
constexpr UndoHooks kDefaultUndoHooks = {
    .deleteLayer = KeepNoLayer,
    .newLayer = NoNewLayer,
    .mergeDown = KeepNoMerge,
    .layerProps = NoProps,
    .layerEffects = NoEffects,
    .moveLayer = NoMove,
    .toggleVisibility = NoIndex,
    .duplicateLayer = NoDuplicate,
};
constexpr TutorialHooks kDefaultTutorialHooks = {.layerCommand = NoCommand, .moveLayer = NoMoveRecord};

}  // namespace

DocumentHooks g_documentHooks = kDefaultDocumentHooks;
UndoHooks g_undoHooks = kDefaultUndoHooks;
TutorialHooks g_tutorialHooks = kDefaultTutorialHooks;

void ResetDocumentHooks()
{
    g_documentHooks = kDefaultDocumentHooks;
    g_undoHooks = kDefaultUndoHooks;
    g_tutorialHooks = kDefaultTutorialHooks;
}

// The ring of undo records: pushing, undoing, redoing and dropping records.
#include <cstdio>
#include <new>

#include "document/document_hooks.h"
#include "document/undo_record.h"

namespace {

void NoSound(int) {}
void NoButtons(int, int) {}
void NoPositions(uint32_t* a, uint32_t* b) { *a = *b = 0; }
void NoWind(uint32_t, uint32_t) {}
void NoSelection(Document*, const void*, size_t) {}
void NoTimer(int, int) {}
constexpr UndoUiHooks kDefaultUndoUiHooks = {NoSound, NoButtons, NoPositions, NoWind, NoSelection, NoTimer};

// The history the toolbar buttons show.
const UndoHistory* g_active = nullptr;
// Set while a record is applied: the operations it drives push nothing.
bool g_applying = false;

int32_t Next(const UndoHistory* h, int32_t i) { return (i + 1) % h->capacity; }
int32_t Prev(const UndoHistory* h, int32_t i) { return (i + h->capacity - 1) % h->capacity; }

void ShowButtons(const UndoHistory* h)
{
    if (h && h == g_active)
        g_undoUiHooks.setButtons(h->cursor != h->oldest, h->cursor != h->redoEnd);
}

void ClearSlot(UndoSlot* s)
{
    if (s->record)
        FreeUndoRecord(static_cast<UndoType>(s->type), s->record);
    s->record = nullptr;
    s->type = kUndoNone;
    s->tutorA = s->tutorB = 0;
}

// While a record is applied, the layer commands it calls record neither undo nor tutorial steps.
struct ApplyScope {
    TutorialHooks saved = g_tutorialHooks;
    ApplyScope()
    {
        g_applying = true;
        g_tutorialHooks.layerCommand = [](int, int) {};
        g_tutorialHooks.moveLayer = [](int, int, int) {};
    }
    ~ApplyScope()
    {
        g_tutorialHooks = saved;
        g_applying = false;
    }
    ApplyScope(const ApplyScope&) = delete;
    ApplyScope& operator=(const ApplyScope&) = delete;
};

}  // namespace

UndoUiHooks g_undoUiHooks = kDefaultUndoUiHooks;
void ResetUndoUiHooks() { g_undoUiHooks = kDefaultUndoUiHooks; }

int CreateUndoHistory(Document* doc, int capacity)
{
    if (!doc || capacity < 2)
        return 0;
    auto* h = new (std::nothrow) UndoHistory{};
    UndoSlot* slots = h ? new (std::nothrow) UndoSlot[static_cast<size_t>(capacity)]{} : nullptr;
    if (!slots) {
        delete h;
        return 0;
    }
    for (int i = 0; i < capacity; ++i)
        slots[i].type = kUndoNone;
    h->slots = slots;
    h->capacity = capacity;
    DiscardUndoHistory(doc);
    doc->history = h;
    g_active = h;
    g_undoUiHooks.setButtons(0, 0);
    return 1;
}

void DiscardUndoHistory(Document* doc)
{
    UndoHistory* h = doc ? doc->history : nullptr;
    if (!h)
        return;
    for (int i = 0; i < h->capacity; ++i)
        ClearSlot(&h->slots[i]);
    delete[] h->slots;
    if (g_active == h)
        g_active = nullptr;
    delete h;
    doc->history = nullptr;
}

void ActivateUndoHistory(Document* doc)
{
    g_active = doc ? doc->history : nullptr;
    if (g_active)
        ShowButtons(g_active);
    else
        g_undoUiHooks.setButtons(0, 0);
}

int CanUndo(const Document* doc) { return doc && doc->history && doc->history->cursor != doc->history->oldest; }
int CanRedo(const Document* doc) { return doc && doc->history && doc->history->cursor != doc->history->redoEnd; }

UndoRecord* BeginPush(Document* doc, UndoType type)
{
    UndoHistory* h = doc ? doc->history : nullptr;
    if (!h || g_applying)
        return nullptr;
    auto* record = new (std::nothrow) UndoRecord{};
    if (!record)
        return nullptr;
    // Undone records can never be redone after a new operation.
    for (int32_t i = h->cursor; i != h->redoEnd; i = Next(h, i))
        ClearSlot(&h->slots[i]);
    h->redoEnd = h->cursor;
    // In a full ring this is the oldest record.
    UndoSlot* slot = &h->slots[h->cursor];
    ClearSlot(slot);
    slot->type = type;
    slot->record = record;
    g_undoUiHooks.tutorialPositions(&slot->tutorA, &slot->tutorB);
    return record;
}

void CommitPush(Document* doc)
{
    UndoHistory* h = doc->history;
    h->cursor = h->redoEnd = Next(h, h->cursor);
    if (h->cursor == h->oldest)
        h->oldest = Next(h, h->oldest);
    ShowButtons(h);
}

int Undo(Document* doc)
{
    UndoHistory* h = doc ? doc->history : nullptr;
    if (!h)
        return 0;
    if (h->cursor == h->oldest) {
        g_undoUiHooks.playSound(kUndoEmptySoundEffect);
        return 0;
    }
    const int32_t at = Prev(h, h->cursor);
    UndoSlot* slot = &h->slots[at];
    bool ok;
    {
        ApplyScope scope;
        ok = slot->record && ApplyUndoRecord(doc, static_cast<UndoType>(slot->type), slot->record, true);
    }
    if (!ok)
        return 0;
    slot->record->undone = true;
    h->cursor = at;
    ShowButtons(h);
    if (slot->tutorA || slot->tutorB)
        g_undoUiHooks.windTutorial(slot->tutorA, slot->tutorB);
    return 1;
}

int Redo(Document* doc)
{
    UndoHistory* h = doc ? doc->history : nullptr;
    if (!h || h->cursor == h->redoEnd)
        return 0;
    UndoSlot* slot = &h->slots[h->cursor];
    bool ok;
    {
        ApplyScope scope;
        ok = slot->record && ApplyUndoRecord(doc, static_cast<UndoType>(slot->type), slot->record, false);
    }
    if (!ok)
        return 0;
    slot->record->undone = false;
    h->cursor = Next(h, h->cursor);
    ShowButtons(h);
    return 1;
}

#include "document/layer_change.h"

#include "document/compose.h"
#include "document/document_hooks.h"
#include "document/layer_list.h"

void RefreshChanged(Document* doc, const Rect& changed)
{
    if (!changed.Empty())
        RefreshDocumentRect(doc, &changed);
}

void FinishLayerChange(Document* doc, const Rect& changed)
{
    MarkModified(doc);
    RefreshChanged(doc, changed);
    g_documentHooks.refreshLayerBox(doc);
}

void ReindexCurrent(Document* doc) { doc->currentIndex = IndexOfLayer(doc, doc->current); }

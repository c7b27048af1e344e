#include "document/layer_list.h"

#include "document/document_hooks.h"
#include "raster/pic_copy.h"

int InsertLayer(Document* doc, Layer* layer, Layer* before)
{
    if (!doc || !layer)
        return 0;
    if (before) {
        layer->below = before;
        layer->above = before->above;
        if (before->above)
            before->above->below = layer;
        else
            doc->top = layer;
        before->above = layer;
    } else {
        layer->below = nullptr;
        layer->above = doc->bottom;
        if (doc->bottom)
            doc->bottom->below = layer;
        doc->bottom = layer;
    }
    if (!doc->top)
        doc->top = layer;
    ++doc->layerCount;
    return 1;
}

int UnlinkLayer(Document* doc, Layer* layer)
{
    if (!doc || !layer || doc->top == doc->bottom || IndexOfLayer(doc, layer) < 0)
        return 0;
    if (layer->above)
        layer->above->below = layer->below;
    else
        doc->top = layer->below;
    if (layer->below)
        layer->below->above = layer->above;
    else
        doc->bottom = layer->above;
    layer->above = layer->below = nullptr;
    --doc->layerCount;
    return 1;
}

Layer* LayerAt(const Document* doc, int32_t index)
{
    if (!doc || index < 0)
        return nullptr;
    Layer* l = doc->top;
    for (int32_t i = 0; l && i < index; ++i)
        l = l->below;
    return l;
}

int32_t IndexOfLayer(const Document* doc, const Layer* layer)
{
    if (!doc || !layer)
        return -1;
    int32_t i = 0;
    for (const Layer* l = doc->top; l; l = l->below, ++i) {
        if (l == layer)
            return i;
    }
    return -1;
}

int32_t CountLayers(const Document* doc)
{
    int32_t n = 0;
    for (const Layer* l = doc ? doc->top : nullptr; l; l = l->below)
        ++n;
    return n;
}

int SelectLayer(Document* doc, Layer* layer)
{
    int32_t index = IndexOfLayer(doc, layer);
    if (index < 0)
        return 0;
    Bitmap* backup = nullptr;
    if (layer->pixels) {
        backup = BackupDIB(layer->pixels);
        if (!backup)
            return 0;
    }
    DeletePic(doc->backup);
    doc->backup = backup;
    doc->current = layer;
    doc->currentIndex = index;
    if (doc->overlay)
        g_documentHooks.refreshOverlay(doc, layer);
    return 1;
}

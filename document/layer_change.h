// What every change to the layers ends with, shared by the layer commands and their undo and redo.
#pragma once
#include "document/document.h"
#include "document/rect.h"

// Refreshes the document's rectangle on screen, unless it is empty.
void RefreshChanged(Document* doc, const Rect& changed);
// Marks the document modified, refreshes what changed and brings the layer box up to date.
void FinishLayerChange(Document* doc, const Rect& changed);
// Keeps currentIndex true after the stack changed around the current layer.
void ReindexCurrent(Document* doc);

// The user-level layer commands of the layer box, the layer menu and tutorial playback.
//
// Each works on the given document (normally the current one) and its current layer.  A command that
// changes the document records its tutorial action, hands its undo record to the history, marks the
// document modified, refreshes the rectangle it changed and the layer box (document_hooks.h).  Each
// returns 1 when it did what was asked and 0 when it was refused or failed, leaving the document as
// it was.
#pragma once
#include <cstdint>

#include "document/document.h"

// Command identifiers of the layer box.
enum : int {
    kCmdNewLayer = 137,
    kCmdDeleteLayer = 138,
    kCmdDuplicateLayer = 139,
    kCmdMergeDown = 140,
    kCmdOpacitySlider = 135,
    kCmdBlendModeList = 50126,
    kCmdDropShadowDialog = 50129,
    kCmdInnerShadowDialog = 50130,
    kCmdOuterGlowDialog = 50131,
    kCmdInnerGlowDialog = 50132,
    kCmdLayerContextMenu = 50134,
};
// Sub-codes of the opacity slider.
enum : int {
    kOpacityCommitDrag = 100,    // final value after a drag; the record runs from the remembered start
    kOpacityLive = 101,          // live value while dragging
    kOpacityLive2 = 102,
    kOpacityRememberStart = 103, // the drag begins
    kOpacityCommitClick = 104,   // a single click set a value
};

// A raster layer named "Layer n", n being the number of layers before it is added, directly above the
// current layer; it becomes current.
int NewLayerCommand(Document* doc);
// Asks first; removes the current layer and selects the one below it (the one above for the bottom
// layer).  Refused for the only layer.
int DeleteLayerCommand(Document* doc);
// A deep copy named with " copy" appended, directly above the current layer, which stays current.
int DuplicateLayerCommand(Document* doc);
// Merges the current layer into the one below: a new layer holding the lower layer drawn with its mode
// and opacity and the upper one with its effects, mode and opacity over it; it takes the lower layer's
// name, kind, mode, effects and state with opacity 255 and becomes current.  Refused for the bottom.
int MergeDownCommand(Document* doc);
// Takes the layer at index from out of the stack and puts it back above the layer that is then at
// index to, or with after = 0 directly below that layer; the moved layer becomes current.
int MoveLayerCommand(Document* doc, int32_t from, int32_t to, int32_t after);
int SelectLayerCommand(Document* doc, int32_t index);
int ToggleVisibilityCommand(Document* doc, int32_t index);
// The opacity slider: sub-code and value as the layer box sends them.
int OpacitySliderCommand(Document* doc, int subCode, int32_t value);
// Sets the current layer's opacity (0..255) without an undo record; refreshes when it changed.
int SetLayerOpacity(Document* doc, int32_t value);
// Prompts "Rename the Layer" with the current name; renames on the affirmative answer.
int RenameLayerCommand(Document* doc, int32_t index);
// Renames the layer at index (cut to 39 bytes on a character boundary).
int RenameLayer(Document* doc, int32_t index, const char* name);
int SetBlendModeCommand(Document* doc, int32_t mode);
// The effect dialogs' results for the current layer: the parameters (kept in range) and whether the
// effect is on.  The parameters also become the defaults for new layers.  slot is kSlotDropShadow or
// kSlotInnerShadow for SetShadowEffect, kSlotOuterGlow or kSlotInnerGlow for SetGlowEffect.
int SetShadowEffect(Document* doc, int slot, const ShadowParams& params, bool enabled);
int SetGlowEffect(Document* doc, int slot, const GlowParams& params, bool enabled);

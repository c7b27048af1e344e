// Everything the rest of the program uses of the document core, in one include.
//
//   document.h        documents, the open-documents list, the current document, creation and closing
//   document_hooks.h  the calls the core makes into the shell, the undo history and the recorder
//   layer.h           layers, their 50 property bytes and effect slots
//   layer_list.h      the layer stack: insert, unlink, index, select
//   layer_commands.h  the layer box's commands
//   layer_growth.h    growing layers while painting, trimming before saving
//   effect_params.h   effect parameter blocks and their defaults
//   effect_geometry.h where effect masks lie
//   effect_render.h   rendering effect masks
//   compose.h         the composite and the refresh call that ends every edit
//   thumbnail.h       layer thumbnails
//   view_mapping.h    document and screen coordinates, zoom levels
#pragma once

#include "document/compose.h"
#include "document/document.h"
#include "document/document_hooks.h"
#include "document/effect_geometry.h"
#include "document/effect_params.h"
#include "document/effect_render.h"
#include "document/layer.h"
#include "document/layer_commands.h"
#include "document/layer_growth.h"
#include "document/layer_list.h"
#include "document/rect.h"
#include "document/thumbnail.h"
#include "document/view_mapping.h"

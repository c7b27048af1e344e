// Arbitrary bytes as a layered document: the reader must refuse or accept them without crashing,
// reading past the input or allocating more than the input can justify, and release everything
// either way.  An accepted document is composed once, so that whatever the reader let through is
// also safe to draw.  Seeds are small files made by the writer (one layer, several layers with every
// effect on, an empty layer, a version-0 file).
#include <cstddef>
#include <cstdint>
#include <span>

#include "document/compose.h"
#include "document/layer_list.h"
#include "document/vkd_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Document doc{};
    if (ReadLayeredDocumentBytes(std::span<const uint8_t>(data, size), &doc)) {
        if (doc.top)
            SelectLayer(&doc, doc.top);
        ComposeDocument(&doc, nullptr);
    }
    ReleaseDocumentContents(&doc);
    return 0;
}

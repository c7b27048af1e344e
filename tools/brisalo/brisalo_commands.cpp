#include "tools/brisalo/brisalo_commands.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "document/compose.h"
#include "document/layer_list.h"
#include "document/vkd_file.h"
#include "raster/bmp_file.h"

namespace {

enum : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

const char* const kUsage =
    "usage: brisalo info --json FILE.vkd | brisalo render FILE.vkd OUT.bmp | brisalo resave IN.vkd OUT.vkd";

int Fail(std::FILE* err, int status, const std::string& reason)
{
    std::fprintf(err, "brisalo: %s\n", reason.c_str());
    return status;
}

// A document read from a file, released on every path.
struct LoadedDocument {
    Document doc{};
    ~LoadedDocument() { ReleaseDocumentContents(&doc); }
    bool Load(const char* path)
    {
        if (!ReadLayeredDocument(path, &doc))
            return false;
        if (doc.top)
            SelectLayer(&doc, doc.top);
        return true;
    }
};

// The version field of the file header (the reader has already accepted the file).
uint32_t FileVersion(const char* path)
{
    uint8_t h[kVkdHeaderSize] = {};
    if (std::FILE* f = std::fopen(path, "rb")) {
        if (std::fread(h, 1, sizeof h, f) != sizeof h)
            std::memset(h, 0, sizeof h);
        std::fclose(f);
    }
    return h[12] | (h[13] << 8);
}

// Layer names are ANSI bytes: ASCII stays, control characters and bytes above 127 are escaped (the
// latter read as Latin-1), so the output is always valid JSON.
std::string JsonString(const char* s)
{
    std::string out = "\"";
    for (; *s; ++s) {
        const auto c = static_cast<unsigned char>(*s);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

int Info(const char* path, std::FILE* out, std::FILE* err)
{
    LoadedDocument d;
    if (!d.Load(path))
        return Fail(err, kExitFailed, std::string("cannot read ") + path + " as a layered document");
    const Document& doc = d.doc;
    std::string json = "{\"width\": " + std::to_string(doc.width) + ", \"height\": " + std::to_string(doc.height) +
                       ", \"version\": " + std::to_string(FileVersion(path)) +
                       ", \"word\": " + std::to_string(doc.storedWord) + ", \"layers\": [";
    for (const Layer* l = doc.bottom; l; l = l->above) {
        const LayerProps& p = l->props;
        json += "{\"name\": " + JsonString(p.name) + ", \"opacity\": " + std::to_string(p.opacity) +
                ", \"kind\": " + std::to_string(p.kind) + ", \"blend\": " + std::to_string(p.blendMode) +
                ", \"effects\": " + std::to_string(p.effectFlags) + ", \"x\": " + std::to_string(p.x) +
                ", \"y\": " + std::to_string(p.y) + ", \"state\": " + std::to_string(p.stateFlags) +
                ", \"width\": " + std::to_string(l->pixels ? l->pixels->width : 0) +
                ", \"height\": " + std::to_string(l->pixels ? l->pixels->height : 0) + "}";
        if (l->above)
            json += ", ";
    }
    json += "]}\n";
    if (std::fputs(json.c_str(), out) < 0 || std::fflush(out) != 0)
        return Fail(err, kExitFailed, "cannot write the output");
    return kExitOk;
}

int Render(const char* path, const char* bmp, std::FILE* err)
{
    LoadedDocument d;
    if (!d.Load(path))
        return Fail(err, kExitFailed, std::string("cannot read ") + path + " as a layered document");
    ComposeDocument(&d.doc, nullptr);
    if (!PT_PutBITMAPFile(d.doc.composite, bmp))
        return Fail(err, kExitFailed, std::string("cannot write ") + bmp);
    return kExitOk;
}

int Resave(const char* in, const char* out, std::FILE* err)
{
    LoadedDocument d;
    if (!d.Load(in))
        return Fail(err, kExitFailed, std::string("cannot read ") + in + " as a layered document");
    if (!WriteLayeredDocument(out, &d.doc))
        return Fail(err, kExitFailed, std::string("cannot write ") + out);
    return kExitOk;
}

}  // namespace

int RunBrisalo(int argc, const char* const* argv, std::FILE* out, std::FILE* err)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "info" && argc == 4 && std::strcmp(argv[2], "--json") == 0)
        return Info(argv[3], out, err);
    if (command == "render" && argc == 4)
        return Render(argv[2], argv[3], err);
    if (command == "resave" && argc == 4)
        return Resave(argv[2], argv[3], err);
    return Fail(err, kExitUsage, kUsage);
}

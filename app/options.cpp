#include "app/options.h"

namespace app {
namespace {

constexpr const char* kFontSection = "Brisalo 3.0";
constexpr const char* kDeviceSection = "Ovante";
const char* const S = kIniSection;

int Byte(int value) { return ((value % 256) + 256) % 256; }

Colour LoadColour(const char* r, const char* g, const char* b, int defR, int defG, int defB)
{
    return static_cast<Colour>(Byte(GetIniInt(S, r, defR)) | Byte(GetIniInt(S, g, defG)) << 8 |
                               Byte(GetIniInt(S, b, defB)) << 16);
}

void SaveColour(const char* r, const char* g, const char* b, Colour c)
{
    SetIniInt(S, r, static_cast<int>(c & 255));
    SetIniInt(S, g, static_cast<int>((c >> 8) & 255));
    SetIniInt(S, b, static_cast<int>((c >> 16) & 255));
}

}  // namespace

void LoadGeneralOptions(GeneralOptions* o)
{
    *o = GeneralOptions{};
    o->sound = GetIniInt(S, "SOUND ON", 1);
    o->paperMethod = GetIniInt(S, "PAPERMETHOD", kPaperTiled);
    if (o->paperMethod < kPaperCentred || o->paperMethod > kPaperTiled)
        o->paperMethod = kPaperTiled;
    o->hint = GetIniInt(S, "HINT ON", 1);
    o->cursor3d = GetIniInt(S, "CURSOR ON", 1);
    o->autoHide = GetIniInt(S, "AUTOHIDE ON", 1);
    GetIniText(S, "workingdir", ".", o->workingDir, sizeof o->workingDir);
    o->dailyHint = GetIniInt(S, "DAILY_HINT_ON", 1);
    o->constrainProportion = GetIniInt(S, "Constrain_Proption", 1);
}

void SaveGeneralOptions(const GeneralOptions& o)
{
    SetIniInt(S, "SOUND ON", o.sound);
    SetIniInt(S, "PAPERMETHOD", o.paperMethod);
    SetIniInt(S, "HINT ON", o.hint);
    SetIniInt(S, "CURSOR ON", o.cursor3d);
    SetIniInt(S, "NICETEXT ON", o.niceText);
    SetIniInt(S, "LIGHT ON", o.light);
    SetIniInt(S, "AUTOHIDE ON", o.autoHide);
    SetIniText(S, "workingdir", o.workingDir);
    SetIniInt(S, "DAILY_HINT_ON", o.dailyHint);
    SetIniInt(S, "Constrain_Proption", o.constrainProportion);
}

void LoadNewDocumentDefaults(NewDocumentDefaults* d)
{
    *d = NewDocumentDefaults{};
    d->width = GetIniInt(S, "DEF_WIDTH", 600);
    d->height = GetIniInt(S, "DEF_HEIGHT", 400);
    d->colorMode = GetIniInt(S, "COLORMODE", 0);
    GetIniText(S, "FILETITLE", "Untitled", d->title, sizeof d->title);
    d->hAlign = GetIniInt(S, "H_ALIGN", 4);
    d->vAlign = GetIniInt(S, "V_ALIGN", 1);
    // A hand-edited size the bitmaps cannot have would make every new picture fail.
    if (d->width <= 0 || d->width > kMaxBitmapSide || d->height <= 0 || d->height > kMaxBitmapSide) {
        d->width = 600;
        d->height = 400;
    }
    if (d->hAlign < 3 || d->hAlign > 5)
        d->hAlign = 4;
    if (d->vAlign < 0 || d->vAlign > 2)
        d->vAlign = 1;
}

void SaveNewDocumentDefaults(const NewDocumentDefaults& d)
{
    SetIniInt(S, "DEF_WIDTH", d.width);
    SetIniInt(S, "DEF_HEIGHT", d.height);
    SetIniInt(S, "COLORMODE", d.colorMode);
    SetIniText(S, "FILETITLE", d.title);
    SetIniInt(S, "H_ALIGN", d.hAlign);
    SetIniInt(S, "V_ALIGN", d.vAlign);
}

void LoadTextFont(TextFont* f)
{
    *f = TextFont{};
    GetSysText(kFontSection, "deffontname", "Arial", f->face, sizeof f->face);
    f->size = GetSysInt(kFontSection, "deffontsize", 12);
    f->underline = GetSysInt(kFontSection, "fontunder", 0);
    f->bold = GetSysInt(kFontSection, "fontbold", 0);
    f->italic = GetSysInt(kFontSection, "fontitaly", 0);
}

void SaveTextFont(const TextFont& f)
{
    SetSysText(kFontSection, "deffontname", f.face);
    SetSysInt(kFontSection, "deffontsize", f.size);
    SetSysInt(kFontSection, "fontunder", f.underline);
    SetSysInt(kFontSection, "fontbold", f.bold);
    SetSysInt(kFontSection, "fontitaly", f.italic);
}

void LoadColours(Colour* foreground, Colour* background)
{
    *foreground = LoadColour("FColor_R", "FColor_G", "FColor_B", 0, 0, 0);
    *background = LoadColour("BColor_R", "BColor_G", "BColor_B", 255, 255, 255);
}

void SaveColours(Colour foreground, Colour background)
{
    SaveColour("FColor_R", "FColor_G", "FColor_B", foreground);
    SaveColour("BColor_R", "BColor_G", "BColor_B", background);
}

int LoadMdiMaxed() { return GetIniInt(S, "MDIMAXED", 0); }

void SaveMdiMaxed(int maximised) { SetIniInt(S, "MDIMAXED", maximised); }

std::string DefaultWallpaperPath() { return JoinPath(RunDir(), "pattern\\backg.pcy"); }

void LoadWallpaperPath(char* path, int size) { GetIniText(S, "WALLPAPER", DefaultWallpaperPath().c_str(), path, size); }

void SaveWallpaperPath(const char* path) { SetIniText(S, "WALLPAPER", path); }

void LoadDeviceName(Device device, char* name, int size)
{
    GetSysText(kDeviceSection, device == Device::Scanner ? "SCANNER SOURCE" : "CAMERA SOURCE", "NONE", name, size);
}

void SaveDeviceName(Device device, const char* name)
{
    SetSysText(kDeviceSection, device == Device::Scanner ? "SCANNER SOURCE" : "CAMERA SOURCE", name);
}

}  // namespace app

// Where the tool boxes and library windows open: remembered in TESSEL.INI, and brought back to
// their defaults when the remembered place lies off a smaller screen.
#pragma once
#include "app/settings.h"

namespace app {

struct BoxPlace {
    const char* originKey;
    const char* openKey;
    IniPoint origin;  // the default position
};

constexpr BoxPlace kPictureBoxPlace{"pictureboxorg", "pictureboxopen", {400, 50}};
constexpr BoxPlace kBrushBoxPlace{"editbrushorg", "editbrushopen", {400, 220}};
constexpr BoxPlace kEditToolsPlace{"edittoolsorg", "edittoolsopen", {10, 20}};
constexpr BoxPlace kOptionToolsPlace{"optiontoolsorg", "optiontoolsopen", {200, 400}};
constexpr BoxPlace kColourBoxPlace{"colortoolsorg", "colortoolsopen", {400, 390}};
constexpr BoxPlace kLayerBoxPlace{"layerboxorg", "layerboxopen", {400, 50}};

struct BoxState {
    IniPoint origin;
    int open = 1;
};

// A stored x beyond screen width − 10 or y beyond screen height − 10 gives the default point.
BoxState RestoreBoxPlace(const BoxPlace& place, int screenWidth, int screenHeight);
void SaveBoxPlace(const BoxPlace& place, const BoxState& state);

int LoadTutorBoxOpen();
void SaveTutorBoxOpen(bool shown);

enum class Library { Picture, Tutorial };
// Default (100, 100); an x beyond the screen becomes 400 (pictures) or 200 (tutorials), a y beyond
// it 300.
IniPoint RestoreLibraryPlace(Library library, int screenWidth, int screenHeight);
void SaveLibraryPlace(Library library, IniPoint origin);

}  // namespace app

#include "app/box_places.h"

namespace app {

BoxState RestoreBoxPlace(const BoxPlace& place, int screenWidth, int screenHeight)
{
    BoxState s;
    GetIniPoint(kIniSection, place.originKey, place.origin.x, place.origin.y, &s.origin);
    if (s.origin.x > screenWidth - 10 || s.origin.y > screenHeight - 10)
        s.origin = place.origin;
    s.open = GetIniInt(kIniSection, place.openKey, 1);
    return s;
}

void SaveBoxPlace(const BoxPlace& place, const BoxState& state)
{
    SetIniPoint(kIniSection, place.originKey, state.origin);
    SetIniText(kIniSection, place.openKey, state.open ? "1" : "0");
}

int LoadTutorBoxOpen() { return GetIniInt(kIniSection, "tutorboxopen", 1); }

void SaveTutorBoxOpen(bool shown) { SetIniText(kIniSection, "tutorboxopen", shown ? "1" : "0"); }

IniPoint RestoreLibraryPlace(Library library, int screenWidth, int screenHeight)
{
    IniPoint p;
    GetIniPoint(kIniSection, library == Library::Picture ? "PicLibOrg" : "TutorLibOrg", 100, 100, &p);
    if (p.x > screenWidth)
        p.x = library == Library::Picture ? 400 : 200;
    if (p.y > screenHeight)
        p.y = 300;
    return p;
}

void SaveLibraryPlace(Library library, IniPoint origin)
{
    SetIniPoint(kIniSection, library == Library::Picture ? "PicLibOrg" : "TutorLibOrg", origin);
}

}  // namespace app

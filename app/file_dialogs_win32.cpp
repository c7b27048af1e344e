// The standard file dialogs: Save for layered documents, Open for a wallpaper picture.
#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "app/app.h"
#include "app/shell_hooks.h"

namespace app {

int SaveDialog(const char* startFolder, char folder[kMaxPath], char name[kMaxPath])
{
    char file[kMaxPath] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = mainWindow;
    ofn.lpstrFilter = "VESK File\0*.vkd\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = startFolder && *startFolder ? startFolder : nullptr;
    ofn.lpstrTitle = "Save File";
    ofn.lpstrDefExt = nullptr;  // ".vkd" is added by the saving code, whatever case the user typed
    ofn.Flags = OFN_LONGNAMES | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetSaveFileNameA(&ofn))
        return 0;
    // nFileOffset splits the chosen path into its folder and its name.
    const size_t cut = ofn.nFileOffset;
    if (cut == 0 || cut >= std::strlen(file))
        return 0;
    std::memcpy(folder, file, cut);
    folder[cut] = '\0';
    std::strncpy(name, file + cut, kMaxPath - 1);
    name[kMaxPath - 1] = '\0';
    return 1;
}

}  // namespace app

namespace app {

bool ChooseWallpaperFile(char* path, int size)
{
    char file[kMaxPath] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = mainWindow;
    ofn.lpstrFilter = "All Type\0*.vkd;*.bmp;*.tif;*.jpg;*.tga;*.gif;*.pcx\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Open File";
    ofn.Flags = OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&ofn) || size <= 0)
        return false;
    std::strncpy(path, file, static_cast<size_t>(size) - 1);
    path[size - 1] = '\0';
    return true;
}

}  // namespace app

namespace app {

int OpenDialog(const char* startFolder, char* buffer, int size)
{
    if (!buffer || size < 2)
        return 0;
    buffer[0] = '\0';
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = mainWindow;
    ofn.lpstrFilter = "All Type\0*.vkd;*.bmp;*.tif;*.jpg;*.tga;*.gif;*.pcx\0VESK\0*.vkd\0BITMAP\0*.bmp\0"
                      "TIFF\0*.tif\0JPG\0*.jpg\0TGA\0*.tga\0GIF\0*.gif\0PCX\0*.pcx\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = static_cast<DWORD>(size);
    ofn.lpstrInitialDir = startFolder && *startFolder ? startFolder : nullptr;
    ofn.lpstrTitle = "Open File";
    ofn.Flags = OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER |
                OFN_ALLOWMULTISELECT;
    return GetOpenFileNameA(&ofn) ? 1 : 0;
}

}  // namespace app

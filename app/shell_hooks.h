// The Windows side of the seams the portable parts leave open: the file dialogs (Save for the
// layered format, Open for a wallpaper) and the sound effects.  Installed by the workspace when
// the main window is created.
#pragma once
#include "app/settings.h"

namespace app {

// GetSaveFileName for "VESK File" (*.vkd), titled "Save File", starting in startFolder: on OK the
// chosen folder (with its trailing backslash) and file name, and 1; 0 when cancelled.
int SaveDialog(const char* startFolder, char folder[kMaxPath], char name[kMaxPath]);
// GetOpenFileName titled "Open File" with the picture types, several files at once (DeskScreen).
int OpenDialog(const char* startFolder, char* buffer, int size);
// GetOpenFileName titled "Open File" with the "All Type" filter, for the wallpaper.
bool ChooseWallpaperFile(char* path, int size);
void PlayWaveEffect(int effect);

}  // namespace app

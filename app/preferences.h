// The "Preferences" dialog: seven switches and the wallpaper layout, edited on a copy of the
// general options and copied back only when confirmed.  "Show tips after startup." is the
// exception: it writes "DAILY_HINT_ON" at once.
#pragma once
#include "app/options.h"
#include "widgets/container.h"

namespace app {

// What the program must do after the options were confirmed.
struct PreferenceEffects {
    bool soundChanged = false;      // start or stop the sound engine
    bool niceTextChanged = false;   // the restart message was shown
    bool reloadWallpaper = false;   // "PAPERMETHOD" or "LIGHT ON" changed
};

// Copies the edited options back, shows the restart message when "Nice text" changed, and saves
// the general options.
PreferenceEffects ConfirmPreferences(GeneralOptions* options, const GeneralOptions& edited);

constexpr const char* kNiceTextRestart = "The antialias effect of font only be effective after restart this program.";

// The workspace wallpaper offered by the dialog: the built-in patterns of the "pattern" folder, a
// file of the user's choice and the default.  Each choice is written to "WALLPAPER" at once, whether
// the dialog is then confirmed or not, and the program shows it through changed().
struct WallpaperChoice {
    void (*changed)();
    // The open dialog ("Open File", "All Type"): the chosen path and true, or false when cancelled.
    bool (*chooseFile)(char* path, int size);
};
extern const char* const kWallpaperPatterns[5];
// The pattern after (step 1) or before (step -1) the one a path names, going round; a path that is
// not a built-in pattern counts as standing before the first.
const char* NextWallpaperPattern(const char* currentPath, int step);

// The dialog itself, centred on a screen of the given size.  On confirm it applies the options
// through ConfirmPreferences and calls done(effects); on cancel it calls done with nothing changed.
// The caller opens it on the modal dialog layer and destroys it from done.  Without a wallpaper
// choice the dialog offers none.
widgets::Container* NewPreferencesDialog(GeneralOptions* options, int screenWidth, int screenHeight,
                                         void (*done)(bool confirmed, const PreferenceEffects& effects),
                                         const WallpaperChoice* wallpaper = nullptr);

}  // namespace app

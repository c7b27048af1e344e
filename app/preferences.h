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

// The dialog itself, centred on a screen of the given size.  On confirm it applies the options
// through ConfirmPreferences and calls done(effects); on cancel it calls done with nothing changed.
// The caller opens it on the modal dialog layer and destroys it from done.
widgets::Container* NewPreferencesDialog(GeneralOptions* options, int screenWidth, int screenHeight,
                                         void (*done)(bool confirmed, const PreferenceEffects& effects));

}  // namespace app

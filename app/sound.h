// Sound effects of the program: numbered effects played through whatever sound output the program
// has, and only while the "SOUND ON" option is set.  The player is a seam: the Windows program plays
// the effect's file from the wave folder, tests count the calls.
#pragma once

namespace app {

using SoundPlayer = void (*)(int effect);
void SetSoundPlayer(SoundPlayer player);
void SetSoundOn(bool on);
bool SoundOn();
// Plays an effect once; nothing when sound is off or there is no player.
void PlaySoundEffect(int effect);

}  // namespace app

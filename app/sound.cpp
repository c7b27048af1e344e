#include "app/sound.h"

namespace app {
namespace {

SoundPlayer player = nullptr;
bool soundOn = true;

}  // namespace

void SetSoundPlayer(SoundPlayer p) { player = p; }
void SetSoundOn(bool on) { soundOn = on; }
bool SoundOn() { return soundOn; }

void PlaySoundEffect(int effect)
{
    if (soundOn && player)
        player(effect);
}

}  // namespace app

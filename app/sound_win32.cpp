// Sound effects from the program's wave folder: effect n is "wave\n.wav".  A missing file is silence.
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "app/app.h"
#include "app/shell_hooks.h"

namespace app {

void PlayWaveEffect(int effect)
{
    const std::string path = ProgramDir() + "wave\\" + std::to_string(effect) + ".wav";
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace app

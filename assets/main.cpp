// assetgen PROGRAM_DIR: draws every data file of the program into PROGRAM_DIR.
#include <cstdio>

#include "assets/assets.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen PROGRAM_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Family {
        const char* name;
        bool (*draw)(const std::string&);
    } families[] = {
        {"splash", assets::DrawSplash},
        {"wallpapers", assets::DrawWallpapers},
        {"skins", assets::DrawSkins},
        {"sounds", assets::WriteSounds},
        // last: it lists the files the families above wrote
        {"setup information", assets::WriteSetupInf},
    };
    int failures = 0;
    for (const auto& f : families)
        if (!f.draw(dir)) {
            std::fprintf(stderr, "assetgen: could not write the %s files in %s\n", f.name, dir.c_str());
            ++failures;
        }
    return failures ? 1 : 0;
}

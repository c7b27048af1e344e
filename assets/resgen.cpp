// resgen PROGRAM DIR: draws the resource pictures of one of our programs into DIR.
#include <cstdio>
#include <cstring>

#include "assets/resource_art.h"

int main(int argc, char** argv)
{
    struct Program {
        const char* name;
        bool (*draw)(const std::string&);
    } programs[] = {
        {"uninstaller", assets::DrawUninstallerArt},
        {"pintara", assets::DrawPintaraArt},
    };
    if (argc == 3)
        for (const auto& p : programs)
            if (!std::strcmp(argv[1], p.name)) {
                if (p.draw(argv[2]))
                    return 0;
                std::fprintf(stderr, "resgen: could not write the %s pictures in %s\n", p.name, argv[2]);
                return 1;
            }
    std::fprintf(stderr, "usage: resgen PROGRAM DIR   (PROGRAM: uninstaller, pintara)\n");
    return 2;
}

#include "tools/brisalo/brisalo_commands.h"

int main(int argc, char** argv) { return RunBrisalo(argc, argv, stdout, stderr); }

// The subcommands of the brisalo tool, runnable in-process:
//   brisalo info --json FILE.vkd     one JSON object describing the document and its layers
//   brisalo render FILE.vkd OUT.bmp  the composed picture as a 24-bit BMP
//   brisalo resave IN.vkd OUT.vkd    read and write again
// Exit status 0 on success; otherwise non-zero with one line "brisalo: reason" on err.
#pragma once
#include <cstdio>

int RunBrisalo(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

#include <cstdio>

#include "raster/safe_file.h"

bool MoveFileOver(const char* src, const char* dst) { return std::rename(src, dst) == 0; }

#include <windows.h>

#include "raster/safe_file.h"

bool MoveFileOver(const char* src, const char* dst)
{
    return MoveFileExA(src, dst, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#include <windows.h>

#include "octpal/replace_file.h"

bool octfile::MoveOver(const char* from, const char* to)
{
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

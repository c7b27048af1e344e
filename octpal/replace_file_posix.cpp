#include <cstdio>

#include "octpal/replace_file.h"

bool octfile::MoveOver(const char* from, const char* to) { return std::rename(from, to) == 0; }

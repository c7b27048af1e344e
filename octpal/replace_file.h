// Writing a file so that it only ever replaces its predecessor when complete: the bytes go to a
// temporary file beside the target, which is flushed, closed and then moved over the target.  On any
// failure the temporary file is removed and the target is left as it was.
#pragma once
#include <cstddef>

namespace octfile {

bool WriteReplacing(const char* path, const void* data, size_t size);

// Moves `from` over `to`, replacing an existing file; the platform part of WriteReplacing.
bool MoveOver(const char* from, const char* to);

}  // namespace octfile

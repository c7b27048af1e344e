// Profile (INI) files: the program keeps its options in them.  The calls mirror the system's private
// profile functions: each opens the file, nothing is cached, a missing file, section or key gives the
// default, and section and key names compare without regard to case.
#pragma once

namespace platform {

// Copies the value (or the default) into buffer, cut to size - 1 bytes; returns the length copied.
int ProfileReadText(const char* file, const char* section, const char* key, const char* fallback, char* buffer,
                    int size);
// The value's leading decimal number (an optional sign, then digits; 0 when there are none), or the
// default when the key is missing or empty.
int ProfileReadInt(const char* file, const char* section, const char* key, int fallback);
// Creates or replaces the key; true on success.
bool ProfileWriteText(const char* file, const char* section, const char* key, const char* value);

}  // namespace platform

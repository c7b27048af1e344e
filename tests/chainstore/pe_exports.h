// Reads the names in a PE file's export directory (PE32 and PE32+), checking every offset against the
// file, so a test can tell exactly what a DLL exports and under which names.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PeExports {
    uint16_t machine = 0;           // 0x14C i386, 0x8664 x86-64
    uint32_t function_count = 0;    // entries in the address table, named or not
    std::vector<std::string> names; // in the file's order (sorted by the linker)
};

// Nothing when the bytes are not a PE image with a readable export directory.
std::optional<PeExports> ReadPeExports(const std::vector<uint8_t>& file);

// A downloaded package is installed only when its cabinet is whole.  The transfer cannot tell a
// complete reply from a connection the server dropped early, or from an error page, so the cabinet
// header is checked against the file: the "MSCF" signature, format 1.3, at least one folder and one
// file, and a recorded cabinet size equal to the size on disk.  SETUPAPI would otherwise copy every
// file before the cut and leave a half-updated program.
#pragma once
#include <cstddef>
#include <cstdint>

namespace updater {

constexpr std::size_t kCabinetHeaderSize = 36;

bool CabinetIsComplete(const unsigned char* header, std::size_t headerSize, std::uint64_t fileSize);

}  // namespace updater

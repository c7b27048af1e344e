// A write-read-walk round trip driven only through the library's exported functions as looked up by
// name, so the same checks run against libchainstore.so (dlopen) and chainstore.dll (LoadLibraryA).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "chainstore/chainstore.h"

struct ChainExports {
    decltype(&PT_AllocBlockLink) alloc = nullptr;
    decltype(&PT_FreeBlockLink) free = nullptr;
    decltype(&PT_AppendBlock) append = nullptr;
    decltype(&PT_DeleteBlock) remove = nullptr;
    decltype(&PT_GetFstBlk) first = nullptr;
    decltype(&PT_GetLstBlk) last = nullptr;
    decltype(&PT_GetNxtBlk) next = nullptr;
    decltype(&PT_GetPreBlk) previous = nullptr;
    decltype(&PT_SetLstBlk) set_last = nullptr;
    decltype(&PT_GetDataTypeFromBlk) type = nullptr;
    decltype(&PT_GetDataBlockSize) size = nullptr;
    decltype(&PT_GetDataFromBlk) data = nullptr;
    decltype(&PT_WriteBlockLink) write = nullptr;
    decltype(&PT_ReadBlockLink) read = nullptr;
};

// The library's whole interface, sorted.
const std::vector<std::string>& ChainExportNames();

// Fills `exports` through `find` (name -> address or null); returns the names that were not found.
std::vector<std::string> ResolveChainExports(ChainExports& exports,
                                             const std::function<void*(const char*)>& find);

// Records a small chain, cuts and extends it, writes it to `path`, reads it back and walks it both
// ways, reporting any difference as a test failure.
void RoundTripThroughExports(const ChainExports& exports, const std::string& path);

// The program links chainstore.dll through its import library, so the loader resolves every function
// by name when the process starts; this is the same round trip with the functions bound that way.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/chainstore/export_roundtrip.h"

TEST(ChainImport, RoundTripThroughLoadTimeImports)
{
    ChainExports e;
    e.alloc = &PT_AllocBlockLink;
    e.free = &PT_FreeBlockLink;
    e.append = &PT_AppendBlock;
    e.remove = &PT_DeleteBlock;
    e.first = &PT_GetFstBlk;
    e.last = &PT_GetLstBlk;
    e.next = &PT_GetNxtBlk;
    e.previous = &PT_GetPreBlk;
    e.set_last = &PT_SetLstBlk;
    e.type = &PT_GetDataTypeFromBlk;
    e.size = &PT_GetDataBlockSize;
    e.data = &PT_GetDataFromBlk;
    e.write = &PT_WriteBlockLink;
    e.read = &PT_ReadBlockLink;
    // Loaded with the process, before anything here asked for it.
    ASSERT_NE(GetModuleHandleA("chainstore.dll"), nullptr);

    char folder[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, sizeof folder);
    RoundTripThroughExports(e, std::string(folder) + "chainstore_import_" +
                                   std::to_string(GetCurrentProcessId()) + ".tur");
}

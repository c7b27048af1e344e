// The product's view of chainstore.dll: found by name on the DLL search path, every function reached
// through GetProcAddress under its plain name, and an export table holding those names and no others.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/chainstore/export_roundtrip.h"
#include "tests/chainstore/pe_exports.h"

namespace {

class ChainDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryA("chainstore.dll");
        ASSERT_NE(module_, nullptr) << "LoadLibraryA failed: " << GetLastError();
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

}  // namespace

TEST_F(ChainDll, ExportTableNamesExactlyTheInterface)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(module_, path, sizeof path);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, sizeof path);
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto exports = ReadPeExports(file);
    ASSERT_TRUE(exports.has_value()) << path;
    auto names = exports->names;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, ChainExportNames());
    EXPECT_EQ(exports->function_count, ChainExportNames().size());  // no entries reachable by ordinal only
#if defined(_WIN64)
    EXPECT_EQ(exports->machine, 0x8664);
#else
    EXPECT_EQ(exports->machine, 0x14C);
#endif
}

TEST_F(ChainDll, RoundTripThroughGetProcAddress)
{
    ChainExports exports;
    const auto missing = ResolveChainExports(
        exports, [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module_, name)); });
    ASSERT_TRUE(missing.empty()) << missing.front();
    char folder[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, sizeof folder);
    RoundTripThroughExports(exports, std::string(folder) + "chainstore_dll_" +
                                         std::to_string(GetCurrentProcessId()) + ".tur");
}

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

#include "tests/chainstore/export_roundtrip.h"

TEST(ChainExports, SharedLibraryDefinesExactlyTheInterface)
{
    const std::string command = std::string(NM_TOOL) + " -D --defined-only '" + CHAINSTORE_SO + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::vector<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, kind, name;
        if (fields >> address >> kind >> name)
            names.push_back(name);
    }
    ASSERT_EQ(pclose(pipe), 0) << command;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, ChainExportNames());
}

TEST(ChainExports, RoundTripThroughTheSharedLibrary)
{
    void* library = dlopen(CHAINSTORE_SO, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    ChainExports exports;
    const auto missing = ResolveChainExports(exports, [&](const char* name) { return dlsym(library, name); });
    EXPECT_TRUE(missing.empty()) << missing.front();
    if (missing.empty())
        RoundTripThroughExports(exports, (std::filesystem::temp_directory_path() /
                                          ("chainstore_exports_" + std::to_string(getpid()) + ".tur"))
                                             .string());
    dlclose(library);
}

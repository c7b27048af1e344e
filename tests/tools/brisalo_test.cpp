// The brisalo tool's commands on documents written by the program itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "document/document_hooks.h"
#include "document/layer_commands.h"
#include "document/layer_list.h"
#include "document/vkd_file.h"
#include "raster/bmp_file.h"
#include "tools/brisalo/brisalo_commands.h"

namespace {

class BrisaloTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDocumentHooks();
        SetDefaultEffectParams();
        dir_ = std::filesystem::temp_directory_path() / "brisalo_tool_test";
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        // Background 30 × 20 white, and a red 4 × 3 layer named with a quote at (5, 6), half opaque.
        SetNewDocumentDefaults(30, 20, 0, "Untitled");
        Document* doc = CreateDocument(nullptr);
        ASSERT_NE(doc, nullptr);
        doc->storedWord = 42;
        NewLayerCommand(doc);
        RenameLayer(doc, 0, "red \"top\"");
        Layer* l = doc->current;
        l->pixels = NewRGBAPic(4, 3);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 4; ++x) {
                uint8_t* p = PicPixel(l->pixels, x, y);
                p[2] = p[3] = 255;
            }
        l->props.x = 5;
        l->props.y = 6;
        l->props.opacity = 128;
        vkd_ = (dir_ / "in.vkd").string();
        ASSERT_EQ(WriteLayeredDocument(vkd_.c_str(), doc), 1);
        CloseDocument(doc);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs the tool; the output and error text land in out and err.
    int Run(std::vector<const char*> args)
    {
        args.insert(args.begin(), "brisalo");
        std::FILE* o = std::tmpfile();
        std::FILE* e = std::tmpfile();
        const int status = RunBrisalo(static_cast<int>(args.size()), args.data(), o, e);
        out = Slurp(o);
        err = Slurp(e);
        return status;
    }
    static std::string Slurp(std::FILE* f)
    {
        std::string s;
        std::rewind(f);
        for (int c; (c = std::fgetc(f)) != EOF;)
            s += static_cast<char>(c);
        std::fclose(f);
        return s;
    }

    std::filesystem::path dir_;
    std::string vkd_, out, err;
};

TEST_F(BrisaloTool, InfoDescribesTheLayersFromTheBottomUp)
{
    ASSERT_EQ(Run({"info", "--json", vkd_.c_str()}), 0) << err;
    EXPECT_EQ(out,
              "{\"width\": 30, \"height\": 20, \"version\": 100, \"word\": 42, \"layers\": ["
              "{\"name\": \"Background\", \"opacity\": 255, \"kind\": 1, \"blend\": 0, \"effects\": 0, \"x\": 0, "
              "\"y\": 0, \"state\": 2, \"width\": 30, \"height\": 20}, "
              "{\"name\": \"red \\\"top\\\"\", \"opacity\": 128, \"kind\": 1, \"blend\": 0, \"effects\": 0, "
              "\"x\": 5, \"y\": 6, \"state\": 2, \"width\": 4, \"height\": 3}]}\n");
    EXPECT_EQ(err, "");
}

TEST_F(BrisaloTool, RenderWritesTheComposedPictureAndResaveKeepsTheDocument)
{
    const std::string bmp = (dir_ / "out.bmp").string();
    ASSERT_EQ(Run({"render", vkd_.c_str(), bmp.c_str()}), 0) << err;
    Bitmap* pic = PT_GetBITMAPFile(bmp.c_str());
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->bitsPerPixel, 24);
    EXPECT_EQ(pic->width, 30);
    const uint8_t* inside = PicPixel(pic, 6, 7);
    EXPECT_EQ(inside[2], 255);
    EXPECT_NEAR(inside[1], 127, 2);   // red at half opacity over white
    const uint8_t* outside = PicPixel(pic, 0, 0);
    EXPECT_EQ(outside[0] + outside[1] + outside[2], 3 * 255);
    DeletePic(pic);

    const std::string again = (dir_ / "again.vkd").string();
    ASSERT_EQ(Run({"resave", vkd_.c_str(), again.c_str()}), 0) << err;
    std::ifstream a(vkd_, std::ios::binary), b(again, std::ios::binary);
    std::stringstream sa, sb;
    sa << a.rdbuf();
    sb << b.rdbuf();
    EXPECT_EQ(sa.str(), sb.str());
}

TEST_F(BrisaloTool, FailuresGiveOneLineAndNonZeroStatus)
{
    const std::string junk = (dir_ / "junk.vkd").string();
    std::ofstream(junk) << "not a document";
    const std::string missingFolder = (dir_ / "no" / "x.bmp").string();
    const struct {
        std::vector<const char*> args;
        int status;
        const char* reason;
    } cases[] = {
        {{}, 2, "usage"},
        {{"info", vkd_.c_str()}, 2, "usage"},
        {{"render", vkd_.c_str()}, 2, "usage"},
        {{"info", "--json", junk.c_str()}, 1, "cannot read"},
        {{"render", junk.c_str(), "x.bmp"}, 1, "cannot read"},
        {{"render", vkd_.c_str(), missingFolder.c_str()}, 1, "cannot write"},
        {{"resave", vkd_.c_str(), missingFolder.c_str()}, 1, "cannot write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        EXPECT_EQ(Run(c.args), c.status);
        EXPECT_EQ(err.rfind("brisalo: ", 0), 0u) << err;
        EXPECT_NE(err.find(c.reason), std::string::npos) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1);
        EXPECT_EQ(out, "");
    }
}

}  // namespace

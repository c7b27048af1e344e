#include "app/desktop.h"

#include <gtest/gtest.h>

#include "app/options.h"
#include "raster/block_ops.h"
#include "raster/bmp_file.h"
#include "../common/scratch_folder.h"

namespace {

Colour At(const Bitmap* b, int x, int y)
{
    const uint8_t* p = PicPixel(b, x, y);
    return p[0] | p[1] << 8 | p[2] << 16;
}

// A 4 × 2 picture: left half red, right half blue, written as a BMP file.
std::string WritePattern(const ScratchFolder& dir, const char* name)
{
    Bitmap* b = NewRGBPic(4, 2);
    BlockSet(b, 0, 0, 2, 2, 0xFF0000);
    BlockSet(b, 2, 0, 2, 2, 0x0000FF);
    std::string path = dir.File(name);
    EXPECT_EQ(PT_PutBITMAPFile(b, path.c_str()), 1);
    DeletePic(b);
    return path;
}

struct DesktopTest : ::testing::Test {
    void SetUp() override { screen = NewRGBPic(40, 30); }
    void TearDown() override
    {
        app::FreeDesktop(&desktop);
        DeletePic(screen);
    }
    app::Desktop desktop;
    Bitmap* screen = nullptr;
    ScratchFolder dir;
};

TEST_F(DesktopTest, EmptyPathGivesTheForegroundColourAndMissingFilesTheDefaultOrNothing)
{
    ASSERT_TRUE(app::LoadDesktopPicture(&desktop, "", nullptr, 0x808080));
    EXPECT_EQ(desktop.picture->width, 5);
    app::DrawDesktop(desktop, screen, {0, 0, 40, 30});
    EXPECT_EQ(At(screen, 0, 0), 0x808080u);
    EXPECT_EQ(At(screen, 39, 29), 0x808080u);

    std::string fallback = WritePattern(dir, "backg.pcy");
    ASSERT_TRUE(app::LoadDesktopPicture(&desktop, dir.File("gone.bmp").c_str(), fallback.c_str(), 0));
    EXPECT_EQ(desktop.picture->width, 4);

    EXPECT_FALSE(app::LoadDesktopPicture(&desktop, dir.File("gone.bmp").c_str(), dir.File("also.bmp").c_str(), 0));
    EXPECT_EQ(desktop.picture, nullptr);
    app::DrawDesktop(desktop, screen, {0, 0, 40, 30});
    EXPECT_EQ(At(screen, 20, 15), app::kDesktopBackdrop);
}

TEST_F(DesktopTest, TheThreeLayouts)
{
    std::string path = WritePattern(dir, "p.bmp");
    ASSERT_TRUE(app::LoadDesktopPicture(&desktop, path.c_str(), nullptr, 0));

    app::SetDesktopLayout(&desktop, app::kPaperTiled, {0, 0, 40, 30});
    app::DrawDesktop(desktop, screen, {0, 0, 40, 30});
    EXPECT_EQ(At(screen, 0, 0), 0xFF0000u);
    EXPECT_EQ(At(screen, 2, 0), 0x0000FFu);
    EXPECT_EQ(At(screen, 4, 7), 0xFF0000u);   // repeats from the top-left corner
    EXPECT_EQ(At(screen, 39, 29), 0x0000FFu);

    app::SetDesktopLayout(&desktop, app::kPaperCentred, {0, 0, 40, 30});
    app::DrawDesktop(desktop, screen, {0, 0, 40, 30});
    EXPECT_EQ(At(screen, 18, 14), 0xFF0000u);  // the picture sits at (18, 14)
    EXPECT_EQ(At(screen, 21, 15), 0x0000FFu);
    EXPECT_EQ(At(screen, 0, 0), app::kDesktopBackdrop);
    EXPECT_EQ(At(screen, 22, 14), app::kDesktopBackdrop);

    app::SetDesktopLayout(&desktop, app::kPaperStretched, {0, 10, 40, 30});
    app::DrawDesktop(desktop, screen, {0, 0, 40, 30});
    EXPECT_EQ(At(screen, 5, 20), 0xFF0000u);
    EXPECT_EQ(At(screen, 35, 20), 0x0000FFu);
    EXPECT_EQ(At(screen, 5, 5), app::kDesktopBackdrop);  // outside the work area

    // drawing touches nothing outside the clip
    BlockSet(screen, 0, 0, 40, 30, 0x123456);
    app::DrawDesktop(desktop, screen, {10, 15, 20, 25});
    EXPECT_EQ(At(screen, 9, 20), 0x123456u);
    EXPECT_EQ(At(screen, 10, 20), 0xFF0000u);
}

}  // namespace

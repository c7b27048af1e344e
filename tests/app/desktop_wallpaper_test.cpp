// The desktop-wallpaper command's file: the composed picture as layout\wallpaper.bmp.
#include "app/desktop_wallpaper.h"

#include <gtest/gtest.h>

#include "../common/scratch_folder.h"
#include "platform/files.h"
#include "raster/block_ops.h"
#include "raster/bmp_file.h"

namespace {

TEST(DesktopWallpaperTest, PictureIsWrittenIntoTheLayoutFolderItMakes)
{
    ScratchFolder dir;
    Bitmap* picture = NewRGBPic(5, 3);
    ASSERT_NE(picture, nullptr);
    BlockSet(picture, 0, 0, 5, 3, 0x336699);
    BlockSet(picture, 4, 2, 1, 1, 0xFF0000);
    const std::string path = app::WriteDesktopWallpaper(dir.Path(), picture);
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(dir.Exists("layout/wallpaper.bmp") || dir.Exists("layout\\wallpaper.bmp"));
    Bitmap* back = PT_GetBITMAPFile(platform::HostPath(path).c_str());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->width, 5);
    EXPECT_EQ(back->height, 3);
    EXPECT_EQ(PicPixel(back, 4, 2)[2], 0xFF);
    EXPECT_EQ(PicPixel(back, 0, 0)[0], 0x99);
    // a second time over the existing folder and file
    EXPECT_EQ(app::WriteDesktopWallpaper(dir.Path(), picture), path);
    DeletePic(back);
    DeletePic(picture);
}

TEST(DesktopWallpaperTest, NoPictureOrNoRunFolderWritesNothing)
{
    ScratchFolder dir;
    EXPECT_EQ(app::WriteDesktopWallpaper(dir.Path(), nullptr), "");
    Bitmap* picture = NewRGBPic(2, 2);
    EXPECT_EQ(app::WriteDesktopWallpaper(dir.File("missing/deeper"), picture), "");
    DeletePic(picture);
}

}  // namespace

#include "app/desktop.h"

#include "app/options.h"
#include "platform/files.h"
#include "raster/block_ops.h"
#include "raster/bmp_file.h"
#include "raster/stretch.h"

namespace app {
namespace {

Bitmap* SolidPicture(Colour colour)
{
    Bitmap* b = NewRGBPic(5, 5);
    if (b)
        BlockSet(b, 0, 0, 5, 5, colour);
    return b;
}

Bitmap* ReadPicture(const char* path)
{
    return path && *path ? PT_GetBITMAPFile(platform::HostPath(path).c_str()) : nullptr;
}

void DropStretched(Desktop* d)
{
    DeletePic(d->stretched);
    d->stretched = nullptr;
}

}  // namespace

bool LoadDesktopPicture(Desktop* d, const char* path, const char* defaultPath, Colour foreground)
{
    Bitmap* picture = nullptr;
    if (path && !*path)
        picture = SolidPicture(foreground);
    else if (!(picture = ReadPicture(path)))
        picture = ReadPicture(defaultPath);
    DropStretched(d);
    DeletePic(d->picture);
    d->picture = picture;
    SetDesktopLayout(d, d->method, d->workArea);
    return picture != nullptr;
}

void SetDesktopLayout(Desktop* d, int method, const platform::Rect& workArea)
{
    DropStretched(d);
    d->method = method;
    d->workArea = workArea;
    if (d->picture && method == kPaperStretched && !workArea.Empty()) {
        // a failed stretch falls back to tiling in DrawDesktop
        d->stretched = BlockOrgStretch(d->picture, {workArea.Width(), workArea.Height()});
    }
}

void FreeDesktop(Desktop* d)
{
    DropStretched(d);
    DeletePic(d->picture);
    d->picture = nullptr;
}

void DrawDesktop(const Desktop& d, Bitmap* screen, const platform::Rect& clip)
{
    if (!screen)
        return;
    platform::Rect r = platform::Intersect(clip, {0, 0, screen->width, screen->height});
    if (r.Empty())
        return;
    const Bitmap* p = d.picture;
    if (!p) {
        BlockSet(screen, r.left, r.top, r.Width(), r.Height(), kDesktopBackdrop);
        return;
    }
    if (d.method == kPaperCentred) {
        BlockSet(screen, r.left, r.top, r.Width(), r.Height(), kDesktopBackdrop);
        int32_t x = (screen->width - p->width) / 2, y = (screen->height - p->height) / 2;
        platform::Rect picture = platform::Intersect(r, {x, y, x + p->width, y + p->height});
        if (!picture.Empty())
            BlockBlockCopy(screen, picture.left, picture.top, picture.Width(), picture.Height(), p,
                           picture.left - x, picture.top - y);
        return;
    }
    if (d.method == kPaperStretched && d.stretched) {
        BlockSet(screen, r.left, r.top, r.Width(), r.Height(), kDesktopBackdrop);
        platform::Rect area = platform::Intersect(r, d.workArea);
        if (!area.Empty())
            BlockBlockCopy(screen, area.left, area.top, area.Width(), area.Height(), d.stretched,
                           area.left - d.workArea.left, area.top - d.workArea.top);
        return;
    }
    BlockTile(screen, r.left, r.top, r.Width(), r.Height(), p, 0, 0, 255);
}

}  // namespace app

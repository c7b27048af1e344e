// The control skins under res\tools\: check boxes, radio buttons, slider parts, progress bar,
// title bars, separators, window buttons and the message box.  One palette for all of them: a deep
// slate-blue for chrome, warm paper for panels, the splash's blue, amber and red for accents.
// Magenta outside a rounded shape is see-through.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "assets/assets.h"
#include "assets/canvas.h"

namespace assets {
namespace {

const RGB kChromeTop = Hex(0x3A4B63);
const RGB kChromeBottom = Hex(0x243142);
const RGB kInk = Hex(0x1F2A3A);
const RGB kPaper = Hex(0xF6F3EC);
const RGB kPaperShade = Hex(0xE6E0D2);
const RGB kRim = Hex(0x8C95A3);
const RGB kBlue = Hex(0x2F6FB2);
const RGB kAmber = Hex(0xE8A33D);
const RGB kRed = Hex(0xC8353A);
const RGB kWhite = Hex(0xFFFFFF);

// A picture whose shape is given by a coverage function; pixels outside become see-through.
struct Shaped {
    Canvas canvas;
    std::vector<float> mask;
    Shaped(int w, int h) : canvas(w, h), mask(size_t(w) * h, 0.f) {}
    void Cover(const std::function<float(float, float)>& inside)
    {
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                mask[size_t(y) * canvas.width() + x] = std::max(mask[size_t(y) * canvas.width() + x], inside(x + 0.5f, y + 0.5f));
    }
    bool Save(const std::string& dir, const char* name) const
    {
        // soft edges are blended over the panel colour the control usually sits on, then cut
        std::vector<float> cut(mask.size());
        for (size_t i = 0; i < mask.size(); ++i)
            cut[i] = mask[i] >= 0.35f ? 1.f : 0.f;
        Bitmap* b = canvas.ToBitmap(&cut);
        bool ok = assets::Save(b, dir, std::string("res/tools/") + name);
        DeletePic(b);
        return ok;
    }
};

float RoundRectCoverage(float x, float y, float left, float top, float w, float h, float r)
{
    float dx = std::max({left + r - x, 0.f, x - (left + w - r)});
    float dy = std::max({top + r - y, 0.f, y - (top + h - r)});
    return std::clamp(0.5f - (std::hypot(dx, dy) - r), 0.f, 1.f);
}

float CircleCoverage(float x, float y, float cx, float cy, float r)
{
    return std::clamp(0.5f - (std::hypot(x - cx, y - cy) - r), 0.f, 1.f);
}

// Paints a rounded button: a vertical gradient body, a light top edge and a dark rim.
void ButtonBody(Shaped& s, RGB top, RGB bottom, float radius)
{
    int w = s.canvas.width(), h = s.canvas.height();
    s.canvas.VerticalGradient(kPaper, kPaper);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float outer = RoundRectCoverage(fx, fy, 0, 0, w, h, radius);
            float inner = RoundRectCoverage(fx, fy, 1, 1, w - 2, h - 2, radius - 1);
            RGB body = Mix(top, bottom, float(y) / float(std::max(1, h - 1)));
            s.canvas.Blend(x, y, Mix(bottom, kInk, 0.5f), outer);
            s.canvas.Blend(x, y, body, inner);
            if (inner > 0 && y <= 2)
                s.canvas.Blend(x, y, kWhite, 0.22f * inner);
        }
    s.Cover([&](float x, float y) { return RoundRectCoverage(x, y, 0, 0, w, h, radius); });
}

void Line(Canvas& c, float x0, float y0, float x1, float y1, float width, RGB colour)
{
    float len = std::hypot(x1 - x0, y1 - y0);
    int steps = std::max(2, int(len * 4));
    for (int i = 0; i <= steps; ++i) {
        float t = float(i) / steps;
        c.SoftDab(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, colour, 0.5f, 0.8f);
    }
}

bool CheckBoxes(const std::string& dir)
{
    bool ok = true;
    for (int checked = 0; checked < 2; ++checked) {
        Shaped s(14, 14);
        s.canvas.VerticalGradient(kPaper, kPaper);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x) {
                float fx = x + 0.5f, fy = y + 0.5f;
                s.canvas.Blend(x, y, checked ? Mix(kBlue, kInk, 0.3f) : kRim, RoundRectCoverage(fx, fy, 0, 0, 14, 14, 3));
                RGB face = checked ? Mix(kBlue, kWhite, 0.12f * (1 - fy / 14)) : Mix(kWhite, kPaperShade, fy / 14);
                s.canvas.Blend(x, y, face, RoundRectCoverage(fx, fy, 1, 1, 12, 12, 2.2f));
            }
        if (checked) {
            Line(s.canvas, 3.5f, 7.2f, 6.0f, 9.8f, 2.0f, kWhite);
            Line(s.canvas, 6.0f, 9.8f, 10.6f, 4.0f, 2.0f, kWhite);
        }
        s.Cover([](float x, float y) { return RoundRectCoverage(x, y, 0, 0, 14, 14, 3); });
        ok = s.Save(dir, checked ? "chkboxd.img" : "chkbox.img") && ok;
    }
    return ok;
}

bool RadioButtons(const std::string& dir)
{
    bool ok = true;
    for (int checked = 0; checked < 2; ++checked) {
        Shaped s(14, 14);
        s.canvas.VerticalGradient(kPaper, kPaper);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x) {
                float fx = x + 0.5f, fy = y + 0.5f;
                s.canvas.Blend(x, y, checked ? Mix(kBlue, kInk, 0.3f) : kRim, CircleCoverage(fx, fy, 7, 7, 7));
                s.canvas.Blend(x, y, Mix(kWhite, kPaperShade, fy / 14), CircleCoverage(fx, fy, 7, 7, 6));
                if (checked)
                    s.canvas.Blend(x, y, kBlue, CircleCoverage(fx, fy, 7, 7, 3.4f));
            }
        s.Cover([](float x, float y) { return CircleCoverage(x, y, 7, 7, 7); });
        ok = s.Save(dir, checked ? "radioc.img" : "radio.img") && ok;
    }
    return ok;
}

// Small step buttons: a rounded chrome square with a triangle pointing left or right.
bool Arrows(const std::string& dir)
{
    struct {
        const char* name;
        bool right, pressed;
    } kinds[] = {{"leftu.img", false, false}, {"leftd.img", false, true}, {"rightu.img", true, false},
                 {"rightd.img", true, true}};
    bool ok = true;
    for (const auto& k : kinds) {
        Shaped s(14, 14);
        ButtonBody(s, k.pressed ? Mix(kAmber, kWhite, 0.1f) : kChromeTop, k.pressed ? Mix(kAmber, kInk, 0.25f) : kChromeBottom, 3);
        float tip = k.right ? 9.6f : 4.4f, base = k.right ? 5.2f : 8.8f;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x) {
                float fx = x + 0.5f, fy = y + 0.5f;
                float along = (fx - base) / (tip - base);  // 0 at the base, 1 at the tip
                float half = 3.4f * (1 - along);
                if (along >= 0 && along <= 1)
                    s.canvas.Blend(x, y, kWhite, std::clamp(half - std::fabs(fy - 7) + 0.5f, 0.f, 1.f));
            }
        ok = s.Save(dir, k.name) && ok;
    }
    return ok;
}

// Slider thumbs (amber pills with a grip line) and the value box.
bool SliderParts(const std::string& dir)
{
    bool ok = true;
    {
        Shaped s(11, 14);
        ButtonBody(s, Mix(kAmber, kWhite, 0.25f), Mix(kAmber, kInk, 0.2f), 4);
        Line(s.canvas, 5.5f, 4.5f, 5.5f, 9.5f, 1.2f, Mix(kAmber, kInk, 0.55f));
        ok = s.Save(dir, "hslider.img") && ok;
    }
    {
        Shaped s(14, 11);
        ButtonBody(s, Mix(kAmber, kWhite, 0.25f), Mix(kAmber, kInk, 0.2f), 4);
        Line(s.canvas, 4.5f, 5.5f, 9.5f, 5.5f, 1.2f, Mix(kAmber, kInk, 0.55f));
        ok = s.Save(dir, "vslider.img") && ok;
    }
    {
        Shaped s(34, 16);
        s.canvas.VerticalGradient(kPaper, kPaper);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 34; ++x) {
                float fx = x + 0.5f, fy = y + 0.5f;
                s.canvas.Blend(x, y, kRim, RoundRectCoverage(fx, fy, 0, 0, 34, 16, 4));
                s.canvas.Blend(x, y, Mix(kPaperShade, kWhite, fy / 16), RoundRectCoverage(fx, fy, 1, 1, 32, 14, 3));
            }
        s.Cover([](float x, float y) { return RoundRectCoverage(x, y, 0, 0, 34, 16, 4); });
        ok = s.Save(dir, "slider.img") && ok;
    }
    return ok;
}

// Progress bar tiles: the sunken track and the blue fill, 8 × 12 each, repeated across.
bool Progress(const std::string& dir)
{
    Canvas track(8, 12), fill(8, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 8; ++x) {
            float t = y / 11.f;
            track.Set(x, y, y == 0 || y == 11 ? kRim : Mix(kPaperShade, kWhite, t));
            RGB f = Mix(Mix(kBlue, kWhite, 0.35f), Mix(kBlue, kInk, 0.25f), t);
            // a faint diagonal sheen so the bar does not look flat
            if ((x + y) % 8 < 3)
                f = Mix(f, kWhite, 0.12f);
            fill.Set(x, y, y == 0 || y == 11 ? Mix(kBlue, kInk, 0.5f) : f);
        }
    Bitmap* a = track.ToBitmap();
    Bitmap* b = fill.ToBitmap();
    bool ok = Save(a, dir, "res/tools/progh.img") && Save(b, dir, "res/tools/progc.img");
    DeletePic(a);
    DeletePic(b);
    return ok;
}

// The title bar: rounded top-left and top-right ends and a middle tile, 20 pixels high.
bool TitleBar(const std::string& dir)
{
    const int h = 20, end = 8;
    auto paint = [&](Canvas& c, int offset, int width) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < width; ++x) {
                RGB body = Mix(kChromeTop, kChromeBottom, y / float(h - 1));
                if (y == 0)
                    body = Mix(body, kWhite, 0.25f);
                if (y == h - 1)
                    body = Mix(kInk, kChromeBottom, 0.3f);
                (void)offset;
                c.Set(x, y, body);
            }
    };
    bool ok = true;
    for (int side = 0; side < 2; ++side) {
        Shaped s(end, h);
        paint(s.canvas, 0, end);
        // the rounded corner lies at the outer top
        s.Cover([&](float x, float y) {
            float cx = side == 0 ? 6.f : end - 6.f;
            return y > 6 ? 1.f : side == 0 ? (x >= cx ? 1.f : CircleCoverage(x, y, 6, 6, 6))
                                           : (x <= cx ? 1.f : CircleCoverage(x, y, end - 6, 6, 6));
        });
        ok = s.Save(dir, side == 0 ? "barleft.img" : "barrite.img") && ok;
    }
    Canvas mid(8, h);
    paint(mid, 0, 8);
    Bitmap* b = mid.ToBitmap();
    ok = Save(b, dir, "res/tools/barmid.img") && ok;
    DeletePic(b);
    return ok;
}

// Separators: an engraved line (dark over light) with tapered ends.
bool Separators(const std::string& dir)
{
    bool ok = true;
    struct {
        const char* name;
        int width;
        float fadeFrom;  // -1 fades in from the left, 1 fades out to the right, 0 full
    } parts[] = {{"sepl.img", 6, -1}, {"sepm.img", 8, 0}, {"sepr.img", 6, 1}};
    for (const auto& p : parts) {
        Canvas c(p.width, 2);
        for (int x = 0; x < p.width; ++x) {
            float t = (x + 0.5f) / p.width;
            float strength = p.fadeFrom < 0 ? t : p.fadeFrom > 0 ? 1 - t : 1;
            c.Set(x, 0, Mix(kPaper, Mix(kRim, kInk, 0.2f), strength));
            c.Set(x, 1, Mix(kPaper, kWhite, strength));
        }
        Bitmap* b = c.ToBitmap();
        ok = Save(b, dir, std::string("res/tools/") + p.name) && ok;
        DeletePic(b);
    }
    return ok;
}

// Window buttons on the title bar: round, with a close cross, a minimise bar or a maximise box;
// the "f" picture is the pressed one (close turns red, the others amber).
bool WindowButtons(const std::string& dir)
{
    struct {
        const char* name;
        int glyph;  // 0 cross, 1 bar, 2 box
        bool pressed;
    } kinds[] = {{"close.img", 0, false}, {"closef.img", 0, true}, {"min.img", 1, false},
                 {"minf.img", 1, true},   {"max.img", 2, false},   {"maxf.img", 2, true}};
    bool ok = true;
    for (const auto& k : kinds) {
        Shaped s(16, 16);
        RGB face = k.pressed ? (k.glyph == 0 ? kRed : kAmber) : Mix(kChromeTop, kWhite, 0.18f);
        s.canvas.VerticalGradient(kChromeTop, kChromeBottom);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                float fx = x + 0.5f, fy = y + 0.5f;
                s.canvas.Blend(x, y, Mix(kInk, kChromeBottom, 0.4f), CircleCoverage(fx, fy, 8, 8, 7.5f));
                s.canvas.Blend(x, y, Mix(face, kWhite, 0.15f * (1 - fy / 16)), CircleCoverage(fx, fy, 8, 8, 6.5f));
            }
        if (k.glyph == 0) {
            Line(s.canvas, 5.3f, 5.3f, 10.7f, 10.7f, 1.7f, kWhite);
            Line(s.canvas, 10.7f, 5.3f, 5.3f, 10.7f, 1.7f, kWhite);
        } else if (k.glyph == 1) {
            Line(s.canvas, 5.0f, 10.0f, 11.0f, 10.0f, 1.8f, kWhite);
        } else {
            s.canvas.RoundedBox(4.8f, 4.8f, 6.4f, 6.4f, 0.8f, kWhite, 1.f);
            s.canvas.RoundedBox(6.0f, 6.6f, 4.0f, 3.4f, 0.4f, face, 1.f);
        }
        s.Cover([](float x, float y) { return CircleCoverage(x, y, 8, 8, 7.5f); });
        ok = s.Save(dir, k.name) && ok;
    }
    return ok;
}

bool Tick(const std::string& dir)
{
    Shaped s(12, 12);
    s.canvas.VerticalGradient(kBlue, kBlue);
    // the coverage of a thick tick: distance to its two strokes
    auto segment = [](float x, float y, float x0, float y0, float x1, float y1) {
        float vx = x1 - x0, vy = y1 - y0;
        float t = std::clamp(((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy), 0.f, 1.f);
        return std::hypot(x - x0 - t * vx, y - y0 - t * vy);
    };
    s.Cover([&](float x, float y) {
        float d = std::min(segment(x, y, 2, 6.5f, 5, 9.5f), segment(x, y, 5, 9.5f, 10.5f, 2.5f));
        return std::clamp(1.6f - d, 0.f, 1.f);
    });
    return s.Save(dir, "tick.img");
}

// The message box: a rounded card with a slate title strip over warm paper.
bool MessageBox(const std::string& dir)
{
    const int w = 420, h = 190, strip = 30;
    const float r = 10;
    Shaped s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            RGB c = y < strip ? Mix(kChromeTop, kChromeBottom, y / float(strip - 1))
                              : Mix(kPaper, kPaperShade, std::pow((y - strip) / float(h - strip), 2.f) * 0.8f);
            if (y == strip)
                c = Mix(kAmber, kChromeBottom, 0.15f);  // a thin accent under the title
            if (y == strip + 1)
                c = Mix(kAmber, kPaper, 0.55f);
            s.canvas.Set(x, y, c);
        }
    s.canvas.Noise(0.018f, 23);
    // a faint brush stroke in the corner, echoing the start picture
    s.canvas.Stroke(w - 150, h - 20, w - 110, h - 70, w - 60, h - 30, w - 10, h - 80, 9, 3, kAmber, 0.18f);
    s.canvas.Stroke(w - 160, h - 8, w - 120, h - 40, w - 40, h - 10, w, h - 50, 6, 2, kBlue, 0.12f);
    // the rim
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float outer = RoundRectCoverage(fx, fy, 0, 0, w, h, r);
            float inner = RoundRectCoverage(fx, fy, 1.5f, 1.5f, w - 3, h - 3, r - 1.5f);
            s.canvas.Blend(x, y, kInk, std::clamp(outer - inner, 0.f, 1.f) * 0.9f);
        }
    s.Cover([&](float x, float y) { return RoundRectCoverage(x, y, 0, 0, w, h, r); });
    return s.Save(dir, "msgbox.img");
}

bool MessageButtons(const std::string& dir)
{
    struct {
        const char* up;
        const char* down;
        RGB colour;
    } kinds[] = {{"msgyes.img", "msgyesd.img", kBlue},
                 {"msgno.img", "msgnod.img", Hex(0x5A6474)},
                 {"msgc.img", "msgcd.img", Hex(0x8A6A4E)}};
    bool ok = true;
    for (const auto& k : kinds)
        for (int pressed = 0; pressed < 2; ++pressed) {
            Shaped s(88, 28);
            RGB top = pressed ? Mix(k.colour, kInk, 0.3f) : Mix(k.colour, kWhite, 0.18f);
            RGB bottom = pressed ? Mix(k.colour, kInk, 0.15f) : Mix(k.colour, kInk, 0.2f);
            ButtonBody(s, top, bottom, 6);
            ok = s.Save(dir, pressed ? k.down : k.up) && ok;
        }
    return ok;
}

}  // namespace

bool DrawSkins(const std::string& dir)
{
    bool ok = CheckBoxes(dir);
    ok = RadioButtons(dir) && ok;
    ok = Arrows(dir) && ok;
    ok = SliderParts(dir) && ok;
    ok = Progress(dir) && ok;
    ok = TitleBar(dir) && ok;
    ok = Separators(dir) && ok;
    ok = WindowButtons(dir) && ok;
    ok = Tick(dir) && ok;
    ok = MessageBox(dir) && ok;
    ok = MessageButtons(dir) && ok;
    return ok;
}

}  // namespace assets

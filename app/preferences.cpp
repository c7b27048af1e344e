#include "app/preferences.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "widgets/events.h"
#include "widgets/image_button.h"
#include "widgets/message_box.h"
#include "widgets/messages.h"
#include "widgets/text_label.h"
#include "widgets/toggle_button.h"
#include "widgets/tool_window.h"

namespace app {
namespace {

bool EqualsNoCase(const std::string& a, const char* b)
{
    if (a.size() != std::strlen(b))
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

PreferenceEffects ConfirmPreferences(GeneralOptions* options, const GeneralOptions& edited)
{
    PreferenceEffects e;
    e.soundChanged = options->sound != edited.sound;
    e.niceTextChanged = options->niceText != edited.niceText;
    e.reloadWallpaper = options->paperMethod != edited.paperMethod || options->light != edited.light;
    options->sound = edited.sound;
    options->paperMethod = edited.paperMethod;
    options->hint = edited.hint;
    options->cursor3d = edited.cursor3d;
    options->light = edited.light;
    options->niceText = edited.niceText;
    options->autoHide = edited.autoHide;
    if (e.niceTextChanged)
        widgets::SkinnedMessageBox("Prompt", kNiceTextRestart, widgets::kBoxOk);
    SaveGeneralOptions(*options);
    return e;
}

const char* const kWallpaperPatterns[5] = {"backg.pcy", "800.pcy", "wave.pcy", "a-08.pcy", "a-09.pcy"};

const char* NextWallpaperPattern(const char* currentPath, int step)
{
    const std::string path = currentPath ? currentPath : "";
    const size_t cut = path.find_last_of("\\/");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    int at = -1;
    for (int i = 0; i < 5; ++i)
        if (EqualsNoCase(name, kWallpaperPatterns[i]))
            at = i;
    if (at < 0)
        return kWallpaperPatterns[step < 0 ? 4 : 0];
    return kWallpaperPatterns[(at + (step < 0 ? 4 : 1)) % 5];
}

namespace {

// The wallpaper buttons' commands; negative so that they never reach the program's dispatcher.
constexpr int kCmdPreviousPattern = -10;
constexpr int kCmdNextPattern = -11;
constexpr int kCmdBrowseWallpaper = -12;
constexpr int kCmdDefaultWallpaper = -13;

std::string FileNameOf(const char* path)
{
    const std::string p = path ? path : "";
    const size_t cut = p.find_last_of("\\/");
    return cut == std::string::npos ? p : p.substr(cut + 1);
}

// Control ids inside the dialog.
enum {
    kSound = 1,
    kHint,
    kCursor,
    kNiceText,
    kLight,
    kAutoHide,
    kDailyHint,
    kMozaic,
    kCentre,
    kStretch,
};
constexpr int kPaperGroup = 1;

class PreferencesDialog : public widgets::ToolWindow {
public:
    PreferencesDialog(const widgets::Rect& r, GeneralOptions* options,
                      void (*done)(bool, const PreferenceEffects&), const WallpaperChoice* wallpaper)
        : Widget(r), ToolWindow(r, "Preferences"), options_(options), edited_(*options), done_(done),
          wallpaper_(wallpaper ? *wallpaper : WallpaperChoice{nullptr, nullptr})
    {
        struct Switch {
            int id;
            const char* label;
            int* value;
        } switches[] = {
            {kSound, "Sound Effect", &edited_.sound},
            {kHint, "Hint on/off.", &edited_.hint},
            {kCursor, "3D Cursor", &edited_.cursor3d},
            {kNiceText, "Nice text", &edited_.niceText},
            {kLight, "Light Effect", &edited_.light},
            {kAutoHide, "Autohide the window over brush", &edited_.autoHide},
            {kDailyHint, "Show tips after startup.", &options_->dailyHint},
        };
        int32_t y = 34;
        for (const Switch& s : switches) {
            auto* box = new widgets::CheckBox({16, y, 250, y + 20}, s.label, *s.value != 0);
            box->SetId(s.id);
            AddChild(box);
            y += 24;
        }
        AddChild(new widgets::TextLabel({270, 34, 400, 52}, "Display mode", 0x1F2A3A, 15));
        struct Mode {
            int id;
            const char* label;
            int method;
        } modes[] = {{kMozaic, "Mozaic", kPaperTiled}, {kCentre, "Center", kPaperCentred},
                     {kStretch, "Stretch", kPaperStretched}};
        y = 58;
        for (const Mode& m : modes) {
            auto* radio = new widgets::RadioButton({270, y, 400, y + 20}, m.label, kPaperGroup,
                                                   edited_.paperMethod == m.method);
            radio->SetId(m.id);
            AddChild(radio);
            y += 24;
        }
        if (wallpaper_.changed) {
            AddChild(new widgets::TextLabel({270, 138, 460, 156}, "Wallpaper", 0x1F2A3A, 15));
            AddChild(new widgets::ImageButton({270, 165, 284, 179}, "leftu.img", "leftd.img", nullptr, nullptr,
                                              kCmdPreviousPattern, "Previous pattern"));
            char path[kMaxPath];
            LoadWallpaperPath(path, sizeof path);
            paperName_ = new widgets::TextLabel({290, 162, 438, 182}, FileNameOf(path).c_str(), 0x1F2A3A, 15, true);
            AddChild(paperName_);
            AddChild(new widgets::ImageButton({444, 165, 458, 179}, "rightu.img", "rightd.img", nullptr, nullptr,
                                              kCmdNextPattern, "Next pattern"));
            AddChild(new widgets::ImageButton({270, 190, 358, 218}, "msgno.img", "msgnod.img", nullptr, "Browse...",
                                              kCmdBrowseWallpaper));
            AddChild(new widgets::ImageButton({370, 190, 458, 218}, "msgno.img", "msgnod.img", nullptr, "Default",
                                              kCmdDefaultWallpaper));
        }
        int32_t w = r.Width(), h = r.Height();
        AddChild(new widgets::ImageButton({w - 200, h - 40, w - 112, h - 12}, "msgyes.img", "msgyesd.img", nullptr,
                                          "OK", widgets::kCmdConfirm));
        AddChild(new widgets::ImageButton({w - 100, h - 40, w - 12, h - 12}, "msgc.img", "msgcd.img", nullptr,
                                          "Cancel", widgets::kCmdCancel));
    }

    int Notify(int id, int event, int value) override
    {
        if (event != widgets::kEventChanged)
            return ToolWindow::Notify(id, event, value);
        switch (id) {
        case kSound: edited_.sound = value; break;
        case kHint: edited_.hint = value; break;
        case kCursor: edited_.cursor3d = value; break;
        case kNiceText: edited_.niceText = value; break;
        case kLight: edited_.light = value; break;
        case kAutoHide: edited_.autoHide = value; break;
        case kDailyHint:
            // the one switch that takes effect at once
            options_->dailyHint = value;
            SetIniInt(kIniSection, "DAILY_HINT_ON", value);
            break;
        case kMozaic: edited_.paperMethod = kPaperTiled; break;
        case kCentre: edited_.paperMethod = kPaperCentred; break;
        case kStretch: edited_.paperMethod = kPaperStretched; break;
        }
        return 1;
    }

    int Command(int code, int param) override
    {
        if (code == widgets::kCmdConfirm) {
            edited_.dailyHint = options_->dailyHint;
            PreferenceEffects effects = ConfirmPreferences(options_, edited_);
            done_(true, effects);
            return 1;
        }
        if (code == widgets::kCmdCancel) {
            done_(false, {});
            return 1;
        }
        if (wallpaper_.changed && code <= kCmdPreviousPattern && code >= kCmdDefaultWallpaper) {
            ChooseWallpaper(code);
            return 1;
        }
        return ToolWindow::Command(code, param);
    }

    void Closed() override { done_(false, {}); }

private:
    void ChooseWallpaper(int code)
    {
        char path[kMaxPath];
        LoadWallpaperPath(path, sizeof path);
        std::string chosen;
        if (code == kCmdBrowseWallpaper) {
            char file[kMaxPath] = {};
            if (!wallpaper_.chooseFile || !wallpaper_.chooseFile(file, sizeof file))
                return;
            chosen = file;
        } else if (code == kCmdDefaultWallpaper) {
            chosen = DefaultWallpaperPath();
        } else {
            chosen = JoinPath(JoinPath(RunDir(), "pattern"),
                              NextWallpaperPattern(path, code == kCmdNextPattern ? 1 : -1));
        }
        if (chosen.empty())
            return;
        SaveWallpaperPath(chosen.c_str());
        paperName_->SetText(FileNameOf(chosen.c_str()).c_str());
        paperName_->Invalidate();
        wallpaper_.changed();
    }

    GeneralOptions* options_;
    GeneralOptions edited_;
    void (*done_)(bool, const PreferenceEffects&);
    WallpaperChoice wallpaper_;
    widgets::TextLabel* paperName_ = nullptr;
};

}  // namespace

widgets::Container* NewPreferencesDialog(GeneralOptions* options, int screenWidth, int screenHeight,
                                         void (*done)(bool, const PreferenceEffects&), const WallpaperChoice* wallpaper)
{
    const int32_t w = 474, h = 274;
    int32_t x = (screenWidth - w) / 2, y = (screenHeight - h) / 2;
    return new PreferencesDialog({x, y, x + w, y + h}, options, done, wallpaper);
}

}  // namespace app

// The document desk on the headless window host: the first document's window, what it draws, the
// refresh of a changed picture rectangle, the close and quit questions and the layer commands that
// arrive as command identifiers.
#include "app/document_desk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../common/scratch_folder.h"
#include "app/document_window.h"
#include "app/sound.h"
#include "document/document_core.h"
#include "document/document_save.h"
#include "document/undo.h"
#include "document/vkd_file.h"
#include "platform/headless/headless_host.h"
#include "raster/block_ops.h"
#include "widgets/message_box.h"
#include "widgets/messages.h"
#include "widgets/skin.h"

using namespace app;

namespace {

constexpr int32_t kScreenW = 1024, kScreenH = 768;

std::vector<platform::Rect> refreshed;
std::vector<std::pair<int, intptr_t>> posted;
std::vector<std::string> questions;
std::vector<int> answers;   // answers given to the questions, in order (then yes)
std::vector<int> sounds;
std::vector<std::pair<Colour, bool>> picked;

std::string dialogFolder;   // empty: the dialog is cancelled
int dialogs = 0;

std::string openChoice;     // what the Open dialog hands back, zeros included; empty: cancelled

void Refresh(const platform::Rect& r) { refreshed.push_back(r); }

int OpenDialog(const char*, char* buffer, int size)
{
    if (openChoice.empty() || static_cast<int>(openChoice.size()) + 1 > size)
        return 0;
    std::memcpy(buffer, openChoice.data(), openChoice.size());
    buffer[openChoice.size()] = '\0';
    return 1;
}

int SaveDialog(const char*, char* folder, char* name)
{
    ++dialogs;
    if (dialogFolder.empty())
        return 0;
    std::snprintf(folder, kPathSize, "%s", dialogFolder.c_str());
    std::snprintf(name, kPathSize, "%s", "picture");
    return 1;
}
void Post(int command, intptr_t parameter) { posted.emplace_back(command, parameter); }

int Answer(const char* text, const char*)
{
    questions.push_back(text);
    if (answers.empty())
        return kAnswerYes;
    int a = answers.front();
    answers.erase(answers.begin());
    return a;
}

struct DeskTest : ::testing::Test {
    DeskTest() : host(kScreenW, kScreenH)
    {
        previous = platform::SetHost(&host);
        refreshed.clear();
        posted.clear();
        questions.clear();
        answers.clear();
        sounds.clear();
        ResetDocumentHooks();
        ResetSaveHooks();
        ResetUndoUiHooks();
        dialogFolder.clear();
        openChoice.clear();
        dialogs = 0;
        picked.clear();
        InstallDocumentDesk({0, 0, kScreenW, kScreenH},
                            DeskScreen{Refresh, Post, SaveDialog, OpenDialog,
                                       [](Colour c, bool background) { picked.emplace_back(c, background); }});
        // the message box would need a real main window: the questions are answered here
        g_documentHooks.messageBox = Answer;
        SetSoundPlayer([](int effect) { sounds.push_back(effect); });
        SetNewDocumentDefaults(600, 400, 0, "Untitled");
        screen = NewRGBPic(kScreenW, kScreenH);
    }
    ~DeskTest() override
    {
        ReleaseDocumentDesk();
        ResetDocumentHooks();
        ResetSaveHooks();
        ResetUndoUiHooks();
        SetSoundPlayer(nullptr);
        DeletePic(screen);
        platform::SetHost(previous);
    }

    Colour At(int32_t x, int32_t y) { return widgets::PixelAt(screen, x, y); }

    platform::HeadlessHost host;
    platform::WindowHost* previous;
    Bitmap* screen;
};

TEST_F(DeskTest, FirstDocumentIsABlankUntitledCanvasInAFramedWindow)
{
    Document* doc = CreateFirstDocument("");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->width, 600);
    EXPECT_EQ(doc->height, 400);
    EXPECT_STREQ(doc->fileName, "Untitled");
    DocWindow* w = WindowOf(doc);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Title(), "Untitled");
    EXPECT_EQ(ActiveDocumentWindow(), w);

    BlockSet(screen, 0, 0, kScreenW, kScreenH, 0x123456);
    DrawDocumentWindows(screen, {0, 0, kScreenW, kScreenH});
    const ViewMapping m = w->Mapping();
    // 1 : 1, centred on the screen, the whole canvas visible
    EXPECT_EQ(m.viewWidth, 600);
    EXPECT_EQ(m.viewHeight, 400);
    EXPECT_EQ(m.srcWidth, 600);
    EXPECT_EQ(At(m.viewLeft, m.viewTop), 0xFFFFFFu);
    EXPECT_EQ(At(m.viewLeft + 599, m.viewTop + 399), 0xFFFFFFu);
    EXPECT_EQ(At(m.viewLeft - 1, m.viewTop + 200), 0x000000u);
    EXPECT_EQ(At(m.viewLeft + 600, m.viewTop + 200), 0x000000u);
    EXPECT_EQ(At(m.viewLeft + 300, m.viewTop - 1), 0x000000u);
    EXPECT_EQ(At(m.viewLeft + 300, m.viewTop + 400), 0x000000u);
    EXPECT_EQ(At(m.viewLeft - 3, m.viewTop + 200), kDocumentBackdrop);
    // the wallpaper stays outside the window
    EXPECT_EQ(At(5, 5), 0x123456u);
}

TEST_F(DeskTest, ZoomedCanvasIsDrawnScaledAndOnlyInsideTheClip)
{
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    // a red square at picture (10, 10)-(20, 20) on the background
    BlockSet(doc->bottom->pixels, 10, 10, 10, 10, 0xFF0000);
    ComposeDocument(doc, nullptr);
    DocWindow* w = WindowOf(doc);
    refreshed.clear();
    ASSERT_EQ(DocumentCommand(kCmdZoomOut, 0), 1);
    EXPECT_EQ(w->View().zoom, kDefaultZoomIndex - 1);   // 75 %
    EXPECT_FALSE(refreshed.empty());
    ASSERT_EQ(DocumentCommand(kCmdZoomOut, 0), 1);      // 50 %
    const ViewMapping m = w->Mapping();
    EXPECT_EQ(m.viewWidth, 300);
    EXPECT_EQ(m.viewHeight, 200);
    // the window shrank around the smaller canvas
    EXPECT_EQ(w->AbsoluteRect().Width(), 300 + 2 * kCanvasMargin + 2);

    BlockSet(screen, 0, 0, kScreenW, kScreenH, 0x123456);
    // a clip covering only the left half of the red square's place on the screen
    const platform::Rect clip{m.viewLeft, m.viewTop, m.viewLeft + 7, m.viewTop + 20};
    DrawDocumentWindows(screen, clip);
    EXPECT_EQ(At(m.viewLeft + 6, m.viewTop + 6), 0xFF0000u);
    EXPECT_EQ(At(m.viewLeft + 2, m.viewTop + 2), 0xFFFFFFu);
    EXPECT_EQ(At(m.viewLeft + 8, m.viewTop + 6), 0x123456u) << "drawn outside the clip";
}

TEST_F(DeskTest, ChangedPictureRectangleIsRefreshedWhereItLiesOnTheScreen)
{
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    const ViewMapping m = WindowOf(doc)->Mapping();
    refreshed.clear();
    const Rect changed{100, 50, 110, 60};
    RefreshDocumentRect(doc, &changed);
    ASSERT_EQ(refreshed.size(), 1u);
    const platform::Rect r = refreshed[0];
    EXPECT_LE(r.left, m.viewLeft + 100);
    EXPECT_LE(r.top, m.viewTop + 50);
    EXPECT_GE(r.right, m.viewLeft + 110);
    EXPECT_GE(r.bottom, m.viewTop + 60);
    EXPECT_LT(r.Width(), 20);
    // outside the canvas: nothing to show
    refreshed.clear();
    const Rect outside{700, 0, 720, 20};
    RefreshDocumentRect(doc, &outside);
    EXPECT_TRUE(refreshed.empty());
}

TEST_F(DeskTest, LayerCommandsReachTheCurrentDocumentByIdentifier)
{
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->modified, 0u);
    EXPECT_EQ(LayerCommand(kCmdNewLayer, 0), 1);
    EXPECT_EQ(doc->layerCount, 2);
    EXPECT_EQ(doc->modified, 1u);
    EXPECT_EQ(LayerCommand(kCmdDuplicateLayer, 0), 1);
    EXPECT_EQ(doc->layerCount, 3);
    // opacity: sub-code in the high word, value in the low word
    EXPECT_EQ(LayerCommand(kCmdOpacitySlider, (kOpacityCommitClick << 16) | 77), 1);
    EXPECT_EQ(doc->current->props.opacity, 77);
    EXPECT_EQ(LayerCommand(kCmdBlendModeList, 4), 1);
    EXPECT_EQ(doc->current->props.blendMode, 4);
    EXPECT_EQ(LayerCommand(4242, 0), 0);
    // every one of them is undoable, and undo reaches the history through the desk
    EXPECT_TRUE(UndoEnabled());
    EXPECT_FALSE(RedoEnabled());
    EXPECT_EQ(DocumentCommand(kCmdUndo, 0), 1);
    EXPECT_EQ(doc->current->props.blendMode, 0);
    EXPECT_TRUE(RedoEnabled());
    EXPECT_EQ(DocumentCommand(kCmdRedo, 0), 1);
    EXPECT_EQ(doc->current->props.blendMode, 4);
}

TEST_F(DeskTest, UndoWithNothingLeftPlaysItsSound)
{
    ASSERT_NE(CreateFirstDocument(nullptr), nullptr);
    EXPECT_FALSE(UndoEnabled());
    DocumentCommand(kCmdUndo, 0);
    EXPECT_EQ(sounds, std::vector<int>{kUndoEmptySoundEffect});
    SetSoundOn(false);
    DocumentCommand(kCmdUndo, 0);
    SetSoundOn(true);
    EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(DeskTest, QuitStopsAtTheFirstCancelledQuestionAndKeepsOlderDocuments)
{
    Document* first = CreateFirstDocument(nullptr);
    Document* second = CreateDocument(nullptr);
    Document* third = CreateDocument(nullptr);
    ASSERT_TRUE(first && second && third);
    MarkModified(first);
    MarkModified(second);
    // the newest closes without a question, the second is kept open by Cancel
    answers = {kAnswerCancel};
    EXPECT_FALSE(CloseAllDocuments());
    EXPECT_EQ(questions, std::vector<std::string>{kSavePromptText});
    EXPECT_EQ(OpenDocumentCount(), 2);
    EXPECT_EQ(FindOpenDocument(third), nullptr);
    EXPECT_EQ(CurrentDocument(), second);
    EXPECT_EQ(WindowOf(second), ActiveDocumentWindow());
    // No for both: everything closes and no window is left
    answers = {kAnswerNo, kAnswerNo};
    EXPECT_TRUE(CloseAllDocuments());
    EXPECT_EQ(OpenDocumentCount(), 0);
    EXPECT_EQ(CurrentDocument(), nullptr);
    EXPECT_EQ(ActiveDocumentWindow(), nullptr);
}

TEST_F(DeskTest, CloseButtonAsksThroughTheDispatcherAndCancelKeepsTheWindow)
{
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    LayerCommand(kCmdNewLayer, 0);
    WindowOf(doc)->CloseRequested();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].first, kCmdCloseDocument);
    answers = {kAnswerCancel};
    DocumentCommand(posted[0].first, posted[0].second);
    EXPECT_NE(WindowOf(doc), nullptr);
    answers = {kAnswerNo};
    DocumentCommand(posted[0].first, posted[0].second);
    EXPECT_EQ(OpenDocumentCount(), 0);
    // a second close of the same (now gone) document is harmless
    EXPECT_EQ(DocumentCommand(posted[0].first, posted[0].second), 1);
}

TEST_F(DeskTest, SaveAsWritesThroughTheDialogAndSaveReusesTheFile)
{
    ScratchFolder dir;
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    // a cancelled dialog saves nothing and says nothing
    EXPECT_EQ(FileSaveCommand(kCmdSaveAs, 0), 1);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(doc->hasFile, 0u);

    dialogFolder = dir.Path() + "/";
    LayerCommand(kCmdNewLayer, 0);
    EXPECT_EQ(FileSaveCommand(kCmdSaveAs, 0), 1);
    EXPECT_TRUE(dir.Exists("picture.vkd"));
    EXPECT_STREQ(doc->fileName, "picture.vkd");
    EXPECT_EQ(WindowOf(doc)->Title(), "picture.vkd");
    EXPECT_EQ(doc->modified, 0u);
    EXPECT_EQ(std::string(GetPictureFolder()), dir.Path());

    // save: the same file, no dialog
    LayerCommand(kCmdNewLayer, 0);
    const auto before = dir.Read("picture.vkd").size();
    EXPECT_EQ(FileSaveCommand(kCmdSave, 0), 1);
    EXPECT_EQ(dialogs, 2);
    EXPECT_GT(dir.Read("picture.vkd").size(), before);
    EXPECT_EQ(doc->modified, 0u);
    EXPECT_TRUE(questions.empty());

    // a folder that is not there: the failure is told and the document keeps its file
    dialogFolder = dir.Path() + "/missing/";
    MarkModified(doc);
    FileSaveCommand(kCmdSaveAs, 0);
    EXPECT_EQ(questions, std::vector<std::string>{kSaveFailedText});
    EXPECT_STREQ(doc->fileName, "picture.vkd");
    EXPECT_EQ(doc->modified, 1u);
    EXPECT_EQ(FileSaveCommand(4242, 0), 0);
}

TEST_F(DeskTest, MouseOnTheWindowsActivatesDragsAndPressesTheTitleButtons)
{
    Document* first = CreateFirstDocument(nullptr);
    Document* second = CreateDocument(nullptr);
    ASSERT_TRUE(first && second);
    auto press = [](int x, int y) {
        return DocumentWindowsMouse(widgets::kMsgLButtonDown, nullptr, 0, widgets::ParamFromPoint(x, y));
    };
    auto release = [](int x, int y) {
        return DocumentWindowsMouse(widgets::kMsgLButtonUp, nullptr, 0, widgets::ParamFromPoint(x, y));
    };
    auto move = [](int x, int y) {
        return DocumentWindowsMouse(widgets::kMsgMouseMove, nullptr, 0, widgets::ParamFromPoint(x, y));
    };
    // the second window cascades over the first: a press on the part of the first still showing
    // brings it to the top, and a press on the canvas is left to the canvas input
    const platform::Rect a = WindowOf(first)->AbsoluteRect();
    EXPECT_EQ(press(a.left + 5, a.top + 40), 0);
    EXPECT_EQ(CurrentDocument(), first);
    EXPECT_EQ(release(a.left + 5, a.top + 40), 0);

    // dragging the title bar moves the window
    EXPECT_EQ(press(a.left + 40, a.top + 8), 1);
    EXPECT_EQ(move(a.left + 10, a.top + 3), 1);
    EXPECT_EQ(release(a.left + 10, a.top + 3), 1);
    const platform::Rect moved = WindowOf(first)->AbsoluteRect();
    EXPECT_EQ(moved.left, a.left - 30);
    EXPECT_EQ(moved.top, a.top - 5);

    // the close button asks through the dispatcher, for its own document
    const int closeX = moved.right - 11, closeY = moved.top + 10;
    EXPECT_EQ(press(closeX, closeY), 1);
    EXPECT_EQ(release(closeX, closeY), 1);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], std::make_pair(static_cast<int>(kCmdCloseDocument), reinterpret_cast<intptr_t>(first)));

    // the maximise button maximises every window; the title bar then does not move it
    const int maxX = moved.right - 47;
    EXPECT_EQ(press(maxX, closeY), 1);
    EXPECT_EQ(release(maxX, closeY), 1);
    EXPECT_TRUE(DocumentsMaximised());
    EXPECT_EQ(WindowOf(first)->AbsoluteRect(), (platform::Rect{0, 0, kScreenW, kScreenH}));
    press(200, 8);
    move(100, 50);
    release(100, 50);
    EXPECT_EQ(WindowOf(first)->AbsoluteRect(), (platform::Rect{0, 0, kScreenW, kScreenH}));
}

TEST_F(DeskTest, HandDragsThePictureUnderAZoomedView)
{
    SetNewDocumentDefaults(2000, 1500, 0, "Untitled");
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    DocWindow* w = WindowOf(doc);
    DocumentCommand(kCmdZoomIn, 0);   // 150 %
    DocumentCommand(kCmdZoomIn, 0);   // 200 %
    w->ScrollTo(500, 400);
    const ViewMapping m = w->Mapping();
    ASSERT_LT(m.srcWidth, 2000);
    const int x0 = m.viewLeft + 100, y0 = m.viewTop + 100;
    auto send = [](unsigned message, int x, int y) {
        return DocumentWindowsMouse(message, nullptr, 0, widgets::ParamFromPoint(x, y));
    };
    // without the hand a press on the canvas is the canvas's
    EXPECT_EQ(send(widgets::kMsgLButtonDown, x0, y0), 0);
    send(widgets::kMsgLButtonUp, x0, y0);
    SetHandScroll(true);
    EXPECT_EQ(send(widgets::kMsgLButtonDown, x0, y0), 1);
    // one screen pixel at a time still moves the picture, two per picture pixel at 200 %
    for (int i = 1; i <= 41; ++i)
        EXPECT_EQ(send(widgets::kMsgMouseMove, x0 - i, y0 + i), 1);
    EXPECT_EQ(send(widgets::kMsgLButtonUp, x0 - 41, y0 + 41), 1);
    EXPECT_EQ(w->View().scrollX, 520);
    EXPECT_EQ(w->View().scrollY, 380);
    // never past the picture's edge
    send(widgets::kMsgLButtonDown, x0, y0);
    send(widgets::kMsgLButtonUp, x0 + 5000, y0 + 5000);
    EXPECT_EQ(w->View().scrollX, 0);
    EXPECT_EQ(w->View().scrollY, 0);
    SetHandScroll(false);
    EXPECT_EQ(send(widgets::kMsgLButtonDown, x0, y0), 0);
    send(widgets::kMsgLButtonUp, x0, y0);
}

TEST_F(DeskTest, EyedropperPicksFromThePictureUnderTheMouse)
{
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    BlockSet(doc->bottom->pixels, 100, 50, 10, 10, 0x3366CC);
    ComposeDocument(doc, nullptr);
    DocumentCommand(kCmdZoomIn, 0);   // 150 %: picture (100, 50) lies at view + (150, 75)
    const ViewMapping m = WindowOf(doc)->Mapping();
    auto send = [](unsigned message, int x, int y) {
        return DocumentWindowsMouse(message, nullptr, 0, widgets::ParamFromPoint(x, y));
    };
    EXPECT_EQ(send(widgets::kMsgLButtonDown, m.viewLeft + 152, m.viewTop + 77), 0);   // off: the canvas's
    send(widgets::kMsgLButtonUp, m.viewLeft + 152, m.viewTop + 77);
    EXPECT_TRUE(picked.empty());
    SetColourPicker(true);
    EXPECT_EQ(send(widgets::kMsgLButtonDown, m.viewLeft + 152, m.viewTop + 77), 1);
    EXPECT_EQ(send(widgets::kMsgRButtonDown, m.viewLeft + 10, m.viewTop + 10), 1);
    // the frame and the grey around the canvas are not the picture
    EXPECT_EQ(send(widgets::kMsgLButtonDown, m.viewLeft - 1, m.viewTop + 10), 0);
    SetColourPicker(false);
    ASSERT_EQ(picked.size(), 2u);
    EXPECT_EQ(picked[0], std::make_pair(Colour{0x3366CC}, false));
    EXPECT_EQ(picked[1], std::make_pair(Colour{0xFFFFFF}, true));
}

TEST_F(DeskTest, WindowThatFilledTheScreenComesBackCentredAndOthersKeepTheirCorner)
{
    SetNewDocumentDefaults(320, 200, 0, "Untitled");
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    DocWindow* w = WindowOf(doc);
    const platform::Rect centred = w->AbsoluteRect();
    for (int i = 0; i < 4; ++i)
        DocumentCommand(kCmdZoomIn, 0);   // 400 %: 1280 x 800 does not fit
    EXPECT_EQ(w->AbsoluteRect(), (platform::Rect{0, 0, kScreenW, kScreenH}));
    DocumentCommand(kCmdZoomActual, 0);
    EXPECT_EQ(w->AbsoluteRect(), centred);
    // a window moved aside keeps its corner when it grows and shrinks within the screen
    w->MoveTo({10, 30});
    DocumentCommand(kCmdZoomIn, 0);
    EXPECT_EQ(w->AbsoluteRect().left, 10);
    EXPECT_EQ(w->AbsoluteRect().top, 30);
    EXPECT_EQ(w->AbsoluteRect().Width(), 480 + 2 * kCanvasMargin + 2);
}

TEST_F(DeskTest, RecentFileCommandsOpenTheirEntries)
{
    ScratchFolder dir;
    g_documentHooks.readDocument = ReadLayeredDocument;
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    LayerCommand(kCmdNewLayer, 0);
    ASSERT_EQ(WriteLayeredDocument(dir.File("kept.vkd").c_str(), doc), 1);
    RecentFiles list;
    AddRecentFile(&list, dir.Path().c_str(), "gone.vkd");
    AddRecentFile(&list, dir.Path().c_str(), "kept.vkd");   // now the first entry
    EXPECT_EQ(RecentFileCommand(kFirstRecentCommand, list), 1);
    Document* opened = CurrentDocument();
    ASSERT_NE(opened, doc);
    EXPECT_STREQ(opened->fileName, "kept.vkd");
    EXPECT_EQ(opened->layerCount, 2);
    EXPECT_NE(WindowOf(opened), nullptr);
    EXPECT_TRUE(questions.empty());
    // a file that is gone is told; an entry past the list and a command outside the range do nothing
    EXPECT_EQ(RecentFileCommand(kFirstRecentCommand + 1, list), 1);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(RecentFileCommand(kFirstRecentCommand + 5, list), 1);
    EXPECT_EQ(RecentFileCommand(kFirstRecentCommand + 6, list), 0);
    EXPECT_EQ(OpenDocumentCount(), 2);
}

TEST_F(DeskTest, OpenMakesADocumentOfEachChosenFile)
{
    ScratchFolder dir;
    g_documentHooks.readDocument = ReadLayeredDocument;
    Document* doc = CreateFirstDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(WriteLayeredDocument(dir.File("one.vkd").c_str(), doc), 1);
    ASSERT_EQ(WriteLayeredDocument(dir.File("two.vkd").c_str(), doc), 1);
    EXPECT_EQ(FileOpenCommand(kCmdOpen, 0), 1);   // cancelled
    EXPECT_EQ(OpenDocumentCount(), 1);
    openChoice = dir.Path() + std::string("\0one.vkd\0gone.vkd\0two.vkd\0", 27);
    EXPECT_EQ(FileOpenCommand(kCmdOpen, 0), 1);
    EXPECT_EQ(OpenDocumentCount(), 3);
    EXPECT_STREQ(CurrentDocument()->fileName, "two.vkd");
    EXPECT_EQ(questions.size(), 1u);   // the one that is gone
    EXPECT_EQ(std::string(GetPictureFolder()), dir.Path());
    EXPECT_EQ(FileOpenCommand(4242, 0), 0);
}

TEST_F(DeskTest, OpenSelectionNamesEachChosenFile)
{
    using Paths = std::vector<std::string>;
    const char single[] = "C:\\pics\\cat.vkd\0";
    EXPECT_EQ(OpenSelection(single, sizeof single), (Paths{"C:\\pics\\cat.vkd"}));
    const char several[] = "C:\\pics\0cat.vkd\0dog.VKD\0";
    EXPECT_EQ(OpenSelection(several, sizeof several), (Paths{"C:\\pics\\cat.vkd", "C:\\pics\\dog.VKD"}));
    const char root[] = "C:\\\0a.vkd\0";
    EXPECT_EQ(OpenSelection(root, sizeof root), (Paths{"C:\\a.vkd"}));
    // a buffer without its final zero gives only what is terminated
    const char cut[] = {'C', ':', '\\', 0, 'a', '.', 'v'};
    EXPECT_EQ(OpenSelection(cut, sizeof cut), (Paths{"C:\\"}));
    EXPECT_TRUE(OpenSelection("", 1).empty());
}

TEST_F(DeskTest, UnreadableFileIsToldAndABlankDocumentMadeInstead)
{
    Document* doc = CreateFirstDocument("/no/such/picture.vkd");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_STREQ(doc->fileName, "Untitled");
    EXPECT_EQ(doc->hasFile, 0u);
}

TEST_F(DeskTest, AcquiredPictureBecomesANewCurrentDocument)
{
    ASSERT_NE(CreateFirstDocument(nullptr), nullptr);
    // a packed 24-bit DIB of 3 x 2, bottom row first: blue pixels below, one red pixel top left
    std::vector<uint8_t> dib(40 + 2 * 12, 0);
    const int32_t header[3] = {40, 3, 2};
    std::memcpy(dib.data(), header, sizeof header);
    dib[12] = 1;    // planes
    dib[14] = 24;   // bits
    for (int x = 0; x < 3; ++x) {
        dib[40 + x * 3] = 0xFF;            // bottom row blue
        dib[40 + 12 + x * 3 + 1] = 0x80;   // top row green
    }
    dib[40 + 12 + 2] = 0xFF;               // top-left red
    Document* doc = DocumentFromPackedDib(dib.data(), dib.size());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(CurrentDocument(), doc);
    EXPECT_NE(WindowOf(doc), nullptr);
    EXPECT_EQ(doc->width, 3);
    EXPECT_EQ(doc->height, 2);
    EXPECT_STREQ(doc->fileName, "Untitled");
    EXPECT_EQ(widgets::PixelAt(doc->composite, 0, 0), 0xFF8000u);
    EXPECT_EQ(widgets::PixelAt(doc->composite, 2, 1), 0x0000FFu);
    // a block too short for what its header claims makes nothing
    EXPECT_EQ(DocumentFromPackedDib(dib.data(), 50), nullptr);
    EXPECT_EQ(OpenDocumentCount(), 2);
}

TEST_F(DeskTest, MaximisedWindowsFillTheScreenAndOnlyTheCurrentOneIsDrawn)
{
    Document* first = CreateFirstDocument(nullptr);
    Document* second = CreateDocument(nullptr);
    ASSERT_TRUE(first && second);
    SetDocumentsMaximised(true);
    EXPECT_EQ(WindowOf(first)->AbsoluteRect(), (platform::Rect{0, 0, kScreenW, kScreenH}));
    BlockSet(screen, 0, 0, kScreenW, kScreenH, 0x123456);
    // a mark only the first document has
    BlockSet(first->bottom->pixels, 0, 0, 600, 400, 0x00FF00);
    ComposeDocument(first, nullptr);
    DrawDocumentWindows(screen, {0, 0, kScreenW, kScreenH});
    const ViewMapping m = WindowOf(second)->Mapping();
    EXPECT_EQ(At(m.viewLeft + 10, m.viewTop + 10), 0xFFFFFFu);
    ActivateDocument(first);
    DrawDocumentWindows(screen, {0, 0, kScreenW, kScreenH});
    EXPECT_EQ(At(m.viewLeft + 10, m.viewTop + 10), 0x00FF00u);
    SetDocumentsMaximised(false);
    EXPECT_LT(WindowOf(first)->AbsoluteRect().Width(), kScreenW);
}

}  // namespace

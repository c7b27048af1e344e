// Saving from the program: names forced to ".vkd", the document's file state, and the question a
// modified document asks when it closes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/document_save.h"
#include "document/vkd_file.h"
#include "vkd_test_util.h"

namespace {

int g_answer = kAnswerYes;
std::vector<std::string> g_asked;
std::string g_dialogFolder, g_dialogName, g_dialogStart;
int g_titles = 0;

class DocumentSaveTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        ResetSaveHooks();
        g_answer = kAnswerYes;
        g_asked.clear();
        g_dialogName.clear();
        g_dialogStart.clear();
        g_titles = 0;
        g_dialogFolder = dir.Path().string() + "/";
        SetPictureFolder(dir.Path().string().c_str());
        g_documentHooks.messageBox = [](const char* text, const char* caption) {
            g_asked.push_back(std::string(caption) + "|" + text);
            return g_answer;
        };
        g_saveHooks.saveDialog = [](const char* start, char folder[kPathSize], char name[kPathSize]) {
            g_dialogStart = start;
            if (g_dialogName.empty())
                return 0;
            std::snprintf(folder, kPathSize, "%s", g_dialogFolder.c_str());
            std::snprintf(name, kPathSize, "%s", g_dialogName.c_str());
            return 1;
        };
        g_saveHooks.titleChanged = [](Document*) { ++g_titles; };
    }
    void TearDown() override
    {
        DocTest::TearDown();
        ResetSaveHooks();
    }
    ScratchDir dir;
};

TEST_F(DocumentSaveTest, NamesAreForcedToVkdAndTheDocumentTakesTheFile)
{
    const struct {
        const char* given;
        const char* stored;
    } cases[] = {{"cat", "cat.vkd"}, {"cat.VKD", "cat.VKD"}, {"cat.bmp", "cat.bmp.vkd"}, {"a.vkd", "a.vkd"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        Document* doc = Blank(8, 8);
        doc->modified = 1;
        g_dialogName = c.given;
        ASSERT_EQ(SaveDocumentAs(doc), 1);
        EXPECT_STREQ(doc->fileName, c.stored);
        EXPECT_EQ(std::filesystem::path(doc->directory), dir.Path());   // trailing separator stripped
        EXPECT_EQ(doc->hasFile, 1u);
        EXPECT_EQ(doc->modified, 0u);
        EXPECT_TRUE(std::filesystem::exists(dir.Path() / c.stored));
        EXPECT_EQ(g_dialogStart, dir.Path().string());
    }
    EXPECT_EQ(g_titles, 4);

    // "save" with a file writes there without a dialog.
    Document* doc = CurrentDocument();
    doc->modified = 1;
    g_dialogName.clear();
    g_dialogStart.clear();
    std::filesystem::remove(dir.Path() / "a.vkd");
    ASSERT_EQ(SaveDocument(doc), 1);
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "a.vkd"));
    EXPECT_EQ(g_dialogStart, "");
}

TEST_F(DocumentSaveTest, CloseQuestionFollowsTheAnswer)
{
    const std::string asked = std::string("Prompt|") + kSavePromptText;
    const std::string failed = std::string("WARNING|") + kSaveFailedText;
    const struct {
        const char* what;
        bool modified;
        bool hasFile;
        int answer;
        const char* dialogName;   // empty: the dialog is cancelled
        int closes;
        std::vector<std::string> asks;
        bool written;
    } cases[] = {
        {"unmodified", false, true, kAnswerYes, "", 1, {}, false},
        {"no", true, true, kAnswerNo, "", 1, {asked}, false},
        {"cancel", true, true, kAnswerCancel, "", 0, {asked}, false},
        {"yes with a file", true, true, kAnswerYes, "", 1, {asked}, true},
        {"yes through the dialog", true, false, kAnswerYes, "pic", 1, {asked}, true},
        {"yes, dialog cancelled", true, false, kAnswerYes, "", 0, {asked}, false},
        {"yes, folder gone", true, false, kAnswerYes, "gone/pic", 0, {asked, failed}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir.Path() / "pic.vkd");
        Document* doc = Blank(8, 8);
        doc->modified = c.modified;
        doc->hasFile = c.hasFile;
        std::snprintf(doc->directory, kPathSize, "%s", dir.Path().string().c_str());
        std::snprintf(doc->fileName, kPathSize, "%s", c.hasFile ? "PIC" : "Untitled");
        g_answer = c.answer;
        g_dialogName = c.dialogName;
        g_asked.clear();
        EXPECT_EQ(AskSaveBeforeClose(doc), c.closes);
        EXPECT_EQ(g_asked, c.asks);
        const bool written = std::filesystem::exists(dir.Path() / (c.hasFile ? "PIC.vkd" : "pic.vkd"));
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(doc->modified, c.written || !c.modified ? 0u : 1u);
        std::filesystem::remove(dir.Path() / "PIC.vkd");
        CloseDocument(doc);
    }
}

}  // namespace

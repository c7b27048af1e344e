#include "document/document_save.h"

#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>

#include "document/document_hooks.h"
#include "document/vkd_file.h"

const char* const kSavePromptCaption = "Prompt";
const char* const kSavePromptText = "Do you want to save?";
const char* const kSaveFailedText = "The picture could not be saved.";

namespace {

int NoDialog(const char*, char*, char*) { return 0; }
void NoTitle(Document*) {}
constexpr SaveHooks kDefaultSaveHooks = {NoDialog, NoTitle};

// Folder the last save went to; the dialog of the close question starts there.
std::string g_lastSaveFolder;

bool EndsWithVkd(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".vkd";
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// 1 saved, 0 the write failed, -1 the user cancelled the dialog.
int SaveWithDialog(Document* doc, const char* startFolder)
{
    char folder[kPathSize] = {}, name[kPathSize] = {};
    if (!g_saveHooks.saveDialog(startFolder, folder, name))
        return -1;
    folder[kPathSize - 1] = name[kPathSize - 1] = '\0';
    return SaveDocumentTo(doc, folder, name);
}

}  // namespace

SaveHooks g_saveHooks = kDefaultSaveHooks;
void ResetSaveHooks()
{
    g_saveHooks = kDefaultSaveHooks;
    g_lastSaveFolder.clear();
}

int SaveDocumentTo(Document* doc, const char* folder, const char* name)
{
    if (!doc || !folder || !name || !*name)
        return 0;
    std::string dir = folder;
    while (dir.size() > 1 && IsSeparator(dir.back()))
        dir.pop_back();
    std::string file = name;
    if (!EndsWithVkd(file))
        file += ".vkd";
    const std::string path = dir.empty() ? file : dir + static_cast<char>(std::filesystem::path::preferred_separator) + file;
    if (dir.size() >= kPathSize || file.size() >= kPathSize || path.size() >= kPathSize)
        return 0;
    if (!WriteLayeredDocument(path.c_str(), doc))
        return 0;
    std::memcpy(doc->directory, dir.c_str(), dir.size() + 1);
    std::memcpy(doc->fileName, file.c_str(), file.size() + 1);
    doc->hasFile = 1;
    doc->modified = 0;
    g_lastSaveFolder = dir;
    g_saveHooks.titleChanged(doc);
    return 1;
}

int SaveDocument(Document* doc)
{
    if (!doc)
        return 0;
    if (doc->hasFile)
        return SaveDocumentTo(doc, doc->directory, doc->fileName);
    return SaveDocumentAs(doc);
}

int SaveDocumentAs(Document* doc) { return doc && SaveWithDialog(doc, GetPictureFolder()) == 1 ? 1 : 0; }

int AskSaveBeforeClose(Document* doc)
{
    if (!doc || !doc->modified)
        return 1;
    switch (g_documentHooks.messageBox(kSavePromptText, kSavePromptCaption)) {
    case kAnswerNo:
        return 1;
    case kAnswerYes:
        break;
    default:
        return 0;
    }
    const int saved = doc->hasFile ? SaveDocumentTo(doc, doc->directory, doc->fileName)
                                   : SaveWithDialog(doc, g_lastSaveFolder.empty() ? GetPictureFolder()
                                                                                  : g_lastSaveFolder.c_str());
    if (saved == 1)
        return 1;
    // A failed write is told (the window staying open needs a reason); a cancelled dialog is not.
    if (saved == 0)
        g_documentHooks.messageBox(kSaveFailedText, kVkdWarningCaption);
    return 0;
}

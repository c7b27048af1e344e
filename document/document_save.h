// Saving documents from the program in the layered format: "save", "save as" and the question a
// modified document asks when it closes.
//
// The dialogs belong to the shell: it fills SaveHooks with the standard Save dialog and the window
// title update.  The defaults cancel every dialog and change no title, so the logic runs alone in
// tests and tools.  The question itself goes through DocumentHooks::messageBox.
#pragma once

#include "document/document.h"

struct SaveHooks {
    // The standard Save dialog (title "Save File", the "VESK File" type, "*.vkd"), starting in
    // startFolder.  On OK: the chosen folder (a trailing backslash is allowed) and file name, and 1;
    // 0 when the user cancelled.  Default: 0.
    int (*saveDialog)(const char* startFolder, char folder[kPathSize], char name[kPathSize]);
    // The document's file name changed: its window shows the new title.  Default: nothing.
    void (*titleChanged)(Document* doc);
};
extern SaveHooks g_saveHooks;
void ResetSaveHooks();

// Texts of the save question.
extern const char* const kSavePromptCaption;   // string 5, "Prompt"
extern const char* const kSavePromptText;      // string 6, "Do you want to save?"
extern const char* const kSaveFailedText;

// Writes the document to folder + separator + name with ".vkd" appended unless the name already ends
// in it (in any case).  On success the document takes that folder and name, has a file, is no longer
// modified and its title is updated; on failure nothing about it changes and a previous file stays.
int SaveDocumentTo(Document* doc, const char* folder, const char* name);
// "save": to the document's own file when it has one, else as "save as".
int SaveDocument(Document* doc);
// "save as" in the layered format: the Save dialog starting in the picture folder, then
// SaveDocumentTo.  0 when cancelled or the file could not be written.
int SaveDocumentAs(Document* doc);

// Asked when a document closes.  Returns 1 to go on closing, 0 to keep the document open.  An
// unmodified document closes without a question; "no" closes without saving; "cancel" keeps it open;
// "yes" saves (through the dialog when it has no file, starting in the last folder saved to) and
// closes only when the file was written, so a picture is never lost behind a failed save or a
// cancelled dialog.
int AskSaveBeforeClose(Document* doc);

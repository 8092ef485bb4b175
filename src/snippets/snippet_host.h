// What the snippet library asks of the program around it: an editor window for a snippet file and
// the document the student is working in.
#pragma once

class CHalyardDoc;

class CSnippetHost {
public:
    // Opens `path` in an editor window; a file that cannot be opened is reported by the framework.
    virtual void OpenSnippet(const char* path) = 0;
    // The document of the active editor window; null when no editor window is active.
    virtual CHalyardDoc* GetActiveEditorDocument() const = 0;

protected:
    ~CSnippetHost() = default;
};

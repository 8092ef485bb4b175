#include "app/new_template_copy.h"
#include "fx/fx_app.h"
#include "resource.h"
#include <windows.h>

namespace {

bool IsFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// CopyFile takes the template's attributes along: a read-only template must not make a read-only
// new file.
NewCopyResult MadeWritable(const std::string& target)
{
    DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return NewCopyResult::Copied;
}

}  // namespace

NewCopyResult CopyTemplateFile(const std::string& source, const std::string& target,
                               const std::function<bool(const std::string&)>& isOpen)
{
    DWORD attributes = GetFileAttributesA(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || IsFolder(attributes)) {
        DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_FILE_NOT_FOUND;
        FxReportFileError(IDS_NEW_NO_TEMPLATE, source.c_str(), error);
        return NewCopyResult::Failed;
    }
    if (CopyFileA(source.c_str(), target.c_str(), TRUE)) return MadeWritable(target);
    DWORD error = GetLastError();
    if ((error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && !IsFolder(GetFileAttributesA(target.c_str()))) {
        if (isOpen(target)) {
            FxMessageBox(FxFormatString(IDS_NEW_TARGET_OPEN, target.c_str()).c_str(), MB_OK | MB_ICONEXCLAMATION);
            return NewCopyResult::Declined;
        }
        const std::string question = FxFormatString(IDS_NEW_REPLACE, target.c_str());
        if (FxMessageBox(question.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return NewCopyResult::Declined;
        if (CopyFileA(source.c_str(), target.c_str(), FALSE)) return MadeWritable(target);
        error = GetLastError();
    }
    FxReportFileError(IDS_NEW_COPY_FAILED, target.c_str(), error);
    return NewCopyResult::Failed;
}

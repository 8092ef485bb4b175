#include "core/app/doc_strings.h"

std::string GetDocString(const std::string& templateString, DocStringIndex index)
{
    size_t start = 0;
    for (int field = 0; field < static_cast<int>(index); ++field) {
        size_t nl = templateString.find('\n', start);
        if (nl == std::string::npos) return std::string();
        start = nl + 1;
    }
    size_t end = templateString.find('\n', start);
    return templateString.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

static void AppendEntry(std::string& text, const std::string& name, const std::string& pattern)
{
    text += name;
    text += '\0';
    text += pattern;
    text += '\0';
}

FileFilter BuildFileFilter(const std::vector<FileFilterSource>& templates, const std::string& allFilesCaption)
{
    FileFilter filter;
    int entries = 0;
    for (const FileFilterSource& t : templates) {
        if (t.filterName.empty() || t.filterExt.empty()) continue;
        AppendEntry(filter.text, t.filterName, "*" + t.filterExt);
        ++entries;
        if (filter.filterIndex == 0) {
            filter.filterIndex = entries;
            filter.defaultExtension = t.filterExt[0] == '.' ? t.filterExt.substr(1) : t.filterExt;
        }
    }
    AppendEntry(filter.text, allFilesCaption, "*.*");
    return filter;
}

// The seven fields of a document template string, and the filter text of the file prompts.
#pragma once
#include <string>
#include <vector>

enum class DocStringIndex { WindowTitle, DocName, FileNewName, FilterName, FilterExt, RegFileTypeId, RegFileTypeName };

// Field `index` of a template string whose fields are separated by '\n'; empty when missing.
std::string GetDocString(const std::string& templateString, DocStringIndex index);

struct FileFilterSource {
    std::string filterName;  // "Halyard Files (*.asm)"
    std::string filterExt;   // ".asm"
};

struct FileFilter {
    std::string text;              // name NUL pattern NUL ... NUL-separated pairs, as the system expects
    std::string defaultExtension;  // the first usable template's extension without its dot
    int filterIndex = 0;           // 1-based index of that template's entry; 0 when none
};

// Every template whose filter name and extension are both non-empty, in order, then the
// all-files entry with `allFilesCaption` and "*.*".
FileFilter BuildFileFilter(const std::vector<FileFilterSource>& templates, const std::string& allFilesCaption);

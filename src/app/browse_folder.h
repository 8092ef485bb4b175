#pragma once
#include <string>
// The shell's folder chooser with `title` as caption; true with `result` set when a folder was
// chosen, false (result unchanged) on Cancel.
bool BrowseForDirectory(std::string& result, const char* title);

// One spelling for every path that names the same file, so that "is it open?" has one answer.
#pragma once
#include <string>

// `path` made absolute against the current folder (".", ".." and doubled separators resolved),
// with every part that exists in its long form, so a short name becomes the name it stands for.
// The parts that do not exist yet are kept as written. A path the system cannot resolve comes
// back as it was given.
std::string FxFullPath(const std::string& path);

// True when `a` and `b` name the same file: their full paths are equal in any letter case.
bool FxSamePath(const std::string& a, const std::string& b);

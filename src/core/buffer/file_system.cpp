#include "core/buffer/file_system.h"

std::string FolderOfPath(const std::string& strPath)
{
    const size_t nLast = strPath.find_last_of("\\/:");
    return nLast == std::string::npos ? std::string(".") : strPath.substr(0, nLast + 1);
}

// The message of a search that found nothing: string 8606 with the search text.
#pragma once
#include <string>

void ReportTextNotFound(const std::string& what);

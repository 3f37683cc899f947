#pragma once
#include <string>

// Downloads a web address into a file with the system's URL library (urlmon.dll, loaded on the first
// download of the run). Throws AppError "Unable to load urlmon.dll" when the library or its function
// is missing, and "Error downloading URL: <address>" when the download fails, the server answers with
// a status other than 2xx, or the connection ends before the announced length arrived.
void DownloadToFile(const std::wstring& address, const std::wstring& path);

// Whether a file (or folder) is there, as the file search sees it.
#pragma once

// True when FindFirstFileA finds `path`; false for a null or empty path.
bool FileExists(const char* path);

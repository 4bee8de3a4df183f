// Where Windows may look for the DLLs the program loads on demand.
#pragma once

/// Restricts the search for DLLs loaded on demand to the system directory, so that none planted
/// beside the program (a share, a USB stick, a Downloads folder) is loaded, and makes the search
/// for files by name leave the current directory until last, for good. The program's first act.
void RestrictDllSearch();

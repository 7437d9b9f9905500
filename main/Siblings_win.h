// What the picker does outside its window: the program folder, starting the editor and
// the updater, the update bookkeeping in the registry, the link protocol, the face cache,
// and the 8-bit texts that cross to other processes.
#pragma once
#include <windows.h>

#include <string>

// Folder of the running program, ending in "\".
std::string ProgramDir();

// ShellExecute "open" of ProgramDir + ".\Tessel.exe" / "\Volte.exe" with the parameters.
void LaunchEditor(const std::string& programDir, const std::string& params);
void LaunchUpdater(const std::string& programDir, const std::string& params);

// HKEY_CURRENT_USER "Software\Pelux\AppUpdate": a missing value, another type or size reads 0.
DWORD ReadUpdateValue(const char* name);
bool WriteUpdateValue(const char* name, DWORD value);
// "AppVer" kept at 101, then the program or face update started when due.
void RunUpdateCheck(const std::string& programDir);

// The "mienko" link protocol for this user, written once.
void RegisterLinkProtocol(const std::string& programDir);

// Deletes the files (not folders, not names starting with ".") of ProgramDir + "\face\".
void ClearFaceCache(const std::string& programDir);

// The system's ANSI code page, for texts other programs read as bytes.
std::string AnsiToUtf8(const std::string& ansi);
std::string Utf8ToAnsi(const std::string& utf8);

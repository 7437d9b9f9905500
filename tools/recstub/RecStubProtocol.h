// RecStub.exe: stands in for a sibling program (Tessel.exe, Volte.exe, regsvr32.exe, ...) so
// that the launch contracts of our programs are tested before, or without, the real thing.
//
// Put a copy under the sibling's file name. Each start appends, in UTF-8, one line to
//   <folder>\<own name without extension>.cmdline.txt      the parameter text (what follows
//                                                         the program name, as WinMain sees it)
//   <folder>\<own name without extension>.launch.txt      "cmdline=<whole command line>
//                                                         cwd=<current folder>" (tab between)
// <folder> is the environment variable RECSTUB_DIR when set, else the stub's own folder.
// Lines end in CR LF; a command line cannot hold a line break, so one line is one start.
// RECSTUB_LINGER_MS (up to 60000) keeps the process alive that long before it ends, for
// callers that look for the started process. Exit code 0, or 1 when nothing could be written.
#pragma once

namespace recstub {

constexpr const char* kDirEnv = "RECSTUB_DIR";
constexpr const char* kLingerEnv = "RECSTUB_LINGER_MS";
constexpr const char* kArgsSuffix = ".cmdline.txt";
constexpr const char* kLaunchSuffix = ".launch.txt";
constexpr unsigned kMaxLingerMs = 60000;

}  // namespace recstub

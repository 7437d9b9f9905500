// FakeQQ.exe: a stand-in for the outside messenger in end-to-end tests. Plain Win32, so a
// fault in our own window framework can never hide behind the thing that checks it.
//
// Command line (the environment variable FAKEQQ_OPTIONS is read first, so a program that
// starts the messenger without arguments can still be pointed at a test's setup):
//   --window KIND[+deep=N][+wide=N][@X,Y,W,H][:TITLE]
//                                    one top-level window; repeatable; ids 1, 2, ... in order;
//                                    +deep puts a chain of N nested hidden children, +wide N
//                                    hidden children, in front of the window's own (first in
//                                    z-order, so a search for the input walks through them);
//                                    N from 1 to 5000
//   --log PATH                       UTF-8 log (default: FAKEQQ_LOG, else <exe name>.log beside
//                                    the exe)
//   --tag TEXT                       title of the control window (default "FakeQQ"), to tell
//                                    several instances apart
//   --lifetime SECONDS               ends by itself after this long (default 0: never)
//   --register qq2009|qq[=DIR]       writes HKLM "SOFTWARE\Tencent\QQ2009" (or "...\QQ") value
//                                    "Install" = DIR; without DIR the folder the main program's
//                                    lookup leads back to this exe ("<DIR>\Bin\QQ.exe" for
//                                    qq2009, "<DIR>\QQ.exe" for qq)
//   --unregister                     deletes both keys
// Without --window one "classic" window is shown, unless the command line only (un)registers:
// then the program ends after it (exit code 0 when the registry calls succeeded).
//
// Window kinds (K prefix = what the main program and the hook accept as a chat window):
//   classic        "#32770" > "AfxWnd42" > "RichEdit20A" (the input)
//   classic-bar    as classic, plus a "Tencent_QQBar" child that passes its focus to the input
//   classic-plain  "#32770" with a plain "Static" only (not a chat window)
//   tx             "TXGuiFoundation" > one "ATL:FakeQQInput" > "RichEdit20W" (the input), plus one
//                  direct "Shell Embedding" child
//   tx-noshell     tx without "Shell Embedding" (the hook's test accepts it, the main program's not)
//   tx-main        tx shape titled "QQ2009" (the messenger's own main window)
//   tx-relogin     tx shape titled "重新登录" (the re-login dialog)
//   tx-twoatl      tx with two "ATL:" descendants
//
// Remote control: WM_COPYDATA to the hidden top-level window of class "FakeQQ_Control" whose
// title is the tag; dwData = kCopyDataTag, lpData = UTF-8 command text (a terminating NUL is
// allowed, not needed), cbData = its length. SendMessage returns the result below; 0 means an
// unknown command, a bad window id or a failed call. Commands (N = window id):
//   ping                  1
//   hwnd N                the window's handle
//   input N               the handle of the window's input control
//   activate N            SetForegroundWindow (restores it first when minimised)
//   move N X Y            SetWindowPos to screen X,Y
//   resize N W H          SetWindowPos to size W,H
//   minimize N | restore N | show N | hide N | close N (WM_CLOSE; the window is destroyed)
//   dock N                logs the windows docked beside window N now
//   settext N TEXT        replaces the input's text (TEXT may hold spaces)
//   mark TEXT             writes "MARK TEXT" to the log (lets a test find its place)
//   selfdestruct N        arms window N: the next raise that changes its z-order and nothing
//                         else (WM_WINDOWPOSCHANGING without SWP_NOZORDER, with SWP_NOMOVE and
//                         SWP_NOSIZE), e.g. by a hook, makes it destroy itself right there
//   quit                  closes every window and ends the program (exit code 0)
//
// Log: UTF-8, one line per event: "<ms since start> <EVENT> <fields>". A field holding free
// text (title=, text=) comes last; CR, LF, TAB and other control characters in it are written
// as \r \n \t \xNN, nothing else is escaped (so paths read as they are). Events:
//   START pid=P args=...                       once
//   WINDOW id=N kind=K hwnd=0x.. input=0x.. class=C title=T    for each window created
//   READY pid=P control=0x.. windows=N         every window exists and is shown
//   ACTIVATED id=N | DEACTIVATED id=N
//   FOCUS id=N class=C                         a control of window N got the keyboard focus
//   MOVED id=N rect=L,T,R,B                    position or size changed (screen coordinates)
//   MINIMIZED id=N | RESTORED id=N | CLOSED id=N
//   TREE id=N deep=D wide=W                    the extra children of window N (when asked for)
//   SELFDESTRUCT id=N                          window N destroys itself (armed by selfdestruct)
//   KEY id=N down|up vk=0xVV scan=0xSS ctrl=0|1 class=C      every key in a control of window N
//   HOTKEY id=N Ctrl+V | Ctrl+Enter
//   CLIP id=N formats=NAME(num),...            what the clipboard offered at the paste
//   CLIP id=N format=F bytes=B text=T          F = QQ_RichEdit_Format, CF_TEXT, CF_OEMTEXT,
//                                              CF_UNICODETEXT
//   CLIP id=N error=...                        clipboard could not be opened
//   FACE id=N exists=0|1 bytes=B path=P        each file the fragment names
//   PASTED id=N text=T                         what went into the input ("[face:PATH]" per face
//                                              when the fragment is there, else the plain text)
//   SENT id=N text=T                           Ctrl+Enter: the input's text; the input is cleared
//   DOCKED id=N side=left|right|top|bottom hwnd=0x.. pid=P rect=L,T,R,B chat=L,T,R,B class=C title=T
//   DOCKED id=N none                           nothing of another process touches window N
//   CMD result=R text=T                        each control command
//   EXIT code=C
#pragma once
#include <cstdint>

namespace fakeqq {

constexpr const char* kControlClass = "FakeQQ_Control";
constexpr const char* kDefaultTag = "FakeQQ";
constexpr std::uint32_t kCopyDataTag = 0x46515143;  // "CQQF"
constexpr const char* kOptionsEnv = "FAKEQQ_OPTIONS";
constexpr const char* kLogEnv = "FAKEQQ_LOG";

// The messenger's registry keys under HKEY_LOCAL_MACHINE and the value the main program reads.
constexpr const char* kKeyQQ2009 = "SOFTWARE\\Tencent\\QQ2009";
constexpr const char* kKeyQQ = "SOFTWARE\\Tencent\\QQ";
constexpr const char* kInstallValue = "Install";

}  // namespace fakeqq

// The fake messenger's command line (grammar in FakeQQProtocol.h), parsed without Win32.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fakeqq {

enum class WindowKind { Classic, ClassicBar, ClassicPlain, Tx, TxNoShell, TxMain, TxRelogin, TxTwoAtl };

struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
};

// Hidden filler put in front of a window's own children (first in z-order), so anything
// looking for the chat input walks through it first.
struct ExtraTree {
    int deep = 0;  // a chain of this many nested children
    int wide = 0;  // this many direct children
};

struct WindowSpec {
    WindowKind kind = WindowKind::Classic;
    std::optional<Placement> placement;  // cascaded by id when absent
    std::string title;                   // the kind's default title when not given
    ExtraTree extra;
};

// Upper bound of each ExtraTree count: enough to exceed any walk's budget, small enough to
// build in seconds under emulation.
constexpr int kMaxExtraWindows = 5000;

enum class RegistryKey { QQ2009, QQ };

struct Registration {
    RegistryKey key = RegistryKey::QQ2009;
    std::string installDir;  // empty: derive from the exe's own place
};

struct Options {
    std::vector<WindowSpec> windows;
    std::string logPath;
    std::string tag;
    int lifetimeSeconds = 0;
    std::vector<Registration> registrations;
    bool unregister = false;

    bool OnlyRegistry() const { return windows.empty() && (unregister || !registrations.empty()); }
};

std::optional<WindowKind> ParseWindowKind(std::string_view name);
const char* WindowKindName(WindowKind kind);
std::string DefaultTitle(WindowKind kind);

// Ids are 1-based; a window without a placement gets a cascade slot from its id.
Placement DefaultPlacement(int id);

// Fills defaults (the default window, titles, tag). On a malformed argument returns nothing
// and describes the fault in *error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error);

// The folder a registration without one writes: the main program appends "\Bin\QQ.exe"
// (QQ2009 key) or "\QQ.exe" (QQ key), so that must lead back to exePath's folder.
std::string DeriveInstallDir(RegistryKey key, const std::string& exePath);

}  // namespace fakeqq

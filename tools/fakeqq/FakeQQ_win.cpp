// FakeQQ.exe: the outside messenger in end-to-end tests (see FakeQQProtocol.h).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "ChatWindow_win.h"
#include "ControlWindow_win.h"
#include "FakeQQOptions.h"
#include "FakeQQProtocol.h"
#include "Log_win.h"
#include "LogText.h"
#include "MessengerRegistry_win.h"
#include "WinText_win.h"

namespace fakeqq {
namespace {

std::vector<std::string> SplitCommandLine(const std::wstring& line) {
    std::vector<std::string> out;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &argc);
    if (!argv) return out;
    for (int i = 1; i < argc; ++i) out.push_back(Utf8(argv[i]));  // argv[0]: program name
    LocalFree(argv);
    return out;
}

std::wstring EnvVar(const char* name) {
    const std::wstring wname = Wide(name);
    DWORD n = GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring v(n, L'\0');
    n = GetEnvironmentVariableW(wname.c_str(), v.data(), n);
    v.resize(n);
    return v;
}

std::wstring ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring DefaultLogPath(const std::wstring& exe) {
    const std::wstring env = EnvVar(kLogEnv);
    if (!env.empty()) return env;
    const size_t dot = exe.find_last_of(L'.');
    const size_t slash = exe.find_last_of(L'\\');
    const bool hasExt = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    return (hasExt ? exe.substr(0, dot) : exe) + L".log";
}

// Keeps a library loaded for as long as windows of its classes may exist.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const wchar_t* name) : m_module(LoadLibraryW(name)) {}
    ~LoadedLibrary() {
        if (m_module) FreeLibrary(m_module);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    explicit operator bool() const { return m_module != nullptr; }

private:
    HMODULE m_module;
};

class FakeQQApp final : public CommandTarget {
public:
    FakeQQApp(HINSTANCE instance, Options options, Log& log)
        : m_instance(instance), m_options(std::move(options)), m_log(log), m_control(*this, log) {}

    int Run() {
        if (!m_richEdit || !RegisterShapeClasses(m_instance)) {
            m_log.Write("ERROR window classes could not be registered");
            return 3;
        }
        for (const WindowSpec& spec : m_options.windows) {
            auto w = std::make_unique<ChatWindow>(static_cast<int>(m_windows.size()) + 1, spec, m_log);
            if (!w->Create(m_instance)) {
                m_log.Write("ERROR window " + std::to_string(w->Id()) + " could not be built");
                return 3;
            }
            m_windows.push_back(std::move(w));
        }
        if (!m_control.Create(m_instance, m_options.tag, m_options.lifetimeSeconds)) {
            m_log.Write("ERROR control window could not be created");
            return 3;
        }
        m_log.Write("READY pid=" + std::to_string(GetCurrentProcessId()) +
                    " control=" + HandleText(m_control.Hwnd()) +
                    " windows=" + std::to_string(m_windows.size()));
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        for (auto& w : m_windows)
            if (w->Frame()) DestroyWindow(w->Frame());
        return 0;
    }

    LRESULT Execute(const Command& c) override {
        if (c.verb == Verb::Ping) return 1;
        if (c.verb == Verb::Mark) {
            m_log.Write("MARK " + EscapeLogText(c.text));
            return 1;
        }
        if (c.verb == Verb::Quit) {
            PostQuitMessage(0);
            return 1;
        }
        ChatWindow* w = Window(c.window);
        if (!w) return 0;
        HWND frame = w->Frame();
        switch (c.verb) {
            case Verb::Hwnd: return reinterpret_cast<LRESULT>(frame);
            case Verb::Input: return reinterpret_cast<LRESULT>(w->Input());
            case Verb::Activate:
                if (IsIconic(frame)) ShowWindow(frame, SW_RESTORE);
                return SetForegroundWindow(frame) ? 1 : 0;
            case Verb::Move:
                return SetWindowPos(frame, nullptr, c.a, c.b, 0, 0,
                                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 1 : 0;
            case Verb::Resize:
                return SetWindowPos(frame, nullptr, 0, 0, c.a, c.b,
                                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) ? 1 : 0;
            case Verb::Minimize: ShowWindow(frame, SW_MINIMIZE); return 1;
            case Verb::Restore: ShowWindow(frame, SW_RESTORE); return 1;
            case Verb::Show: ShowWindow(frame, SW_SHOW); return 1;
            case Verb::Hide: ShowWindow(frame, SW_HIDE); return 1;
            case Verb::Close: SendMessageW(frame, WM_CLOSE, 0, 0); return 1;
            case Verb::Dock: w->LogDocked(); return 1;
            case Verb::SelfDestruct: w->ArmSelfDestruct(); return 1;
            case Verb::SetText:
                if (!w->Input()) return 0;
                w->SetInputText(c.text);
                return 1;
            default: return 0;
        }
    }

    void OnLifetimeOver() override {
        m_log.Write("LIFETIME over");
        PostQuitMessage(0);
    }

private:
    // A window that was closed answers no more commands.
    ChatWindow* Window(int id) {
        if (id < 1 || id > static_cast<int>(m_windows.size())) return nullptr;
        ChatWindow* w = m_windows[static_cast<size_t>(id) - 1].get();
        return w->Frame() ? w : nullptr;
    }

    HINSTANCE m_instance;
    LoadedLibrary m_richEdit{L"riched20.dll"};  // before the windows: they die first
    Options m_options;
    Log& m_log;
    std::vector<std::unique_ptr<ChatWindow>> m_windows;
    ControlWindow m_control;
};

int RunRegistry(const Options& options, const std::string& exe, Log& log) {
    bool ok = true;
    if (options.unregister) {
        const bool done = UnregisterMessenger();
        log.Write(std::string("UNREGISTERED ok=") + (done ? "1" : "0"));
        ok = ok && done;
    }
    for (const Registration& r : options.registrations) {
        std::string dir;
        const bool done = RegisterMessenger(r, exe, &dir);
        log.Write(std::string("REGISTERED key=") +
                  (r.key == RegistryKey::QQ2009 ? kKeyQQ2009 : kKeyQQ) +
                  " ok=" + (done ? "1" : "0") + " install=" + EscapeLogText(dir));
        ok = ok && done;
    }
    return ok ? 0 : 1;
}

int Main(HINSTANCE instance) {
    const std::wstring exe = ExePath();
    std::vector<std::string> args = SplitCommandLine(L"FakeQQ " + EnvVar(kOptionsEnv));
    const std::vector<std::string> own = SplitCommandLine(GetCommandLineW());
    args.insert(args.end(), own.begin(), own.end());

    std::string error;
    auto options = ParseOptions(args, &error);
    // The log named on a bad command line still gets the reason.
    std::string logPath = options ? options->logPath : std::string();
    for (size_t i = 0; !options && i + 1 < args.size(); ++i)
        if (args[i] == "--log") logPath = args[i + 1];
    Log log(logPath.empty() ? DefaultLogPath(exe) : Wide(logPath));
    std::string joined;
    for (const std::string& a : args) joined += (joined.empty() ? "" : " ") + a;
    log.Write("START pid=" + std::to_string(GetCurrentProcessId()) +
              " args=" + EscapeLogText(joined));
    if (!options) {
        log.Write("ERROR " + EscapeLogText(error));
        log.Write("EXIT code=2");
        return 2;
    }
    int code = RunRegistry(*options, Utf8(exe), log);
    if (!options->OnlyRegistry()) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        FakeQQApp app(instance, *options, log);
        code = app.Run();
    }
    log.Write("EXIT code=" + std::to_string(code));
    return code;
}

}  // namespace
}  // namespace fakeqq

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        return fakeqq::Main(instance);
    } catch (...) {
        return 4;
    }
}

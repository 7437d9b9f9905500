// Window binding and unbinding, typed handlers, and exceptions stopped at the trampoline.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "TestKit.h"
#include "winfx/Winfx.h"

using namespace winfx;

namespace {

// Records every message it receives into a log that outlives it.
class LogWindow : public Window {
public:
    explicit LogWindow(std::vector<UINT>& log) : m_log(log) {}
    bool Create(HWND parent = nullptr, const char* title = "log") {
        WindowArgs a;
        a.className = "WinfxTestLog";
        a.title = title;
        a.parent = parent;
        a.style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
        a.x = a.y = 0;
        a.width = a.height = 100;
        return Window::Create(a);
    }
    int destroyed = 0, finals = 0, commands = 0, timers = 0, sizes = 0, lastCx = 0;
    std::string exception;
    bool failCreate = false;
    bool throwOnUser = false;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        m_log.push_back(msg);
        if (msg == WM_USER + 1 && throwOnUser) throw std::runtime_error("boom");
        if (msg == WM_USER + 2) throw 42;
        if (msg == WM_USER + 3) return 1234;
        return Window::OnMessage(msg, wp, lp);
    }
    bool OnCreate(const CREATESTRUCTW&) override {
        if (failCreate) throw std::runtime_error("create failed");
        return true;
    }
    void OnDestroy() override { ++destroyed; }
    void OnFinalMessage() override { ++finals; }
    bool OnCommand(int id, int, HWND) override {
        commands += id;
        return true;
    }
    void OnTimer(UINT_PTR id) override {
        ++timers;
        KillTimer(Hwnd(), id);
    }
    void OnSize(UINT, int cx, int) override {
        ++sizes;
        lastCx = cx;
    }
    LRESULT OnNotify(NMHDR& n) override { return static_cast<LRESULT>(n.code) * 2; }
    void OnException(const char* what) noexcept override { exception = what; }

private:
    std::vector<UINT>& m_log;
};

size_t Count(const std::vector<UINT>& log, UINT msg) {
    size_t n = 0;
    for (UINT m : log) n += m == msg;
    return n;
}

}  // namespace

TEST(Window, CreateBindsBeforeCreateAndFromHwndFindsTheObject) {
    std::vector<UINT> log;
    LogWindow w(log);
    ASSERT_TRUE(w.Create(nullptr, "PeluQQ表情精灵"));
    EXPECT_EQ(Window::FromHwnd(w.Hwnd()), &w);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(Count(log, WM_CREATE), 1u);
    EXPECT_EQ(HwndGetText(w.Hwnd()), "PeluQQ表情精灵");
    EXPECT_EQ(HwndGetClassName(w.Hwnd()), "WinfxTestLog");
    EXPECT_FALSE(w.Create()) << "one window per object";
}

TEST(Window, DestroyWindowUnbindsAndNothingArrivesAfterwards) {
    std::vector<UINT> log;
    LogWindow w(log);
    ASSERT_TRUE(w.Create());
    HWND h = w.Hwnd();
    DestroyWindow(h);
    EXPECT_EQ(w.Hwnd(), nullptr);
    EXPECT_EQ(Window::FromHwnd(h), nullptr);
    EXPECT_EQ(w.destroyed, 1);
    EXPECT_EQ(w.finals, 1);
    EXPECT_EQ(log.back(), static_cast<UINT>(WM_NCDESTROY));
    const size_t before = log.size();
    SendMessageW(h, WM_USER + 3, 0, 0);
    EXPECT_EQ(log.size(), before);
}

TEST(Window, DeletingTheObjectDestroysItsWindowWithoutCallingIt) {
    std::vector<UINT> log;
    auto w = std::make_unique<LogWindow>(log);
    ASSERT_TRUE(w->Create());
    HWND h = w->Hwnd();
    const size_t before = log.size();
    w.reset();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(log.size(), before) << "WM_DESTROY reached a half-destroyed object";
}

TEST(Window, DestroyingParentUnbindsChildObjects) {
    std::vector<UINT> plog, clog;
    LogWindow parent(plog), child(clog);
    ASSERT_TRUE(parent.Create());
    ASSERT_TRUE(child.Create(parent.Hwnd()));
    parent.Destroy();
    EXPECT_EQ(child.Hwnd(), nullptr);
    EXPECT_EQ(child.destroyed, 1);
    EXPECT_EQ(child.finals, 1);
}

TEST(Window, FinalMessageMayDeleteTheObject) {
    struct SelfOwned : Window {
        bool* gone;
        explicit SelfOwned(bool* g) : gone(g) {}
        ~SelfOwned() override { *gone = true; }
        void OnFinalMessage() override { delete this; }
    };
    bool gone = false;
    auto* w = new SelfOwned(&gone);
    WindowArgs a;
    a.className = "WinfxTestSelfOwned";
    ASSERT_TRUE(w->Create(a));
    DestroyWindow(w->Hwnd());
    EXPECT_TRUE(gone);
}

TEST(Window, TypedHandlersReceiveDecodedMessages) {
    std::vector<UINT> log;
    LogWindow w(log);
    ASSERT_TRUE(w.Create());
    SendMessageW(w.Hwnd(), WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
    EXPECT_EQ(w.commands, 7);
    NMHDR n{w.Hwnd(), 5, 21};
    EXPECT_EQ(SendMessageW(w.Hwnd(), WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&n)), 42);
    SetWindowPos(w.Hwnd(), nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_GE(w.sizes, 1);
    EXPECT_GT(w.lastCx, 100);
    SetTimer(w.Hwnd(), 3, 10, nullptr);
    EXPECT_TRUE(testkit::WaitUntil([&] { return w.timers == 1; }));
    EXPECT_EQ(SendMessageW(w.Hwnd(), WM_USER + 3, 0, 0), 1234);
}

TEST(Window, ExceptionInHandlerIsCaughtAndWindowLivesOn) {
    std::vector<UINT> log;
    LogWindow w(log);
    ASSERT_TRUE(w.Create());
    w.throwOnUser = true;
    EXPECT_EQ(SendMessageW(w.Hwnd(), WM_USER + 1, 0, 0), 0);  // what DefWindowProc answers
    EXPECT_EQ(w.exception, "boom");
    SendMessageW(w.Hwnd(), WM_USER + 2, 0, 0);
    EXPECT_EQ(w.exception, "unknown exception");
    EXPECT_TRUE(IsWindow(w.Hwnd()));
    EXPECT_EQ(SendMessageW(w.Hwnd(), WM_USER + 3, 0, 0), 1234);
}

TEST(Window, ExceptionInOnCreateFailsCreation) {
    std::vector<UINT> log;
    LogWindow w(log);
    w.failCreate = true;
    EXPECT_FALSE(w.Create());
    EXPECT_EQ(w.Hwnd(), nullptr);
    EXPECT_EQ(w.exception, "create failed");
    EXPECT_EQ(w.finals, 1);
}

TEST(Window, ClassOfAnotherProcedureIsReplacedOnlyWhenUnused) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ThisModule();
    wc.lpszClassName = L"WinfxTestForeign";
    ASSERT_TRUE(RegisterClassExW(&wc));
    HWND foreign = CreateWindowExW(0, L"WinfxTestForeign", L"", 0, 0, 0, 10, 10, nullptr, nullptr,
                                   ThisModule(), nullptr);
    ASSERT_TRUE(foreign);
    std::vector<UINT> log;
    WindowArgs a;
    a.className = "WinfxTestForeign";
    {
        LogWindow w(log);
        EXPECT_FALSE(w.Window::Create(a)) << "a window of the other class still exists";
        EXPECT_TRUE(log.empty());
    }
    // Like a class left behind by an unloaded DLL: nothing uses it, so it is replaced.
    DestroyWindow(foreign);
    LogWindow w(log);
    EXPECT_TRUE(w.Window::Create(a));
    EXPECT_EQ(Window::FromHwnd(w.Hwnd()), &w);
}

TEST(Hwnd, CenterOnAnotherWindowAndStayOnScreen) {
    std::vector<UINT> log;
    LogWindow ref(log), me(log);
    ASSERT_TRUE(ref.Create());
    ASSERT_TRUE(me.Create());
    SetWindowPos(ref.Hwnd(), nullptr, 100, 100, 400, 300, SWP_NOZORDER);
    SetWindowPos(me.Hwnd(), nullptr, 0, 0, 200, 100, SWP_NOZORDER);
    HwndCenterOn(me.Hwnd(), ref.Hwnd());
    const RECT r = HwndGetScreenRect(me.Hwnd());
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(RectWidth(r), 200) << "size kept";

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(ref.Hwnd(), nullptr, work.right - 50, work.bottom - 20, 100, 40, SWP_NOZORDER);
    HwndCenterOn(me.Hwnd(), ref.Hwnd());
    const RECT edge = HwndGetScreenRect(me.Hwnd());
    EXPECT_EQ(edge.right, work.right);
    EXPECT_EQ(edge.bottom, work.bottom);
}

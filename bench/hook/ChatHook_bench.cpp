// The hook's decisions alone, natively: what the messenger pays per message beyond the
// system's hook dispatch.
#include <benchmark/benchmark.h>

#include "FakeDesktop.h"

namespace {

using namespace dock;
using dock::test::FakeDesktop;

struct Scene {
    FakeDesktop d;
    Hwnd main, tool, chat, child;
    SharedValues shared{};
    Scene() {
        main = d.Add("#32770", 0, "PeluQQ表情精灵", Rect{900, 0, 1150, 600});
        tool = d.Add("#32770", main, std::string(kDockTitle), Rect{0, 0, 24, 96});
        chat = d.Add("#32770", 0, "chat", Rect{100, 100, 600, 500});
        for (int i = 0; i < 40; ++i) d.Add("Static", chat);
        child = d.Add("AfxWnd42", chat);
        d.Add("RichEdit20A", child);
        shared = SharedValues{main, tool, 0, 0, 0};
    }
};

void BM_UnhandledMessage(benchmark::State& state) {
    Scene s;
    for (auto _ : state) HandleHookedMessage(s.shared, s.d, {0x000F, 0, s.chat});
}
BENCHMARK(BM_UnhandledMessage);

void BM_PositionChangeOfAChild(benchmark::State& state) {
    Scene s;
    for (auto _ : state) HandleHookedMessage(s.shared, s.d, {0x0047, 0, s.child});
}
BENCHMARK(BM_PositionChangeOfAChild);

void BM_ChatWindowActivation(benchmark::State& state) {
    Scene s;
    for (auto _ : state) {
        HandleHookedMessage(s.shared, s.d, {0x0006, 1, s.chat});
        s.d.calls.clear();
    }
}
BENCHMARK(BM_ChatWindowActivation);

}  // namespace

BENCHMARK_MAIN();

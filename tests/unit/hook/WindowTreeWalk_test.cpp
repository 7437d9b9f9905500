#include <gtest/gtest.h>

#include "FakeDesktop.h"

namespace dock::test {
namespace {

using wintree::ForEachDescendant;
using wintree::Walk;

std::vector<Hwnd> Visit(const FakeDesktop& d, Hwnd root, int budget, Walk* result = nullptr) {
    std::vector<Hwnd> seen;
    const Walk w = ForEachDescendant(d, root, budget, [&](Hwnd h) {
        seen.push_back(h);
        return true;
    });
    if (result) *result = w;
    return seen;
}

TEST(WindowTreeWalk, VisitsDescendantsParentsFirstInZOrderWithoutTheRoot) {
    FakeDesktop d;
    const Hwnd root = d.Add("root");
    const Hwnd a = d.Add("a", root), a1 = d.Add("a1", a), a2 = d.Add("a2", a);
    const Hwnd a11 = d.Add("a11", a1);
    const Hwnd b = d.Add("b", root);
    const Hwnd outside = d.Add("sibling of root");
    (void)outside;
    Walk w{};
    EXPECT_EQ(Visit(d, root, 100, &w), (std::vector<Hwnd>{a, a1, a11, a2, b}));
    EXPECT_EQ(w, Walk::Done);
    EXPECT_TRUE(Visit(d, b, 100).empty());
    EXPECT_TRUE(Visit(d, 0, 100).empty());
}

TEST(WindowTreeWalk, StopsWhenTheVisitorSaysSo) {
    FakeDesktop d;
    const Hwnd root = d.Add("root");
    const Hwnd a = d.Add("a", root);
    d.Add("b", root);
    int budget = 100, visits = 0;
    const Walk w = ForEachDescendant(d, root, budget, [&](Hwnd) { return ++visits < 1; });
    EXPECT_EQ(w, Walk::Stopped);
    EXPECT_EQ(visits, 1);
    (void)a;
}

TEST(WindowTreeWalk, HugeFlatAndDeepTreesEndAtTheBudget) {
    FakeDesktop d;
    const Hwnd flat = d.Add("flat");
    for (int i = 0; i < 20000; ++i) d.Add("c", flat);
    Walk w{};
    EXPECT_LE(Visit(d, flat, 500, &w).size(), 500u);
    EXPECT_EQ(w, Walk::OverBudget);

    const Hwnd deep = d.Add("deep");
    Hwnd cur = deep;
    for (int i = 0; i < 100000; ++i) cur = d.Add("c", cur);  // no recursion may follow this
    EXPECT_EQ(Visit(d, deep, 1000, &w).size(), 1000u);
    EXPECT_EQ(w, Walk::OverBudget);
    EXPECT_EQ(Visit(d, deep, 200001, &w).size(), 100000u);
    EXPECT_EQ(w, Walk::Done);
}

TEST(WindowTreeWalk, BudgetIsSharedBetweenNestedWalks) {
    FakeDesktop d;
    const Hwnd root = d.Add("root");
    for (int i = 0; i < 10; ++i) {
        const Hwnd c = d.Add("c", root);
        for (int j = 0; j < 10; ++j) d.Add("g", c);
    }
    int budget = 50, inner = 0;
    ForEachDescendant(d, root, budget, [&](Hwnd h) {
        ForEachDescendant(d, h, budget, [&](Hwnd) { return ++inner, true; });
        return true;
    });
    EXPECT_LT(budget, 0);
    EXPECT_LT(inner, 50);
}

TEST(WindowTreeWalk, WindowGoneDuringTheWalkEndsIt) {
    FakeDesktop d;
    const Hwnd root = d.Add("root");
    const Hwnd a = d.Add("a", root);
    d.Add("b", root);
    int budget = 100;
    std::vector<Hwnd> seen;
    const Walk w = ForEachDescendant(d, root, budget, [&](Hwnd h) {
        seen.push_back(h);
        if (h == a) d.Remove(root);  // the whole window closes under us
        return true;
    });
    EXPECT_EQ(w, Walk::Done);
    EXPECT_EQ(seen, (std::vector<Hwnd>{a}));
}

}  // namespace
}  // namespace dock::test

// The update values under HKCU\Software\Pelux\AppUpdate: types are checked, the client
// identity is made once.
#include <gtest/gtest.h>

#include "TestKit.h"
#include "UpdateCid.h"
#include "UpdatePlatform_win.h"
#include "UpdateServer.h"
#include "UpdaterKit_win.h"

namespace {

void Set(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Pelux\\AppUpdate", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

class Store : public ::testing::Test {
protected:
    void SetUp() override { updkit::ClearRegistry(); }
    void TearDown() override { updkit::ClearRegistry(); }
    update::RegistryStore store;
};

}  // namespace

TEST_F(Store, DwordsOfAnotherTypeOrSizeReadAsZero) {
    EXPECT_EQ(store.ReadDword("AppVer"), 0u);
    const DWORD v = 101;
    Set(L"AppVer", REG_DWORD, &v, sizeof v);
    EXPECT_EQ(store.ReadDword("AppVer"), 101u);
    Set(L"AppVer", REG_SZ, L"101", 8);
    EXPECT_EQ(store.ReadDword("AppVer"), 0u);
    const unsigned long long wide = 5;
    Set(L"AppVer", REG_BINARY, &wide, sizeof wide);
    EXPECT_EQ(store.ReadDword("AppVer"), 0u);
    EXPECT_TRUE(store.WriteDword("NextUpdate", 0xFFFFFFFFu));
    EXPECT_EQ(updkit::ReadUpdateDword("NextUpdate").value(), 0xFFFFFFFFu);
}

TEST_F(Store, CidIsMadeOnceAndOnlyATextValueCounts) {
    Set(L"CID", REG_EXPAND_SZ, L"{old}", 12);
    const std::string cid = update::EnsureCid(store);
    ASSERT_EQ(cid.size(), 38u);
    EXPECT_EQ(cid[0], '{');
    EXPECT_EQ(cid[37], '}');
    EXPECT_EQ(cid[24], '-');
    for (size_t i = 15; i < 19; ++i) EXPECT_FALSE(cid[i] >= 'A' && cid[i] <= 'F') << cid;  // third group lower case
    EXPECT_EQ(store.ReadCid(), cid);
    EXPECT_EQ(update::EnsureCid(store), cid);
    DWORD type = 0, size = 0;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Pelux\\AppUpdate", L"CID", RRF_RT_ANY, &type, nullptr, &size);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 39u * sizeof(wchar_t));  // stored with its terminator
}

TEST_F(Store, ServerOverrideNamesBothHostsAndThePort) {
    auto shipped = update::ChooseServer();
    EXPECT_EQ(shipped.first, "upd1.example");
    EXPECT_EQ(shipped.second, "upd2.example");
    EXPECT_EQ(shipped.port, update::kServerPort);
    updkit::PrepareRegistry(4321, -1);
    auto chosen = update::ChooseServer();
    EXPECT_EQ(chosen.first, "127.0.0.1");
    EXPECT_EQ(chosen.second, "127.0.0.1");
    EXPECT_EQ(chosen.port, 4321);
}

TEST_F(Store, UnresolvableServerLeavesTheExchangeToTimeOut) {
    update::UdpClient udp;
    udp.Resolve("no-such-host.invalid", "no-such-host.invalid", 1);
    EXPECT_FALSE(udp.HasAddress());
    const auto start = GetTickCount64();
    EXPECT_FALSE(udp.Exchange(update::Bytes{2, 10, 16}, 300).has_value());
    EXPECT_GE(GetTickCount64() - start, 290u);
}

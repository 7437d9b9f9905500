// The system's own regsvr32 registers and unregisters the component: afterwards the
// registry holds exactly our keys, and then nothing of them but the shared parents.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestKit.h"
#include "WebImportKit_win.h"

namespace {

using Strings = std::vector<std::string>;

const std::string kClsidKey = "CLSID\\{9AFEE063-902B-4E35-9265-91E8137CD99E}";
const std::string kAppIdKey = "AppID\\{DCC9F3A8-76AC-41C5-9566-983EF652DF79}";
const std::string kModuleKey = "AppID\\MienkoAgent.DLL";
const std::string kTypeLibKey = "TypeLib\\{10139A78-E708-4BDF-ADDB-22AFCDA497D3}";
const std::string kInterfaceKey = "Interface\\{F8FD87F5-6570-45FB-BCAF-7647C4194C30}";

class Registration : public ::testing::Test {
protected:
    void TearDown() override { webkit::Regsvr32(true); }
};

TEST_F(Registration, Regsvr32WritesExactlyTheClassProgIdAndAppIdKeys) {
    ASSERT_EQ(webkit::Regsvr32(false), 0);

    EXPECT_EQ(webkit::ValuesOf(kAppIdKey), Strings{"@=Mienko"});
    EXPECT_TRUE(webkit::SubkeyNames(kAppIdKey).empty());
    EXPECT_EQ(webkit::ValuesOf(kModuleKey), Strings{"AppID={DCC9F3A8-76AC-41C5-9566-983EF652DF79}"});

    EXPECT_EQ(webkit::ValuesOf("Pelumo.FaceImport.1"), Strings{"@=FaceImport Class"});
    EXPECT_EQ(webkit::SubkeyNames("Pelumo.FaceImport.1"), Strings{"CLSID"});
    EXPECT_EQ(webkit::ValuesOf("Pelumo.FaceImport.1\\CLSID"), Strings{"@={9AFEE063-902B-4E35-9265-91E8137CD99E}"});
    EXPECT_EQ(webkit::ValuesOf("Pelumo.FaceImport"), Strings{"@=FaceImport Class"});
    EXPECT_EQ(webkit::SubkeyNames("Pelumo.FaceImport"), (Strings{"CLSID", "CurVer"}));
    EXPECT_EQ(webkit::ValuesOf("Pelumo.FaceImport\\CLSID"), Strings{"@={9AFEE063-902B-4E35-9265-91E8137CD99E}"});
    EXPECT_EQ(webkit::ValuesOf("Pelumo.FaceImport\\CurVer"), Strings{"@=Pelumo.FaceImport.1"});

    EXPECT_EQ(webkit::ValuesOf(kClsidKey),
              (Strings{"@=FaceImport Class", "AppID={DCC9F3A8-76AC-41C5-9566-983EF652DF79}"}));
    EXPECT_EQ(webkit::SubkeyNames(kClsidKey),
              (Strings{"InprocServer32", "ProgID", "Programmable", "TypeLib", "VersionIndependentProgID"}));
    EXPECT_EQ(webkit::ValuesOf(kClsidKey + "\\InprocServer32"),
              (Strings{"@=" + webkit::AgentPath(), "ThreadingModel=Apartment"}));
    EXPECT_EQ(webkit::ValuesOf(kClsidKey + "\\ProgID"), Strings{"@=Pelumo.FaceImport.1"});
    EXPECT_EQ(webkit::ValuesOf(kClsidKey + "\\VersionIndependentProgID"), Strings{"@=Pelumo.FaceImport"});
    EXPECT_TRUE(webkit::ValuesOf(kClsidKey + "\\Programmable").empty());
    EXPECT_EQ(webkit::ValuesOf(kClsidKey + "\\TypeLib"), Strings{"@={10139A78-E708-4BDF-ADDB-22AFCDA497D3}"});

    // The type library, and through it the marshalling of IFaceImport by the system's
    // type-library marshaller.
    EXPECT_EQ(webkit::SubkeyNames(kTypeLibKey), Strings{"1.0"});
    EXPECT_EQ(webkit::ValuesOf(kInterfaceKey + "\\ProxyStubClsid32"),
              Strings{"@={00020424-0000-0000-C000-000000000046}"});
}

TEST_F(Registration, RegisteringAgainReplacesAStaleClassKey) {
    ASSERT_EQ(webkit::Regsvr32(false), 0);
    HKEY stale = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, testkit::Wide(kClsidKey + "\\LocalServer32").c_str(), 0, nullptr,
                              0, KEY_WRITE, nullptr, &stale, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(stale);
    ASSERT_EQ(webkit::Regsvr32(false), 0);
    EXPECT_FALSE(webkit::KeyExists(kClsidKey + "\\LocalServer32"));
    EXPECT_TRUE(webkit::KeyExists(kClsidKey + "\\InprocServer32"));
}

TEST_F(Registration, UnregisteringLeavesNothingButTheSharedParents) {
    ASSERT_EQ(webkit::Regsvr32(false), 0);
    ASSERT_EQ(webkit::Regsvr32(true), 0);
    for (const std::string& key : {kClsidKey, kAppIdKey, kModuleKey, std::string("Pelumo.FaceImport"),
                                   std::string("Pelumo.FaceImport.1"), kTypeLibKey, kInterfaceKey})
        EXPECT_FALSE(webkit::KeyExists(key)) << key;
    EXPECT_TRUE(webkit::KeyExists("CLSID"));
    EXPECT_TRUE(webkit::KeyExists("AppID"));
    // Unregistering what is not registered is no error.
    EXPECT_EQ(webkit::Regsvr32(true), 0);
}

}  // namespace

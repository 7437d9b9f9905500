// The component's registry table and its command text for the editor.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "EditorCommand.h"
#include "FaceImportIds.h"
#include "RegistrationPlan.h"

namespace webimport {
namespace {

const RegEntry* Find(const RegistrationPlan& plan, const std::string& key, const std::string& name) {
    for (const RegEntry& e : plan.entries)
        if (e.key == key && e.hasValue && e.name == name) return &e;
    return nullptr;
}

std::string Data(const RegistrationPlan& plan, const std::string& key, const std::string& name = "") {
    const RegEntry* e = Find(plan, key, name);
    return e ? e->data : "<missing>";
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

TEST(RegistrationPlan, ClassKeysCarryTheServerPathVerbatimAndApartmentThreading) {
    const std::string module = "C:\\Program Files\\表情 精灵\\MienkoAgent.dll";
    const RegistrationPlan plan = ClassRegistration(module);
    const std::string clsid = "CLSID\\{9AFEE063-902B-4E35-9265-91E8137CD99E}";
    EXPECT_EQ(Data(plan, clsid + "\\InprocServer32"), module);
    EXPECT_EQ(Data(plan, clsid + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(Data(plan, clsid), "FaceImport Class");
    EXPECT_EQ(Data(plan, clsid, "AppID"), "{DCC9F3A8-76AC-41C5-9566-983EF652DF79}");
    EXPECT_EQ(Data(plan, clsid + "\\ProgID"), "Pelumo.FaceImport.1");
    EXPECT_EQ(Data(plan, clsid + "\\VersionIndependentProgID"), "Pelumo.FaceImport");
    EXPECT_EQ(Data(plan, clsid + "\\TypeLib"), "{10139A78-E708-4BDF-ADDB-22AFCDA497D3}");
    EXPECT_EQ(Data(plan, "Pelumo.FaceImport\\CurVer"), "Pelumo.FaceImport.1");
    EXPECT_EQ(Data(plan, "Pelumo.FaceImport\\CLSID"), kClsidText);
    EXPECT_EQ(Data(plan, "Pelumo.FaceImport.1\\CLSID"), kClsidText);
    // "Programmable" is a key without a value.
    bool programmable = false;
    for (const RegEntry& e : plan.entries)
        if (e.key == clsid + "\\Programmable") programmable = !e.hasValue;
    EXPECT_TRUE(programmable);
}

TEST(RegistrationPlan, ParentsAreWrittenBeforeTheirChildren) {
    for (const RegistrationPlan& plan : {AppIdRegistration(), ClassRegistration("x")}) {
        std::set<std::string> seen;
        for (const RegEntry& e : plan.entries) {
            const size_t slash = e.key.rfind('\\');
            if (slash != std::string::npos) {
                const std::string parent = e.key.substr(0, slash);
                if (!IsSharedParent(parent)) {
                    EXPECT_TRUE(seen.count(parent)) << e.key;
                }
            }
            seen.insert(e.key);
        }
    }
}

TEST(RegistrationPlan, UnregistrationRemovesEveryWrittenKeyButNeverASharedParent) {
    for (const RegistrationPlan& plan : {AppIdRegistration(), ClassRegistration("x")}) {
        for (const std::string& owned : plan.owned) EXPECT_FALSE(IsSharedParent(owned)) << owned;
        for (const RegEntry& e : plan.entries) {
            bool covered = false;
            for (const std::string& owned : plan.owned)
                covered = covered || e.key == owned || StartsWith(e.key, owned + "\\");
            EXPECT_TRUE(covered) << e.key << " would outlive unregistration";
        }
    }
    // The class key is written anew, so no subkey of an older registration survives.
    EXPECT_EQ(ClassRegistration("x").fresh,
              std::vector<std::string>{"CLSID\\{9AFEE063-902B-4E35-9265-91E8137CD99E}"});
}

TEST(RegistrationPlan, SharedParentsAreRecognisedInAnyCaseAndWithATrailingBackslash) {
    EXPECT_TRUE(IsSharedParent("CLSID"));
    EXPECT_TRUE(IsSharedParent("clsid\\"));
    EXPECT_TRUE(IsSharedParent("AppId"));
    EXPECT_TRUE(IsSharedParent(""));
    EXPECT_FALSE(IsSharedParent("CLSID\\{9AFEE063-902B-4E35-9265-91E8137CD99E}"));
    EXPECT_FALSE(IsSharedParent("AppID\\MienkoAgent.DLL"));
    EXPECT_FALSE(IsSharedParent("CLSIDX"));
}

TEST(RegistrationPlan, AppIdNamesTheProjectAndTheModule) {
    const RegistrationPlan plan = AppIdRegistration();
    EXPECT_EQ(Data(plan, "AppID\\{DCC9F3A8-76AC-41C5-9566-983EF652DF79}"), "Mienko");
    EXPECT_EQ(Data(plan, "AppID\\MienkoAgent.DLL", "AppID"), "{DCC9F3A8-76AC-41C5-9566-983EF652DF79}");
}

TEST(EditorCommand, JoinsDescriptionAndPathBehindTheCategoryZero) {
    EXPECT_EQ(AddFaceCommand("smile", "C:\\cache\\a.gif"), "-AddFace 0|smile|C:\\cache\\a.gif");
    // Not cached: the text still goes, ending in the bar.
    EXPECT_EQ(AddFaceCommand("smile", ""), "-AddFace 0|smile|");
    EXPECT_EQ(AddFaceCommand("", ""), "-AddFace 0||");
}

TEST(EditorCommand, PassesBarsAndBytesOfTheDescriptionOnUnchanged) {
    EXPECT_EQ(AddFaceCommand("a|b", "p"), "-AddFace 0|a|b|p");
    const std::string gbk = "\xce\xa2\xd0\xa6";  // 微笑 in GBK
    EXPECT_EQ(AddFaceCommand(gbk, "p"), "-AddFace 0|" + gbk + "|p");
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(AddFaceCommand(withNul, "p").size(), std::string("-AddFace 0|").size() + 3 + 2);
    const std::string big(100000, 'x');
    EXPECT_EQ(AddFaceCommand(big, big).size(), 11 + 100000 + 1 + 100000u);
}

TEST(EditorCommand, FragmentIsCutForTheCacheLookUpOnly) {
    EXPECT_EQ(WithoutFragment("http://h/p.gif?a=1#top"), "http://h/p.gif?a=1");
    EXPECT_EQ(WithoutFragment("http://h/p.gif#"), "http://h/p.gif");
    EXPECT_EQ(WithoutFragment("http://h/p.gif?a=#b#c"), "http://h/p.gif?a=");
    EXPECT_TRUE(WithoutFragment("http://h/p.gif?a=1").empty());
    EXPECT_TRUE(WithoutFragment("").empty());
}

}  // namespace
}  // namespace webimport

#include "RegistrationPlan.h"

#include "FaceImportIds.h"

namespace webimport {
namespace {

RegEntry Key(std::string key) {
    return RegEntry{std::move(key), false, {}, {}};
}

RegEntry Value(std::string key, std::string name, std::string data) {
    return RegEntry{std::move(key), true, std::move(name), std::move(data)};
}

}  // namespace

RegistrationPlan AppIdRegistration() {
    const std::string app = std::string("AppID\\") + kAppIdText;
    const std::string module = std::string("AppID\\") + kModuleFileName;
    RegistrationPlan plan;
    plan.entries = {
        Value(app, "", kProjectName),
        Value(module, "AppID", kAppIdText),
    };
    plan.owned = {app, module};
    return plan;
}

RegistrationPlan ClassRegistration(std::string_view modulePath) {
    const std::string clsid = std::string("CLSID\\") + kClsidText;
    const std::string progId = kProgId, indep = kVersionIndependentProgId;
    RegistrationPlan plan;
    plan.entries = {
        Value(progId, "", kClassDescription),
        Value(progId + "\\CLSID", "", kClsidText),
        Value(indep, "", kClassDescription),
        Value(indep + "\\CLSID", "", kClsidText),
        Value(indep + "\\CurVer", "", kProgId),
        Value(clsid, "", kClassDescription),
        Value(clsid, "AppID", kAppIdText),
        Value(clsid + "\\ProgID", "", kProgId),
        Value(clsid + "\\VersionIndependentProgID", "", kVersionIndependentProgId),
        Key(clsid + "\\Programmable"),
        Value(clsid + "\\InprocServer32", "", std::string(modulePath)),
        Value(clsid + "\\InprocServer32", "ThreadingModel", "Apartment"),
        Value(clsid + "\\TypeLib", "", kLibidText),
    };
    plan.fresh = {clsid};
    plan.owned = {progId, indep, clsid};
    return plan;
}

bool IsSharedParent(std::string_view key) {
    // Registry key names compare without regard to case.
    auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
            if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
            if (x != y) return false;
        }
        return true;
    };
    while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    return key.empty() || same(key, "CLSID") || same(key, "AppID") || same(key, "Interface") ||
           same(key, "TypeLib");
}

}  // namespace webimport

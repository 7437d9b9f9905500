#include "Registration_win.h"

#include <oleauto.h>
#include <olectl.h>  // SELFREG_E_*

#include "FaceImportCom_win.h"
#include "Module_win.h"
#include "RegistrationPlan.h"
#include "winfx/Com.h"
#include "winfx/Registry.h"
#include "winfx/Wide.h"

namespace webimport {
namespace {

// Registration runs under the neutral locale (2048), as the type library is registered
// for it, and gives the thread its own locale back afterwards.
class NeutralThreadLocale {
public:
    NeutralThreadLocale() : m_saved(GetThreadLocale()) { SetThreadLocale(LOCALE_SYSTEM_DEFAULT); }
    ~NeutralThreadLocale() { SetThreadLocale(m_saved); }
    NeutralThreadLocale(const NeutralThreadLocale&) = delete;
    NeutralThreadLocale& operator=(const NeutralThreadLocale&) = delete;

private:
    LCID m_saved;
};

bool Write(const RegistrationPlan& plan) {
    for (const std::string& tree : plan.fresh) winfx::KeyDeleteTree(HKEY_CLASSES_ROOT, tree);
    for (const RegEntry& e : plan.entries) {
        const winfx::UniqueKey key = winfx::KeyCreate(HKEY_CLASSES_ROOT, e.key, KEY_WRITE);
        if (!key) return false;
        if (e.hasValue && !winfx::KeySetString(key.Get(), e.name, e.data)) return false;
    }
    return true;
}

void Remove(const RegistrationPlan& plan) {
    for (const std::string& tree : plan.owned)
        if (!IsSharedParent(tree)) winfx::KeyDeleteTree(HKEY_CLASSES_ROOT, tree);
}

HRESULT LoadOwnTypeLib(ITypeLib** out) {
    const std::wstring path = ModulePath();
    if (path.empty()) return TYPE_E_CANTLOADLIBRARY;
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, out);
}

}  // namespace

HRESULT RegisterServer() {
    NeutralThreadLocale locale;
    const std::wstring path = ModulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    if (!Write(AppIdRegistration()) || !Write(ClassRegistration(winfx::ToUtf8(path)))) return SELFREG_E_CLASS;
    winfx::ComPtr<ITypeLib> lib;
    if (FAILED(LoadOwnTypeLib(lib.Put()))) return SELFREG_E_TYPELIB;
    // Also writes Interface\{IID} with the system marshaller as proxy/stub.
    std::wstring copy = path;
    if (FAILED(RegisterTypeLib(lib.Get(), copy.data(), nullptr))) return SELFREG_E_TYPELIB;
    return S_OK;
}

HRESULT UnregisterServer() {
    NeutralThreadLocale locale;
    Remove(ClassRegistration(""));
    winfx::ComPtr<ITypeLib> lib;
    if (SUCCEEDED(LoadOwnTypeLib(lib.Put()))) {
        TLIBATTR* attr = nullptr;
        if (SUCCEEDED(lib->GetLibAttr(&attr))) {
            // Removes TypeLib\{LIBID} and the Interface keys it wrote; absent ones are fine.
            UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind);
            lib->ReleaseTLibAttr(attr);
        }
    }
    Remove(AppIdRegistration());
    return S_OK;
}

}  // namespace webimport

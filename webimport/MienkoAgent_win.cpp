// MienkoAgent.dll: COM in-process server that hands web pictures to the editor.
#include <windows.h>
#include <objbase.h>

#include "ClassFactory_win.h"
#include "FaceImportCom_win.h"
#include "Module_win.h"
#include "Registration_win.h"

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return webimport::ModuleInUse() ? S_FALSE : S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, webimport::kClsidFaceImport)) return CLASS_E_CLASSNOTAVAILABLE;
    return webimport::GetFaceImportFactory(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    try {
        return webimport::RegisterServer();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    try {
        return webimport::UnregisterServer();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        webimport::ModuleSetHandle(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

// MienkoAgent.dll: COM in-process server that hands web pictures to the editor.
#include <windows.h>
#include <objbase.h>

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID, REFIID, LPVOID* out) {
    if (out) *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return E_NOTIMPL;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return E_NOTIMPL;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

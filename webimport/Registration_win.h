// DllRegisterServer and DllUnregisterServer: the registry tables of RegistrationPlan.h and
// the embedded type library, which also makes IFaceImport marshal through the system's
// type-library marshaller (no proxy DLL of our own).
#pragma once
#include <objbase.h>

namespace webimport {

HRESULT RegisterServer();
HRESULT UnregisterServer();

}  // namespace webimport

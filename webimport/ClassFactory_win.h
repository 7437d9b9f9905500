// The class object DllGetClassObject hands out for FaceImport.
#pragma once
#include <objbase.h>

namespace webimport {

HRESULT GetFaceImportFactory(REFIID iid, void** out);

}  // namespace webimport

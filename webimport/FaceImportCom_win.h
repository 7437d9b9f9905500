// The C++ face of MienkoLib.idl: interface declaration and binary ids (texts in
// FaceImportIds.h). Clients include it too.
#pragma once
#include <objbase.h>
#include <oaidl.h>

namespace webimport {

// {9AFEE063-902B-4E35-9265-91E8137CD99E}
constexpr CLSID kClsidFaceImport = {0x9AFEE063, 0x902B, 0x4E35, {0x92, 0x65, 0x91, 0xE8, 0x13, 0x7C, 0xD9, 0x9E}};
// {F8FD87F5-6570-45FB-BCAF-7647C4194C30}
constexpr IID kIidFaceImport = {0xF8FD87F5, 0x6570, 0x45FB, {0xBC, 0xAF, 0x76, 0x47, 0xC4, 0x19, 0x4C, 0x30}};
// {A6D4D18F-24AD-4482-B669-DA4162D31606}
constexpr IID kIidFaceImportEvents = {0xA6D4D18F, 0x24AD, 0x4482, {0xB6, 0x69, 0xDA, 0x41, 0x62, 0xD3, 0x16, 0x06}};
// {10139A78-E708-4BDF-ADDB-22AFCDA497D3}
constexpr GUID kLibidMienko = {0x10139A78, 0xE708, 0x4BDF, {0xAD, 0xDB, 0x22, 0xAF, 0xCD, 0xA4, 0x97, 0xD3}};

constexpr DISPID kDispIdAddFace = 1;

}  // namespace webimport

// Dual interface: AddFace is the first slot after IDispatch's seven.
struct IFaceImport : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE AddFace(BSTR FaceFile, BSTR Desc) = 0;
};

// The tagged value that travels between the store and its callers, standing in for
// an automation VARIANT: the type codes are the standard VARTYPE numbers so that
// callers and conversions read as they would against ADO.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#ifdef _WIN32
// The Windows programs also include the system's OLE headers, which define these very
// names: take the system's values (the same numbers) so both can be included together.
#include <windows.h>
#include <wtypes.h>
constexpr uint16_t VT_ARRAY_UI1 = VT_ARRAY | VT_UI1;  // 8209: a long binary value
#else
enum VarType : uint16_t {
    VT_EMPTY = 0, VT_NULL = 1, VT_I2 = 2, VT_I4 = 3, VT_R4 = 4, VT_R8 = 5, VT_CY = 6,
    VT_DATE = 7, VT_BSTR = 8, VT_BOOL = 11, VT_DECIMAL = 14, VT_I1 = 16, VT_UI1 = 17,
    VT_UI2 = 18, VT_UI4 = 19, VT_I8 = 20, VT_UI8 = 21, VT_INT = 22, VT_UINT = 23,
    VT_VOID = 24, VT_LPSTR = 30, VT_LPWSTR = 31, VT_BLOB = 65, VT_BLOB_OBJECT = 70,
    VT_ARRAY = 0x2000,
    VT_ARRAY_UI1 = VT_ARRAY | VT_UI1,  // 8209: a long binary value
};
#endif

// One value. Integers of every width live in `i` (VT_CY as the scaled 64-bit count of
// 1/10000 units, VT_BOOL as 0 or -1); floating values, dates and decimals in `d`;
// texts (UTF-8) in `s`; byte arrays and blobs in `bytes`.
struct Variant {
    uint16_t vt = VT_EMPTY;
    int64_t i = 0;
    double d = 0.0;
    std::string s;
    std::vector<uint8_t> bytes;

    static Variant Null() { return Typed(VT_NULL); }
    static Variant Long(int32_t v) { Variant r = Typed(VT_I4); r.i = v; return r; }
    static Variant Int(uint16_t vt, int64_t v) { Variant r = Typed(vt); r.i = v; return r; }
    static Variant Real(uint16_t vt, double v) { Variant r = Typed(vt); r.d = v; return r; }
    static Variant Bool(bool v) { Variant r = Typed(VT_BOOL); r.i = v ? -1 : 0; return r; }
    static Variant Text(std::string v) { Variant r = Typed(VT_BSTR); r.s = std::move(v); return r; }
    static Variant Bytes(std::vector<uint8_t> v) {
        Variant r = Typed(VT_ARRAY_UI1); r.bytes = std::move(v); return r;
    }
    static Variant Typed(uint16_t vt) { Variant r; r.vt = vt; return r; }

    bool IsNull() const { return vt == VT_NULL || vt == VT_EMPTY; }
};

// Text form of a value as the access layer reports it (see the .cpp for each type).
std::string VariantToText(const Variant& v);
// 32-bit integer form of a value; 0 for types without one.
int32_t VariantToLong(const Variant& v);

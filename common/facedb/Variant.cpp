#include "Variant.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* fmt, ...) {
    char buf[512];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    if (n < 0) return {};
    if (static_cast<size_t>(n) < sizeof buf) return std::string(buf, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    va_start(ap, fmt);
    std::vsnprintf(&big[0], big.size(), fmt, ap);
    va_end(ap);
    big.resize(static_cast<size_t>(n));
    return big;
}

// x86 truncation of an out-of-range double yields the "integer indefinite" value;
// keep that instead of undefined behaviour.
int32_t TruncateToLong(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Round half to even, as the automation conversion to a 32-bit integer does;
// a value out of range has no conversion and reads as 0.
int32_t BankersRoundToLong(double v) {
    double r = std::nearbyint(v);  // default rounding mode is to nearest, ties to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return 0;
    return static_cast<int32_t>(r);
}

// Currency as the platform writes it: up to four decimals, trailing zeros dropped.
std::string CurrencyText(int64_t scaled) {
    bool negative = scaled < 0;
    uint64_t mag = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string text = Format("%s%llu", negative ? "-" : "",
                              static_cast<unsigned long long>(mag / 10000));
    unsigned frac = static_cast<unsigned>(mag % 10000);
    if (frac != 0) {
        std::string digits = Format("%04u", frac);
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
        text += "." + digits;
    }
    return text;
}

// Days since 1899-12-30 (whole part) plus the time of day as the magnitude of the
// fraction; the platform splits dates from year 100 to 9999 only.
bool SplitOleDate(double date, std::tm& out) {
    if (!(date >= -657434.0 && date < 2958466.0)) return false;
    double whole = std::trunc(date);
    double frac = std::fabs(date - whole);
    long long seconds = std::llround(frac * 86400.0);
    long long days = static_cast<long long>(whole);
    if (seconds >= 86400) { seconds -= 86400; days += date < 0 ? -1 : 1; }
    // Civil-from-days (proleptic Gregorian), epoch shifted from 1899-12-30.
    long long z = days - 25569 + 719468;  // days since 0000-03-01
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    long long d = doy - (153 * mp + 2) / 5 + 1;
    long long m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) ++y;
    out = std::tm{};
    out.tm_year = static_cast<int>(y - 1900);
    out.tm_mon = static_cast<int>(m - 1);
    out.tm_mday = static_cast<int>(d);
    out.tm_hour = static_cast<int>(seconds / 3600);
    out.tm_min = static_cast<int>(seconds / 60 % 60);
    out.tm_sec = static_cast<int>(seconds % 60);
    return true;
}

}  // namespace

std::string VariantToText(const Variant& v) {
    switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL: return {};
    case VT_I2: return Format("%d", static_cast<int>(static_cast<int16_t>(v.i)));
    case VT_I4:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT: return Format("%d", static_cast<int>(static_cast<int32_t>(v.i)));
    case VT_I1:
    case VT_UI1: return Format("%d", static_cast<int>(static_cast<uint8_t>(v.i)));
    case VT_UI2: return Format("%d", static_cast<int>(static_cast<uint16_t>(v.i)));
    case VT_VOID: return Format("%8x", static_cast<unsigned>(static_cast<uint32_t>(v.i)));
    case VT_R4: return Format("%.4f", static_cast<double>(static_cast<float>(v.d)));
    case VT_R8:
    case VT_DECIMAL: return Format("%.8f", v.d);
    case VT_CY: return CurrencyText(v.i);
    case VT_DATE: {
        std::tm tm;
        if (!SplitOleDate(v.d, tm)) return "Invalid DateTime";
        char buf[64];
        size_t n = std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
        return std::string(buf, n);
    }
    case VT_BOOL: return v.i != 0 ? "TRUE" : "FALSE";
    case VT_BSTR:
    case VT_LPSTR:
    case VT_LPWSTR: return v.s;
    case VT_BLOB:
    case VT_BLOB_OBJECT:
    case VT_ARRAY_UI1: return "[BLOB]";
    default: return "UN_KNOW";
    }
}

int32_t VariantToLong(const Variant& v) {
    switch (v.vt) {
    case VT_I2:
    case VT_BOOL:
    case VT_UI2: return static_cast<int16_t>(v.i);
    case VT_I1:
    case VT_UI1: return static_cast<uint8_t>(v.i);
    case VT_I4:
    case VT_UI4:
    case VT_INT: return static_cast<int32_t>(v.i);
    case VT_R4: return TruncateToLong(static_cast<double>(static_cast<float>(v.d)) + 0.5);
    case VT_R8: return TruncateToLong(v.d + 0.5);
    case VT_CY: return BankersRoundToLong(static_cast<double>(v.i) / 10000.0);
    case VT_DECIMAL: return BankersRoundToLong(v.d);
    case VT_BSTR:
    case VT_LPSTR:
    case VT_LPWSTR: return static_cast<int32_t>(std::atol(v.s.c_str()));
    default: return 0;
    }
}

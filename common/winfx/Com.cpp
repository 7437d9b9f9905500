#include "winfx/Com.h"

#include <climits>
#include <utility>

#include "winfx/Wide.h"

namespace winfx {

Bstr::Bstr(std::string_view utf8) {
    const std::wstring w = ToWide(utf8);
    if (w.size() <= UINT_MAX) m_b = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        SysFreeString(m_b);
        m_b = other.Release();
    }
    return *this;
}

BSTR Bstr::Release() noexcept {
    return std::exchange(m_b, nullptr);
}

BSTR* Bstr::Put() noexcept {
    SysFreeString(std::exchange(m_b, nullptr));
    return &m_b;
}

std::string Bstr::ToUtf8() const {
    if (!m_b) return {};
    return winfx::ToUtf8(std::wstring_view(m_b, SysStringLen(m_b)));
}

}  // namespace winfx

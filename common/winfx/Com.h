// COM owners: interface pointers, BSTRs, and apartment initialisation.
#pragma once
#include <objbase.h>
#include <oleauto.h>
#include <ole2.h>

#include <string>
#include <string_view>

namespace winfx {

// Counted interface pointer: copying adds a reference, destruction releases one.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr& other) noexcept : m_p(other.m_p) {
        if (m_p) m_p->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : m_p(other.Detach()) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference the caller already holds (no AddRef).
    static ComPtr Attach(T* p) noexcept {
        ComPtr c;
        c.m_p = p;
        return c;
    }
    T* Detach() noexcept {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    void Reset() noexcept {
        if (T* p = Detach()) p->Release();
    }
    T* Get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    // For creation functions: releases the current pointer, returns the slot to fill.
    T** Put() noexcept {
        Reset();
        return &m_p;
    }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

    template <class U>
    HRESULT As(REFIID iid, ComPtr<U>& out) const noexcept {
        if (!m_p) return E_POINTER;
        return m_p->QueryInterface(iid, out.PutVoid());
    }
    template <class U>
    HRESULT As(ComPtr<U>& out) const noexcept {
        return As(__uuidof(U), out);
    }

private:
    T* m_p = nullptr;
};

// Owner of a BSTR; converts from and to UTF-8.
class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(std::string_view utf8);
    Bstr(Bstr&& other) noexcept : m_b(other.Release()) {}
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(m_b); }

    BSTR Get() const noexcept { return m_b; }
    BSTR Release() noexcept;
    BSTR* Put() noexcept;  // for out-parameters; frees the current string
    UINT Length() const noexcept { return SysStringLen(m_b); }
    std::string ToUtf8() const;  // a null BSTR is the empty string, as COM defines it

private:
    BSTR m_b = nullptr;
};

// CoInitializeEx for this thread; uninitialises only if the call succeeded (S_FALSE
// included: it still counts). A thread already in another apartment gets
// RPC_E_CHANGED_MODE, which must not be balanced.
class ComInit {
public:
    explicit ComInit(DWORD model = COINIT_APARTMENTTHREADED) noexcept
        : m_hr(CoInitializeEx(nullptr, model)) {}
    ~ComInit() {
        if (SUCCEEDED(m_hr)) CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    HRESULT Result() const noexcept { return m_hr; }
    bool Ok() const noexcept { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};

// OleInitialize (clipboard, drag and drop, OleLoadPicture) with the same rule.
class OleInit {
public:
    OleInit() noexcept : m_hr(OleInitialize(nullptr)) {}
    ~OleInit() {
        if (SUCCEEDED(m_hr)) OleUninitialize();
    }
    OleInit(const OleInit&) = delete;
    OleInit& operator=(const OleInit&) = delete;
    HRESULT Result() const noexcept { return m_hr; }
    bool Ok() const noexcept { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};

}  // namespace winfx

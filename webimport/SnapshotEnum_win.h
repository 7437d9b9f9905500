// COM enumerator over a copy of a list taken when it was made (IEnumConnectionPoints,
// IEnumConnections). Traits give the interface, its IID, the stored item and how an item
// is handed out with its own reference.
#pragma once
#include <objbase.h>

#include <new>
#include <utility>
#include <vector>

#include "Module_win.h"

namespace webimport {

template <class Traits>
class SnapshotEnum final : public Traits::Interface {
public:
    using Interface = typename Traits::Interface;
    using Item = typename Traits::Item;
    using Out = typename Traits::Out;

    static HRESULT Create(std::vector<Item> items, size_t pos, Interface** out) {
        if (!out) return E_POINTER;
        *out = new (std::nothrow) SnapshotEnum(std::move(items), pos);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, Traits::Iid())) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&m_refs);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Out* out, ULONG* fetched) override {
        if (fetched) *fetched = 0;
        if (!out || (count != 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && m_pos < m_items.size(); ++n, ++m_pos) Traits::CopyOut(m_items[m_pos], out[n]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = m_items.size() - m_pos;
        if (count > left) {
            m_pos = m_items.size();
            return S_FALSE;
        }
        m_pos += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_pos = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** out) override {
        try {
            return Create(m_items, m_pos, out);
        } catch (...) {
            if (out) *out = nullptr;
            return E_OUTOFMEMORY;
        }
    }

private:
    SnapshotEnum(std::vector<Item> items, size_t pos) : m_items(std::move(items)), m_pos(pos) {}

    ModuleRef m_module;
    volatile LONG m_refs = 1;
    std::vector<Item> m_items;
    size_t m_pos;
};

}  // namespace webimport

#include "EventsConnectionPoint_win.h"

#include "FaceImportCom_win.h"
#include "SnapshotEnum_win.h"

namespace webimport {
namespace {

struct ConnectionTraits {
    using Interface = IEnumConnections;
    struct Item {
        winfx::ComPtr<IUnknown> sink;
        DWORD cookie;
    };
    using Out = CONNECTDATA;
    static REFIID Iid() { return IID_IEnumConnections; }
    static void CopyOut(const Item& item, CONNECTDATA& out) {
        out.pUnk = item.sink.Get();
        out.pUnk->AddRef();
        out.dwCookie = item.cookie;
    }
};

struct PointTraits {
    using Interface = IEnumConnectionPoints;
    using Item = winfx::ComPtr<IConnectionPoint>;
    using Out = IConnectionPoint*;
    static REFIID Iid() { return IID_IEnumConnectionPoints; }
    static void CopyOut(const Item& item, IConnectionPoint*& out) {
        out = item.Get();
        out->AddRef();
    }
};

}  // namespace

HRESULT EventsConnectionPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT EventsConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = kIidFaceImportEvents;
    return S_OK;
}

HRESULT EventsConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = m_container;
    m_container->AddRef();
    return S_OK;
}

HRESULT EventsConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie) *cookie = 0;
    if (!sink || !cookie) return E_POINTER;
    winfx::ComPtr<IUnknown> events;
    if (FAILED(sink->QueryInterface(kIidFaceImportEvents, events.PutVoid()))) return CONNECT_E_CANNOTCONNECT;
    try {
        size_t slot = 0;
        while (slot < m_sinks.size() && m_sinks[slot]) ++slot;
        if (slot >= MAXDWORD) return CONNECT_E_ADVISELIMIT;
        if (slot == m_sinks.size()) m_sinks.emplace_back();
        m_sinks[slot] = std::move(events);
        *cookie = static_cast<DWORD>(slot + 1);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT EventsConnectionPoint::Unadvise(DWORD cookie) {
    if (cookie == 0 || cookie > m_sinks.size() || !m_sinks[cookie - 1]) return CONNECT_E_NOCONNECTION;
    // Moved out first: releasing the sink may call back into this list.
    winfx::ComPtr<IUnknown> gone = std::move(m_sinks[cookie - 1]);
    return S_OK;
}

HRESULT EventsConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
        std::vector<ConnectionTraits::Item> items;
        for (size_t i = 0; i < m_sinks.size(); ++i)
            if (m_sinks[i]) items.push_back({m_sinks[i], static_cast<DWORD>(i + 1)});
        return SnapshotEnum<ConnectionTraits>::Create(std::move(items), 0, out);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT EnumOneConnectionPoint(IConnectionPoint* point, IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    try {
        std::vector<PointTraits::Item> items(1);
        point->AddRef();
        items[0] = PointTraits::Item::Attach(point);
        return SnapshotEnum<PointTraits>::Create(std::move(items), 0, out);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace webimport

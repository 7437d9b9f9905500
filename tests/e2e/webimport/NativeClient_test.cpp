// C++ clients of the component: through the vtable, through IDispatch, from another
// apartment, aggregated; its type library; the DLL entry points with bad input.
#include <gtest/gtest.h>

#include <windows.h>
#include <ocidl.h>
#include <objsafe.h>
#include <olectl.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "FaceImportCom_win.h"
#include "TestKit.h"
#include "WebImportKit_win.h"

namespace {

using testkit::Wide;
using webimport::kClsidFaceImport;
using webimport::kIidFaceImport;
using webimport::kIidFaceImportEvents;

struct BstrOwner {
    explicit BstrOwner(const std::string& utf8) : b(SysAllocStringLen(Wide(utf8).c_str(), static_cast<UINT>(Wide(utf8).size()))) {}
    ~BstrOwner() { SysFreeString(b); }
    BSTR b;
};

template <class T>
struct Ptr {  // minimal owner for test code
    T* p = nullptr;
    ~Ptr() {
        if (p) p->Release();
    }
    void** Put() { return reinterpret_cast<void**>(&p); }
    T* operator->() const { return p; }
};

// A COM object of the test's own: counts references, answers only IUnknown and, when asked
// to, the events interface.
class Probe : public IDispatch {
public:
    explicit Probe(bool events) : m_events(events) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || (m_events && (IsEqualIID(iid, kIidFaceImportEvents) ||
                                                           IsEqualIID(iid, IID_IDispatch)))) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    ULONG refs = 1;

private:
    bool m_events;
};

// An outer object that aggregates FaceImport and exposes its interfaces as its own.
class Outer : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    IUnknown* inner = nullptr;
    ULONG refs = 1;
};

using EntryGetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using EntryCanUnloadNow = HRESULT(STDAPICALLTYPE*)();

class NativeClient : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(webkit::Regsvr32(false), 0); }
    static void TearDownTestSuite() { webkit::Regsvr32(true); }

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        module = LoadLibraryW(Wide(webkit::AgentPath()).c_str());
        ASSERT_TRUE(module);
        getClassObject = reinterpret_cast<EntryGetClassObject>(
            reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
        canUnloadNow =
            reinterpret_cast<EntryCanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
        ASSERT_TRUE(getClassObject && canUnloadNow);
        ASSERT_TRUE(editor.Hwnd());
    }
    void TearDown() override {
        FreeLibrary(module);
        CoUninitialize();
    }

    HRESULT Create(IFaceImport** out) {
        return CoCreateInstance(kClsidFaceImport, nullptr, CLSCTX_INPROC_SERVER, kIidFaceImport,
                                reinterpret_cast<void**>(out));
    }

    HMODULE module = nullptr;
    EntryGetClassObject getClassObject = nullptr;
    EntryCanUnloadNow canUnloadNow = nullptr;
    webkit::EditorStandIn editor;
};

TEST_F(NativeClient, AddFaceThroughTheVtableSlotAfterIDispatch) {
    Ptr<IFaceImport> face;
    ASSERT_EQ(Create(&face.p), S_OK);
    // Slot 7: after QueryInterface, AddRef, Release and IDispatch's four.
    using AddFaceSlot = HRESULT(STDMETHODCALLTYPE*)(IFaceImport*, BSTR, BSTR);
    auto slot = reinterpret_cast<AddFaceSlot>((*reinterpret_cast<void***>(face.p))[7]);
    BstrOwner url("http://127.0.0.1:1/none.gif"), desc("vtable");
    EXPECT_EQ(slot(face.p, url.b, desc.b), S_OK);
    ASSERT_EQ(editor.received.size(), 1u);
    EXPECT_EQ(editor.received[0], "-AddFace 0|vtable|");
}

TEST_F(NativeClient, AddFaceThroughIDispatchByName) {
    Ptr<IDispatch> disp;
    ASSERT_EQ(CoCreateInstance(kClsidFaceImport, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&disp.p)),
              S_OK);
    wchar_t name[] = L"AddFace";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 1);
    wchar_t unknown[] = L"RemoveFace";
    LPOLESTR bad[] = {unknown};
    EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, bad, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);

    // Arguments go in reverse order.
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[1].vt = VT_BSTR;
    args[1].bstrVal = SysAllocString(L"http://127.0.0.1:1/x.gif?a=1#b");
    args[0].vt = VT_BSTR;
    args[0].bstrVal = SysAllocString(L"by|name");
    DISPPARAMS params{args, nullptr, 2, 0};
    EXPECT_EQ(disp->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(editor.received.size(), 1u);
    EXPECT_EQ(editor.received[0], "-AddFace 0|by|name|");

    DISPPARAMS one{args, nullptr, 1, 0};
    UINT argErr = 0;
    EXPECT_EQ(disp->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &one, nullptr, nullptr, &argErr),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(disp->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(disp->Invoke(1, IID_IUnknown, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(editor.received.size(), 1u) << "a rejected call must not reach the editor";
    VariantClear(&args[0]);
    VariantClear(&args[1]);
}

// What the calling thread saw; shared, so a hung call cannot leave it dangling.
struct RemoteCall {
    IStream* stream = nullptr;
    void* proxy = nullptr;
    std::atomic<HRESULT> unmarshalled{E_PENDING}, called{E_PENDING};
    std::atomic<bool> finished{false};
};

TEST_F(NativeClient, CallFromAnotherApartmentIsMarshalledToTheObjectsThread) {
    Ptr<IFaceImport> face;
    ASSERT_EQ(Create(&face.p), S_OK);
    auto call = std::make_shared<RemoteCall>();
    ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(kIidFaceImport, face.p, &call->stream), S_OK);
    std::thread worker([call] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        IFaceImport* remote = nullptr;
        call->unmarshalled = CoGetInterfaceAndReleaseStream(call->stream, kIidFaceImport,
                                                            reinterpret_cast<void**>(&remote));
        if (remote) {
            call->proxy = remote;
            BSTR url = SysAllocString(L"http://127.0.0.1:1/far.gif");
            BSTR desc = SysAllocString(L"远方");
            call->called = remote->AddFace(url, desc);
            SysFreeString(url);
            SysFreeString(desc);
            remote->Release();
        }
        CoUninitialize();
        call->finished = true;
    });
    // The object lives in this apartment: its calls, the release included, arrive here as
    // messages, so this thread pumps until the caller is through.
    const bool done = testkit::WaitUntil([&] { return call->finished.load(); }, std::chrono::seconds(60));
    if (!done) {
        worker.detach();  // stuck in a call that never came back; the process ends soon
        FAIL() << "the marshalled call never returned";
    }
    worker.join();
    ASSERT_EQ(call->unmarshalled, S_OK);
    EXPECT_NE(call->proxy, static_cast<void*>(face.p));
    EXPECT_EQ(call->called, S_OK);
    ASSERT_EQ(editor.received.size(), 1u);
    EXPECT_EQ(editor.received[0], webkit::ToAnsi("-AddFace 0|远方|"));
}

TEST_F(NativeClient, BadArgumentsStillReachTheEditorAndReturnOk) {
    Ptr<IFaceImport> face;
    ASSERT_EQ(Create(&face.p), S_OK);
    EXPECT_EQ(face->AddFace(nullptr, nullptr), S_OK);
    BstrOwner empty("");
    EXPECT_EQ(face->AddFace(empty.b, empty.b), S_OK);
    const std::string huge(100000, 'x');
    BstrOwner big("http://127.0.0.1:1/" + huge), bigDesc(huge);
    EXPECT_EQ(face->AddFace(big.b, bigDesc.b), S_OK);
    BstrOwner bars("||a|"), url("http://127.0.0.1:1/p.gif");
    EXPECT_EQ(face->AddFace(url.b, bars.b), S_OK);
    ASSERT_EQ(editor.received.size(), 4u);
    EXPECT_EQ(editor.received[0], "-AddFace 0||");
    EXPECT_EQ(editor.received[1], "-AddFace 0||");
    EXPECT_EQ(editor.received[2], "-AddFace 0|" + huge + "|");
    EXPECT_EQ(editor.received[3], "-AddFace 0|||a||");
}

TEST_F(NativeClient, AddressWithQueryAndFragmentFindsThePictureCachedWithoutTheFragment) {
    webkit::PictureServer server;
    ASSERT_TRUE(server.Ok());
    const std::string url = server.Url("/pic.gif?id=42&size=big");
    const std::string cached = webkit::FetchIntoCache(url);
    ASSERT_FALSE(cached.empty());
    Ptr<IFaceImport> face;
    ASSERT_EQ(Create(&face.p), S_OK);
    BstrOwner withFragment(url + "#preview"), plain(url), desc("q");
    EXPECT_EQ(face->AddFace(withFragment.b, desc.b), S_OK);
    EXPECT_EQ(face->AddFace(plain.b, desc.b), S_OK);
    ASSERT_EQ(editor.received.size(), 2u);
    EXPECT_EQ(editor.received[0], webkit::ToAnsi("-AddFace 0|q|" + cached));
    EXPECT_EQ(editor.received[1], webkit::ToAnsi("-AddFace 0|q|" + cached));
}

TEST_F(NativeClient, ObjectAnswersItsInterfacesWithOneIdentity) {
    Ptr<IFaceImport> face;
    ASSERT_EQ(Create(&face.p), S_OK);
    Ptr<IUnknown> a, b;
    ASSERT_EQ(face->QueryInterface(IID_IUnknown, a.Put()), S_OK);
    Ptr<ISupportErrorInfo> errors;
    ASSERT_EQ(face->QueryInterface(IID_ISupportErrorInfo, errors.Put()), S_OK);
    ASSERT_EQ(errors->QueryInterface(IID_IUnknown, b.Put()), S_OK);
    EXPECT_EQ(a.p, b.p);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(kIidFaceImport), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    Ptr<IUnknown> none;
    EXPECT_EQ(face->QueryInterface(IID_IObjectSafety, none.Put()), E_NOINTERFACE);
    EXPECT_EQ(none.p, nullptr);

    UINT count = 0;
    EXPECT_EQ(face->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    Ptr<ITypeInfo> info;
    EXPECT_EQ(face->GetTypeInfo(1, 0, &info.p), DISP_E_BADINDEX);
    ASSERT_EQ(face->GetTypeInfo(0, 0, &info.p), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, kIidFaceImport));
    info->ReleaseTypeAttr(attr);
}

TEST_F(NativeClient, OneConnectionPointKeepsSinksOfTheEventsInterfaceOnly) {
    Ptr<IConnectionPointContainer> container;
    ASSERT_EQ(CoCreateInstance(kClsidFaceImport, nullptr, CLSCTX_INPROC_SERVER, IID_IConnectionPointContainer,
                               container.Put()),
              S_OK);
    Ptr<IConnectionPoint> point, none;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &none.p), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(container->FindConnectionPoint(kIidFaceImportEvents, &point.p), S_OK);
    IID iid{};
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, kIidFaceImportEvents));
    Ptr<IConnectionPointContainer> back;
    ASSERT_EQ(point->GetConnectionPointContainer(&back.p), S_OK);
    EXPECT_EQ(back.p, container.p);

    Probe stranger(false), sink(true);
    DWORD cookie = 99;
    EXPECT_EQ(point->Advise(&stranger, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(stranger.refs, 1u);
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(sink.refs, 2u);

    Ptr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(&connections.p), S_OK);
    CONNECTDATA data[2]{};
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(2, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(data[0].dwCookie, cookie);
    data[0].pUnk->Release();

    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(0), CONNECT_E_NOCONNECTION);
    connections.p->Release();
    connections.p = nullptr;
    EXPECT_EQ(sink.refs, 1u);

    Ptr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points.p), S_OK);
    IConnectionPoint* listed[2]{};
    EXPECT_EQ(points->Next(2, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(listed[0], point.p);
    listed[0]->Release();
    EXPECT_EQ(points->Skip(1), S_FALSE);
    EXPECT_EQ(points->Reset(), S_OK);
    EXPECT_EQ(points->Skip(1), S_OK);
}

TEST_F(NativeClient, SiteIsHeldUntilReplacedAndAnsweredBack) {
    Ptr<IObjectWithSite> withSite;
    ASSERT_EQ(CoCreateInstance(kClsidFaceImport, nullptr, CLSCTX_INPROC_SERVER, IID_IObjectWithSite, withSite.Put()),
              S_OK);
    Probe site(false);
    Ptr<IUnknown> got;
    EXPECT_EQ(withSite->GetSite(IID_IUnknown, got.Put()), E_FAIL);
    ASSERT_EQ(withSite->SetSite(&site), S_OK);
    EXPECT_EQ(site.refs, 2u);
    ASSERT_EQ(withSite->GetSite(IID_IUnknown, got.Put()), S_OK);
    EXPECT_EQ(got.p, static_cast<IUnknown*>(&site));
    got.p->Release();
    got.p = nullptr;
    EXPECT_EQ(withSite->SetSite(nullptr), S_OK);
    EXPECT_EQ(site.refs, 1u);
}

TEST_F(NativeClient, AggregatedObjectDelegatesToTheOuterObject) {
    Ptr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(kClsidFaceImport, IID_IClassFactory, factory.Put()), S_OK);
    Outer outer;
    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(&outer, kIidFaceImport, &refused), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(refused, nullptr);
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
    EXPECT_EQ(outer.refs, 1u);

    IFaceImport* face = nullptr;
    ASSERT_EQ(outer.QueryInterface(kIidFaceImport, reinterpret_cast<void**>(&face)), S_OK);
    EXPECT_EQ(outer.refs, 2u) << "the inner interface counts on the outer object";
    IUnknown* identity = nullptr;
    ASSERT_EQ(face->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    identity->Release();
    BstrOwner url("u"), desc("aggregated");
    EXPECT_EQ(face->AddFace(url.b, desc.b), S_OK);
    face->Release();
    EXPECT_EQ(outer.refs, 1u);
    outer.inner->Release();
    ASSERT_EQ(editor.received.size(), 1u);
    EXPECT_EQ(editor.received[0], "-AddFace 0|aggregated|");
}

TEST_F(NativeClient, ClassObjectRefusesUnknownIdsAndMissingOutPointers) {
    const CLSID other = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(other, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(kClsidFaceImport, kIidFaceImport, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(getClassObject(kClsidFaceImport, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(NativeClient, UnloadAnswerFollowsObjectsAndLocksAndTheDllWorksAfterAYes) {
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(canUnloadNow(), S_OK);
    Ptr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(kClsidFaceImport, IID_IClassFactory, factory.Put()), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.p->Release();
    factory.p = nullptr;
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a server lock keeps the DLL";
    ASSERT_EQ(getClassObject(kClsidFaceImport, IID_IClassFactory, factory.Put()), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    IFaceImport* face = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, kIidFaceImport, reinterpret_cast<void**>(&face)), S_OK);
    factory.p->Release();
    factory.p = nullptr;
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a live object keeps the DLL";
    face->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);

    // After the yes, the DLL is still whole: a new object works.
    ASSERT_EQ(getClassObject(kClsidFaceImport, IID_IClassFactory, factory.Put()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, kIidFaceImport, reinterpret_cast<void**>(&face)), S_OK);
    BstrOwner url("u"), desc("again");
    EXPECT_EQ(face->AddFace(url.b, desc.b), S_OK);
    face->Release();
    ASSERT_EQ(editor.received.size(), 1u);
    EXPECT_EQ(editor.received[0], "-AddFace 0|again|");
}

TEST_F(NativeClient, EmbeddedTypeLibraryDescribesTheDualInterfaceAndTheClass) {
    Ptr<ITypeLib> lib;
    ASSERT_EQ(LoadTypeLibEx(Wide(webkit::AgentPath()).c_str(), REGKIND_NONE, &lib.p), S_OK);
    TLIBATTR* la = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&la), S_OK);
    EXPECT_TRUE(IsEqualGUID(la->guid, webimport::kLibidMienko));
    EXPECT_EQ(la->wMajorVerNum, 1);
    EXPECT_EQ(la->wMinorVerNum, 0);
    lib->ReleaseTLibAttr(la);
    BSTR name = nullptr, help = nullptr;
    ASSERT_EQ(lib->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_EQ(testkit::Narrow(name ? name : L""), "MienkoLib");
    EXPECT_EQ(testkit::Narrow(help ? help : L""), "Mienko 1.0 类型库");
    SysFreeString(name);
    SysFreeString(help);

    Ptr<ITypeInfo> face;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kIidFaceImport, &face.p), S_OK);
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(face->GetTypeAttr(&ta), S_OK);
    EXPECT_EQ(ta->typekind, TKIND_DISPATCH);  // a dual interface shows its dispatch side first
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FNONEXTENSIBLE);
    face->ReleaseTypeAttr(ta);
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(face->GetRefTypeOfImplType(-1, &vtableRef), S_OK);
    Ptr<ITypeInfo> vtable;
    ASSERT_EQ(face->GetRefTypeInfo(vtableRef, &vtable.p), S_OK);
    ASSERT_EQ(vtable->GetTypeAttr(&ta), S_OK);
    EXPECT_EQ(ta->typekind, TKIND_INTERFACE);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_EQ(ta->cFuncs, 1);
    EXPECT_EQ(ta->cbSizeVft, 8 * sizeof(void*));
    vtable->ReleaseTypeAttr(ta);
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(vtable->GetFuncDesc(0, &fd), S_OK);
    EXPECT_EQ(fd->memid, 1);
    EXPECT_EQ(fd->cParams, 2);
    EXPECT_EQ(fd->oVft, static_cast<SHORT>(7 * sizeof(void*)));
    EXPECT_EQ(fd->lprgelemdescParam[0].tdesc.vt, VT_BSTR);
    EXPECT_EQ(fd->lprgelemdescParam[1].tdesc.vt, VT_BSTR);
    EXPECT_EQ(fd->elemdescFunc.tdesc.vt, VT_HRESULT);
    BSTR names[3] = {};
    UINT got = 0;
    ASSERT_EQ(vtable->GetNames(fd->memid, names, 3, &got), S_OK);
    ASSERT_EQ(got, 3u);
    EXPECT_EQ(testkit::Narrow(names[0]), "AddFace");
    EXPECT_EQ(testkit::Narrow(names[1]), "FaceFile");
    EXPECT_EQ(testkit::Narrow(names[2]), "Desc");
    for (BSTR n : names) SysFreeString(n);
    BSTR methodHelp = nullptr;
    ASSERT_EQ(vtable->GetDocumentation(fd->memid, nullptr, &methodHelp, nullptr, nullptr), S_OK);
    EXPECT_EQ(testkit::Narrow(methodHelp ? methodHelp : L""), "添加图片");
    SysFreeString(methodHelp);
    vtable->ReleaseFuncDesc(fd);

    Ptr<ITypeInfo> coclass;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kClsidFaceImport, &coclass.p), S_OK);
    ASSERT_EQ(coclass->GetTypeAttr(&ta), S_OK);
    EXPECT_EQ(ta->typekind, TKIND_COCLASS);
    EXPECT_EQ(ta->cImplTypes, 2);
    coclass->ReleaseTypeAttr(ta);
    INT flags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(1, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);

    wchar_t text[64] = {};
    EXPECT_GT(LoadStringW(module, 100, text, 64), 0);
    EXPECT_STREQ(text, L"Mienko");
}

}  // namespace

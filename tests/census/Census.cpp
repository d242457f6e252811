// The census: every member of every interface of a registered control library, called
// late-bound with every kind of hostile argument and every argument count from none to
// one more than declared, each call on a live control that is painted and checked after
// it. Prints the figures; fails on a crash, a hang or anything inconsistent.
//   census <ProgID of a control> [<ProgID> ...] [--quick] [--seconds-per-call N] [--member Name]
// With --quick, one hostile value of each kind is tried instead of all of them.
// With --member, only that member is called, and every call after which the control
// holds more references to the caller's objects than before is named.
#include <windows.h>
#include <ocidl.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "CensusHost.h"
#include "HostileValues.h"
#include "StandardObjects.h"

namespace vel::com {
const wchar_t* LibraryTitle() { return L"Census"; }
}  // namespace vel::com

namespace vel::census {
namespace {

using com::Variant;

// What the program is doing now, for the reports of a crash or a hang.
std::string g_current = "starting";
std::atomic<long> g_progress{0};
std::atomic<long> g_dialogsClosed{0};
DWORD g_mainThread = 0;
// The caller's objects whose references a traced census follows call by call.
struct Traced {
    IUnknown* foreign = nullptr;
    IUnknown* font = nullptr;
    ULONG foreignHeld = 0, fontHeld = 0;
} g_traced;

// An object of the caller's own whose references can be counted.
class CallerObject : public com::ComObject<CallerObject, IDispatch> {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
};

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

struct Member {
    IID iid;
    std::string interfaceName;
    std::string name;
    DISPID id;
    INVOKEKIND kind;
    UINT declared;
};

std::string KindName(INVOKEKIND kind) {
    switch (kind) {
    case INVOKE_PROPERTYGET: return "get";
    case INVOKE_PROPERTYPUT: return "let";
    case INVOKE_PROPERTYPUTREF: return "set";
    default: return "call";
    }
}

WORD FlagsOf(INVOKEKIND kind) {
    // Scripts read properties as "method or property get".
    return kind == INVOKE_PROPERTYGET ? DISPATCH_METHOD | DISPATCH_PROPERTYGET : static_cast<WORD>(kind);
}

// The interfaces a library implements (its event interfaces excluded) and their members.
std::vector<Member> MembersOf(ITypeLib* library) {
    std::vector<IID> sources;
    UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        TYPEKIND kind;
        ComPtr<ITypeInfo> info;
        TYPEATTR* attr = nullptr;
        if (FAILED(library->GetTypeInfoType(i, &kind)) || kind != TKIND_COCLASS) continue;
        if (FAILED(library->GetTypeInfo(i, &info)) || FAILED(info->GetTypeAttr(&attr))) continue;
        for (UINT t = 0; t < attr->cImplTypes; ++t) {
            INT flags = 0;
            HREFTYPE ref;
            ComPtr<ITypeInfo> implemented;
            TYPEATTR* implementedAttr = nullptr;
            if (FAILED(info->GetImplTypeFlags(t, &flags)) || !(flags & IMPLTYPEFLAG_FSOURCE)) continue;
            if (SUCCEEDED(info->GetRefTypeOfImplType(t, &ref)) && SUCCEEDED(info->GetRefTypeInfo(ref, &implemented)) &&
                SUCCEEDED(implemented->GetTypeAttr(&implementedAttr))) {
                sources.push_back(implementedAttr->guid);
                implemented->ReleaseTypeAttr(implementedAttr);
            }
        }
        info->ReleaseTypeAttr(attr);
    }
    std::vector<Member> members;
    for (UINT i = 0; i < count; ++i) {
        TYPEKIND kind;
        ComPtr<ITypeInfo> info;
        TYPEATTR* attr = nullptr;
        if (FAILED(library->GetTypeInfoType(i, &kind)) || kind != TKIND_DISPATCH) continue;
        if (FAILED(library->GetTypeInfo(i, &info)) || FAILED(info->GetTypeAttr(&attr))) continue;
        IID iid = attr->guid;
        WORD functions = attr->cFuncs;
        info->ReleaseTypeAttr(attr);
        bool source = false;
        for (auto& s : sources) source = source || IsEqualGUID(s, iid);
        if (source) continue;
        BSTR interfaceName = nullptr;
        info->GetDocumentation(MEMBERID_NIL, &interfaceName, nullptr, nullptr, nullptr);
        for (WORD f = 0; f < functions; ++f) {
            FUNCDESC* desc = nullptr;
            if (FAILED(info->GetFuncDesc(f, &desc))) continue;
            if (!(desc->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
                UINT declared = 0;
                for (SHORT p = 0; p < desc->cParams; ++p)
                    if (!(desc->lprgelemdescParam[p].paramdesc.wParamFlags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)))
                        ++declared;
                BSTR name = nullptr;
                info->GetDocumentation(desc->memid, &name, nullptr, nullptr, nullptr);
                members.push_back({iid, Narrow(interfaceName ? interfaceName : L"?"), Narrow(name ? name : L"?"),
                                   desc->memid, desc->invkind, declared});
                SysFreeString(name);
            }
            info->ReleaseFuncDesc(desc);
        }
        SysFreeString(interfaceName);
    }
    return members;
}

// The registered type library of the control's class, found through the class.
ComPtr<ITypeLib> RegisteredLibrary(REFCLSID clsid) {
    ComPtr<IProvideClassInfo> provider;
    ComPtr<ITypeInfo> classInfo;
    ComPtr<ITypeLib> embedded, registered;
    UINT index = 0;
    TLIBATTR* attr = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&provider)))) return nullptr;
    if (FAILED(provider->GetClassInfo(&classInfo)) || FAILED(classInfo->GetContainingTypeLib(&embedded, &index)) ||
        FAILED(embedded->GetLibAttr(&attr)))
        return nullptr;
    LoadRegTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, 0, &registered);
    embedded->ReleaseTLibAttr(attr);
    return registered;
}

// DllCanUnloadNow of the control's library, once it is loaded: S_OK when none of its
// objects is alive.
HRESULT LibraryIdle(REFCLSID clsid) {
    wchar_t key[100] = L"CLSID\\";
    StringFromGUID2(clsid, key + 6, 40);
    wcscat(key, L"\\InprocServer32");
    wchar_t path[MAX_PATH] = L"";
    LONG size = sizeof(path);
    if (RegQueryValueW(HKEY_CLASSES_ROOT, key, path, &size) != ERROR_SUCCESS) return S_OK;
    HMODULE module = GetModuleHandleW(path);
    if (!module) return S_OK;
    auto canUnload =
        reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload ? canUnload() : S_OK;
}

BOOL CALLBACK CloseDialog(HWND window, LPARAM) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (IsWindowVisible(window) && wcscmp(className, L"#32770") == 0) {
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(window, WM_CLOSE, 0, 0);
        ++g_dialogsClosed;
    }
    return TRUE;
}

// Closes the modal boxes a call opens, and stops the program when a call hangs.
DWORD WINAPI Watch(void* secondsPerCall) {
    const long limit = *static_cast<long*>(secondsPerCall) * 4;
    long last = -1, still = 0;
    for (;;) {
        Sleep(250);
        EnumThreadWindows(g_mainThread, CloseDialog, 0);
        long now = g_progress.load();
        still = now == last ? still + 1 : 0;
        last = now;
        if (still > limit) {
            std::printf("HANG in %s\n", g_current.c_str());
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
    std::printf("CRASH (exception %08lX) in %s\n", exception->ExceptionRecord->ExceptionCode, g_current.c_str());
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 2);
    return EXCEPTION_EXECUTE_HANDLER;
}

void TraceReferences() {
    if (!g_traced.foreign) return;
    ULONG foreign = References(g_traced.foreign), font = References(g_traced.font);
    if (foreign > g_traced.foreignHeld || font > g_traced.fontHeld)
        std::printf("REFERENCES %lu/%lu (foreign object/font) after %s\n", foreign, font, g_current.c_str());
    g_traced.foreignHeld = foreign;
    g_traced.fontHeld = font;
}

struct Figures {
    long calls = 0, inconsistencies = 0, members = 0, unreached = 0;
};

void Inconsistent(Figures& figures, const std::string& what) {
    if (++figures.inconsistencies <= 25) std::printf("INCONSISTENT after %s: %s\n", g_current.c_str(), what.c_str());
}

// One call: `count` arguments, the one at `position` taken from the hostile set.
void CallOnce(IDispatch* target, const Member& member, std::vector<Variant> arguments, CensusHost& host,
              Figures& figures) {
    std::vector<VARIANTARG> reversed(arguments.size());
    for (size_t i = 0; i < arguments.size(); ++i) reversed[arguments.size() - 1 - i] = *arguments[i].Ptr();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    bool put = member.kind == INVOKE_PROPERTYPUT || member.kind == INVOKE_PROPERTYPUTREF;
    if (put && !reversed.empty()) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO exception{};
    UINT argError = 0;
    HRESULT hr = target->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, FlagsOf(member.kind), &params, result.Out(),
                                &exception, &argError);
    ++figures.calls;
    ++g_progress;
    if (hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
        if (!exception.bstrDescription || !*exception.bstrDescription) Inconsistent(figures, "an error without a text");
    }
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    result = Variant();
    for (auto& fault : host.Check()) Inconsistent(figures, fault);
}

void Census(REFCLSID clsid, const Member& member, const std::vector<HostileValue>& values, Figures& figures) {
    const std::string call = member.interfaceName + "." + member.name + " (" + KindName(member.kind) + ")";
    g_current = call + ": creating its control";
    CensusHost host(clsid);
    auto reached = host.Reach();
    ++g_progress;
    auto found = reached.find(member.iid);
    if (found == reached.end()) {
        ++figures.unreached;
        return;
    }
    ++figures.members;
    IDispatch* target = found->second.Get();
    g_current = call + " with no arguments";
    CallOnce(target, member, {}, host, figures);
    TraceReferences();
    for (UINT count = 1; count <= member.declared + 1; ++count) {
        // One argument too many: the declared ones were tried above, the surplus is new.
        UINT first = count > member.declared ? count - 1 : 0;
        for (UINT position = first; position < count; ++position) {
            for (auto& hostile : values) {
                g_current = call + " with " + std::to_string(count) + " arguments, #" + std::to_string(position + 1) +
                            " = " + hostile.name;
                std::vector<Variant> arguments(count, HostileValues::Filler());
                arguments[position] = hostile.value;
                CallOnce(target, member, std::move(arguments), host, figures);
                TraceReferences();  // the arguments are gone: what is left is held by the control
            }
        }
    }
}

}  // namespace
}  // namespace vel::census

namespace vel::census {
namespace {

struct Options {
    std::vector<std::string> progIds;
    bool quick = false;
    std::string onlyMember;
    // Generous: where Wine runs emulated, creating a control alone may take half a minute.
    long secondsPerCall = 180;
};

// The census of one registered control; answers whether it found nothing wrong.
bool CensusOfControl(const std::string& progIdText, const Options& options) {
    std::wstring progId(progIdText.begin(), progIdText.end());
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid))) {
        std::printf("census: %s is not registered\n", progIdText.c_str());
        return false;
    }
    auto library = RegisteredLibrary(clsid);
    if (!library) {
        std::printf("census: no registered type library for %s\n", progIdText.c_str());
        return false;
    }
    auto members = MembersOf(library.Get());
    auto foreign = vel::com::Make<CallerObject>();
    auto font = vel::hosting::StandardObjects::CreateFont({std::wstring(40, L'F'), 9.0});
    Figures figures;
    long leaks = 0;
    {
        HostileValues hostile(foreign.Get(), font.Get());
        const std::vector<HostileValue> values = options.quick ? hostile.Sample() : hostile.All();
        const ULONG foreignHeld = References(foreign->Unknown()), fontHeld = References(font.Get());
        DWORD start = GetTickCount();
        g_dialogsClosed = 0;
        g_traced = {};
        if (!options.onlyMember.empty()) g_traced = {foreign->Unknown(), font.Get(), foreignHeld, fontHeld};
        for (auto& member : members) {
            if (!options.onlyMember.empty() && member.name != options.onlyMember) continue;
            Census(clsid, member, values, figures);
            g_current = member.interfaceName + "." + member.name + ": after its control was destroyed";
            bool kept = References(foreign->Unknown()) != foreignHeld || References(font.Get()) != fontHeld;
            if (kept) Inconsistent(figures, "a reference to the caller's object is still held");
            if (LibraryIdle(clsid) != S_OK) Inconsistent(figures, "objects of the library are still alive");
            leaks += kept;
        }
        std::printf("census %s%s: %zu members declared, %ld called, %ld not reachable from the control; %ld calls, "
                    "0 crashes, 0 hangs, %ld inconsistencies (%ld references kept), %ld modal boxes closed, %lu s\n",
                    progIdText.c_str(), options.quick ? " (quick)" : "", members.size(), figures.members,
                    figures.unreached, figures.calls, figures.inconsistencies, leaks, g_dialogsClosed.load(),
                    (GetTickCount() - start) / 1000);
        std::fflush(stdout);
    }
    g_traced = {};
    return figures.inconsistencies == 0 && figures.members > 0;
}

}  // namespace
}  // namespace vel::census

// Several controls are counted in one process, one after the other: where Wine runs
// emulated, starting a program costs minutes.
int main(int argc, char** argv) {
    using namespace vel::census;
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word == "--quick") options.quick = true;
        else if (word == "--seconds-per-call" && i + 1 < argc) options.secondsPerCall = std::atol(argv[++i]);
        else if (word == "--member" && i + 1 < argc) options.onlyMember = argv[++i];
        else if (word.rfind("--", 0) != 0) options.progIds.push_back(word);
    }
    if (options.progIds.empty()) {
        std::printf("usage: census <ProgID> [<ProgID> ...] [--quick] [--seconds-per-call N] [--member Name]\n");
        return 1;
    }
    OleInitialize(nullptr);
    SetUnhandledExceptionFilter(ReportCrash);
    g_mainThread = GetCurrentThreadId();
    CloseHandle(CreateThread(nullptr, 0, Watch, &options.secondsPerCall, 0, nullptr));
    bool sound = true;
    for (auto& progId : options.progIds) sound = CensusOfControl(progId, options) && sound;
    OleUninitialize();
    return sound ? 0 : 1;
}

#include "ReferenceWriter.h"

#include <algorithm>
#include <wrl/client.h>

#include "TypeFormatter.h"

namespace vel::reference {

using Microsoft::WRL::ComPtr;

namespace {

struct Names {
    std::wstring name, help;
};

template <typename Source, typename Id>
Names Describe(Source* source, Id id) {
    BSTR name = nullptr, help = nullptr;
    source->GetDocumentation(id, &name, &help, nullptr, nullptr);
    Names names{name ? name : L"", help ? help : L""};
    SysFreeString(name);
    SysFreeString(help);
    return names;
}

// Type attributes, released when the holder goes.
class Attributes {
public:
    explicit Attributes(ITypeInfo* info) : info_(info) { info_->GetTypeAttr(&attr_); }
    Attributes(const Attributes&) = delete;
    Attributes& operator=(const Attributes&) = delete;
    ~Attributes() { if (attr_) info_->ReleaseTypeAttr(attr_); }
    const TYPEATTR* operator->() const { return attr_; }

private:
    ITypeInfo* info_;
    TYPEATTR* attr_ = nullptr;
};

// The interface a coclass implements with the given flags (default interface, default source).
ComPtr<ITypeInfo> Implemented(ITypeInfo* coclass, int wanted) {
    Attributes attr(coclass);
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> info;
        if (SUCCEEDED(coclass->GetImplTypeFlags(i, &flags)) && (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) == wanted &&
            SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref)) && SUCCEEDED(coclass->GetRefTypeInfo(ref, &info)))
            return info;
    }
    return nullptr;
}

// A help string as a sentence: it ends with one full stop.
std::wstring Sentence(const std::wstring& text) { return !text.empty() && text.back() == L'.' ? text : text + L"."; }

// A pointer parameter that is an object reference (an interface) is passed as usual; any
// other pointer is a ByRef argument.
bool IsByReference(ITypeInfo* context, const TYPEDESC& type) {
    if (type.vt != VT_PTR) return false;
    const TYPEDESC& pointee = *type.lptdesc;
    if (pointee.vt != VT_USERDEFINED) return true;
    ComPtr<ITypeInfo> referenced;
    if (FAILED(context->GetRefTypeInfo(pointee.hreftype, &referenced))) return true;
    Attributes attr(referenced.Get());
    return attr->typekind != TKIND_INTERFACE && attr->typekind != TKIND_DISPATCH && attr->typekind != TKIND_COCLASS;
}

std::wstring Cell(std::wstring text) {
    std::replace(text.begin(), text.end(), L'|', L'/');
    return text;
}

}  // namespace

ReferenceWriter::ReferenceWriter(ITypeLib* library, std::wstring fileName)
    : library_(library), fileName_(std::move(fileName)) {}

std::wstring ReferenceWriter::Write() {
    Library();
    return out_;
}

void ReferenceWriter::Line(const std::wstring& text) { out_ += text + L"\n"; }

void ReferenceWriter::Library() {
    const Names lib = Describe(library_, -1);
    libraryName_ = lib.name;
    Line(L"# " + fileName_ + L": type library " + lib.name);
    Line();
    Line(Sentence(lib.help) + L" Written from the library's own type library when it is built; do not edit.");
    FindOwners();
    Each(TKIND_COCLASS, [&](ITypeInfo* info) { Class(info); });
    Line();
    Line(L"## Other objects");
    Each(TKIND_DISPATCH, [&](ITypeInfo* info) {
        const Names names = Describe(info, MEMBERID_NIL);
        Attributes attr(info);
        const bool shown = std::find(shownInterfaces_.begin(), shownInterfaces_.end(), names.name) != shownInterfaces_.end();
        if (!shown && (attr->wTypeFlags & TYPEFLAG_FDUAL)) Interface(info, L"### " + names.name);
    });
    Line();
    Line(L"## Enumerations");
    Each(TKIND_ENUM, [&](ITypeInfo* info) { Enumeration(info); });
}

void ReferenceWriter::Each(TYPEKIND kind, const std::function<void(ITypeInfo*)>& write) const {
    const UINT count = library_->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        TYPEKIND k;
        if (SUCCEEDED(library_->GetTypeInfoType(i, &k)) && k == kind && SUCCEEDED(library_->GetTypeInfo(i, &info)))
            write(info.Get());
    }
}

// Where form code finds each interface: starting from the creatable classes, the first
// visible property or method that returns it ("VelListbox.ListItems" for the rows).
// Interfaces that nothing returns serve the library inside and are not reachable.
void ReferenceWriter::FindOwners() {
    std::vector<ComPtr<ITypeInfo>> pending;
    Each(TKIND_COCLASS, [&](ITypeInfo* coclass) {
        auto main = Implemented(coclass, IMPLTYPEFLAG_FDEFAULT);
        if (!main) return;
        const std::wstring name = Describe(main.Get(), MEMBERID_NIL).name;
        // A property page's default interface is the system's IUnknown, no class of ours.
        Attributes mainAttr(main.Get());
        if (mainAttr->typekind == TKIND_DISPATCH || (mainAttr->wTypeFlags & TYPEFLAG_FDUAL))
            classOf_[name] = Describe(coclass, MEMBERID_NIL).name;
        Attributes attr(coclass);
        if (attr->wTypeFlags & TYPEFLAG_FCANCREATE) {
            owners_[name] = L"";
            pending.push_back(main);
        }
    });
    for (size_t next = 0; next < pending.size(); ++next) {
        ITypeInfo* info = pending[next].Get();
        const std::wstring name = Describe(info, MEMBERID_NIL).name;
        const std::wstring shown = classOf_.count(name) ? classOf_[name] : name;
        Attributes attr(info);
        // Properties first: a row is reached through Item rather than through Add.
        for (INVOKEKIND wanted : {INVOKE_PROPERTYGET, INVOKE_FUNC}) {
            for (UINT i = 0; i < attr->cFuncs; ++i) {
                FUNCDESC* func = nullptr;
                if (FAILED(info->GetFuncDesc(i, &func))) continue;
                if (!(func->wFuncFlags & (FUNCFLAG_FRESTRICTED | FUNCFLAG_FHIDDEN)) && func->invkind == wanted) {
                    const TYPEDESC* result = &func->elemdescFunc.tdesc;
                    for (SHORT p = 0; p < func->cParams; ++p)
                        if (func->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) result = &func->lprgelemdescParam[p].tdesc;
                    if (auto referenced = Referenced(info, *result)) {
                        Attributes target(referenced.Get());
                        const std::wstring targetName = Describe(referenced.Get(), MEMBERID_NIL).name;
                        if ((target->typekind == TKIND_DISPATCH || target->typekind == TKIND_INTERFACE) && !owners_.count(targetName)) {
                            owners_[targetName] = shown + L"." + Describe(info, func->memid).name;
                            pending.push_back(referenced);
                        }
                    }
                }
                info->ReleaseFuncDesc(func);
            }
        }
    }
}

// How form code reaches the objects of an interface: "Reached through `VelListbox.ListItems`.",
// or nothing when no member returns it (an object may still arrive typed as Object, as the
// drag data of the drag and drop events does).
std::wstring ReferenceWriter::Reach(const std::wstring& interfaceName) const {
    auto owner = owners_.find(interfaceName);
    return owner == owners_.end() || owner->second.empty() ? L"" : L"Reached through `" + owner->second + L"`.";
}

// A class's default interface is named as its class (VelListItems, not _VelListItems), as
// form code declares it.
std::wstring ReferenceWriter::Type(ITypeInfo* context, const TYPEDESC& type) {
    auto name = TypeName(context, type);
    if (!name) {
        ++unnamed_;
        return L"?";
    }
    auto owner = classOf_.find(*name);
    return owner == classOf_.end() ? *name : owner->second;
}

void ReferenceWriter::Class(ITypeInfo* coclass) {
    const Names names = Describe(coclass, MEMBERID_NIL);
    Attributes attr(coclass);
    Line();
    Line(L"## " + names.name);
    Line();
    std::wstring what = Sentence(names.help);
    if (attr->wTypeFlags & TYPEFLAG_FCONTROL) what += L" An ActiveX control.";
    auto main = Implemented(coclass, IMPLTYPEFLAG_FDEFAULT);
    if (attr->wTypeFlags & TYPEFLAG_FCANCREATE) what += L" Created as `" + libraryName_ + L"." + names.name + L"`.";
    else if (const std::wstring reach = Reach(main ? Describe(main.Get(), MEMBERID_NIL).name : L""); !reach.empty())
        what += L" Not creatable. " + reach;
    else what += L" Not creatable, and no member gives it to form code: it serves the library inside.";
    Line(what);
    if (main) {
        const Names iface = Describe(main.Get(), MEMBERID_NIL);
        shownInterfaces_.push_back(iface.name);
        // A property page offers no members of its own, only the system's interfaces.
        if (iface.name != L"IUnknown" && !Members(main.Get()).empty())
            Interface(main.Get(), L"### Members (interface `" + iface.name + L"`)");
    }
    if (auto source = Implemented(coclass, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) Events(source.Get());
}

void ReferenceWriter::Interface(ITypeInfo* info, const std::wstring& heading) {
    Line();
    Line(heading);
    Line();
    const Names names = Describe(info, MEMBERID_NIL);
    if (heading.rfind(L"### Members", 0) != 0) {
        const std::wstring reach = Reach(names.name);
        Line(Sentence(names.help) + (reach.empty() ? L"" : L" " + reach));
        Line();
    }
    Line(L"| Member | Kind | Type | Description |");
    Line(L"|---|---|---|---|");
    for (const Member& m : Members(info)) {
        std::wstring kind = m.property ? (m.readable && m.writable ? L"property" : m.readable ? L"read-only property"
                                                                                             : L"write-only property")
                                       : L"method";
        if (m.byReference) kind += L" (Set)";
        if (m.hidden) kind += L", hidden";
        Line(L"| `" + m.name + m.arguments + L"` | " + kind + L" | " + Cell(m.type) + L" | " + Cell(m.help) + L" |");
    }
}

void ReferenceWriter::Events(ITypeInfo* info) {
    Line();
    Line(L"### Events (`" + Describe(info, MEMBERID_NIL).name + L"`)");
    Line();
    Line(L"| Event | Description |");
    Line(L"|---|---|");
    for (const Member& m : Members(info))
        Line(L"| `" + m.name + m.arguments + L"` | " + Cell(m.help) + (m.hidden ? L" (hidden)" : L"") + L" |");
}

void ReferenceWriter::Enumeration(ITypeInfo* info) {
    const Names names = Describe(info, MEMBERID_NIL);
    Attributes attr(info);
    Line();
    Line(L"### " + names.name);
    Line();
    Line(Sentence(names.help));
    Line();
    Line(L"| Constant | Value |");
    Line(L"|---|---|");
    for (UINT i = 0; i < attr->cVars; ++i) {
        VARDESC* var = nullptr;
        if (FAILED(info->GetVarDesc(i, &var))) continue;
        Line(L"| `" + Describe(info, var->memid).name + L"` | " + ValueText(*var->lpvarValue) + L" |");
        info->ReleaseVarDesc(var);
    }
}

std::vector<ReferenceWriter::Member> ReferenceWriter::Members(ITypeInfo* info) {
    Attributes attr(info);
    std::vector<Member> members;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func))) continue;
        if (!(func->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
            auto found = std::find_if(members.begin(), members.end(), [&](const Member& m) { return m.id == func->memid; });
            if (found == members.end()) {
                const Names names = Describe(info, func->memid);
                found = members.insert(members.end(), Member{func->memid, names.name, names.help});
            }
            Member& m = *found;
            m.hidden = m.hidden || (func->wFuncFlags & FUNCFLAG_FHIDDEN);
            const bool put = func->invkind == INVOKE_PROPERTYPUT || func->invkind == INVOKE_PROPERTYPUTREF;
            if (func->invkind == INVOKE_FUNC) {
                m.arguments = Arguments(info, *func, false);
                m.type = Type(info, func->elemdescFunc.tdesc);
                for (SHORT p = 0; p < func->cParams; ++p)
                    if (func->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)
                        m.type = Type(info, func->lprgelemdescParam[p].tdesc);
                if (m.type == L"HRESULT") m.type.clear();
            } else {
                m.property = true;
                if (put) {
                    m.writable = true;
                    m.byReference = m.byReference || func->invkind == INVOKE_PROPERTYPUTREF;
                    if (m.type.empty() && func->cParams > 0) m.type = Type(info, func->lprgelemdescParam[func->cParams - 1].tdesc);
                    if (m.arguments.empty()) m.arguments = Arguments(info, *func, true);
                } else {
                    m.readable = true;
                    m.arguments = Arguments(info, *func, false);
                    m.type = Type(info, func->elemdescFunc.tdesc);
                    for (SHORT p = 0; p < func->cParams; ++p)
                        if (func->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)
                            m.type = Type(info, func->lprgelemdescParam[p].tdesc);
                }
            }
        }
        info->ReleaseFuncDesc(func);
    }
    return members;
}

// "(lSubItem As Long, [Key As Variant])": the arguments a caller passes, without the result and,
// for a property put, without the value assigned.
std::wstring ReferenceWriter::Arguments(ITypeInfo* info, const FUNCDESC& func, bool dropValue) {
    std::vector<BSTR> names(func.cParams + 1, nullptr);
    UINT count = 0;
    info->GetNames(func.memid, names.data(), static_cast<UINT>(names.size()), &count);
    std::wstring text;
    const SHORT last = dropValue ? func.cParams - 1 : func.cParams;
    for (SHORT p = 0; p < last; ++p) {
        const ELEMDESC& param = func.lprgelemdescParam[p];
        if (param.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) continue;
        const bool optional = param.paramdesc.wParamFlags & PARAMFLAG_FOPT;
        std::wstring name = static_cast<UINT>(p + 1) < count && names[p + 1] ? names[p + 1] : L"value";
        std::wstring one = (IsByReference(info, param.tdesc) ? L"ByRef " : L"") + name + L" As " + Type(info, param.tdesc);
        if (!text.empty()) text += L", ";
        text += optional ? L"[" + one + L"]" : one;
    }
    for (BSTR name : names) SysFreeString(name);
    return text.empty() && func.invkind != INVOKE_FUNC ? L"" : L"(" + text + L")";
}

}  // namespace vel::reference

// The data an OLE drag carries: what a drop target gets from a source's values, and
// what form code reads from data another program offers, however it is made.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <cstring>
#include <string>
#include <vector>

#include "AutomationError.h"
#include "ComObject.h"
#include "DragDataCore.h"
#include "DropSource.h"
#include "HostingSupport.h"

namespace {

using namespace vel;
using namespace vel::test;
using hosting::DragDataCore;
using Microsoft::WRL::ComPtr;

class DragDataTest : public HostingTest {};

com::Variant Omitted() {
    VARIANT raw{};
    raw.vt = VT_ERROR;
    raw.scode = DISP_E_PARAMNOTFOUND;
    return com::Variant(raw);
}

com::Variant Number(short value) {
    VARIANT raw{};
    raw.vt = VT_I2;
    raw.iVal = value;
    return com::Variant(raw);
}

// The bytes of a format as a drop target gets them, or nothing.
std::vector<BYTE> Served(DragDataCore& data, CLIPFORMAT format) {
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data.GetMedium(&wanted, &medium) != S_OK) return {};
    const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(medium.hGlobal));
    std::vector<BYTE> copy(bytes, bytes + GlobalSize(medium.hGlobal));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return copy;
}

std::wstring Text(const com::Variant& value) {
    EXPECT_EQ(value.Type(), VT_BSTR);
    return value.Type() == VT_BSTR ? std::wstring(value.Get().bstrVal, SysStringLen(value.Get().bstrVal)) : L"";
}

// Data offered by another program: one format, as an HGLOBAL or a stream of raw bytes.
class ForeignData : public com::ComObject<ForeignData, IDataObject> {
public:
    ForeignData(CLIPFORMAT format, std::vector<BYTE> bytes, bool stream = false)
        : format_(format), bytes_(std::move(bytes)), stream_(stream) {}

    STDMETHODIMP GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
        if (QueryGetData(wanted) != S_OK) return DV_E_FORMATETC;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        if (!bytes_.empty()) std::memcpy(GlobalLock(block), bytes_.data(), bytes_.size()), GlobalUnlock(block);
        if (!stream_) {
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = block;
        } else {
            medium->tymed = TYMED_ISTREAM;
            CreateStreamOnHGlobal(block, TRUE, &medium->pstm);
        }
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* wanted) override {
        DWORD tymed = stream_ ? TYMED_ISTREAM : TYMED_HGLOBAL;
        return wanted && wanted->cfFormat == format_ && (wanted->tymed & tymed) ? S_OK : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    CLIPFORMAT format_;
    std::vector<BYTE> bytes_;
    bool stream_;
};

std::vector<BYTE> Bytes(const char* text, size_t size) { return std::vector<BYTE>(text, text + size); }

TEST_F(DragDataTest, TextIsServedAsAnsiAndAsUnicodeWithItsTerminator) {
    DragDataCore data;
    data.SetData(com::Variant::FromString(L"caf\u00e9").Get(), Number(CF_TEXT).Get());
    EXPECT_EQ(Served(data, CF_TEXT), Bytes("caf\xe9", 5));
    std::vector<BYTE> wide = Served(data, CF_UNICODETEXT);
    ASSERT_EQ(wide.size(), 10u);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(wide.data())), L"caf\u00e9");
    EXPECT_TRUE(Served(data, CF_DIB).empty()) << "a format never stored";

    ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(data.EnumFormats(DATADIR_GET, &formats), S_OK);
    FORMATETC listed[4]{};
    ULONG count = 0;
    formats->Next(4, listed, &count);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(listed[0].cfFormat, CF_TEXT);
    EXPECT_EQ(listed[1].cfFormat, CF_UNICODETEXT);
}

TEST_F(DragDataTest, AFormatDeclaredWithoutAValueIsSuppliedOnceWhenAsked) {
    DragDataCore data;
    int asked = 0;
    data.SetSupplier([&](short format) {
        ++asked;
        EXPECT_EQ(format, 1);
        data.SetData(com::Variant::FromString(L"late").Get(), Number(format).Get());
    });
    data.SetData(Omitted().Get(), Number(CF_TEXT).Get());
    EXPECT_TRUE(data.GetFormat(CF_TEXT));
    EXPECT_EQ(asked, 0) << "declaring asks for nothing";
    EXPECT_EQ(Text(data.GetData(CF_TEXT)), L"late");
    EXPECT_EQ(Served(data, CF_TEXT), Bytes("late", 5));
    EXPECT_EQ(asked, 1);

    // A supplier that stores nothing leaves the format unavailable, not served empty.
    DragDataCore silent;
    silent.SetSupplier([](short) {});
    silent.SetData(Omitted().Get(), Number(CF_TEXT).Get());
    EXPECT_TRUE(Served(silent, CF_TEXT).empty());
    EXPECT_THROW(silent.GetData(CF_TEXT), com::AutomationError);
}

TEST_F(DragDataTest, BadArgumentsAndWritesToADropAreRefused) {
    DragDataCore data;
    EXPECT_THROW(data.SetData(Omitted().Get(), Omitted().Get()), com::AutomationError);
    EXPECT_THROW(data.SetData(com::Variant::FromString(L"x").Get(), Number(0).Get()), com::AutomationError);
    EXPECT_THROW(data.SetData(com::Variant::FromString(L"x").Get(), com::Variant::FromString(L"text").Get()),
                 com::AutomationError);
    EXPECT_THROW(data.GetData(CF_TEXT), com::AutomationError) << "nothing stored";
    EXPECT_TRUE(data.Empty());

    auto foreign = com::Make<ForeignData>(CF_TEXT, Bytes("abc", 4));
    DragDataCore dropped(foreign.Get());
    EXPECT_THROW(dropped.Clear(), com::AutomationError);
    EXPECT_THROW(dropped.SetData(com::Variant::FromString(L"x").Get(), Number(CF_TEXT).Get()), com::AutomationError);
    EXPECT_EQ(Text(dropped.GetData(CF_TEXT)), L"abc") << "the drop's own data is untouched";
}

TEST_F(DragDataTest, ForeignDataIsReadWithinItsBlockHoweverItIsMade) {
    // Text without a terminator ends with its block.
    auto unterminated = com::Make<ForeignData>(CF_TEXT, Bytes("abcd", 4));
    EXPECT_EQ(Text(DragDataCore(unterminated.Get()).GetData(CF_TEXT)), L"abcd");
    // Text that stops early stops there.
    auto early = com::Make<ForeignData>(CF_TEXT, Bytes("ab\0cd", 5));
    EXPECT_EQ(Text(DragDataCore(early.Get()).GetData(CF_TEXT)), L"ab");
    // An odd number of bytes of Unicode text drops the half character.
    auto odd = com::Make<ForeignData>(CF_UNICODETEXT, Bytes("h\0i\0!", 5));
    EXPECT_EQ(Text(DragDataCore(odd.Get()).GetData(CF_TEXT)), L"hi");
    // An empty block is empty text.
    auto empty = com::Make<ForeignData>(CF_TEXT, std::vector<BYTE>{});
    EXPECT_EQ(Text(DragDataCore(empty.Get()).GetData(CF_TEXT)), L"");
    // Data offered only as a stream is read from the stream.
    auto streamed = com::Make<ForeignData>(CF_TEXT, Bytes("from a stream", 14), true);
    EXPECT_EQ(Text(DragDataCore(streamed.Get()).GetData(CF_TEXT)), L"from a stream");
    // Any other format comes as its bytes.
    auto raw = com::Make<ForeignData>(CF_DIB, Bytes("\x01\x02\x03", 3));
    com::Variant bytes = DragDataCore(raw.Get()).GetData(CF_DIB);
    ASSERT_EQ(bytes.Type(), VT_ARRAY | VT_UI1);
    EXPECT_EQ(bytes.Get().parray->rgsabound[0].cElements, 3u);
    // A format the drop does not carry is an error form code can trap.
    EXPECT_FALSE(DragDataCore(raw.Get()).GetFormat(CF_TEXT));
    EXPECT_THROW(DragDataCore(raw.Get()).GetData(CF_TEXT), com::AutomationError);
}

TEST_F(DragDataTest, TheSourceDropsWhenNoButtonIsHeldAndCancelsOnEscape) {
    struct Feedback : hosting::DropSource::Listener {
        bool OnGiveFeedback(DWORD) override { return false; }
    } feedback;
    auto source = com::Make<hosting::DropSource>(feedback);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_SHIFT), DRAGDROP_S_DROP);
    EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), S_OK) << "the listener set its own cursor";
    source->Detach();
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

}  // namespace

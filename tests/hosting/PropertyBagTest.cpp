// The property bag as controls use it, over the in-memory bag and its stream form.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include "Automation.h"
#include "Fixture.h"
#include "HostingSupport.h"
#include "MemoryPropertyBag.h"
#include "PropertyBag.h"
#include "StandardObjects.h"

namespace {

using namespace vel;
using namespace vel::test;
using hosting::PropertyBag;
using Microsoft::WRL::ComPtr;

class PropertyBags : public HostingTest {};

ComPtr<IStream> NewStream() {
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    return stream;
}

void Rewind(IStream* stream) { stream->Seek({}, STREAM_SEEK_SET, nullptr); }

TEST_F(PropertyBags, ValuesEqualToTheirWriteDefaultAreNotStoredAndReadBackAsTheReadDefault) {
    auto memory = com::Make<hosting::MemoryPropertyBag>();
    PropertyBag bag(memory.Get());
    bag.WriteLong(L"Count", 0, 0);
    bag.WriteBool(L"Flag", true, true);
    bag.WriteString(L"Caption", L"", L"");
    bag.WriteColor(L"BackColor", 0x8000000F, 0x8000000F);
    bag.WriteObject(L"Picture", nullptr, nullptr);
    EXPECT_EQ(memory->Count(), 0u);

    EXPECT_EQ(bag.ReadLong(L"Count", 7), 7);
    EXPECT_TRUE(bag.ReadBool(L"Flag", true));
    EXPECT_EQ(bag.ReadString(L"Caption", L"none"), L"none");
    EXPECT_EQ(bag.ReadColor(L"BackColor", 0x80000005), 0x80000005u);

    // Without a default, even a default-looking value is stored.
    bag.WriteLong(L"Count", 0);
    EXPECT_TRUE(memory->Contains(L"count")) << "names match case-insensitively";
}

TEST_F(PropertyBags, EveryKindOfValueSurvivesTheStreamWhole) {
    auto font = hosting::StandardObjects::CreateFont({L"Arial", 12, true, true, false, true});
    const std::wstring fontName = hosting::StandardObjects::Describe(font.Get()).name;
    auto picture = hosting::StandardObjects::PictureFromIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    ComPtr<IStream> stream = NewStream();
    {
        auto memory = com::Make<hosting::MemoryPropertyBag>();
        PropertyBag bag(memory.Get());
        bag.WriteLong(L"Long", -123456, 0);
        bag.WriteShort(L"Short", -7, 0);
        bag.WriteByte(L"Byte", 200, 0);
        bag.WriteBool(L"Bool", true, false);
        bag.WriteString(L"Text", L"Grüße \u20ac", L"");
        bag.WriteColor(L"Color", 0x80000012, 0);
        bag.WriteObject(L"Font", font.Get());
        bag.WriteObject(L"Picture", picture.Get(), nullptr);
        // Changing the font after writing it leaves the stored copy alone.
        ComPtr<IFont> live;
        font.As(&live);
        live->put_Bold(FALSE);
        ASSERT_HRESULT_SUCCEEDED(memory->Save(stream.Get()));
    }
    Rewind(stream.Get());
    auto loaded = com::Make<hosting::MemoryPropertyBag>();
    ASSERT_HRESULT_SUCCEEDED(loaded->Load(stream.Get()));
    PropertyBag bag(loaded.Get());
    EXPECT_EQ(bag.ReadLong(L"Long", 0), -123456);
    EXPECT_EQ(bag.ReadShort(L"Short", 0), -7);
    EXPECT_EQ(bag.ReadByte(L"Byte", 0), 200);
    EXPECT_TRUE(bag.ReadBool(L"Bool", false));
    EXPECT_EQ(bag.ReadString(L"Text", L""), L"Grüße \u20ac");
    EXPECT_EQ(bag.ReadColor(L"Color", 0), 0x80000012u);

    auto readFont = bag.ReadFont(L"Font", nullptr);
    ASSERT_NE(readFont, nullptr);
    EXPECT_NE(readFont.Get(), font.Get()) << "a restored object is a new object";
    auto d = hosting::StandardObjects::Describe(readFont.Get());
    EXPECT_EQ(d.name, fontName);
    EXPECT_DOUBLE_EQ(d.size, 12);
    EXPECT_TRUE(d.bold);
    EXPECT_TRUE(d.italic);
    EXPECT_FALSE(d.underline);
    EXPECT_TRUE(d.strikethrough);

    auto readPicture = bag.ReadPicture(L"Picture", nullptr);
    ASSERT_NE(readPicture, nullptr);
    EXPECT_EQ(hosting::StandardObjects::TypeOf(readPicture.Get()), hosting::PictureType::Icon);
    EXPECT_EQ(hosting::StandardObjects::HimetricSizeOf(readPicture.Get()).cx,
              hosting::StandardObjects::HimetricSizeOf(picture.Get()).cx);
}

TEST_F(PropertyBags, AValueOfAnotherTypeReadsAsTheDefault) {
    auto memory = com::Make<hosting::MemoryPropertyBag>();
    PropertyBag bag(memory.Get());
    bag.WriteString(L"Count", L"many");
    bag.WriteString(L"Number", L"42");
    EXPECT_EQ(bag.ReadLong(L"Count", 5), 5);
    EXPECT_EQ(bag.ReadLong(L"Number", 5), 42) << "text that reads as a number converts as OLE Automation does";
    EXPECT_EQ(bag.ReadFont(L"Count", nullptr), nullptr);
}

TEST_F(PropertyBags, ADamagedOrTruncatedStreamIsRefusedAndLeavesTheBagAsItWas) {
    ComPtr<IStream> stream = NewStream();
    {
        auto memory = com::Make<hosting::MemoryPropertyBag>();
        PropertyBag(memory.Get()).WriteString(L"Caption", L"A caption long enough to cut");
        memory->Save(stream.Get());
    }
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    stream->SetSize({{static_cast<DWORD>(stat.cbSize.QuadPart - 6), 0}});
    Rewind(stream.Get());
    auto loaded = com::Make<hosting::MemoryPropertyBag>();
    PropertyBag(loaded.Get()).WriteLong(L"Kept", 1);
    EXPECT_TRUE(FAILED(loaded->Load(stream.Get())));
    EXPECT_EQ(loaded->Count(), 1u);

    // A length field far beyond the data is refused, not allocated.
    ComPtr<IStream> bogus = NewStream();
    const DWORD header[] = {0x31425056, 1, 0x7FFFFFFF};
    bogus->Write(header, sizeof(header), nullptr);
    Rewind(bogus.Get());
    EXPECT_TRUE(FAILED(loaded->Load(bogus.Get())));
}

TEST_F(PropertyBags, AControlsPropertiesRoundTripThroughIPersistStreamInitAndStopAtTheirEnd) {
    ComPtr<IStream> stream = NewStream();
    {
        auto control = hosting::MakeControl<fixture::Fixture>();
        ComPtr<IDispatch> dispatch;
        control.As(&dispatch);
        ComPtr<IPersistStreamInit> persist;
        control.As(&persist);
        persist->InitNew();
        Put(dispatch.Get(), L"Caption", Str(L"Saved"));
        Put(dispatch.Get(), L"BackColor", Num(0x00FF00));
        Put(dispatch.Get(), L"Count", Num(9));
        Put(dispatch.Get(), L"Flag", Variant::FromBool(true));
        ULARGE_INTEGER max{};
        persist->GetSizeMax(&max);
        ASSERT_HRESULT_SUCCEEDED(persist->Save(stream.Get(), TRUE));
        ULARGE_INTEGER end{};
        stream->Seek({}, STREAM_SEEK_CUR, &end);
        EXPECT_EQ(end.QuadPart, max.QuadPart);
        // What a container writes after the control stays its own.
        const DWORD trailer = 0xC0FFEE;
        stream->Write(&trailer, sizeof(trailer), nullptr);
    }
    Rewind(stream.Get());
    {
        auto control = hosting::MakeControl<fixture::Fixture>();
        ComPtr<IDispatch> dispatch;
        control.As(&dispatch);
        ComPtr<IPersistStreamInit> persist;
        control.As(&persist);
        ASSERT_HRESULT_SUCCEEDED(persist->Load(stream.Get()));
        DWORD trailer = 0;
        stream->Read(&trailer, sizeof(trailer), nullptr);
        EXPECT_EQ(trailer, 0xC0FFEEu);
        EXPECT_EQ(AsText(Get(dispatch.Get(), L"Caption")), L"Saved");
        EXPECT_EQ(AsLong(Get(dispatch.Get(), L"BackColor")), 0x00FF00);
        EXPECT_EQ(AsLong(Get(dispatch.Get(), L"Count")), 9);
        EXPECT_EQ(AsLong(Get(dispatch.Get(), L"Flag")), -1);
        EXPECT_EQ(persist->IsDirty(), S_FALSE);
    }
}

TEST_F(PropertyBags, AFailedStreamLoadLeavesTheControlFreeToBeInitialised) {
    auto control = hosting::MakeControl<fixture::Fixture>();
    ComPtr<IPersistStreamInit> persist;
    control.As(&persist);
    ComPtr<IStream> garbage = NewStream();
    const char junk[] = "not a property bag";
    garbage->Write(junk, sizeof(junk), nullptr);
    Rewind(garbage.Get());
    EXPECT_TRUE(FAILED(persist->Load(garbage.Get())));
    EXPECT_EQ(persist->InitNew(), S_OK);
}

}  // namespace

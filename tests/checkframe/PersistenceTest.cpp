// Defaults of a new frame, the property bag and the stream written and read back,
// pictures surviving both, and saved forms that are wrong or hostile.
#include <vector>

#include "CheckFrameHost.h"

namespace vel::test {
namespace {

using hosting::MemoryPropertyBag;

class CheckFramePersistence : public CheckFrameTest {};

// The pixels of a bitmap picture, as 32-bit RGB values row by row from the top.
std::vector<COLORREF> PixelsOf(IPictureDisp* picture) {
    ComPtr<IPicture> p;
    picture->QueryInterface(IID_PPV_ARGS(&p));
    OLE_HANDLE handle = 0;
    p->get_Handle(&handle);
    auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    BITMAPINFOHEADER header{sizeof(header), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB};
    std::vector<COLORREF> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

COLORREF Pattern(int x, int y) { return RGB(x * 15, y * 15, (x + y) % 2 ? 255 : 0); }

void Write(MemoryPropertyBag* bag, const wchar_t* name, Variant value) { bag->Write(name, value.Ptr()); }

Variant Int16(short value) {
    VARIANT raw{};
    raw.vt = VT_I2;
    raw.iVal = value;
    return Variant(raw);
}

// A bag as a saved form would hold it, with every key.
ComPtr<MemoryPropertyBag> CompleteBag() {
    CheckFrameHost host(false);
    return host.Save();
}

TEST_F(CheckFramePersistence, ANewFrameHasTheDocumentedDefaults) {
    CheckFrameHost host(true, nullptr, 200, 100, L"Options");
    EXPECT_EQ(AsText(Get(host.Disp(), L"Caption")), L"Options");
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Alignment")), 0);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Appearance")), 1);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"BorderStyle")), 1);
    EXPECT_EQ(ColourOf(Get(host.Disp(), L"BackColor")), 0x8000000Fu);
    EXPECT_EQ(ColourOf(Get(host.Disp(), L"ForeColor")), 0x80000012u);
    EXPECT_EQ(ColourOf(Get(host.Disp(), L"MaskColor")), 0xFFFFFFu);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Value")), 0);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Enabled")), -1);
    EXPECT_FALSE(AsObject(Get(host.Disp(), L"Picture")));
    EXPECT_TRUE(AsObject(Get(host.Disp(), L"Font"))) << "the container's font";
    EXPECT_EQ(host.control->Geometry().checkBoxWidth, 12);
    EXPECT_EQ(host.control->Geometry().checkBoxHeight, 12);
}

TEST_F(CheckFramePersistence, EveryPropertyIsWrittenWithItsTypeAndReadsBack) {
    ComPtr<MemoryPropertyBag> bag;
    {
        CheckFrameHost host(false);
        Put(host.Disp(), L"Alignment", Num(2));
        Put(host.Disp(), L"Appearance", Num(0));
        Put(host.Disp(), L"BorderStyle", Num(0));
        Put(host.Disp(), L"Caption", Str(L"Shipping & more"));
        Put(host.Disp(), L"Enabled", Variant::FromBool(false));
        Put(host.Disp(), L"ForeColor", Num(0x0000FF));
        Put(host.Disp(), L"HelpContextID", Num(17));
        Put(host.Disp(), L"MaskColor", Num(0x00FF00));
        Put(host.Disp(), L"MousePointer", Num(99));
        Put(host.Disp(), L"RightToLeft", Variant::FromBool(true));
        Put(host.Disp(), L"UseMaskColor", Variant::FromBool(true));
        Put(host.Disp(), L"Value", Num(2));
        Put(host.Disp(), L"WhatsThisHelpID", Num(23));
        bag = host.Save();
    }
    auto stored = [&](const wchar_t* name) {
        VARIANT value{};
        EXPECT_HRESULT_SUCCEEDED(bag->Read(name, &value, nullptr)) << name;
        Variant owned(value);
        VariantClear(&value);
        return owned;
    };
    for (auto name : {L"Alignment", L"Appearance", L"BackColor", L"BorderStyle", L"ForeColor", L"HelpContextID",
                      L"MaskColor", L"Value", L"WhatsThisHelpID", L"CheckBoxLeft", L"CheckBoxTop"})
        EXPECT_EQ(stored(name).Type(), VT_I4) << name;
    EXPECT_EQ(stored(L"MousePointer").Type(), VT_I2);
    EXPECT_EQ(stored(L"OLEDropMode").Type(), VT_UI1);
    for (auto name : {L"Enabled", L"RightToLeft", L"UseMaskColor"}) EXPECT_EQ(stored(name).Type(), VT_BOOL) << name;
    EXPECT_EQ(stored(L"Caption").Type(), VT_BSTR);
    EXPECT_FALSE(bag->Contains(L"Picture")) << "Nothing is the default";
    EXPECT_FALSE(bag->Contains(L"MouseIcon"));

    CheckFrameHost restored(true, bag.Get());
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"Alignment")), 2);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"Appearance")), 0);
    EXPECT_EQ(ColourOf(Get(restored.Disp(), L"BackColor")), 0x80000005u)
        << "a flat frame sits on the window colour";
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"BorderStyle")), 0);
    EXPECT_EQ(AsText(Get(restored.Disp(), L"Caption")), L"Shipping & more");
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"Enabled")), 0);
    EXPECT_EQ(ColourOf(Get(restored.Disp(), L"ForeColor")), 0x0000FFu);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"HelpContextID")), 17);
    EXPECT_EQ(ColourOf(Get(restored.Disp(), L"MaskColor")), 0x00FF00u);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"MousePointer")), 99);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"RightToLeft")), -1);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"UseMaskColor")), -1);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"Value")), 2);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"WhatsThisHelpID")), 23);
}

// The reloaded picture is a new bitmap with the same pixels; the box is one pixel
// smaller after a reload than after setting the property.
TEST_F(CheckFramePersistence, APictureSurvivesTheBagWithItsPixels) {
    auto picture = MakeBitmapPicture(16, 16, Pattern);
    ComPtr<MemoryPropertyBag> bag;
    {
        CheckFrameHost host(false);
        ASSERT_TRUE(PutRef(host.Disp(), L"Picture", picture.Get()).Ok());
        EXPECT_EQ(host.control->Geometry().checkBoxWidth, 20);
        EXPECT_EQ(host.control->Geometry().checkBoxHeight, 20);
        bag = host.Save();
    }
    CheckFrameHost restored(true, bag.Get());
    auto reloaded = AsObject(Get(restored.Disp(), L"Picture"));
    ASSERT_TRUE(reloaded);
    ComPtr<IPictureDisp> reloadedPicture;
    reloaded.As(&reloadedPicture);
    EXPECT_EQ(PixelsOf(reloadedPicture.Get()), PixelsOf(picture.Get()));
    EXPECT_EQ(restored.control->Geometry().checkBoxWidth, 19);
    EXPECT_EQ(restored.control->Geometry().checkBoxHeight, 19);
}

TEST_F(CheckFramePersistence, TheStreamCarriesEveryPropertyAndThePicture) {
    auto picture = MakeBitmapPicture(8, 6, Pattern);
    ComPtr<IStream> stream;
    ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    {
        CheckFrameHost host(false);
        Put(host.Disp(), L"Caption", Str(L"Streamed"));
        Put(host.Disp(), L"Value", Num(1));
        PutRef(host.Disp(), L"Picture", picture.Get());
        ComPtr<IPersistStreamInit> persist;
        host.control.As(&persist);
        EXPECT_EQ(persist->IsDirty(), S_OK);
        ULARGE_INTEGER size{};
        EXPECT_HRESULT_SUCCEEDED(persist->GetSizeMax(&size));
        ASSERT_HRESULT_SUCCEEDED(persist->Save(stream.Get(), TRUE));
        EXPECT_EQ(persist->IsDirty(), S_FALSE);
        ULARGE_INTEGER end{};
        stream->Seek({}, STREAM_SEEK_CUR, &end);
        EXPECT_EQ(end.QuadPart, size.QuadPart);
    }
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    auto control = hosting::MakeControl<VelCheckFrame>();
    ComPtr<IPersistStreamInit> persist;
    control.As(&persist);
    ASSERT_HRESULT_SUCCEEDED(persist->Load(stream.Get()));
    IDispatch* frame = static_cast<_VelCheckFrame*>(control.Get());
    EXPECT_EQ(AsText(Get(frame, L"Caption")), L"Streamed");
    EXPECT_EQ(AsLong(Get(frame, L"Value")), 1);
    auto reloaded = AsObject(Get(frame, L"Picture"));
    ASSERT_TRUE(reloaded);
    ComPtr<IPictureDisp> reloadedPicture;
    reloaded.As(&reloadedPicture);
    EXPECT_EQ(PixelsOf(reloadedPicture.Get()), PixelsOf(picture.Get()));
    ComPtr<IOleObject> object;
    control.As(&object);
    object->Close(OLECLOSE_NOSAVE);
}

TEST_F(CheckFramePersistence, OutOfRangeValuesLoadAsDefaultsAndTheRestStillLoads) {
    auto bag = CompleteBag();
    Write(bag.Get(), L"Value", Num(99));
    Write(bag.Get(), L"Alignment", Num(3));
    Write(bag.Get(), L"Appearance", Num(-1));
    Write(bag.Get(), L"BorderStyle", Num(65536));
    Write(bag.Get(), L"OLEDropMode", Num(7));
    Write(bag.Get(), L"MousePointer", Int16(42));
    Write(bag.Get(), L"Caption", Str(L"Still here"));
    Write(bag.Get(), L"WhatsThisHelpID", Num(5));
    CheckFrameHost host(true, bag.Get());
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Value")), 0);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Alignment")), 0);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Appearance")), 1);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"BorderStyle")), 1);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"OLEDropMode")), 0);
    EXPECT_EQ(AsLong(Get(host.Disp(), L"MousePointer")), 0);
    EXPECT_EQ(AsText(Get(host.Disp(), L"Caption")), L"Still here");
    EXPECT_EQ(AsLong(Get(host.Disp(), L"WhatsThisHelpID")), 5) << "keys after the bad ones still load";
}

// A value that reads as nothing of its key's type is no reason to guess: the bag is
// refused whole and the frame is a new one.
TEST_F(CheckFramePersistence, AnUnreadableValueRefusesTheWholeBag) {
    const std::pair<const wchar_t*, Variant> unreadable[] = {
        {L"BorderStyle", Str(L"not a number")}, {L"Alignment", Dbl(1e300)}, {L"BackColor", Str(L"red")},
        {L"Enabled", Str(L"maybe")},            {L"Caption", Null()},        {L"Font", Str(L"Arial")},
        {L"MousePointer", Num(70000)},          {L"CheckBoxTop", Str(L"")}};
    for (auto& [key, value] : unreadable) {
        auto bag = CompleteBag();
        Write(bag.Get(), L"Caption", Str(L"Saved"));
        Write(bag.Get(), L"BorderStyle", Num(0));
        Write(bag.Get(), key, value);
        auto control = hosting::MakeControl<VelCheckFrame>();
        ComPtr<IPersistPropertyBag> persist;
        control.As(&persist);
        EXPECT_EQ(persist->Load(bag.Get(), nullptr), static_cast<HRESULT>(0x800A017C)) << key;
        IDispatch* frame = static_cast<_VelCheckFrame*>(control.Get());
        EXPECT_NE(AsText(Get(frame, L"Caption")), L"Saved") << key << ": nothing applied";
        EXPECT_EQ(AsLong(Get(frame, L"BorderStyle")), 1) << key;
        ComPtr<IOleObject> object;
        control.As(&object);
        object->Close(OLECLOSE_NOSAVE);
    }
    // A colour saved unsigned is a colour.
    auto bag = CompleteBag();
    VARIANT unsignedColour{};
    unsignedColour.vt = VT_UI4;
    unsignedColour.ulVal = 0x80000005;
    Write(bag.Get(), L"BackColor", Variant(unsignedColour));
    CheckFrameHost host(true, bag.Get());
    EXPECT_EQ(ColourOf(Get(host.Disp(), L"BackColor")), 0x80000005u);
}

TEST_F(CheckFramePersistence, ABadPictureEntryLoadsAsNoPicture) {
    auto whole = MakeBitmapPicture(4, 4, Pattern);
    std::wstring good;
    {
        CheckFrameHost host(false);
        PutRef(host.Disp(), L"Picture", whole.Get());
        auto bag = host.Save();
        VARIANT text{};
        ASSERT_HRESULT_SUCCEEDED(bag->Read(L"Picture", &text, nullptr));
        ASSERT_EQ(text.vt, VT_BSTR);
        good = text.bstrVal;
        VariantClear(&text);
    }
    for (std::wstring bad : {good.substr(0, good.size() - 2), good.substr(0, 30), good + L"00", std::wstring(L"garbage"),
                             std::wstring(L"VelBitmap1:ZZ") + good.substr(13), std::wstring(L"VelBitmap1:")}) {
        auto bag = CompleteBag();
        Write(bag.Get(), L"Picture", Str(bad.c_str()));
        Write(bag.Get(), L"Value", Num(1));
        CheckFrameHost host(true, bag.Get());
        EXPECT_FALSE(AsObject(Get(host.Disp(), L"Picture")));
        EXPECT_EQ(host.control->Geometry().checkBoxWidth, 12);
        EXPECT_EQ(AsLong(Get(host.Disp(), L"Value")), 1) << "the keys after the picture still load";
    }
}

TEST_F(CheckFramePersistence, MissingKeysReadAsEmptyValuesAndAHugeCaptionLoads) {
    auto bag = com::Make<MemoryPropertyBag>();
    std::wstring huge(100000, L'W');
    Write(bag.Get(), L"Caption", Str(huge.c_str()));
    CheckFrameHost host(true, bag.Get());
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Enabled")), 0) << "a bag without Enabled loads the frame disabled";
    EXPECT_EQ(ColourOf(Get(host.Disp(), L"BackColor")), 0u) << "and without BackColor black";
    EXPECT_EQ(AsText(Get(host.Disp(), L"Caption")).size(), huge.size());
    EXPECT_EQ(host.Pixel(100, 90), RGB(0, 0, 0));
}

TEST_F(CheckFramePersistence, AMouseIconThatIsABitmapIsNotLoaded) {
    auto bag = CompleteBag();
    // One picture for every run: under Wine the system's bitmap picture, once saved,
    // leaves three GDI objects behind when it is released.
    static ComPtr<IPictureDisp> bitmap = MakeBitmapPicture(4, 4, Pattern);
    Write(bag.Get(), L"MouseIcon", Obj(bitmap.Get()));
    CheckFrameHost host(true, bag.Get());
    EXPECT_FALSE(AsObject(Get(host.Disp(), L"MouseIcon")));
}

}  // namespace
}  // namespace vel::test

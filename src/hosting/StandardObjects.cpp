#include "StandardObjects.h"

#include "AutomationError.h"
#include "Bstr.h"
#include "Convert.h"
#include "Variant.h"

namespace vel::hosting {
namespace {

void Check(HRESULT hr, const wchar_t* what) {
    if (FAILED(hr)) throw com::AutomationError(hr, what);
}

ComPtr<IPictureDisp> CreatePicture(PICTDESC& description) {
    ComPtr<IPictureDisp> picture;
    Check(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                   reinterpret_cast<void**>(picture.GetAddressOf())),
          L"The picture could not be created.");
    return picture;
}

}  // namespace

ComPtr<IFontDisp> StandardObjects::CreateFont(const FontDescription& d) {
    FONTDESC desc{sizeof(FONTDESC)};
    desc.lpstrName = const_cast<LPOLESTR>(d.name.c_str());
    desc.cySize.int64 = static_cast<LONGLONG>(d.size * 10000.0 + 0.5);
    desc.sWeight = d.bold ? FW_BOLD : FW_NORMAL;
    desc.sCharset = DEFAULT_CHARSET;
    desc.fItalic = d.italic;
    desc.fUnderline = d.underline;
    desc.fStrikethrough = d.strikethrough;
    ComPtr<IFontDisp> font;
    Check(OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf())),
          L"The font could not be created.");
    return font;
}

FontDescription StandardObjects::Describe(IFontDisp* font) {
    FontDescription d;
    ComPtr<IFont> f;
    if (!font || FAILED(font->QueryInterface(IID_PPV_ARGS(&f)))) return d;
    com::Bstr name;
    if (SUCCEEDED(f->get_Name(name.Out()))) d.name = name.View();
    CY size{};
    if (SUCCEEDED(f->get_Size(&size))) d.size = static_cast<double>(size.int64) / 10000.0;
    BOOL flag = FALSE;
    if (SUCCEEDED(f->get_Bold(&flag))) d.bold = flag;
    if (SUCCEEDED(f->get_Italic(&flag))) d.italic = flag;
    if (SUCCEEDED(f->get_Underline(&flag))) d.underline = flag;
    if (SUCCEEDED(f->get_Strikethrough(&flag))) d.strikethrough = flag;
    return d;
}

ComPtr<IFontDisp> StandardObjects::LetFont(IFontDisp* current, const VARIANT& value) {
    const com::Variant plain = com::Variant::Dereferenced(value);
    if (plain.Type() == VT_DISPATCH || plain.Type() == VT_UNKNOWN) {
        IUnknown* object = plain.Type() == VT_DISPATCH ? plain.Get().pdispVal : plain.Get().punkVal;
        ComPtr<IFontDisp> font;
        if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&font)))) com::Raise(com::StandardError::TypeMismatch);
        return font;
    }
    ComPtr<IFont> target;
    if (!current || FAILED(current->QueryInterface(IID_PPV_ARGS(&target)))) com::Raise(com::StandardError::InvalidPropertyValue);
    const HRESULT hr = target->put_Name(com::ToText(value).Get());
    if (FAILED(hr)) com::Raise(com::StandardError::InvalidPropertyValue);
    return nullptr;
}

ComPtr<IFontDisp> StandardObjects::CloneFont(IFontDisp* font) {
    if (!font) return nullptr;
    ComPtr<IFont> source, copy;
    Check(font->QueryInterface(IID_PPV_ARGS(&source)), L"Not a font object.");
    Check(source->Clone(&copy), L"The font could not be copied.");
    ComPtr<IFontDisp> result;
    Check(copy.As(&result), L"Not a font object.");
    return result;
}

ComPtr<IPictureDisp> StandardObjects::PictureFromBitmap(HBITMAP bitmap) {
    PICTDESC d{sizeof(PICTDESC), PICTYPE_BITMAP};
    d.bmp.hbitmap = bitmap;
    return CreatePicture(d);
}

ComPtr<IPictureDisp> StandardObjects::PictureFromIcon(HICON icon) {
    PICTDESC d{sizeof(PICTDESC), PICTYPE_ICON};
    d.icon.hicon = icon;
    return CreatePicture(d);
}

PictureType StandardObjects::TypeOf(IPictureDisp* picture) {
    ComPtr<IPicture> p;
    SHORT type = PICTYPE_NONE;
    if (picture && SUCCEEDED(picture->QueryInterface(IID_PPV_ARGS(&p)))) p->get_Type(&type);
    return static_cast<PictureType>(type);
}

OLE_HANDLE StandardObjects::HandleOf(IPictureDisp* picture) {
    ComPtr<IPicture> p;
    OLE_HANDLE handle = 0;
    if (picture && SUCCEEDED(picture->QueryInterface(IID_PPV_ARGS(&p)))) p->get_Handle(&handle);
    return handle;
}

SIZE StandardObjects::HimetricSizeOf(IPictureDisp* picture) {
    ComPtr<IPicture> p;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (picture && SUCCEEDED(picture->QueryInterface(IID_PPV_ARGS(&p)))) {
        p->get_Width(&width);
        p->get_Height(&height);
    }
    return {width, height};
}

}  // namespace vel::hosting

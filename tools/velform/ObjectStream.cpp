#include "ObjectStream.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace velform {
namespace {

HRESULT StreamBytes(IStream* stream, std::vector<BYTE>* data) {
    STATSTG stat{};
    HRESULT hr = stream->Stat(&stat, STATFLAG_NONAME);
    if (FAILED(hr)) return hr;
    data->assign(static_cast<size_t>(stat.cbSize.QuadPart), 0);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    hr = data->empty() ? S_OK : stream->Read(data->data(), static_cast<ULONG>(data->size()), &read);
    return FAILED(hr) ? hr : S_OK;
}

}  // namespace

HRESULT ObjectStream::Capture(IUnknown* object, CLSID* objectClass, std::vector<BYTE>* data) {
    ComPtr<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr)) return hr;
    ComPtr<IPersistStream> persist;
    ComPtr<IPersistStreamInit> persistInit;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&persist)))) {
        hr = persist->GetClassID(objectClass);
        if (SUCCEEDED(hr)) hr = persist->Save(stream.Get(), TRUE);
    } else if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&persistInit)))) {
        hr = persistInit->GetClassID(objectClass);
        if (SUCCEEDED(hr)) hr = persistInit->Save(stream.Get(), TRUE);
    } else {
        return E_NOINTERFACE;
    }
    return FAILED(hr) ? hr : StreamBytes(stream.Get(), data);
}

bool ObjectStream::Loadable(REFCLSID objectClass) {
    return IsEqualCLSID(objectClass, CLSID_StdFont) || IsEqualCLSID(objectClass, CLSID_StdPicture);
}

HRESULT ObjectStream::Restore(REFCLSID objectClass, const std::vector<BYTE>& data, IUnknown** object) {
    if (!Loadable(objectClass)) return CLASS_E_CLASSNOTAVAILABLE;
    ComPtr<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr)) return hr;
    if (!data.empty()) hr = stream->Write(data.data(), static_cast<ULONG>(data.size()), nullptr);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ComPtr<IUnknown> created;
    if (SUCCEEDED(hr)) hr = CoCreateInstance(objectClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created));
    if (FAILED(hr)) return hr;
    ComPtr<IPersistStream> persist;
    ComPtr<IPersistStreamInit> persistInit;
    if (SUCCEEDED(created.As(&persist))) {
        hr = persist->Load(stream.Get());
    } else if (SUCCEEDED(created.As(&persistInit))) {
        hr = persistInit->Load(stream.Get());
    } else {
        hr = E_NOINTERFACE;
    }
    if (SUCCEEDED(hr)) *object = created.Detach();
    return hr;
}

}  // namespace velform

#pragma once
// One control created by its class from the registered library, sited in the test
// container, active and painted, with the library's objects reachable from it.
#include <windows.h>
#include <ocidl.h>
#include <map>
#include <string>
#include <vector>
#include <wrl/client.h>

#include "TestContainer.h"

namespace vel::census {

using Microsoft::WRL::ComPtr;

class CensusHost {
public:
    explicit CensusHost(REFCLSID control);
    CensusHost(const CensusHost&) = delete;
    CensusHost& operator=(const CensusHost&) = delete;
    ~CensusHost();

    bool Created() const { return dispatch_ != nullptr; }
    IDispatch* Control() const { return dispatch_.Get(); }

    // An object of each interface reachable from the control: its object-valued
    // properties, the members of its collections (each collection given two members
    // with an Add of no arguments first), and so on, by interface id.
    std::map<IID, ComPtr<IDispatch>, bool (*)(const IID&, const IID&)> Reach();

    // Paints the control and checks what must hold after any call: painting succeeds,
    // every collection's members are numbered 1 to Count and enumerate as many. Returns
    // what does not hold, empty when all does.
    std::vector<std::string> Check();

private:
    ComPtr<test::TestContainer> site_;
    ComPtr<IOleObject> object_;
    ComPtr<IDispatch> dispatch_;
};

// The interface id an object's type information names.
IID InterfaceOf(IDispatch* object);
std::string Narrow(const std::wstring& text);

}  // namespace vel::census

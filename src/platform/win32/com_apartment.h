// COM for the calling thread, for as long as the object lives: an apartment-threaded apartment,
// as shell extensions behind ShellExecuteEx (some documents and web addresses) need on a thread
// with windows. Uninitialised again only when the initialisation succeeded.
#pragma once

#include <objbase.h>

namespace bw::platform {

class ComApartment {
public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }

private:
  HRESULT result_;
};

}  // namespace bw::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <initguid.h>  // defines the annotation GUIDs here

#include <oleacc.h>

#include <string>

#include "systemfunction.h"

namespace {

using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

}  // namespace

bool annotateWidgets(const Widgets& widgets) {
    const auto coInitialize = systemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
    const auto coCreate = systemFunction<CoCreateInstanceFn>(L"ole32.dll", "CoCreateInstance");
    if (!coInitialize || !coCreate) return false;
    coInitialize(nullptr, COINIT_APARTMENTTHREADED);  // stays for the window's life

    IAccPropServices* services = nullptr;
    if (FAILED(coCreate(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                        IID_IAccPropServices, reinterpret_cast<void**>(&services))))
        return false;
    bool named = true;
    for (const window::ControlDesign& d : window::controlDesigns()) {
        const std::u16string name = window::accessibleName({d.kind, d.index});
        if (name.empty()) continue;  // the control's own text names it
        const std::wstring text(name.begin(), name.end());
        named &= SUCCEEDED(services->SetHwndPropStr(widgets.find({d.kind, d.index}),
                                                    static_cast<DWORD>(OBJID_CLIENT),
                                                    CHILDID_SELF, PROPID_ACC_NAME, text.c_str()));
    }
    services->Release();
    return named;
}

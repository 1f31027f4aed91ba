// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <initguid.h>  // defines the annotation GUIDs here

#include <oleacc.h>

#include <string>

#include "systemfunction.h"

Annotations::~Annotations() {
    if (services_) services_->Release();
}

bool Annotations::start(const Widgets& widgets) {
    if (services_) return true;
    // ole32 is loaded only now, for a screen reader.
    const auto coInitialize =
        systemFunction<HRESULT(WINAPI*)(LPVOID, DWORD)>(L"ole32.dll", "CoInitializeEx");
    const auto coCreate =
        systemFunction<HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*)>(
            L"ole32.dll", "CoCreateInstance");
    if (!coInitialize || !coCreate) return false;
    coInitialize(nullptr, COINIT_APARTMENTTHREADED);  // stays for the window's life

    if (FAILED(coCreate(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                        reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
        return false;
    }
    bool named = true;
    for (const window::ControlDesign& d : window::controlDesigns()) {
        const std::wstring text = wide(window::accessibleName({d.kind, d.index}));
        if (text.empty()) continue;  // the control's own text names it
        named &= SUCCEEDED(services_->SetHwndPropStr(widgets.find({d.kind, d.index}),
                                                     static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                     PROPID_ACC_NAME, text.c_str()));
    }
    return named;
}

void Annotations::describe(HWND control, std::u16string_view text) {
    if (!services_) return;
    const auto object = static_cast<DWORD>(OBJID_CLIENT);
    if (text.empty()) {
        MSAAPROPID property = PROPID_ACC_DESCRIPTION;
        services_->ClearHwndProps(control, object, CHILDID_SELF, &property, 1);
        return;
    }
    services_->SetHwndPropStr(control, object, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                              wide(text).c_str());
}

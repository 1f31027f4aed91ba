// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <initguid.h>  // defines the annotation GUIDs here

#include <oleacc.h>

#include <string>

Annotations::~Annotations() {
    if (services_) services_->Release();
}

void Annotations::start(const Widgets& widgets, const window::SolutionNotes& notes) {
    if (started_) return;
    started_ = true;
    // ole32 is loaded only now, for a screen reader.
    const auto coInitialize =
        systemFunction<HRESULT(WINAPI*)(LPVOID, DWORD)>(L"ole32.dll", "CoInitializeEx");
    const auto coCreate =
        systemFunction<HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*)>(
            L"ole32.dll", "CoCreateInstance");
    if (!coInitialize || !coCreate) return;
    coInitialize(nullptr, COINIT_APARTMENTTHREADED);  // stays for the window's life

    if (FAILED(coCreate(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                        reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
        return;
    }
    for (const window::ControlDesign& d : window::controlDesigns()) {
        const std::wstring text = wide(window::accessibleName({d.kind, d.index}));
        if (text.empty()) continue;  // the control's own text names it
        services_->SetHwndPropStr(widgets.find({d.kind, d.index}), static_cast<DWORD>(OBJID_CLIENT),
                                  CHILDID_SELF, PROPID_ACC_NAME, text.c_str());
    }
    describe(widgets, notes);
}

void Annotations::describe(const Widgets& widgets, const window::SolutionNotes& notes) {
    if (!services_) return;
    const auto object = static_cast<DWORD>(OBJID_CLIENT);
    for (const window::ControlDesign& d : window::controlDesigns()) {
        HWND control = widgets.find({d.kind, d.index});
        const std::u16string_view note = notes.of({d.kind, d.index});
        MSAAPROPID property = PROPID_ACC_DESCRIPTION;
        if (note.empty())
            services_->ClearHwndProps(control, object, CHILDID_SELF, &property, 1);
        else
            services_->SetHwndPropStr(control, object, CHILDID_SELF, property, wide(note).c_str());
    }
}

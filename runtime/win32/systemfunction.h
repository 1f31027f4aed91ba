// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

// A function of a system DLL that older Windows may lack, or that only some
// starts need: null where it is missing. The DLL is loaded on first use.
// Example: systemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow").
template <typename Function>
Function systemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = LoadLibraryW(dll);
    if (!module) return nullptr;
    // Through void*: FARPROC is a placeholder type for any function.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A window object that writes down every operation it receives, with its
// arguments, and a stand-in default procedure that does the same. Operations
// whose result is returned answer kOperationResult; the stand-in default
// answers kDefaultResult, so a test can tell the two paths apart.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/framework/WindowObject.h"

constexpr LRESULT kOperationResult = 0x5A5A;
constexpr LRESULT kDefaultResult = 0xDEF;

inline std::vector<std::string>& DefaultCalls() {
    static std::vector<std::string> calls;
    return calls;
}

inline std::string Describe(const char* name, std::initializer_list<unsigned long long> args) {
    std::string text = name;
    text += "(";
    bool first = true;
    for (unsigned long long value : args) {
        char number[32];
        // Message parameters are pointer-sized: a negative LPARAM of the 32-bit
        // build shows its 32 bits, not a sign-extended 64-bit value.
        std::snprintf(number, sizeof(number), "%llx", value & UINTPTR_MAX);
        text += first ? "" : ",";
        text += number;
        first = false;
    }
    return text + ")";
}

inline LRESULT CALLBACK RecordingDefaultProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    DefaultCalls().push_back(Describe("default", {msg, wParam, (unsigned long long)lParam}));
    return kDefaultResult;
}

class RecordingWindow : public WindowObject {
  public:
    std::vector<std::string> calls;
    LRESULT result = kOperationResult;

    void Note(const char* name, std::initializer_list<unsigned long long> args) {
        calls.push_back(Describe(name, args));
    }
    static unsigned long long H(HWND hwnd) { return reinterpret_cast<unsigned long long>(hwnd); }

    void OnClose(INT_PTR code) override { Note("OnClose", {(unsigned long long)code}); }
    void OnPaint(HWND hwnd) override {
        Note("OnPaint", {H(hwnd)});
        WindowObject::OnPaint(hwnd);
    }
    LRESULT OnCommand(WPARAM w, LPARAM l) override {
        return Ret("OnCommand", {w, (unsigned long long)l});
    }
    LRESULT OnSysCommand(WPARAM w, LPARAM l) override {
        return Ret("OnSysCommand", {w, (unsigned long long)l});
    }
    LRESULT OnCreate(HWND hwnd, LPARAM l) override {
        return Ret("OnCreate", {H(hwnd), (unsigned long long)l});
    }
    LRESULT OnDestroy() override { return Ret("OnDestroy", {}); }
    void OnNcPaint(WPARAM w) override { Note("OnNcPaint", {w}); }
    LRESULT OnNcHitTest(UINT x, UINT y) override { return Ret("OnNcHitTest", {x, y}); }
    void OnActivate(WPARAM w) override { Note("OnActivate", {w}); }
    void OnActivateApp(WPARAM w) override { Note("OnActivateApp", {w}); }
    void OnShowWindow(WPARAM w, LPARAM l) override {
        Note("OnShowWindow", {w, (unsigned long long)l});
    }
    void OnTimer() override { Note("OnTimer", {}); }
    void OnNotify(WPARAM w, LPARAM l) override { Note("OnNotify", {w, (unsigned long long)l}); }
    LRESULT OnQueryEndSession() override { return Ret("OnQueryEndSession", {}); }
    void OnTrayNotify(LPARAM l) override { Note("OnTrayNotify", {(unsigned long long)l}); }
    LRESULT OnMenuChar(WPARAM w, LPARAM l) override {
        return Ret("OnMenuChar", {w, (unsigned long long)l});
    }
    LRESULT OnMenuSelect(UINT item, UINT flags, LPARAM menu) override {
        return Ret("OnMenuSelect", {item, flags, (unsigned long long)menu});
    }
    void OnInitMenuPopup(WPARAM menu, UINT isWindowMenu, UINT position) override {
        Note("OnInitMenuPopup", {menu, isWindowMenu, position});
    }
    void OnMouseMove(WPARAM k, UINT x, UINT y) override { Note("OnMouseMove", {k, x, y}); }
    void OnLButtonDown(WPARAM k, UINT x, UINT y) override { Note("OnLButtonDown", {k, x, y}); }
    void OnLButtonUp(WPARAM k, UINT x, UINT y) override { Note("OnLButtonUp", {k, x, y}); }
    void OnRButtonDown(WPARAM k, UINT x, UINT y) override { Note("OnRButtonDown", {k, x, y}); }
    void OnRButtonUp(WPARAM k, UINT x, UINT y) override { Note("OnRButtonUp", {k, x, y}); }
    LRESULT OnCtlColorStatic(WPARAM w, LPARAM l) override {
        return Ret("OnCtlColorStatic", {w, (unsigned long long)l});
    }
    LRESULT OnCtlColorBtn(WPARAM w, LPARAM l) override {
        return Ret("OnCtlColorBtn", {w, (unsigned long long)l});
    }
    LRESULT OnInitDialog() override { return Ret("OnInitDialog", {}); }
    void OnVScroll(WPARAM w, LPARAM l) override { Note("OnVScroll", {w, (unsigned long long)l}); }
    void OnHScroll(WPARAM w, LPARAM l) override { Note("OnHScroll", {w, (unsigned long long)l}); }
    void OnKeyUp(WPARAM w, LPARAM l) override { Note("OnKeyUp", {w, (unsigned long long)l}); }
    void OnKeyDown(WPARAM w, LPARAM l) override { Note("OnKeyDown", {w, (unsigned long long)l}); }
    LRESULT OnHotKey(WPARAM w, LPARAM l) override {
        return Ret("OnHotKey", {w, (unsigned long long)l});
    }

  private:
    LRESULT Ret(const char* name, std::initializer_list<unsigned long long> args) {
        Note(name, args);
        return result;
    }
};

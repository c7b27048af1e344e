// Test controls that record what reaches them and answer as told, and a headless main window.
#pragma once
#include <string>
#include <vector>

#include "platform/headless/headless_host.h"
#include "widgets/messages.h"
#include "widgets/widget.h"

struct Probe : public virtual widgets::Widget {
    explicit Probe(const widgets::Rect& r, bool* destroyed = nullptr) : Widget(r), destroyed_(destroyed) {}
    ~Probe() override
    {
        if (destroyed_)
            *destroyed_ = true;
    }
    int MouseMove(void*, uintptr_t, intptr_t) override { return Log("move", answer); }
    int LButtonDown(void*, uintptr_t, intptr_t) override { return Log("down", answer); }
    int LButtonUp(void*, uintptr_t, intptr_t) override { return Log("up", answer); }
    int LButtonDblClk(void*, uintptr_t, intptr_t) override { return Log("dbl", answer); }
    int RButtonDown(void*, uintptr_t, intptr_t) override { return Log("rdown", answer); }
    int Command(int code, int) override { return Log("cmd" + std::to_string(code), 1); }
    void Draw(Bitmap*, const widgets::Rect&) override {}

    int Log(const std::string& what, int result)
    {
        calls.push_back(what);
        return result;
    }
    std::vector<std::string> calls;
    int answer = 1;
    bool* destroyed_;
};

// Installs a headless 800 × 600 main window for the test's lifetime and clears the toolkit's
// process-wide state afterwards.
struct HostScope {
    HostScope() : host(800, 600) { previous = platform::SetHost(&host); }
    ~HostScope()
    {
        platform::SetHost(previous);
        widgets::ResetCapture();
    }
    platform::HeadlessHost host;
    platform::WindowHost* previous;
};

inline intptr_t At(int x, int y) { return widgets::ParamFromPoint(x, y); }

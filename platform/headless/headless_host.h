// An in-process window for native tests: it records what the interface asks of the window and
// delivers queued messages to a window procedure when a modal loop pumps.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "platform/window_host.h"

namespace platform {

struct QueuedMessage {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
};

class HeadlessHost : public WindowHost {
public:
    using Procedure = void (*)(unsigned message, uintptr_t wParam, intptr_t lParam);

    HeadlessHost(int32_t width, int32_t height) : width_(width), height_(height) {}

    void Repaint(const Rect& screen) override { repaints.push_back(screen); }
    void RestoreStandardCursor() override { ++cursorRestores; }
    void StartTimer(unsigned id, unsigned millis) override { timers[id] = millis; }
    void StopTimer(unsigned id) override { timers.erase(id); }
    // Delivers the next queued message; an empty queue means the program was told to quit.
    bool PumpMessage() override;
    Point CursorPosition() override { return cursor; }
    int32_t ScreenWidth() override { return width_; }
    int32_t ScreenHeight() override { return height_; }

    void Post(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0) { queue.push_back({message, wParam, lParam}); }

    Procedure procedure = nullptr;
    std::deque<QueuedMessage> queue;
    std::vector<Rect> repaints;
    std::map<unsigned, unsigned> timers;
    int cursorRestores = 0;
    Point cursor;

private:
    int32_t width_, height_;
};

}  // namespace platform

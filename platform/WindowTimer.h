#pragma once
#include <windows.h>

// A timer of a window: while enabled its events arrive as WM_TIMER with its id, through the window's
// message loop.
class WindowTimer {
 public:
  WindowTimer(UINT_PTR id, UINT interval) : id_(id), interval_(interval) {}
  ~WindowTimer() { SetEnabled(false); }
  WindowTimer(const WindowTimer&) = delete;
  WindowTimer& operator=(const WindowTimer&) = delete;

  void Attach(HWND window) { window_ = window; }
  // Enabling a running timer leaves its interval running; enabling a stopped one starts it afresh.
  void SetEnabled(bool enabled) {
    if (enabled && !enabled_ && window_) SetTimer(window_, id_, interval_, nullptr);
    if (!enabled && enabled_ && IsWindow(window_)) KillTimer(window_, id_);
    enabled_ = enabled && window_;
  }
  // Runs, from now, with another interval: a timer kept on the start of each minute sets its next
  // event at each one. Starts a stopped timer.
  void RunNextIn(UINT interval) {
    interval_ = interval;
    if (window_) SetTimer(window_, id_, interval_, nullptr);
    enabled_ = window_ != nullptr;
  }
  bool Enabled() const { return enabled_; }
  UINT Interval() const { return interval_; }
  UINT_PTR Id() const { return id_; }

 private:
  UINT_PTR id_;
  UINT interval_;
  HWND window_ = nullptr;
  bool enabled_ = false;
};

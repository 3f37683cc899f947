#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/Handles.h"
#include "ui/Page.h"
#include "utilities/RandomGenerator.h"
#include "utilities/SettingsFile.h"

// The fonts every page shares: Tahoma at the window's size, its bold and its underlined link face.
struct WindowFonts {
  ScopedFont normal, bold, link;
};

// What a tool needs from the main window, which implements it.
class ToolHost {
 public:
  // The window that owns boxes and dialogs.
  virtual HWND Window() const = 0;
  // The program's folder, with its trailing separator; the Data folder is below it.
  virtual const std::wstring& AppDir() const = 0;
  virtual const WindowFonts& Fonts() const = 0;
  // A balloon notice from the tray icon: text cut to 255 characters, title to 63; returns at once.
  virtual void ShowTrayBalloon(const std::wstring& text, const std::wstring& title) = 0;
  // The program's one random generator, seeded at start.
  virtual RandomGenerator& Random() = 0;
  // Long work that pumps messages holds back the end of the program until it is over; it may ask
  // whether the user has asked to end meanwhile, and stop early.
  virtual void LongWorkStarted() = 0;
  virtual void LongWorkEnded() = 0;
  virtual bool EndRequested() const = 0;
  // A tool was armed or disarmed, or what it is armed for changed: the tray icon's tip says it.
  virtual void ArmedStateChanged() = 0;
  // A value the tool keeps among the remembered settings changed: the window saves them, if the
  // user asked it to remember them.
  virtual void SettingsChanged() = 0;

 protected:
  ~ToolHost() = default;
};

// Marks long work for the scope: the program ends only after it, when the user asked to end meanwhile.
class LongWork {
 public:
  explicit LongWork(ToolHost& host) : host_(host) { host_.LongWorkStarted(); }
  ~LongWork() { host_.LongWorkEnded(); }
  LongWork(const LongWork&) = delete;
  LongWork& operator=(const LongWork&) = delete;

 private:
  ToolHost& host_;
};

// Marks work as running for the scope. Work that pumps messages checks the flag first, so that a
// press meanwhile does not start it again.
class RunningFlag {
 public:
  explicit RunningFlag(bool& running) : running_(running) { running_ = true; }
  ~RunningFlag() { running_ = false; }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;

 private:
  bool& running_;
};

// A tool of the main window. It exists from the start with the data the program reads then; its
// controls are made on its page when the page is first shown, and show that data.
class Tool {
 public:
  explicit Tool(ToolHost& host) : host_(host) {}
  virtual ~Tool() = default;
  Tool(const Tool&) = delete;
  Tool& operator=(const Tool&) = delete;

  // Makes the controls on the page, which holds them from then on; once.
  void MakeControls(Page& page) {
    page_ = &page;
    CreateControls(page);
  }
  // Work done each time the tool's page comes to the front, after its controls are made.
  virtual void PageShown() {}
  // Work done once when the program starts hidden in the notification area, as at sign-in.
  virtual void StartedInTray() {}
  // While the tool is armed to act at some time, its line in the tray icon's tip ("Alarm: 07:30"), and
  // its name in a sentence that says what is armed ("the alarm"): a tool that can be armed gives both.
  virtual std::optional<std::wstring> ArmedLine() const { return std::nullopt; }
  virtual std::wstring ArmedName() const { return L""; }
  // The tray's "Remember settings": a tool that keeps values between runs has its page made at a
  // start that finds them, and then takes them back; it gives them only once its page exists. It
  // writes its own sections of the file, with its own keys.
  virtual bool KeepsSettings() const { return false; }
  virtual void StoreSettings(SettingsFile&) const {}
  virtual void RestoreSettings(const SettingsFile&) {}

 protected:
  virtual void CreateControls(Page& page) = 0;
  HWND PageHandle() const { return page_->Handle(); }

  ToolHost& host_;
  Page* page_ = nullptr;  // until the controls are made
};

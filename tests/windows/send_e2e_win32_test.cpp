// The send sequence with the Win32 platform, end to end: a receiver window (its own
// process) is found by its title, gets the clipboard text and the typed keys.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/win32/clipboard_win32.h"
#include "platform/window_system.h"
#include "sendkeys/command_keys.h"
#include "sendkeys/send.h"

namespace glyphgrab {
namespace {

std::wstring OwnFolder() {
  wchar_t buf[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  std::wstring path(buf, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream in{std::filesystem::path(path)};
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class SendE2eWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    windows_ = MakePlatformWindowSystem();
    keys_ = MakePlatformKeySender();
    Start(L"");
  }
  void Start(const std::wstring& flags) {
    target_ = 0;
    title_ = L"glyphgrab receiver " + std::to_wstring(GetCurrentProcessId()) + L" " + std::to_wstring(++starts_);
    log_ = OwnFolder() + L"receiver-" + std::to_wstring(GetCurrentProcessId()) + L".log";
    DeleteFileW(log_.c_str());
    std::wstring cmd = L"\"" + OwnFolder() + L"key_receiver.exe\" \"" + title_ + L"\" \"" + log_ + L"\" " + flags;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_));
    const std::u16string title(title_.begin(), title_.end());
    // Generous: the first window of a fresh Wine prefix waits for its font cache.
    for (int i = 0; i < 1200 && target_ == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
      target_ = FindTargetWindow(*windows_, title);
    }
    ASSERT_NE(target_, 0u) << "the receiver window did not appear";
  }
  void TearDown() override { Stop(); }
  void Stop() {
    if (target_) PostMessageW(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(target_)), WM_CLOSE, 0, 0);
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
      process_ = {};
    }
    DeleteFileW(log_.c_str());
  }
  // The key and paste lines the receiver logged, once `count` have arrived (or after 10 s).
  std::vector<std::string> ReceivedKeys(std::size_t count) {
    std::vector<std::string> keys;
    for (int i = 0; i < 400; ++i) {
      keys.clear();
      for (const std::string& line : ReadLines(log_)) {
        if (line.starts_with("down ") || line.starts_with("up ") || line.starts_with("paste ")) keys.push_back(line);
      }
      if (keys.size() >= count) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return keys;
  }
  // The receiver's lines after "ready", once `last` has arrived (or after 15 s).
  std::vector<std::string> Received(const std::string& last) {
    std::vector<std::string> lines;
    for (int i = 0; i < 600; ++i) {
      lines = ReadLines(log_);
      if (!lines.empty() && lines.back() == last) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    if (!lines.empty() && lines.front() == "ready") lines.erase(lines.begin());
    return lines;
  }

  std::wstring title_, log_;
  PROCESS_INFORMATION process_{};
  std::unique_ptr<WindowSystem> windows_;
  std::unique_ptr<KeySender> keys_;
  WindowId target_ = 0;
  int starts_ = 0;
};

TEST_F(SendE2eWin32, TextReachesTheClipboardAndKeysArriveInOrder) {
  Win32Clipboard clipboard;
  SendServices services{*keys_, *windows_, clipboard, {}, {}};
  const std::u16string command = u"@DA^V";
  const TSend_jww profile{0.1, 0, std::u16string(title_.begin(), title_.end()), command, true};
  EXPECT_EQ(SendText(u"図面の文字 ①", target_, profile, services), SendResult::kTyped);

  std::vector<std::string> expected;
  for (const KeyEvent& e : TypeCommand(command)) {
    char line[32];
    if (e.kind == KeyEvent::Kind::kWait || e.kind == KeyEvent::Kind::kStop) continue;
    std::snprintf(line, sizeof line, "%s 0x%02x", e.kind == KeyEvent::Kind::kDown ? "down" : "up", e.code);
    expected.push_back(line);
    if (e.kind == KeyEvent::Kind::kDown && e.code == 'V') expected.push_back("paste 図面の文字 ①");
  }
  EXPECT_EQ(Received(expected.back()), expected);
}

// A window of this process on a thread of its own, standing in for the tool's window:
// the one the foreground goes to when the target loses it. Counts the keys it gets.
class OwnWindow {
 public:
  OwnWindow() {
    thread_ = std::thread([this] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"GlyphgrabOwnWindow";
      RegisterClassW(&wc);
      HWND w = CreateWindowExW(0, wc.lpszClassName, L"Glyphgrab Ver.1.10", WS_OVERLAPPEDWINDOW, 400, 300, 200, 100,
                               nullptr, nullptr, wc.hInstance, nullptr);
      SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      ShowWindow(w, SW_SHOWNORMAL);
      hwnd_ = w;
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    });
    while (!hwnd_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ~OwnWindow() {
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND hwnd() const { return hwnd_; }
  int keys() const { return keys_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<OwnWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)) {
      ++self->keys_;
      return 0;
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  std::thread thread_;
  std::atomic<HWND> hwnd_{nullptr};
  std::atomic<int> keys_{0};
};

// After the first key group the receiver gives the foreground to another window, as
// Jw_cad loses it under a window manager that follows the pointer: the sender brings it
// back and the rest of the keys and the paste arrive; kept away, the send ends early.
TEST_F(SendE2eWin32, KeysFollowTheTargetWhenTheFocusLeavesBetweenGroups) {
  OwnWindow own;
  const std::vector<std::string> all = {"down 0x12", "down 0x44", "up 0x44", "up 0x12", "down 0x41", "up 0x41",
                                        "down 0x11", "down 0x56", "paste 図面", "up 0x56", "up 0x11"};
  const std::vector<std::string> firstGroup(all.begin(), all.begin() + 4);
  const struct {
    const char* what;
    bool keepAway;
    SendResult result;
    std::vector<std::string> keys;
  } cases[] = {
      {"to another window", false, SendResult::kTyped, all},
      {"kept away", true, SendResult::kTargetLeft, firstGroup},
  };
  for (const auto& c : cases) {
    Stop();
    const std::wstring handTo = std::to_wstring(reinterpret_cast<std::uintptr_t>(own.hwnd()));
    Start(L"--hand-focus-to " + handTo + (c.keepAway ? L" --keep-focus-away" : L""));
    ASSERT_NE(target_, 0u);
    Win32Clipboard clipboard;
    SendServices services{*keys_, *windows_, clipboard, {}, {}};
    const TSend_jww profile{0.1, 0, std::u16string(title_.begin(), title_.end()), u"@DA^V", true};
    EXPECT_EQ(SendText(u"図面", target_, profile, services), c.result) << c.what;
    EXPECT_EQ(ReceivedKeys(c.keys.size()), c.keys) << c.what;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(ReceivedKeys(c.keys.size() + 1).size(), c.keys.size()) << c.what;
    EXPECT_EQ(own.keys(), 0) << c.what;
    EXPECT_FALSE(GetAsyncKeyState(VK_MENU) & 0x8000) << c.what;
    EXPECT_FALSE(GetAsyncKeyState(VK_CONTROL) & 0x8000) << c.what;
  }
}

TEST_F(SendE2eWin32, MaximisesAndRestoresAnIconifiedWindow) {
  HWND hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(target_));
  ShowWindow(hwnd, SW_MINIMIZE);
  ASSERT_TRUE(windows_->ActivateWindow(target_, true));
  for (int i = 0; i < 40 && !IsZoomed(hwnd); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_FALSE(windows_->ActivateWindow(0x7fff0001, false)) << "a window that does not exist";
}

// The user's Esc (SendInput straight from here, not through the key sender): a short
// tap between two asks is seen once; a command's own {ESC} is not the user's.
TEST(EscKeyStateWin32, SeesATapBetweenTwoAsks) {
  auto esc = MakePlatformEscKeyState();
  ASSERT_TRUE(esc);
  EXPECT_FALSE(esc->IsEscDown());
  const auto user = [](DWORD flags) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_ESCAPE;
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof in);
  };
  user(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(6));
  user(KEYEVENTF_KEYUP);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(esc->IsEscDown());
  EXPECT_FALSE(esc->IsEscDown());

  auto keys = MakePlatformKeySender();
  keys->KeyDown(0x1B);
  keys->KeyUp(0x1B);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(esc->IsEscDown());
}

}  // namespace
}  // namespace glyphgrab

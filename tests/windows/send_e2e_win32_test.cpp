// The send sequence with the Win32 platform, end to end: a receiver window (its own
// process) is found by its title, gets the clipboard text and the typed keys.
#include <windows.h>

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
    title_ = L"glyphgrab receiver " + std::to_wstring(GetCurrentProcessId());
    log_ = OwnFolder() + L"receiver-" + std::to_wstring(GetCurrentProcessId()) + L".log";
    DeleteFileW(log_.c_str());
    std::wstring cmd = L"\"" + OwnFolder() + L"key_receiver.exe\" \"" + title_ + L"\" \"" + log_ + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_));
    windows_ = MakePlatformWindowSystem();
    keys_ = MakePlatformKeySender();
    const std::u16string title(title_.begin(), title_.end());
    // Generous: the first window of a fresh Wine prefix waits for its font cache.
    for (int i = 0; i < 1200 && target_ == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
      target_ = FindTargetWindow(*windows_, title);
    }
    ASSERT_NE(target_, 0u) << "the receiver window did not appear";
  }
  void TearDown() override {
    if (target_) PostMessageW(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(target_)), WM_CLOSE, 0, 0);
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    DeleteFileW(log_.c_str());
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

TEST_F(SendE2eWin32, MaximisesAndRestoresAnIconifiedWindow) {
  HWND hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(target_));
  ShowWindow(hwnd, SW_MINIMIZE);
  ASSERT_TRUE(windows_->ActivateWindow(target_, true));
  for (int i = 0; i < 40 && !IsZoomed(hwnd); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_TRUE(IsZoomed(hwnd));
  EXPECT_FALSE(windows_->ActivateWindow(0x7fff0001, false)) << "a window that does not exist";
}

TEST(EscKeyStateWin32, AnswersNotDownWhenNobodyPressesIt) {
  auto esc = MakePlatformEscKeyState();
  ASSERT_TRUE(esc);
  EXPECT_FALSE(esc->IsEscDown());
}

}  // namespace
}  // namespace glyphgrab

// The Windows desktop tool end to end, under Wine: a copy of glyphgrab.exe in a folder of
// its own, driven through its controls' IDs and messages (the list controls' structures
// placed in its memory), checked against glyphgrab-cli.exe, the clipboard, the key
// receiver and the files it writes beside itself.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "browse/settings.h"
#include "gui/win32/control_ids.h"
#include "sendkeys/send.h"
#include "ui/main_logic.h"
#include "ui/search_logic.h"

namespace glyphgrab::wingui {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A Linux path of the build (a definition of the build) as Wine opens it.
std::wstring Native(const char* path) {
  std::wstring w = fs::path(path).wstring();
  for (wchar_t& c : w) {
    if (c == L'/') c = L'\\';
  }
  return w.size() > 1 && w[0] == L'\\' ? L"Z:" + w : w;
}

std::u16string U16(const std::wstring& w) { return std::u16string(w.begin(), w.end()); }

std::wstring FromUtf8(const std::string& s) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 20s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

// Runs a program and returns its standard output.
std::string Capture(std::wstring commandLine) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  CreatePipe(&read, &write, &sa, 0);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = write;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  std::string out;
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(write);
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(read, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  } else {
    CloseHandle(write);
  }
  CloseHandle(read);
  return out;
}

std::vector<std::wstring> Lines(const std::string& utf8) {
  std::vector<std::wstring> lines;
  std::size_t from = 0;
  while (from < utf8.size()) {
    std::size_t end = utf8.find('\n', from);
    if (end == std::string::npos) end = utf8.size();
    std::string line = utf8.substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(FromUtf8(line));
    from = end + 1;
  }
  return lines;
}

std::wstring ClipboardText() {
  std::wstring text;
  for (int i = 0; i < 50 && !OpenClipboard(nullptr); ++i) std::this_thread::sleep_for(20ms);
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* w = static_cast<const wchar_t*>(GlobalLock(h))) {
      text = w;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

// Memory in the tool's process, for the list controls' messages that take a structure.
class Remote {
 public:
  explicit Remote(HANDLE process) : process_(process) {
    base_ = static_cast<char*>(VirtualAllocEx(process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
  }
  ~Remote() { VirtualFreeEx(process_, base_, 0, MEM_RELEASE); }
  template <class T>
  T* Put(const T& value, std::size_t offset = 0) {
    WriteProcessMemory(process_, base_ + offset, &value, sizeof value, nullptr);
    return reinterpret_cast<T*>(base_ + offset);
  }
  template <class T>
  T Get(std::size_t offset = 0) const {
    T value{};
    ReadProcessMemory(process_, base_ + offset, &value, sizeof value, nullptr);
    return value;
  }
  std::wstring Text(std::size_t offset) const {
    std::vector<wchar_t> buf(kText);
    ReadProcessMemory(process_, base_ + offset, buf.data(), buf.size() * sizeof(wchar_t), nullptr);
    buf.back() = 0;
    return buf.data();
  }
  char* at(std::size_t offset) const { return base_ + offset; }
  static constexpr std::size_t kText = 4096;

 private:
  static constexpr std::size_t kSize = 65536;
  HANDLE process_;
  char* base_ = nullptr;
};

class DesktopWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = fs::path(temp) / (L"glyphgrab-desktop-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount()));
    app_ = root_ / L"app";
    drawings_ = root_ / L"図面集";
    folder_ = drawings_ / L"住宅";
    fs::create_directories(app_);
    fs::create_directories(folder_ / L"足場");
    const fs::path corpus = Native(GLYPHGRAB_CORPUS_DIR);
    if (!fs::is_regular_file(corpus / "jww" / "016.jww")) GTEST_SKIP() << "no corpus at " << corpus;
    fs::copy_file(corpus / "jww" / "016.jww", folder_ / L"外部足場計画図.jww");
    fs::copy_file(corpus / "jww" / "004.jww", folder_ / L"平面図.jww");
    fs::copy_file(Native(GLYPHGRAB_DESKTOP_EXE), app_ / L"glyphgrab.exe");
    settings_.rootFolder = U16(drawings_.wstring() + L"\\");
    settings_.preFolder = U16(drawings_.wstring());
    settings_.mainWindow = {0, 0, 900, 640};
  }
  void TearDown() override {
    if (process_.hProcess) {
      if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  // Starts the tool with `settings_` and waits for its main window and its start-up.
  void Start() {
    Launch();
    ASSERT_TRUE(WaitFor([&] { return TreeView_GetCount(Item(kIdTree)) > 0; })) << "the folder tree";
  }
  // Starts the tool and waits for its main window only.
  void Launch() {
    ASSERT_TRUE(SettingsSave(U16((app_ / L"glyphgrab.dat").wstring()), settings_));
    std::wstring cmd = L"\"" + (app_ / L"glyphgrab.exe").wstring() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, app_.c_str(), &si,
                               &process_));
    remote_ = std::make_unique<Remote>(process_.hProcess);
    ASSERT_TRUE(WaitFor([&] {
      main_ = FindWindowOf(L"Glyphgrab Ver.1.10");
      return main_ != nullptr && IsWindowVisible(main_);
    }, 60s)) << "the main window did not appear";
  }

  HWND FindWindowOf(const wchar_t* caption) const {
    struct Search {
      DWORD pid;
      const wchar_t* caption;
      HWND found;
    } search{process_.dwProcessId, caption, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          DWORD pid = 0;
          GetWindowThreadProcessId(hwnd, &pid);
          wchar_t text[256] = {};
          GetWindowTextW(hwnd, text, 256);
          if (pid == s->pid && std::wstring(text) == s->caption) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  HWND Item(int id) const { return GetDlgItem(main_, id); }

  std::wstring ListText(HWND list, int row, int column = 0) {
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = static_cast<int>(Remote::kText);
    item.pszText = reinterpret_cast<wchar_t*>(remote_->at(1024));
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote_->Put(item)));
    return remote_->Text(1024);
  }
  std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> texts;
    const int n = ListView_GetItemCount(list);
    for (int i = 0; i < n; ++i) texts.push_back(ListText(list, i));
    return texts;
  }
  void SelectRow(HWND list, int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote_->Put(item)));
  }
  POINT RowCentre(HWND list, int row) {
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT r{LVIR_LABEL, 0, 0, 0};
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote_->Put(r)));
    r = remote_->Get<RECT>();
    // Near the row's start: a long line's label reaches beyond the list.
    return {r.left + 12, (r.top + r.bottom) / 2};
  }
  // A click on a row with the mouse, as the user makes it (a double click when `twice`).
  void Click(HWND list, int row, bool twice = false) {
    POINT p = RowCentre(list, row);
    ClientToScreen(list, &p);
    // Above every other window, so the mouse finds it, whichever window is active.
    SetWindowPos(main_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetCursorPos(p.x, p.y);
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
      clicks[i].type = INPUT_MOUSE;
      clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(twice ? 4 : 2, clicks, sizeof(INPUT));
  }
  // A right click: the list's own press and release.
  void RightClick(HWND list, int row) {
    const POINT p = RowCentre(list, row);
    PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  std::wstring StatusText(HWND window = nullptr) {
    HWND bar = FindWindowExW(window ? window : main_, nullptr, STATUSCLASSNAMEW, nullptr);
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(remote_->at(1024)));
    return remote_->Text(1024);
  }

  // Selects the tree node whose text is `name` (the tool lists its folder).
  void ClickFolder(const std::wstring& name) {
    HWND tree = Item(kIdTree);
    std::vector<HTREEITEM> todo{TreeView_GetRoot(tree)};
    while (!todo.empty()) {
      HTREEITEM item = todo.back();
      todo.pop_back();
      if (!item) continue;
      TVITEMW tv{};
      tv.mask = TVIF_TEXT;
      tv.hItem = item;
      tv.cchTextMax = static_cast<int>(Remote::kText);
      tv.pszText = reinterpret_cast<wchar_t*>(remote_->at(1024));
      SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote_->Put(tv)));
      if (remote_->Text(1024) == name) {
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        return;
      }
      todo.push_back(TreeView_GetNextSibling(tree, item));
      todo.push_back(TreeView_GetChild(tree, item));
    }
    FAIL() << "no folder node " << fs::path(name).string();
  }

  // Lists the folder 住宅 and clicks `file`; returns what the extraction list shows.
  std::vector<std::wstring> OpenDrawing(const std::wstring& file) {
    ClickFolder(L"住宅");
    HWND files = Item(kIdFileList);
    int row = -1;
    EXPECT_TRUE(WaitFor([&] {
      const std::vector<std::wstring> names = ListTexts(files);
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == file) row = static_cast<int>(i);
      }
      return row >= 0;
    })) << "the file list";
    if (row < 0) return {};
    SelectRow(files, row);
    HWND lines = Item(kIdLines);
    std::vector<std::wstring> shown;
    EXPECT_TRUE(WaitFor([&] {
      if (ListView_GetItemCount(lines) == 0) return false;
      shown = ListTexts(lines);
      return true;
    })) << "the extraction list";
    return shown;
  }

  std::vector<std::wstring> CliExtract(const std::wstring& file) {
    return Lines(Capture(L"\"" + Native(GLYPHGRAB_CLI_EXE) + L"\" extract \"" + (folder_ / file).wstring() + L"\""));
  }

  fs::path root_, app_, drawings_, folder_;
  TSettings settings_;
  PROCESS_INFORMATION process_{};
  std::unique_ptr<Remote> remote_;
  HWND main_ = nullptr;
};

// The first line of `lines` that is a drawing's text: no file name, no section header.
int FirstText(const std::vector<std::wstring>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i][0] != L'【' && lines[i][0] != L'-') {
      return static_cast<int>(i);
    }
  }
  return -1;
}

TEST_F(DesktopWin32, ListsADrawingsLinesAsTheCliPrintsThemAndCopiesAClickedOne) {
  const std::vector<std::wstring> expected = CliExtract(L"外部足場計画図.jww");
  ASSERT_FALSE(expected.empty());
  Start();
  wchar_t caption[64] = {};
  GetWindowTextW(main_, caption, 64);
  EXPECT_EQ(std::wstring(caption), L"Glyphgrab Ver.1.10");

  const std::vector<std::wstring> shown = OpenDrawing(L"外部足場計画図.jww");
  EXPECT_EQ(shown, expected);

  const int row = FirstText(shown);
  ASSERT_GE(row, 0);
  Click(Item(kIdLines), row);
  EXPECT_TRUE(WaitFor([&] { return ClipboardText() == shown[static_cast<std::size_t>(row)]; }, 5s))
      << "clipboard: " << fs::path(ClipboardText()).string() << ", status: " << fs::path(StatusText()).string()
      << ", row " << row << ", current " << ListView_GetNextItem(Item(kIdLines), -1, LVNI_FOCUSED);
  const std::u16string copied = CopiedMessage(U16(shown[static_cast<std::size_t>(row)]));
  EXPECT_TRUE(WaitFor([&] { return U16(StatusText()) == copied; }));
}

TEST_F(DesktopWin32, DoubleClickPastesTheLineIntoTheTargetOnce) {
  const std::wstring title = L"glyphgrab desktop receiver " + std::to_wstring(GetCurrentProcessId());
  const fs::path log = root_ / L"receiver.log";
  std::wstring cmd = L"\"" + Native(GLYPHGRAB_KEY_RECEIVER) + L"\" \"" + title + L"\" \"" + log.wstring() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION receiver{};
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &receiver));
  const auto received = [&] {
    std::ifstream in(log);
    std::vector<std::wstring> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(FromUtf8(line));
    return lines;
  };
  EXPECT_TRUE(WaitFor([&] { return FindWindowW(nullptr, title.c_str()) != nullptr; }, 60s));
  settings_.activeProfile = TSend_jww{0.1, 0, U16(title), u"^V", false};
  settings_.sendProfiles[0] = settings_.activeProfile;
  Start();
  const std::vector<std::wstring> shown = OpenDrawing(L"平面図.jww");
  const int row = FirstText(shown);
  ASSERT_GE(row, 0);
  Click(Item(kIdLines), row, true);
  const std::wstring paste = L"paste " + shown[static_cast<std::size_t>(row)];
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<std::wstring> lines = received();
    return !lines.empty() && lines.back().rfind(L"up ", 0) == 0 && std::count(lines.begin(), lines.end(), paste) > 0;
  })) << "the receiver got no paste";
  std::this_thread::sleep_for(500ms);  // a second paste would come now
  const std::vector<std::wstring> lines = received();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), paste), 1);
  EXPECT_EQ(ClipboardText(), shown[static_cast<std::size_t>(row)]);
  if (HWND r = FindWindowW(nullptr, title.c_str())) PostMessageW(r, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(receiver.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(receiver.hProcess, 1);
  CloseHandle(receiver.hProcess);
  CloseHandle(receiver.hThread);
}

TEST_F(DesktopWin32, ClosingWritesTheSettingsAndTheMemoBesideTheProgram) {
  Start();
  const std::vector<std::wstring> shown = OpenDrawing(L"外部足場計画図.jww");
  const int row = FirstText(shown);
  ASSERT_GE(row, 0);
  // A right click adds the selected lines to the memo.
  SelectRow(Item(kIdLines), row);
  RightClick(Item(kIdLines), row);
  std::this_thread::sleep_for(300ms);
  PostMessageW(main_, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 20000), WAIT_OBJECT_0) << "the tool did not end";
  const TSettings saved = SettingsLoad(U16((app_ / L"glyphgrab.dat").wstring()));
  EXPECT_EQ(saved.preFolder, U16(folder_.wstring()));
  EXPECT_EQ(saved.rootFolder, settings_.rootFolder);
  std::ifstream memo(app_ / L"Memo.txt", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(memo)), std::istreambuf_iterator<char>());
  EXPECT_NE(FromUtf8(bytes).find(shown[static_cast<std::size_t>(row)]), std::wstring::npos)
      << "Memo.txt: " << bytes;
  EXPECT_FALSE(fs::exists(app_ / L"TEMP")) << "the empty temporary folder is removed";
}

// Once the window shows, a wider window widens the text list with the file list, and the
// settings keep the new width; the saved widths were the first ones shown.
TEST_F(DesktopWin32, AWiderWindowWidensTheTextListWithTheFileList) {
  settings_.treePaneWidth = 200;
  settings_.listWidth = 100;
  Start();
  const auto width = [&](int id) {
    RECT r{};
    GetWindowRect(Item(id), &r);
    return static_cast<int>(r.right - r.left);
  };
  const int tree = width(kIdTree), files = width(kIdFileList), lines = width(kIdLines);
  RECT frame{};
  GetWindowRect(main_, &frame);
  // 100 pixels more fit the test display's 1024.
  SetWindowPos(main_, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitFor([&] { return width(kIdLines) >= lines + 40; })) << width(kIdLines) << " from " << lines;
  EXPECT_GE(width(kIdFileList), files + 40);
  EXPECT_EQ(width(kIdTree), tree);
  PostMessageW(main_, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 20000), WAIT_OBJECT_0) << "the tool did not end";
  const TSettings saved = SettingsLoad(U16((app_ / L"glyphgrab.dat").wstring()));
  EXPECT_EQ(saved.treePaneWidth, 200);
  EXPECT_GE(saved.listWidth, 140);
}

TEST_F(DesktopWin32, SearchFindsAKeywordAndItsResultOpensTheDrawing) {
  const std::vector<std::wstring> expected = CliExtract(L"外部足場計画図.jww");
  const int row = FirstText(expected);
  ASSERT_GE(row, 0);
  const std::wstring keyword = expected[static_cast<std::size_t>(row)];
  Start();
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(kIdButtonT, BN_CLICKED), reinterpret_cast<LPARAM>(Item(kIdButtonT)));
  HWND search = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    search = FindWindowOf(L"検索");
    return search != nullptr && IsWindowVisible(search);
  })) << "the search window did not appear";
  SendMessageW(GetDlgItem(search, kIdSearchKeyword), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(keyword.c_str()));
  // JWW drawings, by their contents.
  const SearchOptions jwwContents{FileKindSet{FileKind::kJww}, false, true};
  for (std::size_t i = 0; i < ui::kSearchBoxes.size(); ++i) {
    const bool on = ui::kSearchBoxes[i].On(jwwContents);
    SendMessageW(GetDlgItem(search, kIdSearchCheck0 + static_cast<int>(i)), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED,
                 0);
  }
  PostMessageW(search, WM_COMMAND, MAKEWPARAM(kIdSearchStart, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(search, kIdSearchStart)));
  HWND results = GetDlgItem(search, kIdSearchResults);
  int found = -1;
  ASSERT_TRUE(WaitFor([&] {
    const std::vector<std::wstring> lines = ListTexts(results);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find(L"外部足場計画図.jww") != std::wstring::npos) found = static_cast<int>(i);
    }
    return found >= 0 && IsWindowEnabled(GetDlgItem(search, kIdSearchStart));
  })) << "no result names the drawing; status: " << fs::path(StatusText(search)).string() << ", "
         << ListView_GetItemCount(results) << " results";
  // A click on the result lists its folder in the main window and extracts the drawing.
  Click(results, found);
  HWND lines = Item(kIdLines);
  EXPECT_TRUE(WaitFor([&] { return ListTexts(lines) == expected; })) << "the main window's extraction list";
}

// Esc stops a running search, whatever control the search left the focus on: the
// status says so and the buttons come back, as on Linux.
TEST_F(DesktopWin32, EscStopsARunningSearch) {
  constexpr int kGroups = 40, kPerGroup = 100;
  for (int g = 0; g < kGroups; ++g) {
    for (int f = 0; f < kPerGroup; ++f) {
      const fs::path dir = drawings_ / (L"棟" + std::to_wstring(g)) / (L"階" + std::to_wstring(f));
      fs::create_directories(dir);
      std::ofstream(dir / L"memo.txt") << "nothing to find here\r\n";
    }
  }
  const unsigned nodes = 1 + 2 + kGroups * (1 + kPerGroup);
  Launch();
  ASSERT_TRUE(WaitFor([&] { return TreeView_GetCount(Item(kIdTree)) >= nodes; }, 60s)) << "the folder tree";
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(kIdButtonT, BN_CLICKED), reinterpret_cast<LPARAM>(Item(kIdButtonT)));
  HWND search = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    search = FindWindowOf(L"検索");
    return search != nullptr && IsWindowVisible(search);
  })) << "the search window did not appear";
  SendMessageW(GetDlgItem(search, kIdSearchKeyword), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"absent"));
  const SearchOptions textContents{FileKindSet{FileKind::kTxt}, false, true};
  for (std::size_t i = 0; i < ui::kSearchBoxes.size(); ++i) {
    const bool on = ui::kSearchBoxes[i].On(textContents);
    SendMessageW(GetDlgItem(search, kIdSearchCheck0 + static_cast<int>(i)), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED,
                 0);
  }
  HWND start = GetDlgItem(search, kIdSearchStart);
  SetForegroundWindow(search);
  PostMessageW(search, WM_COMMAND, MAKEWPARAM(kIdSearchStart, BN_CLICKED), reinterpret_cast<LPARAM>(start));
  ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(start); })) << "the search did not start";
  SetForegroundWindow(search);
  INPUT esc[2] = {};
  esc[0].type = esc[1].type = INPUT_KEYBOARD;
  esc[0].ki.wVk = esc[1].ki.wVk = VK_ESCAPE;
  esc[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &esc[0], sizeof(INPUT));
  std::this_thread::sleep_for(50ms);
  SendInput(1, &esc[1], sizeof(INPUT));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(start) != FALSE; }, 60s)) << "the search never ended";
  EXPECT_EQ(StatusText(search), L"《ESC:中断しました》");
}

TEST_F(DesktopWin32, WindowAnswersAtOnceWhileABigTreeIsScannedAndShown) {
  constexpr int kGroups = 30, kPerGroup = 100;  // 3,000 folders beside the drawings
  for (int g = 0; g < kGroups; ++g) {
    for (int f = 0; f < kPerGroup; ++f) {
      fs::create_directories(drawings_ / (L"棟" + std::to_wstring(g)) / (L"階" + std::to_wstring(f)));
    }
  }
  const unsigned nodes = 1 + 2 + kGroups * (1 + kPerGroup);  // the root, 住宅 and 足場, each 棟 and 階
  Launch();
  // A message the window must answer, every 10 ms, until the whole tree is shown.
  double slowest = 0;
  int probes = 0;
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < 60s) {
    const auto sent = std::chrono::steady_clock::now();
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result), 0) << "no answer in 10 s";
    const double took = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent).count();
    if (took > 100) {
      std::printf("  %.0f ms at %.0f ms, %u nodes\n", took,
                  std::chrono::duration<double, std::milli>(sent - start).count(), TreeView_GetCount(Item(kIdTree)));
    }
    slowest = std::max(slowest, took);
    ++probes;
    if (TreeView_GetCount(Item(kIdTree)) >= nodes) break;
    std::this_thread::sleep_for(10ms);
  }
  const double total = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%u folders shown after %.0f ms; %d probes, slowest answer %.1f ms\n", nodes, total, probes, slowest);
  EXPECT_EQ(TreeView_GetCount(Item(kIdTree)), nodes);
  // Under Wine the tree control still takes about half a second once the last of 3,000
  // expanded nodes is in (788 ms when it was filled in one piece); a hang shows here.
  EXPECT_LT(slowest, 2000) << "the window thread was held";
}

}  // namespace
}  // namespace glyphgrab::wingui

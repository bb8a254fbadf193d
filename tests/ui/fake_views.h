// Recording views for the windows' logic: every call a test may ask about is kept, the
// boxes answer as told, and posted tasks wait in a queue until the test runs them (the
// window thread is the test's thread).
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ui/main_view.h"
#include "ui/memo_view.h"
#include "ui/search_view.h"
#include "ui/settings_view.h"

namespace glyphgrab::testing {

struct Box {
  enum Kind { kMessage, kError, kRetry, kYesNo } kind;
  std::u16string text;
  bool operator==(const Box&) const = default;
};

template <class View>
class FakeWindow : public View {
 public:
  void SetStatus(std::u16string_view text) override { status = text; }
  void Beep() override { ++beeps; }
  void Message(std::u16string_view text) override { boxes.push_back({Box::kMessage, std::u16string(text)}); }
  void Error(std::u16string_view text) override { boxes.push_back({Box::kError, std::u16string(text)}); }
  bool AskRetry(std::u16string_view text) override {
    boxes.push_back({Box::kRetry, std::u16string(text)});
    if (onRetry) onRetry();
    return retryAnswers-- > 0;
  }
  void Post(std::function<void()> task) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      queue_.push_back(std::move(task));
    }
    posted_.notify_all();
    if (onPost) onPost();
  }
  // Called on the posting thread after each post: a test's way to act at a point of a
  // worker's run.
  std::function<void()> onPost;

  // Waits until at least `count` tasks are queued (or a few seconds went by).
  bool WaitForPosts(std::size_t count = 1) {
    std::unique_lock<std::mutex> lock(mutex_);
    return posted_.wait_for(lock, std::chrono::seconds(10), [&] { return queue_.size() >= count; });
  }
  std::size_t Queued() {
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
  }
  // Runs the queued tasks, and those they post, until the queue is empty.
  void RunPosted() {
    for (;;) {
      std::function<void()> task;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (queue_.empty()) return;
        task = std::move(queue_.front());
        queue_.pop_front();
      }
      task();
    }
  }
  // Runs posted tasks as they come until `done` holds.
  template <class Done>
  bool RunUntil(Done done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      RunPosted();
      if (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  std::u16string status;
  int beeps = 0;
  std::vector<Box> boxes;
  int retryAnswers = 0;  // how many retry questions are answered "retry"
  std::function<void()> onRetry;  // runs while a retry question is up

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> queue_;
};

class FakeMainView final : public FakeWindow<ui::MainView> {
 public:
  std::u16string StatusText() const override { return status; }
  void Enable(ui::MainControl control, bool on) override { enabled[control] = on; }
  void SetFolderLabel(std::u16string_view text) override { label = text; }
  void SetRootButtonText(std::u16string_view text) override { rootButton = text; }
  void FocusRootButton() override { focus = u"root button"; }
  void SetTreeVisible(bool visible) override { treeVisible = visible; }
  void ShowTree(const FolderTree& tree) override {
    treeNodes = tree.size();
    treeExpanded = false;
    selectedNode = -1;
  }
  void ExpandTree() override { treeExpanded = true; }
  void SelectNode(int index) override {
    selectedNode = index;
    focus = u"tree";
  }
  int SelectedNode() const override { return selectedNode; }
  int FilterIndex() const override { return filter; }
  void SetFilterIndex(int index) override { filter = index; }
  void ShowFileRows(const std::vector<FileListRow>& fileRows) override {
    rows.clear();
    for (const FileListRow& row : fileRows) rows.push_back(row.name);
    selectedRows.clear();
  }
  std::vector<int> SelectedFileRows() const override { return selectedRows; }
  void SelectFileRow(int row) override { selectedRows = {row}; }
  void ShowLines(const std::vector<std::u16string>& shownLines) override {
    lines = shownLines;
    ++linesShown;
    currentLine = -1;
    selectedLines.clear();
  }
  int CurrentLine() const override { return currentLine; }
  std::vector<int> SelectedLines() const override { return selectedLines; }
  void SetBusyCursor(bool busy) override { busyCursor = busy; }
  void ShowPreviewPane(bool visible) override { previewShown = visible; }
  void SetPreviewDrawing(std::shared_ptr<const RenderModel> drawing) override { preview = std::move(drawing); }
  void SetPreviewMark(const std::u16string& text) override { mark = text; }
  void SetPreviewNote(std::u16string_view text) override { previewNote = text; }
  void ApplyLayout(const TSettings& settings, const TPreviewSettings& previewSettings) override {
    appliedWindow = settings.mainWindow;
    previewShown = previewSettings.visible;
  }
  void StoreLayout(TSettings& settings, TPreviewSettings&) override { settings.mainWindow = storedWindow; }
  std::u16string ChooseFolder(std::u16string_view, std::u16string_view) override { return chosenFolder; }
  void ShowSettingsDialog() override { ++settingsDialogs; }
  bool IsShown() const override { return shown; }
  void StartKeySelectTimer(int milliseconds) override { keySelectTimer = milliseconds; }
  void StopKeySelectTimer() override { keySelectTimer = 0; }
  void StartMemoSaveTimer(int milliseconds) override { memoTimer = milliseconds; }
  void StopMemoSaveTimer() override { memoTimer = 0; }

  bool Enabled(ui::MainControl control) const {
    const auto it = enabled.find(control);
    return it == enabled.end() || it->second;  // controls start enabled
  }

  std::map<ui::MainControl, bool> enabled;
  std::u16string label, rootButton, focus, chosenFolder;
  bool treeVisible = true, treeExpanded = false;
  std::size_t treeNodes = 0;
  int selectedNode = -1;
  int filter = 0;
  std::vector<std::u16string> rows;
  std::vector<int> selectedRows;
  std::vector<std::u16string> lines;
  int linesShown = 0;
  int currentLine = -1;
  std::vector<int> selectedLines;
  bool busyCursor = false;
  bool previewShown = false;
  std::shared_ptr<const RenderModel> preview;
  std::u16string mark, previewNote;
  TWindowGeometry appliedWindow, storedWindow{10, 20, 700, 500};
  int settingsDialogs = 0;
  bool shown = true;
  int memoTimer = 0;
  int keySelectTimer = 0;  // running when not 0
};

class FakeSearchView final : public FakeWindow<ui::SearchView> {
 public:
  std::u16string Keyword() const override { return keyword; }
  void ShowHistory(const std::vector<std::u16string>& entries, std::u16string_view text) override {
    history = entries;
    keyword = text;
  }
  void ShowChecks(const SearchOptions& on) override { checks = on; }
  SearchOptions Checks() const override { return checks; }
  void Enable(ui::SearchControl control, bool on) override { enabled[control] = on; }
  void ClearResults() override { results.clear(); }
  void AddResult(std::u16string_view line) override { results.emplace_back(line); }
  int CurrentResult() const override { return currentResult; }
  void Place(const TWindowGeometry& g) override { placed = g; }
  TWindowGeometry Geometry() const override { return geometry; }
  // Every status text in turn, with the result lines shown when it came.
  void SetStatus(std::u16string_view text) override {
    FakeWindow::SetStatus(text);
    statuses.push_back({std::u16string(text), results});
  }

  struct Shown {
    std::u16string status;
    std::vector<std::u16string> results;
  };
  std::vector<Shown> statuses;
  std::u16string keyword;
  std::vector<std::u16string> history;
  SearchOptions checks = ui::kNoSearchBoxes;
  std::map<ui::SearchControl, bool> enabled;
  std::vector<std::u16string> results;
  int currentResult = -1;
  TWindowGeometry placed, geometry{5, 6, 300, 400};
};

class FakeMemoView final : public FakeWindow<ui::MemoView> {
 public:
  void SetEditText(std::u16string_view text) override { edit = text; }
  std::u16string EditText() const override { return edit; }
  std::u16string EditSelection() const override { return editSelection; }
  void FocusEdit() override { editFocused = true; }
  int Page() const override { return page; }
  void SetPage(int p) override { page = p; }
  void ShowSelectionLines(const std::vector<std::u16string>& shown) override {
    lines = shown;
    selected.clear();
    current = -1;
  }
  std::vector<int> SelectedLines() const override { return selected; }
  int CurrentLine() const override { return current; }
  bool AskYesNo(std::u16string_view text) override {
    boxes.push_back({Box::kYesNo, std::u16string(text)});
    return yes;
  }
  void Present() override {
    hidden = false;
    ++presented;
  }
  void Hide() override { hidden = true; }
  void Place(const TWindowGeometry& g) override { placed = g; }
  TWindowGeometry Geometry() const override { return placed; }

  std::u16string edit, editSelection;
  bool editFocused = false;
  int page = ui::kMemoEditPage;
  std::vector<std::u16string> lines;
  std::vector<int> selected;
  int current = -1;
  bool yes = true, hidden = false;
  int presented = 0;
  TWindowGeometry placed;
};

class FakeSettingsView final : public FakeWindow<ui::SettingsView> {
 public:
  void ShowOptions(const std::array<bool, ui::kExtractOptionCount>& on) override { options = on; }
  std::array<bool, ui::kExtractOptionCount> Options() const override { return options; }
  void SetProfileNumber(int number) override { profileNumber = number; }
  int ProfileNumber() const override { return profileNumber; }
  void SetTab(int t) override { tab = t; }
  void ShowProfile(const ui::ProfileFields& shown) override { fields = shown; }
  ui::ProfileFields Profile() const override { return fields; }
  void FocusWait() override { waitFocused = true; }
  void Accept() override { accepted = true; }
  void Reject() override { rejected = true; }

  std::array<bool, ui::kExtractOptionCount> options{};
  int profileNumber = -1, tab = -1;
  ui::ProfileFields fields;
  bool waitFocused = false, accepted = false, rejected = false;
};

}  // namespace glyphgrab::testing

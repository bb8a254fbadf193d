// The main window TForm1 in Win32: the folder label and button, the folder tree, the
// file-type filter and the buttons, the file list over the drawing preview, the
// extraction list and the status bar with the preview's switch. The panes are divided by
// splitters dragged with the mouse. What each event does is MainLogic's.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/app_files.h"
#include "gui/win32/frame_view.h"
#include "gui/win32/line_list.h"
#include "gui/win32/preview_pane.h"
#include "ui/desktop.h"
#include "ui/main_logic.h"
#include "ui/main_view.h"

namespace glyphgrab::wingui {

class MainWindow final : public FrameView<ui::MainView> {
 public:
  MainWindow(TAppFiles files, ui::Desktop desktop);
  ~MainWindow() override;

  // Creates the window and its controls, hidden; false when the system refused.
  bool Open();
  // Shows the window; its start-up runs then.
  void Show(int showCommand);

  ui::MainLogic& logic() { return *logic_; }
  // The settings dialog, shown modally by Button2 (set by the program).
  std::function<void()> showSettingsDialog;

  // ui::MainView
  std::u16string StatusText() const override { return TopWindow::StatusText(); }
  void Enable(ui::MainControl control, bool on) override;
  void SetFolderLabel(std::u16string_view text) override;
  void SetRootButtonText(std::u16string_view text) override;
  void FocusRootButton() override;
  void SetTreeVisible(bool visible) override;
  void ShowTree(const FolderTree& tree) override;
  void ExpandTree() override;
  void SelectNode(int index) override;
  int SelectedNode() const override;
  int FilterIndex() const override;
  void SetFilterIndex(int index) override;
  void ShowFileRows(const std::vector<FileListRow>& rows) override;
  std::vector<int> SelectedFileRows() const override;
  void SelectFileRow(int row) override;
  void ShowLines(const std::vector<std::u16string>& lines) override;
  int CurrentLine() const override;
  std::vector<int> SelectedLines() const override;
  void SetBusyCursor(bool busy) override;
  void ShowPreviewPane(bool visible) override;
  void SetPreviewDrawing(std::shared_ptr<const RenderModel> drawing) override;
  void SetPreviewMark(const std::u16string& text) override;
  void SetPreviewNote(std::u16string_view text) override;
  void ApplyLayout(const TSettings& settings, const TPreviewSettings& preview) override;
  void StoreLayout(TSettings& settings, TPreviewSettings& preview) override;
  std::u16string ChooseFolder(std::u16string_view title, std::u16string_view start) override;
  void ShowSettingsDialog() override;
  bool IsShown() const override { return IsWindowVisible(hwnd()) != FALSE; }
  void StartKeySelectTimer(int milliseconds) override;
  void StopKeySelectTimer() override;
  void StartMemoSaveTimer(int milliseconds) override;
  void StopMemoSaveTimer() override;

 protected:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Layout(int width, int height) override;

 private:
  enum class Splitter { kNone, kTree, kList, kPreview };
  void BuildControls();
  LRESULT Notify(const NMHDR& header, LPARAM lp);
  void Command(int id, int code);
  Splitter SplitterAt(POINT p) const;
  void ScheduleFileListClick();
  // Inserts tree nodes for about one timer tick's worth of time; the rest follow on
  // later ticks, so a tree of thousands of folders never holds the window thread.
  void FillTree();

  std::unique_ptr<ui::MainLogic> logic_;
  HWND label1_ = nullptr, buttonF_ = nullptr, tree_ = nullptr, filterLabel_ = nullptr, filter_ = nullptr;
  HWND button2_ = nullptr, button3_ = nullptr, buttonT_ = nullptr, buttonX_ = nullptr;
  HWND fileList_ = nullptr, buttonP_ = nullptr;
  LineList lines_;  // ListBox1
  PreviewPane preview_;
  HBRUSH white_ = CreateSolidBrush(RGB(255, 255, 255));

  std::vector<FileListRow> rows_;                 // what the file list shows
  std::vector<HTREEITEM> nodeItems_;
  std::vector<FolderNode> fillNodes_;  // the tree being shown
  std::size_t fillNext_ = 0;           // the first node not inserted yet
  bool expandAll_ = false;
  int pendingSelect_ = -1;             // a node selected before it was inserted
  std::wstring dispText_;                         // the file list's text while it draws it

  // Pane sizes in pixels at 96 DPI.
  int treeWidth_ = 200, listWidth_ = 100, previewHeight_ = 240;
  int paneTotal_ = 0;  // the panes' width at the last layout, 96-dpi pixels; 0 before showing
  bool previewShown_ = true;
  RECT treeGap_{}, listGap_{}, previewGap_{};
  Splitter dragging_ = Splitter::kNone;
  POINT dragFrom_{};
  int dragStartSize_ = 0;

  int rowWidth_ = 0;     // the button row's width: the window is never narrower
  int quiet_ = 0;        // events caused by the logic's own changes are not forwarded
  bool busy_ = false;    // the wait cursor
  bool clickPending_ = false;
  bool fileKeyPressed_ = false;  // the file list's next selection change comes from a key
  bool closing_ = false;
};

}  // namespace glyphgrab::wingui

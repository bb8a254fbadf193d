// The main window TForm1: folder tree, file-type filter, file list, extraction list.
// Start-up loads the settings and the memo and builds the tree; closing saves them.
#pragma once

#include <QMainWindow>
#include <QTimer>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "browse/app_files.h"
#include "browse/file_list.h"
#include "browse/file_list_info.h"
#include "browse/folder_tree.h"
#include "browse/preview_settings.h"
#include "browse/settings.h"
#include "extract/document_set.h"
#include "extract/extraction_list.h"
#include "gui/qt/desktop.h"
#include "memo/memo_file.h"
#include "memo/memo_text.h"
#include "render/render_model.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSplitter;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace glyphgrab::gui {

class SettingsDialog;
class DrawingPreview;

class MainWindow : public QMainWindow {
 public:
  MainWindow(TAppFiles files, Desktop desktop, QWidget* parent = nullptr);
  ~MainWindow() override;

  // A file or folder to open at start-up instead of the last folder (the command
  // line's); call before StartUp. A folder outside the tree becomes the tree's root.
  void OpenAtStartUp(std::u16string path) { startPath_ = std::move(path); }
  // Runs once, when the window is first shown (or earlier when a caller needs it).
  void StartUp();
  // Notices of a start-up run before the window is shown wait until it is on the screen.
  void NoticesAfterShow() { noticesAfterShow_ = true; }
  // Runs once, when the window closes (or when it is destroyed without closing).
  void Closing();
  // Closes the window with nobody to answer a box (a termination signal): a failed save
  // goes to stderr only, so the tool still ends.
  void CloseUnattended();
  // Writes the settings and the memo now, the window staying open: the session
  // manager's request before a logout. No box: the logout must not wait for one.
  void SaveState();

  // A file or folder handed over by a later start of the tool: opened like the command
  // line's path at start-up. While the folder tree is being scanned it waits for the end.
  void OpenPath(const std::u16string& path);

  // A root folder chosen with ButtonF: the tree is rebuilt, not expanded.
  void BrowseForFolderAccept(const std::u16string& folder);
  // The search window's request: open the folder of tree node `ind`, list it and
  // extract the file named like `fn` (letter case ignored).
  void FileSel(int ind, const std::u16string& fn);

  // True while the texts of the selected files are being read on a worker.
  bool ExtractionRunning() const { return !extractWorkers_.empty(); }
  // True while the folder scan runs on its worker thread.
  bool TreeScanRunning() const { return scanning_; }
  void RequestScanStop() { stopRequest_ = true; }

  TSettings& settings() { return settings_; }
  TMemoText& memo() { return memo_; }
  const TAppFiles& files() const { return files_; }
  const std::u16string& preFolder() const { return preFolder_; }
  const FolderTree& folderTree() const { return tree_; }
  const std::vector<FileListRow>& fileRows() const { return rows_; }
  QString statusText() const;
  SettingsDialog* settingsDialog() const { return form2_; }
  Desktop& desktop() { return desktop_; }
  // A message of another window for the main status bar.
  void ShowStatus(std::u16string_view text) { SetStatus(text); }

  // The controls, named as the tool has always named them; tests drive them.
  QLabel* Label1 = nullptr;
  QPushButton* ButtonF = nullptr;
  QTreeWidget* TreeView1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QPushButton* Button2 = nullptr;  // 設定
  QPushButton* Button3 = nullptr;  // メモ
  QPushButton* ButtonT = nullptr;  // 検索
  QPushButton* ButtonX = nullptr;  // 終了
  QPushButton* ButtonP = nullptr;  // 図面: shows or hides the preview
  QSplitter* PreviewSplitter = nullptr;
  DrawingPreview* Preview = nullptr;
  QTableWidget* ListView1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QSplitter* Splitter = nullptr;

  // Hooks for the memo and search windows, which live elsewhere.
  std::function<void()> showMemoWindow;
  std::function<void()> showSearchWindow;
  std::function<void()> memoChanged;  // lines were added to the memo
  // Called at closing before the settings are written: the other windows put their
  // geometry, options and history into settings().
  std::function<void()> collectSettings;

  // The events, callable directly.
  void TreeView1Click();
  void ComboBox1Select();
  void ListView1Click();
  void ListView1DblClick();
  void ListView1ColumnClick(int column);
  void Button2Click();
  void ButtonTClick();
  void ListBox1Click();
  void ListBox1DblClick();
  void ListBox1ContextPopup();
  void FileListMake(const std::u16string& folder);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void ApplySettings();
  // The root folder as the folder button's caption, or a hint to choose one.
  void ShowRootOnButton();
  void ApplyPaneWidths();
  void CollectSettings();
  void SetStatus(std::u16string_view text);
  void Message(std::u16string_view text);
  // A notice box (an error box when `error`), after the default beep when `beep`.
  void Notify(std::u16string_view text, bool beep, bool error);
  void FolderTreeMake(bool atStartUp);
  void ScanFinished(FolderTreeResult result, FolderTree tree, bool atStartUp);
  void FinishStartUp();
  void ShowRows();
  // Lists the current folder with the filter that fits `fn` and extracts that file.
  void ListAndExtract(const std::u16string& fn);
  void ShowExtraction();
  // Reads the texts of the named files of the current folder on a worker thread.
  void StartExtraction(std::vector<std::u16string> names);
  void ExtractionFinished(unsigned generation, const std::u16string& status, ExtractionList list,
                          std::shared_ptr<RenderModel> drawing);
  std::vector<std::u16string> SelectedNames() const;
  // Marks the extraction line `row` in the preview.
  void ShowInPreview(int row);
  void StopExtraction();
  void SelectNode(int index);
  int SelectedNode() const;
  void StopScan();
  // The current folder is set and exists; otherwise the notice and the status say which.
  bool CurrentFolderReady();
  bool StopRequested() const;
  enum class SaveMode { kBackground, kClosing, kUnattended };
  // Writes the memo when it changed. A failure goes to stderr and, once per run of
  // failures (and always at closing), to a box that offers to try again; never a box
  // when unattended.
  bool SaveMemo(SaveMode mode);

  TAppFiles files_;
  Desktop desktop_;
  TSettings settings_;
  TMemoText memo_;
  std::unique_ptr<TMemoStore> memoStore_;
  QTimer memoSaveTimer_;
  bool memoSaveFailing_ = false;
  bool unattended_ = false;
  std::u16string pendingOpen_;  // handed over during a folder scan
  static constexpr int kMemoSaveInterval = 1000;  // ms
  // Extraction runs, by generation; only the newest one's list is shown.
  std::map<unsigned, std::thread> extractWorkers_;
  std::shared_ptr<std::atomic<bool>> extractStop_;
  unsigned extractGeneration_ = 0;
  bool waitCursor_ = false;
  bool paneWidthsShown_ = false;
  struct PendingNotice {
    std::u16string text;
    bool beep, error;
  };
  bool noticesAfterShow_ = false;
  std::vector<PendingNotice> pendingNotices_;
  TPreviewSettings preview_;
  std::shared_ptr<RenderModel> previewModel_;
  TFileListDocs listDocs_;
  ExtractionList extraction_;
  FolderTree tree_;
  std::vector<FileListRow> rows_;
  FileListSort sort_;
  std::u16string preFolder_;
  std::u16string startPath_;
  std::u16string startFile_;
  std::vector<QTreeWidgetItem*> nodeItems_;
  SettingsDialog* form2_ = nullptr;

  std::thread scanThread_;
  std::atomic<bool> stopRequest_{false};
  bool scanning_ = false;
  bool started_ = false;
  bool closed_ = false;
};

}  // namespace glyphgrab::gui

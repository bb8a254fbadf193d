// The main window TForm1 without its toolkit: start-up loads the settings and the memo
// and scans the folder tree, the events list folders, extract, copy and send, closing
// saves. Long work runs on workers whose results come back through MainView::Post.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browse/app_files.h"
#include "browse/file_list.h"
#include "browse/file_list_info.h"
#include "browse/folder_tree.h"
#include "browse/preview_settings.h"
#include "browse/settings.h"
#include "browse/settings_store.h"
#include "extract/extraction_list.h"
#include "memo/memo_file.h"
#include "memo/memo_text.h"
#include "render/render_model.h"
#include "ui/desktop.h"
#include "ui/read_notes.h"
#include "ui/main_view.h"
#include "ui/window_job.h"

namespace glyphgrab::ui {

// The main window's fixed texts.
inline constexpr std::u16string_view kMainCaption = u"Glyphgrab Ver.1.10";
inline constexpr std::u16string_view kFolderLabel = u"参照フォルダ：";
inline constexpr std::u16string_view kFilterLabel = u"ファイルの種類：";
inline constexpr std::u16string_view kSettingsButton = u"設定(&S)";
inline constexpr std::u16string_view kMemoButton = u"メモ (&M)";
inline constexpr std::u16string_view kSearchButton = u"検索 (&T)";
inline constexpr std::u16string_view kExitButton = u"終了 (&X)";
inline constexpr std::u16string_view kPreviewButton = u"図面プレビュー (&P)";
inline constexpr std::array<std::u16string_view, kFileListColumns> kFileColumnTitles = {
    u"ファイル名", u"種類", u"図面メモ", u"更新日時", u"サイズ", u"Ver."};
inline constexpr int kDateColumn = 3;  // 更新日時
// The folder button's caption until a root folder is chosen.
inline constexpr std::u16string_view kChooseRootText = u"フォルダを選択…";
inline constexpr std::u16string_view kBrowseTitle = u"検索フォルダを指定して下さい";
inline constexpr std::u16string_view kTreeBusyText = u"フォルダ検索中です。（ESC:中断）";
inline constexpr std::u16string_view kTreeStoppedText = u"フォルダ検索を中断しました。";
inline constexpr std::u16string_view kNoRootText = u"検索フォルダを指定して下さい。";
inline constexpr std::u16string_view kRootMissingText = u"検索フォルダのディスクドライブの準備が出来ていません。";
// A root that exists but whose entries cannot be read (no permission): said, not shown
// as a folder without sub-folders.
inline constexpr std::u16string_view kRootUnreadableText = u"検索フォルダを読み込めません。";
inline constexpr std::u16string_view kCurrentFolderUnreadableText = u"参照フォルダを読み込めません。";
inline constexpr std::u16string_view kNoFolderText = u"参照フォルダを指定して下さい。";
inline constexpr std::u16string_view kCurrentFolderMissingText = u"参照フォルダが存在しません。";
inline constexpr std::u16string_view kFolderMissingText = u"参照フォルダが存在しません。再指定して下さい。";
inline constexpr std::u16string_view kNoFileText = u"ファイルを指示して下さい。";
// The status line after the missing-root box: which folder is gone, and what to do.
std::u16string RootMissingStatus(std::u16string_view root);
// What the box and the status line say of a folder whose entries cannot be read: the
// text above, the reason and the folder.
// What the box and the status line say when a double-clicked file could not be opened.
std::u16string OpenFailedText(std::u16string_view path, OpenOutcome outcome);
std::u16string FolderUnreadableText(std::u16string_view text, int error, std::u16string_view folder);
inline constexpr int kMemoSaveInterval = 1000;  // ms
// How long a selection made with the keys must stay before it is opened: holding an
// arrow key down must not start a read per row.
inline constexpr int kKeySelectDelay = 250;  // ms

// The panes whose keyboard selection opens what is selected.
enum class SelectPane { kTree, kFiles };

// The start-up notice of a tool folder that cannot be written: its settings and memo were
// read there, and are saved in `saveFolder`.
inline std::u16string ReadOnlyFolderNotice(std::u16string_view toolFolder, std::u16string_view saveFolder) {
  return u"「" + std::u16string(toolFolder) + u"」には書き込めないため、そこにある設定とメモを読み込み、以後は「" +
         std::u16string(saveFolder) + u"」に保存します。";
}

class MainLogic {
 public:
  MainLogic(MainView& view, TAppFiles files, Desktop desktop);
  // Ends the workers; runs Closing when the window did not.
  ~MainLogic();
  MainLogic(const MainLogic&) = delete;
  MainLogic& operator=(const MainLogic&) = delete;

  // A file or folder to open at start-up instead of the last folder (the command
  // line's); call before StartUp. A folder outside the tree becomes the tree's root.
  void OpenAtStartUp(std::u16string path) { startPath_ = std::move(path); }
  // Notices of a start-up run before the window is shown wait until it is on the screen.
  void NoticesAfterShow() { noticesAfterShow_ = true; }
  // Runs once: loads the settings and the memo and starts the folder scan.
  void StartUp();
  // The window came on the screen: runs StartUp if needed and shows waiting notices.
  void Shown();
  // Runs once, when the window closes: saves the settings, the preview's and the memo.
  void Closing();
  // A failed save at closing goes to stderr only (a termination signal: nobody answers).
  void SetUnattended() { unattended_ = true; }
  // Writes the settings and the memo now, the window staying open: the session
  // manager's request before a logout. No box: the logout must not wait for one.
  void SaveState();

  // A file or folder handed over by a later start of the tool: opened like the command
  // line's path at start-up. While the folder tree is being scanned it waits for the end.
  void OpenPath(const std::u16string& path);

  // The events.
  void ButtonFClick();  // asks for a root folder
  // A root folder chosen with ButtonF: the tree is rebuilt, not expanded.
  void BrowseForFolderAccept(const std::u16string& folder);
  void TreeView1Click();
  void ComboBox1Select();
  void ListView1Click();
  void ListView1DblClick();
  void ListView1ColumnClick(int column);
  void Button2Click();
  void Button3Click();
  void ButtonTClick();
  void ListBox1Click();
  void ListBox1DblClick();
  void ListBox1ContextPopup();
  // The selection of a pane moved by the keys (arrows, Home/End, Space): opened like a
  // click once it stays for kKeySelectDelay; a newer one restarts the wait.
  void SelectedByKey(SelectPane pane);
  // Enter in a pane: its selection is opened at once.
  void EnterPressed(SelectPane pane);
  // The timer of SelectedByKey ran out.
  void KeySelectTimer();
  // The current line moved: the preview marks its texts.
  void ListBox1Current(int row);
  void PreviewToggled(bool on);
  // Esc anywhere in the window stops what runs (the folder scan, the extraction, a send)
  // and keeps what it found. The search and memo windows stop theirs the same way; the
  // settings dialog cancels.
  void EscPressed();
  void MemoSaveTimer();

  // The search window's request: open the folder of tree node `ind` (or, when the tree
  // changed since, the folder that `fn` names), list it and extract the file named like
  // `fn` (letter case ignored).
  void FileSel(int ind, const std::u16string& fn);
  void FileListMake(const std::u16string& folder);

  // The current folder is set and exists; otherwise the status (and, when `notify`, a
  // box) says which with the given text for a missing folder.
  enum class FolderCheck { kQuiet, kNotify };
  bool CurrentFolderReady(FolderCheck how, std::u16string_view missingText);

  // True while the texts of the selected files are being read on a worker.
  bool ExtractionRunning() const { return extractJob_.Running(); }
  // True from the start of a folder scan until its result is taken on the window thread.
  bool TreeScanRunning() const { return scanning_; }
  // The extraction's job, for tests that follow its runs.
  WindowJob& extractionJob() { return extractJob_; }
  bool Started() const { return started_; }

  TSettings& settings() { return settings_; }
  TMemoText& memo() { return memo_; }
  const TAppFiles& files() const { return files_; }
  const std::u16string& preFolder() const { return preFolder_; }
  const FolderTree& folderTree() const { return tree_; }
  const std::vector<FileListRow>& fileRows() const { return rows_; }
  // The text list as shown, notes included.
  const TextLines& texts() const { return texts_; }
  const TPreviewSettings& preview() const { return preview_; }
  Desktop& desktop() { return desktop_; }
  // A message of another window for the main status bar.
  void ShowStatus(std::u16string_view text) { view_.SetStatus(text); }

  // Hooks for the memo and search windows, which live elsewhere.
  std::function<void()> showMemoWindow;
  std::function<void()> showSearchWindow;
  std::function<void()> memoChanged;  // lines were added to the memo
  // Called at closing before the settings are written: the other windows put their
  // geometry, options and history into settings().
  std::function<void()> collectSettings;

 private:
  void ShowRootOnButton();
  void ShowFolderLabel();
  // A notice box (an error box when `error`), after the default beep when `beep`.
  void Notify(std::u16string_view text, bool beep, bool error);
  // A notice of the start-up, on stderr too.
  void StartUpNotice(const std::u16string& text);
  void FolderTreeMake(bool atStartUp);
  void ScanFinished(FolderTreeResult result, FolderTree tree, bool atStartUp, int error);
  void FinishStartUp();
  void SelectNode(int index);
  // Lists the current folder with the filter that fits `fn` and extracts that file.
  void ListAndExtract(const std::u16string& fn);
  // Reads the texts of the named files of the current folder on a worker thread.
  void StartExtraction(std::vector<std::u16string> names);
  // What the preview pane shows: a drawing, a note on why it is missing or cut, or both.
  struct Preview {
    std::shared_ptr<RenderModel> drawing;
    std::u16string note;
  };
  void ExtractionFinished(TextLines texts, Preview shown);
  void ShowPreview(Preview shown);
  // The text of line `row`: null for a section header, a note or no line.
  const std::u16string* TextAt(int row) const;
  std::vector<std::u16string> SelectedNames() const;
  // The running extraction is told to stop and whatever it finds is dropped.
  void AbandonExtraction();
  // The selection the texts came from is gone (another folder, root or filter): the
  // text list and the preview are emptied at once and a late result is dropped.
  void DropTexts();
  void StoreSettings();
  enum class SaveMode { kBackground, kClosing, kUnattended };
  // Writes the memo when it changed. A failure goes to stderr and, once per run of
  // failures (and always at closing), to a box that offers to try again; never a box
  // when unattended.
  bool SaveMemo(SaveMode mode);
  // Writes the settings; a failure is said like the memo's.
  bool SaveSettings(SaveMode mode);

  MainView& view_;
  TAppFiles files_;
  Desktop desktop_;
  TSettings settings_;
  std::unique_ptr<TSettingsStore> settingsStore_;
  TMemoText memo_;
  std::unique_ptr<TMemoStore> memoStore_;
  bool memoSaveFailing_ = false;
  bool unattended_ = false;
  std::u16string pendingOpen_;  // handed over during a folder scan
  bool busyCursor_ = false;
  std::optional<SelectPane> keySelected_;  // waiting for KeySelectTimer
  std::u16string filterNotice_;  // a search result changed the filter: said once its texts come
  void OpenSelection(SelectPane pane);
  void CancelKeySelect(SelectPane pane);
  struct PendingNotice {
    std::u16string text;
    bool beep, error;
  };
  bool noticesAfterShow_ = false;
  std::vector<PendingNotice> pendingNotices_;
  TPreviewSettings preview_;
  std::shared_ptr<RenderModel> previewModel_;
  TDocumentSet listDocs_;
  TextLines texts_;
  FolderTree tree_;
  std::vector<FileListRow> rows_;
  FileListSort sort_;
  std::u16string preFolder_;
  std::u16string startPath_;
  std::u16string startFile_;

  bool scanning_ = false;
  bool started_ = false;
  bool closed_ = false;
  Poster post_;
  // The folder scan, and the extraction of the selected files with the preview of the
  // first drawing among them: one run of each at a time. The destructor closes them
  // before any member goes; what they post is dropped once they are closed.
  WindowJob scanJob_;
  WindowJob extractJob_;
  // What the desktop's opener says of a double-clicked file, possibly after closing.
  PostGate openReplies_{post_};
};

}  // namespace glyphgrab::ui

#include "ui/main_logic.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "browse/start_path.h"
#include "documents/document_set.h"
#include "extract/extract_driver.h"
#include "render/render_file.h"
#include "sendkeys/send.h"
#include "util/file_write.h"
#include "util/folder_listing.h"
#include "util/paths.h"
#include "util/strings.h"
#include "ui/read_notes.h"
#include "ui/window_rules.h"

namespace glyphgrab::ui {

MainLogic::MainLogic(MainView& view, TAppFiles files, Desktop desktop)
    : view_(view),
      files_(std::move(files)),
      desktop_(std::move(desktop)),
      post_(view),
      scanJob_(view, desktop_.esc),
      extractJob_(view, desktop_.esc) {}

MainLogic::~MainLogic() {
  openReplies_.Close();
  Closing();
  if (desktop_.sender) desktop_.sender->Release(post_);
}

void MainLogic::ShowRootOnButton() {
  view_.SetRootButtonText(LiteralCaption(settings_.rootFolder.empty() ? kChooseRootText
                                                                       : std::u16string_view(settings_.rootFolder)));
}

void MainLogic::ShowFolderLabel() { view_.SetFolderLabel(std::u16string(kFolderLabel) + preFolder_); }

std::u16string RootMissingStatus(std::u16string_view root) {
  return u"検索フォルダ「" + std::u16string(root) + u"」がありません。" + std::u16string(kNoRootText);
}

std::u16string OpenFailedText(std::u16string_view path, OpenOutcome outcome) {
  std::u16string why;
  switch (outcome) {
    case OpenOutcome::kNoApplication: why = u"この種類のファイルを開くプログラムが登録されていません。"; break;
    case OpenOutcome::kNotFound: why = u"ファイルが見つかりません（移動または削除されました）。"; break;
    case OpenOutcome::kFailed: why = u"開くプログラムがエラーを返しました。"; break;
    case OpenOutcome::kHandedOver: break;
  }
  return u"「" + std::u16string(path) + u"」を開けません。" + why;
}

std::u16string FolderUnreadableText(std::u16string_view text, int error, std::u16string_view folder) {
  return std::u16string(text) + ErrorReasonText(error) + u"（" + std::u16string(folder) + u"）";
}

void MainLogic::Notify(std::u16string_view text, bool beep, bool error) {
  if (noticesAfterShow_ && !view_.IsShown()) {
    // The start-up belongs to the window: its notices come once it is on the screen.
    pendingNotices_.push_back({std::u16string(text), beep, error});
    return;
  }
  if (beep) view_.Beep();
  if (error) {
    view_.Error(text);
  } else {
    view_.Message(text);
  }
}

void MainLogic::StartUpNotice(const std::u16string& text) {
  std::fprintf(stderr, "glyphgrab: %s\n", StrToUtf8(text).c_str());
  Notify(text, false, false);
}

void MainLogic::StartUp() {
  if (started_) return;
  started_ = true;
  // The temporary folder is the drawings' image folder; a failure to make it is ignored
  // since unpacking stays off.
  MakeFolder(files_.tempFolder);
  settingsStore_ = std::make_unique<TSettingsStore>(files_.settingsFile, files_.settingsSource);
  TSettingsStore::Loaded loaded = settingsStore_->Load();
  settings_ = std::move(loaded.settings);
  if (loaded.damaged) StartUpNotice(SettingsDamagedNotice(files_.settingsSource, loaded.backup));
  RemoveStaleTemporaries(files_.settingsFile);  // left by a run killed while saving
  preview_ = PreviewSettingsLoad(PreviewSettingsFile(files_.settingsFile));
  memoStore_ = std::make_unique<TMemoStore>(files_.memoFile, files_.memoSource);
  if (!files_.readOnlyFolder.empty()) StartUpNotice(ReadOnlyFolderNotice(files_.readOnlyFolder, files_.folder));
  const MemoLoaded memoLoaded = memoStore_->Load();
  memo_.SetText(memoLoaded.text);
  // Said now, not after the first edit: the memo shown is not all the file held.
  if (!memoLoaded.backup.empty()) {
    StartUpNotice(MemoBackupNotice(files_.memoFile, memoLoaded.backup));
  } else if (memoLoaded.state == MemoFileState::kUnreadable) {
    StartUpNotice(MemoUnreadableNotice(files_.memoFile, memoLoaded.error));
  }
  // Saved shortly after each change, so a kill or a lost display costs at most this much.
  view_.StartMemoSaveTimer(kMemoSaveInterval);
  view_.ApplyLayout(settings_, preview_);
  ShowRootOnButton();
  preFolder_ = settings_.preFolder;
  view_.SetFilterIndex(settings_.filterIndex >= 0 && settings_.filterIndex < static_cast<int>(kFileFilters.size())
                           ? settings_.filterIndex
                           : -1);
  if (!startPath_.empty()) {
    if (const std::optional<TStartPath> start =
            ResolveStartPath(startPath_, settings_.rootFolder, CurrentFolder())) {
      settings_.rootFolder = start->rootFolder;
      ShowRootOnButton();
      preFolder_ = start->folder;
      startFile_ = start->fileName;
    }
  }
  texts_ = {};
  view_.ShowLines({});
  FolderTreeMake(true);
}

void MainLogic::Shown() {
  StartUp();
  if (!pendingNotices_.empty()) {
    post_([this] {
      for (const PendingNotice& n : std::exchange(pendingNotices_, {})) Notify(n.text, n.beep, n.error);
    });
  }
}

void MainLogic::EscPressed() {
  // What was found so far stays: the scan's folders, the extraction's lines.
  if (scanning_) scanJob_.Stop();
  if (extractJob_.Running()) extractJob_.Stop();
  if (desktop_.sender) desktop_.sender->Stop();
}

void MainLogic::FolderTreeMake(bool atStartUp) {
  view_.SetStatus(kTreeBusyText);
  const std::u16string root = settings_.rootFolder;
  if (root.empty() || !IsFolder(root)) {
    if (!root.empty()) Notify(kRootMissingText, true, true);
    view_.SetStatus(root.empty() ? std::u16string(kNoRootText) : RootMissingStatus(root));
    if (atStartUp) FinishStartUp();
    return;
  }
  scanning_ = true;
  view_.SetTreeVisible(false);
  for (MainControl c : {MainControl::kTree, MainControl::kRootButton, MainControl::kFilter, MainControl::kSearchButton}) {
    view_.Enable(c, false);
  }
  scanJob_.Start([this, root, atStartUp](WindowJob::Context& job) {
    FolderTree tree;
    int error = 0;
    const FolderTreeResult result =
        glyphgrab::FolderTreeMake(root, tree, [&job] { return job.StopRequested(); }, &error);
    // The result comes back only while the job is not abandoned, so `this` still lives.
    job.Finish([this, result, tree = std::move(tree), atStartUp, error]() mutable {
      ScanFinished(result, std::move(tree), atStartUp, error);
    });
  });
}

void MainLogic::ScanFinished(FolderTreeResult result, FolderTree tree, bool atStartUp, int error) {
  if (closed_) return;
  scanning_ = false;
  if (!pendingOpen_.empty()) {
    // After this scan's own ending has run.
    post_([this] { OpenPath(std::exchange(pendingOpen_, {})); });
  }
  for (MainControl c : {MainControl::kRootButton, MainControl::kFilter, MainControl::kSearchButton}) {
    view_.Enable(c, true);
  }
  if (result == FolderTreeResult::RootUnreadable) {
    // The tree is left as it was.
    view_.Enable(MainControl::kTree, true);
    view_.SetTreeVisible(true);
    if (atStartUp) FinishStartUp();
    const std::u16string text = FolderUnreadableText(kRootUnreadableText, error, settings_.rootFolder);
    Notify(text, true, true);
    view_.SetStatus(text);
    return;
  }
  tree_ = std::move(tree);
  view_.ShowTree(tree_);
  view_.Enable(MainControl::kTree, true);
  view_.SetStatus(result == FolderTreeResult::Stopped ? kTreeStoppedText : std::u16string_view());
  view_.SetTreeVisible(true);
  if (atStartUp) {
    view_.ExpandTree();
    FinishStartUp();
  }
}

void MainLogic::FinishStartUp() {
  // A first start has no root: the folder button, which asks for one, takes the keys.
  if (settings_.rootFolder.empty()) view_.FocusRootButton();
  if (!preFolder_.empty()) SelectNode(tree_.FindFolder(preFolder_));
  ShowFolderLabel();
  if (startFile_.empty()) {
    FileListMake(preFolder_);
  } else {
    ListAndExtract(std::exchange(startFile_, {}));
  }
}

void MainLogic::SelectNode(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= tree_.size()) return;
  view_.SelectNode(index);
}

void MainLogic::OpenPath(const std::u16string& path) {
  if (closed_) return;
  if (!started_ || scanning_) {
    pendingOpen_ = path;  // a double click in a file manager must not be lost
    return;
  }
  const std::optional<TStartPath> start = ResolveStartPath(path, settings_.rootFolder, CurrentFolder());
  if (!start) return;
  preFolder_ = start->folder;
  startFile_ = start->fileName;
  if (start->rootFolder != settings_.rootFolder) {
    settings_.rootFolder = start->rootFolder;
    ShowRootOnButton();
    FolderTreeMake(true);  // like a start-up: the folder and file are opened once it ends
  } else {
    FinishStartUp();
  }
}

void MainLogic::ButtonFClick() {
  const std::u16string chosen = view_.ChooseFolder(kBrowseTitle, settings_.rootFolder);
  if (!chosen.empty()) BrowseForFolderAccept(chosen);
}

void MainLogic::BrowseForFolderAccept(const std::u16string& folder) {
  if (scanning_) return;
  settings_.rootFolder = AddTrailingDelim(folder);
  ShowRootOnButton();
  DropTexts();
  FolderTreeMake(false);
}

void MainLogic::TreeView1Click() {
  CancelKeySelect(SelectPane::kTree);  // this opens it already
  if (scanning_) return;
  if (settings_.rootFolder.empty() || !IsFolder(settings_.rootFolder)) {
    view_.Beep();
    view_.SetStatus(kNoRootText);
    return;
  }
  const int index = view_.SelectedNode();
  if (index < 0) return;
  preFolder_ = RemoveTrailingDelim(tree_.FolderTreePath(index));
  ShowFolderLabel();
  FileListMake(preFolder_);
}

void MainLogic::ComboBox1Select() {
  if (scanning_) return;
  FileListMake(preFolder_);
}

void MainLogic::FileListMake(const std::u16string& folder) {
  // The listed files change, so texts of an earlier selection must not stay up.
  DropTexts();
  const std::u16string before = view_.StatusText();
  view_.SetStatus(kFileListBusyText);
  rows_.clear();
  if (folder.empty() || !IsFolder(folder)) {
    // Nothing was searched: without a folder the earlier message (a stopped scan, a
    // missing root) stays; a folder that is gone is named instead of the progress text.
    view_.ShowFileRows(rows_);
    view_.SetStatus(folder.empty() ? std::u16string_view(before) : kCurrentFolderMissingText);
    return;
  }
  int error = 0;
  rows_ = glyphgrab::FileListMake(folder, FilterMask(view_.FilterIndex()), listDocs_, &error);
  view_.ShowFileRows(rows_);
  if (error == 0) {
    view_.SetStatus(FileListDoneText(rows_.size()));
    return;
  }
  const std::u16string text = FolderUnreadableText(kCurrentFolderUnreadableText, error, folder);
  view_.SetStatus(text);
  Notify(text, true, true);
}

void MainLogic::ListView1ColumnClick(int column) {
  sort_.ColumnClick(column, rows_);
  view_.ShowFileRows(rows_);
}

std::vector<std::u16string> MainLogic::SelectedNames() const {
  std::vector<std::u16string> names;
  for (int r : view_.SelectedFileRows()) {
    if (r >= 0 && static_cast<std::size_t>(r) < rows_.size()) names.push_back(rows_[static_cast<std::size_t>(r)].name);
  }
  return names;
}

bool MainLogic::CurrentFolderReady(FolderCheck how, std::u16string_view missingText) {
  const bool notify = how == FolderCheck::kNotify;
  if (RemoveBlanks(preFolder_).empty()) {
    if (notify) Notify(kNoFolderText, true, true);
    view_.SetStatus(kNoFolderText);
    return false;
  }
  if (!IsFolder(preFolder_)) {
    if (notify) Notify(missingText, false, true);
    view_.SetStatus(missingText);
    return false;
  }
  return true;
}

void MainLogic::ListView1Click() {
  CancelKeySelect(SelectPane::kFiles);  // this opens it already
  if (!CurrentFolderReady(FolderCheck::kQuiet, kFolderMissingText)) {
    // Nothing is read and the list stays as it is, but the click still replaces a
    // running extraction: its list must not appear after the message.
    AbandonExtraction();
    return;
  }
  StartExtraction(SelectedNames());
}

void MainLogic::AbandonExtraction() {
  extractJob_.Abandon();
  if (busyCursor_) {
    view_.SetBusyCursor(false);
    busyCursor_ = false;
  }
}

void MainLogic::DropTexts() {
  AbandonExtraction();
  filterNotice_.clear();
  texts_ = {};
  view_.ShowLines({});
  ShowPreview({});
}

void MainLogic::ShowPreview(Preview shown) {
  previewModel_ = std::move(shown.drawing);
  view_.SetPreviewDrawing(previewModel_);
  view_.SetPreviewNote(shown.note);
}

const std::u16string* MainLogic::TextAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= texts_.lines.size()) return nullptr;
  const std::size_t r = static_cast<std::size_t>(row);
  if (texts_.notes[r] || IsSectionHeader(texts_.lines[r])) return nullptr;
  return &texts_.lines[r];
}

void MainLogic::StartExtraction(std::vector<std::u16string> names) {
  if (!busyCursor_) {
    view_.SetBusyCursor(true);
    busyCursor_ = true;
  }
  // The newest selection wins: starting abandons a run still going.
  extractJob_.Start([this, folder = preFolder_, names = std::move(names), opt = settings_.optFlags,
                     imageFolder = files_.tempFolder, preview = preview_.visible](WindowJob::Context& job) {
    TDocumentSet docs(imageFolder);  // the run's own: the window's stay untouched
    ExtractionList list;
    std::vector<ExtractFileReport> reports;
    // The preview shows the first selected drawing or symbol, drawn from the document
    // the extraction has just read, or says why it cannot.
    Preview shown;
    DocumentSeen seen;
    if (preview) {
      seen = [&shown](const TDocumentSet& read, DocKind kind) {
        if (!shown.drawing) shown.drawing = std::make_shared<RenderModel>(RenderDocument(read, kind));
      };
    }
    glyphgrab::ListView1Click(folder, names, opt, docs, list, [&job] { return job.StopRequested(); }, &reports,
                              seen);
    if (preview) {
      const auto first = std::find_if(reports.begin(), reports.end(), [](const ExtractFileReport& r) {
        return ReadersOf(FileKindOf(FileExtLower(r.path))).count > 0;
      });
      if (first != reports.end()) {
        shown.note = ReadNote(*first);
        // A drawing seen after a first one that could not be read is not the preview's.
        if (first->outcome != ExtractFileReport::Outcome::kRead && first->outcome != ExtractFileReport::Outcome::kStopped) {
          shown.drawing.reset();
        }
      }
    }
    TextLines texts = WithReadNotes(list, reports, opt[kOptSort]);
    job.Finish([this, texts = std::move(texts), shown = std::move(shown)]() mutable {
      ExtractionFinished(std::move(texts), std::move(shown));
    });
  });
}

void MainLogic::ExtractionFinished(TextLines texts, Preview shown) {
  if (closed_) return;
  if (busyCursor_) {
    view_.SetBusyCursor(false);
    busyCursor_ = false;
  }
  texts_ = std::move(texts);
  view_.ShowLines(texts_.lines);
  view_.SetStatus(texts_.status.empty() ? std::exchange(filterNotice_, {}) : texts_.status);
  ShowPreview(std::move(shown));
}

void MainLogic::ListBox1Current(int row) {
  const std::u16string* line = TextAt(row);
  view_.SetPreviewMark(line ? *line : std::u16string());
}

void MainLogic::PreviewToggled(bool on) {
  preview_.visible = on;
  view_.ShowPreviewPane(on);
  // Drawn only when shown: a selection made while hidden is read again for it.
  if (on && !previewModel_ && !SelectedNames().empty()) StartExtraction(SelectedNames());
}

void MainLogic::ListView1DblClick() {
  if (!CurrentFolderReady(FolderCheck::kNotify, kCurrentFolderMissingText)) return;
  const std::vector<int> selected = view_.SelectedFileRows();
  const int first = selected.empty() ? -1 : selected.front();
  if (first < 0 || static_cast<std::size_t>(first) >= rows_.size()) {
    view_.Message(kNoFileText);
    view_.SetStatus(kNoFileText);
    return;
  }
  const std::u16string& name = rows_[static_cast<std::size_t>(first)].name;
  if (name.empty()) {
    view_.SetStatus(kNoFileText);
    return;
  }
  const std::u16string path = JoinPath(preFolder_, name);
  view_.SetStatus(u"ファイル「" + path + u"」");
  if (!desktop_.misc) return;
  desktop_.misc->Open(path, [gate = openReplies_, path, this](OpenOutcome outcome) {
    if (outcome == OpenOutcome::kHandedOver) return;
    // The gate drops it once the window is closing; `this` lives while it is open.
    gate([this, text = OpenFailedText(path, outcome)] {
      if (closed_) return;
      Notify(text, true, true);
      view_.SetStatus(text);
    });
  });
}

void MainLogic::SelectedByKey(SelectPane pane) {
  // A selection still waiting in the other pane is opened first: the user moved on.
  if (keySelected_ && *keySelected_ != pane) OpenSelection(*keySelected_);
  keySelected_ = pane;
  view_.StartKeySelectTimer(kKeySelectDelay);
}

void MainLogic::EnterPressed(SelectPane pane) { OpenSelection(pane); }

void MainLogic::KeySelectTimer() {
  if (keySelected_ && !closed_) OpenSelection(*keySelected_);
}

void MainLogic::CancelKeySelect(SelectPane pane) {
  if (keySelected_ != pane) return;
  keySelected_.reset();
  view_.StopKeySelectTimer();
}

void MainLogic::OpenSelection(SelectPane pane) {
  if (pane == SelectPane::kTree) {
    TreeView1Click();
  } else {
    ListView1Click();
  }
}

void MainLogic::Button2Click() { view_.ShowSettingsDialog(); }

void MainLogic::Button3Click() {
  if (showMemoWindow) showMemoWindow();
}

void MainLogic::ButtonTClick() {
  if (!CurrentFolderReady(FolderCheck::kNotify, kCurrentFolderMissingText)) return;
  if (showSearchWindow) showSearchWindow();
}

void MainLogic::ListBox1Click() {
  const std::u16string* line = TextAt(view_.CurrentLine());
  if (!line) return;
  if (!CopyText(desktop_, view_, *line)) return;
  view_.SetStatus(CopiedMessage(*line));
}

void MainLogic::ListBox1DblClick() {
  const TSend_jww& profile = settings_.activeProfile;
  const WindowId window = FindTargetOrNotify(desktop_, view_, profile);
  if (window == 0) return;
  const std::u16string* text = TextAt(view_.CurrentLine());
  if (!text) return;
  const std::u16string line = *text;
  SendToTarget(desktop_, post_, window, profile, line, CopiedMessage(line));
}

void MainLogic::ListBox1ContextPopup() {
  std::vector<std::u16string> lines;
  for (int r : view_.SelectedLines()) {
    // Notes are the window's words, not texts of a file.
    if (r >= 0 && static_cast<std::size_t>(r) < texts_.lines.size() && !texts_.notes[static_cast<std::size_t>(r)]) {
      lines.push_back(texts_.lines[static_cast<std::size_t>(r)]);
    }
  }
  const TMemoAddResult added = memo_.AddSelected(lines);
  if (!added.status.empty()) view_.SetStatus(added.status);
  if (memoChanged) memoChanged();
}

void MainLogic::FileSel(int ind, const std::u16string& fn) {
  if (!CurrentFolderReady(FolderCheck::kQuiet, kFolderMissingText)) return;
  if (scanning_) return;
  // The result line names its folder: a tree rebuilt since the search may give its
  // node index to another folder, so the path decides, through the tree's lookup.
  const std::u16string folder = fn.substr(0, fn.size() - FileBaseName(fn).size());
  if (!folder.empty() && StrUpper(tree_.FolderTreePath(ind)) != StrUpper(AddTrailingDelim(folder))) {
    ind = tree_.FindFolder(folder);
    if (ind < 0) {
      view_.SetStatus(u"フォルダ「" + RemoveTrailingDelim(folder) + u"」は現在のフォルダツリーにありません。");
      return;
    }
  }
  if (ind < 0 || static_cast<std::size_t>(ind) >= tree_.size()) return;
  SelectNode(ind);
  preFolder_ = RemoveTrailingDelim(tree_.FolderTreePath(ind));
  ShowFolderLabel();
  ListAndExtract(fn);
}

void MainLogic::ListAndExtract(const std::u16string& fn) {
  const std::u16string name = StrUpper(FileBaseName(fn));
  const int filter = FilterEntryFor(fn);
  const bool filterChanged = filter != view_.FilterIndex();
  view_.SetFilterIndex(filter);
  FileListMake(preFolder_);
  // Saved with the settings: told, or a later folder of other types lists no file and
  // nobody knows why.
  if (filterChanged && filter >= 0 && static_cast<std::size_t>(filter) < kFileFilters.size()) {
    filterNotice_ = u"ファイルの種類を「" + std::u16string(kFileFilters[static_cast<std::size_t>(filter)].text) +
                    u"」に切り替えました。";
    view_.SetStatus(filterNotice_);
  }
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    if (StrUpper(rows_[r].name) == name) {
      view_.SelectFileRow(static_cast<int>(r));
      ListView1Click();
      return;
    }
  }
}

void MainLogic::StoreSettings() {
  view_.StoreLayout(settings_, preview_);
  settings_.preFolder = preFolder_;
  settings_.filterIndex = view_.FilterIndex();
  if (collectSettings) collectSettings();
}

void MainLogic::Closing() {
  if (closed_) return;
  closed_ = true;
  if (keySelected_) CancelKeySelect(*keySelected_);
  // Closing waits for neither: an abandoned run ends within a frame or two.
  scanJob_.Close();
  extractJob_.Close();
  AbandonExtraction();
  if (!started_) return;  // nothing was loaded, so nothing may overwrite the saved state
  RemoveEmptyFolder(files_.tempFolder);
  StoreSettings();
  SaveSettings(unattended_ ? SaveMode::kUnattended : SaveMode::kClosing);
  PreviewSettingsSave(PreviewSettingsFile(files_.settingsFile), preview_);
  view_.StopMemoSaveTimer();
  SaveMemo(unattended_ ? SaveMode::kUnattended : SaveMode::kClosing);
}

void MainLogic::SaveState() {
  if (!started_ || closed_) return;
  StoreSettings();
  SaveSettings(SaveMode::kUnattended);
  SaveMemo(SaveMode::kUnattended);
}

bool MainLogic::SaveSettings(SaveMode mode) {
  for (;;) {
    const TSettingsStore::SaveResult saved = settingsStore_->Save(settings_);
    if (saved.merged) {
      settings_ = saved.saved;
      const std::u16string notice = SettingsMergedNotice(settingsStore_->path(), saved.otherKept);
      std::fprintf(stderr, "glyphgrab: %s\n", StrToUtf8(notice).c_str());
      if (mode != SaveMode::kUnattended) view_.Message(notice);
    }
    if (saved.ok) return true;
    const std::u16string why = SettingsSaveFailedMessage(files_.settingsFile, saved.error);
    std::fprintf(stderr, "glyphgrab: %s\n", StrToUtf8(why).c_str());
    if (mode == SaveMode::kUnattended || !view_.AskRetry(why)) return false;
  }
}

void MainLogic::MemoSaveTimer() {
  if (!closed_) SaveMemo(SaveMode::kBackground);
}

bool MainLogic::SaveMemo(SaveMode mode) {
  const bool closing = mode != SaveMode::kBackground;
  if (!memoStore_) return true;
  for (;;) {
    const TMemoStore::SaveResult saved = memoStore_->Save(memo_.Text());
    if (saved.mergedLines > 0 || !saved.otherKept.empty()) {
      if (saved.mergedLines > 0) {
        memo_.SetText(saved.merged);
        if (memoChanged) memoChanged();
      }
      const std::u16string notice = MemoMergedNotice(memoStore_->path(), saved.mergedLines, saved.otherKept);
      std::fprintf(stderr, "glyphgrab: %s\n", StrToUtf8(notice).c_str());
      if (mode != SaveMode::kUnattended) view_.SetStatus(notice);
    }
    if (saved.ok) {
      memoSaveFailing_ = false;
      if (!saved.backup.empty()) {
        const std::u16string notice = MemoBackupNotice(memoStore_->path(), saved.backup);
        std::fprintf(stderr, "glyphgrab: %s\n", StrToUtf8(notice).c_str());
        if (mode != SaveMode::kUnattended) view_.Message(notice);
      }
      return true;
    }
    const std::u16string why = MemoSaveFailedMessage(memoStore_->path(), saved.error);
    // Once per run of failures: a full disk must not bring a box up every few seconds.
    if (memoSaveFailing_ && !closing) return false;
    memoSaveFailing_ = true;
    std::fprintf(stderr, "glyphgrab: %s\n", StrToUtf8(why).c_str());
    if (mode == SaveMode::kUnattended) return false;
    if (!view_.AskRetry(why)) return false;
  }
}

}  // namespace glyphgrab::ui

#include "gui/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

#include "browse/preview_settings.h"
#include "browse/start_path.h"
#include "extract/extract_driver.h"
#include "gui/qt/drawing_preview.h"
#include "gui/qt/settings_dialog.h"
#include "memo/memo_file.h"
#include "render/render_file.h"
#include "sendkeys/send.h"
#include "util/file_write.h"
#include "util/folder_listing.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/values.h"

#include <cstdio>

namespace glyphgrab::gui {

namespace {

constexpr char16_t kCaption[] = u"Glyphgrab Ver.1.10";
constexpr char16_t kFolderLabel[] = u"参照フォルダ：";
constexpr char16_t kTreeBusyText[] = u"フォルダ検索中です。（ESC:中断）";
constexpr char16_t kTreeStoppedText[] = u"フォルダ検索を中断しました。";
constexpr char16_t kNoRootText[] = u"検索フォルダを指定して下さい。";
constexpr char16_t kRootMissingText[] = u"検索フォルダのディスクドライブの準備が出来ていません。";
// A root that exists but whose entries cannot be read (no permission): said, not shown
// as a folder without sub-folders.
constexpr char16_t kRootUnreadableText[] = u"検索フォルダを読み込めません。";
constexpr char16_t kCurrentFolderUnreadableText[] = u"参照フォルダを読み込めません。";
constexpr char16_t kBrowseTitle[] = u"変換後のファイルを保存するフォルダを指定して下さい";
constexpr char16_t kCurrentFolderMissingText[] = u"参照フォルダが存在しません。";
constexpr char16_t kNoFileText[] = u"ファイルを指示して下さい。";
constexpr int kDateColumn = 3;  // 更新日時
// The folder button's caption until a root folder is chosen.
constexpr char16_t kChooseRootText[] = u"フォルダを選択…";

// A click that ends a double click is not a click of its own: without this filter the
// release after a send would copy the line again and replace the send's status text.
class DoubleClickMarker final : public QObject {
 public:
  explicit DoubleClickMarker(QObject* parent) : QObject(parent) {}
  bool inDoubleClick = false;
  std::function<void()> onClick;  // a left click anywhere, rows or empty space

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) inDoubleClick = false;
    if (event->type() == QEvent::MouseButtonDblClick) inDoubleClick = true;
    if (event->type() == QEvent::MouseButtonRelease && onClick && !inDoubleClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      onClick();
    }
    return QObject::eventFilter(watched, event);
  }
};

// A right click adds the selected lines to the memo: the press must not first replace
// the selection with the line under the pointer.
class RightPressKeepsSelection final : public QObject {
 public:
  explicit RightPressKeepsSelection(QObject* parent) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

DoubleClickMarker* MarkDoubleClicks(QAbstractItemView* view) {
  auto* marker = new DoubleClickMarker(view);
  view->viewport()->installEventFilter(marker);
  return marker;
}

}  // namespace

MainWindow::MainWindow(TAppFiles files, Desktop desktop, QWidget* parent)
    : QMainWindow(parent), files_(std::move(files)), desktop_(std::move(desktop)) {
  BuildControls();
  form2_ = new SettingsDialog(settings_, desktop_, this);
}

MainWindow::~MainWindow() { Closing(); }

void MainWindow::BuildControls() {
  setWindowTitle(ToQ(kCaption));
  auto* central = new QWidget(this);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  Label1 = new QLabel(ToQ(kFolderLabel), central);
  Label1->setAutoFillBackground(true);
  QPalette white = Label1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Label1->setPalette(white);
  Label1->setContentsMargins(4, 2, 4, 2);
  outer->addWidget(Label1);

  Splitter = new QSplitter(Qt::Horizontal, central);
  outer->addWidget(Splitter, 1);

  auto* panel1 = new QWidget(Splitter);
  auto* left = new QVBoxLayout(panel1);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(0);
  ButtonF = new QPushButton(panel1);
  ButtonF->setAutoDefault(true);  // Enter opens the folder dialog when it has the focus
  ButtonF->setObjectName("ButtonF");
  // A long root folder must not widen the pane: the caption is cut instead.
  ButtonF->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  left->addWidget(ButtonF);
  TreeView1 = new QTreeWidget(panel1);
  TreeView1->setHeaderHidden(true);
  TreeView1->setSortingEnabled(false);
  left->addWidget(TreeView1, 1);
  // Hidden during a scan, the tree keeps its room, so the folder button stays at the top.
  QSizePolicy keepRoom = TreeView1->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  TreeView1->setSizePolicy(keepRoom);

  auto* panel2 = new QWidget(Splitter);
  auto* middle = new QVBoxLayout(panel2);
  middle->setContentsMargins(0, 0, 0, 0);
  middle->setSpacing(0);
  // The filter and the buttons run across the window above the panes: inside the
  // middle pane their width squeezed the side panes to a sliver on a first start.
  auto* panel3 = new QWidget(central);
  panel3->setFixedHeight(60);
  auto* top = new QHBoxLayout(panel3);
  top->addWidget(new QLabel(QStringLiteral("ファイルの種類："), panel3));
  ComboBox1 = new QComboBox(panel3);
  for (const FileFilterEntry& entry : kFileFilters) ComboBox1->addItem(ToQ(entry.text));
  // The drop-down shows the entries whole; the closed box may be narrower, so the
  // window fits small screens.
  ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  top->addWidget(ComboBox1);
  Button2 = new QPushButton(QStringLiteral("設定(&S)"), panel3);
  Button3 = new QPushButton(QStringLiteral("メモ (&M)"), panel3);
  ButtonT = new QPushButton(QStringLiteral("検索 (&T)"), panel3);
  ButtonX = new QPushButton(QStringLiteral("終了 (&X)"), panel3);
  for (QPushButton* b : {Button2, Button3, ButtonT, ButtonX}) {
    b->setAutoDefault(false);
    top->addWidget(b);
  }
  top->addStretch(1);
  outer->insertWidget(outer->indexOf(Splitter), panel3);

  ListView1 = new QTableWidget(0, kFileListColumns, panel2);
  ListView1->setHorizontalHeaderLabels({QStringLiteral("ファイル名"), QStringLiteral("種類"),
                                        QStringLiteral("図面メモ"), QStringLiteral("更新日時"),
                                        QStringLiteral("サイズ"), QStringLiteral("Ver.")});
  ListView1->verticalHeader()->hide();
  ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListView1->setShowGrid(true);
  ListView1->setWordWrap(false);
  ListView1->horizontalHeader()->setSectionsClickable(true);
  ListView1->horizontalHeader()->setHighlightSections(false);
  ListView1->verticalHeader()->setDefaultSectionSize(ListView1->fontMetrics().height() + 4);
  // The file list over the preview of the selected drawing.
  PreviewSplitter = new QSplitter(Qt::Vertical, panel2);
  PreviewSplitter->addWidget(ListView1);
  Preview = new DrawingPreview(PreviewSplitter);
  PreviewSplitter->addWidget(Preview);
  PreviewSplitter->setStretchFactor(0, 1);
  PreviewSplitter->setStretchFactor(1, 0);
  PreviewSplitter->setChildrenCollapsible(false);
  middle->addWidget(PreviewSplitter, 1);

  ListBox1 = new QListWidget(Splitter);
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Every line is one text row: uniform sizes spare the view from measuring each of
  // thousands of lines when a list is shown.
  ListBox1->setUniformItemSizes(true);
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);

  Splitter->addWidget(panel1);
  Splitter->addWidget(panel2);
  Splitter->addWidget(ListBox1);
  Splitter->setStretchFactor(0, 0);
  Splitter->setStretchFactor(1, 1);
  Splitter->setStretchFactor(2, 0);
  Splitter->setChildrenCollapsible(false);

  setCentralWidget(central);
  statusBar()->setSizeGripEnabled(true);
  // The preview's switch sits in the status bar: the button row is as wide as the
  // smallest screens allow already.
  ButtonP = new QPushButton(QStringLiteral("図面プレビュー (&P)"), this);
  ButtonP->setCheckable(true);
  ButtonP->setFlat(true);
  ButtonP->setAutoDefault(false);
  statusBar()->addPermanentWidget(ButtonP);

  connect(ButtonF, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getExistingDirectory(this, ToQ(kBrowseTitle),
                                                             ToQ(settings_.rootFolder));
    if (!chosen.isEmpty()) BrowseForFolderAccept(FromQ(chosen));
  });
  connect(TreeView1, &QTreeWidget::itemClicked, this, [this] { TreeView1Click(); });
  connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Select(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] {
    if (showMemoWindow) showMemoWindow();
  });
  connect(ButtonT, &QPushButton::clicked, this, [this] { ButtonTClick(); });
  connect(ButtonX, &QPushButton::clicked, this, [this] { close(); });

  // A click below the rows clears the selection and so empties the extraction list too.
  MarkDoubleClicks(ListView1)->onClick = [this] {
    QTimer::singleShot(0, this, [this] { ListView1Click(); });
  };
  connect(ListView1, &QTableWidget::doubleClicked, this, [this] { ListView1DblClick(); });
  connect(ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int column) { ListView1ColumnClick(column); });

  DoubleClickMarker* lineMarker = MarkDoubleClicks(ListBox1);
  connect(ListBox1, &QListWidget::clicked, this, [this, lineMarker] {
    if (!lineMarker->inDoubleClick) ListBox1Click();
  });
  connect(ListBox1, &QListWidget::doubleClicked, this, [this] { ListBox1DblClick(); });
  connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) { ShowInPreview(row); });
  connect(ButtonP, &QPushButton::toggled, this, [this](bool on) {
    preview_.visible = on;
    Preview->setVisible(on);
    if (on && !previewModel_ && !SelectedNames().empty()) StartExtraction(SelectedNames());  // drawn only when shown
  });
  connect(ListBox1, &QListWidget::customContextMenuRequested, this,
          [this] { ListBox1ContextPopup(); });
  ListBox1->viewport()->installEventFilter(new RightPressKeepsSelection(ListBox1));
  // Enter and Ctrl+C copy the current line, as a click does.
  for (const QKeySequence& keys : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(QKeySequence::Copy)}) {
    auto* copy = new QShortcut(keys, ListBox1);
    copy->setContext(Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, [this] { ListBox1Click(); });
  }

  // Esc stops a running folder scan wherever the focus is in the window.
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  esc->setContext(Qt::WindowShortcut);
  connect(esc, &QShortcut::activated, this, [this] {
    if (scanning_) stopRequest_ = true;
  });
}

QString MainWindow::statusText() const { return statusBar()->currentMessage(); }

void MainWindow::SetStatus(std::u16string_view text) {
  statusBar()->showMessage(ToQ(text));
  statusBar()->repaint();
}

void MainWindow::Message(std::u16string_view text) {
  if (desktop_.message) desktop_.message(this, ToQ(text));
}

void MainWindow::Notify(std::u16string_view text, bool beep, bool error) {
  if (noticesAfterShow_ && !isVisible()) {
    // The start-up belongs to the window: its notices come once it is on the screen.
    pendingNotices_.push_back({std::u16string(text), beep, error});
    return;
  }
  if (beep) desktop_.beep();
  const auto& box = error && desktop_.error ? desktop_.error : desktop_.message;
  if (box) box(this, ToQ(text));
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  StartUp();
  if (!pendingNotices_.empty()) {
    QTimer::singleShot(0, this, [this] {
      for (const PendingNotice& n : std::exchange(pendingNotices_, {})) Notify(n.text, n.beep, n.error);
    });
  }
  // The splitter knows its width only once the window is shown (the start-up may have
  // run before): the saved widths are applied again then, once.
  if (!paneWidthsShown_) {
    paneWidthsShown_ = true;
    ApplyPaneWidths();
  }
}

void MainWindow::ApplyPaneWidths() {
  // Lay the window out first, so the splitter knows the width it divides.
  layout()->activate();
  centralWidget()->layout()->activate();
  const int tree = std::max(settings_.treePaneWidth, 1), list = std::max(settings_.listWidth, 1);
  // The side panes keep their widths: a window too narrow for them and the middle
  // pane's own minimum grows (as far as the screen allows) rather than squeeze them.
  const int handles = 2 * Splitter->handleWidth();
  const int middleMin = Splitter->widget(1)->minimumSizeHint().width();
  const int shortBy = tree + list + middleMin + handles - Splitter->width();
  if (shortBy > 0) {
    PlaceOnScreen(this, x(), y(), width() + shortBy, height());
    layout()->activate();
    centralWidget()->layout()->activate();
  }
  const int middle = std::max(1, Splitter->width() - tree - list - handles);
  Splitter->setSizes({tree, middle, list});
}

void MainWindow::closeEvent(QCloseEvent* event) {
  Closing();
  event->accept();
}

void MainWindow::StartUp() {
  if (started_) return;
  started_ = true;
  // The temporary folder is the drawings' image folder; a failure to make it is ignored
  // since unpacking stays off.
  MakeFolder(files_.tempFolder);
  settings_ = SettingsLoad(files_.settingsSource);
  RemoveStaleTemporaries(files_.settingsFile);  // left by a run killed while saving
  preview_ = PreviewSettingsLoad(PreviewSettingsFile(files_.settingsFile));
  {
    const QSignalBlocker quiet(ButtonP);
    ButtonP->setChecked(preview_.visible);
  }
  Preview->setVisible(preview_.visible);
  PreviewSplitter->setSizes({std::max(1, height() - preview_.height), preview_.height});
    memoStore_ = std::make_unique<TMemoStore>(files_.memoFile);
  memo_.SetText(memoStore_->Load().text);
  // Saved shortly after each change, so a kill or a lost display costs at most this much.
  connect(&memoSaveTimer_, &QTimer::timeout, this, [this] { SaveMemo(SaveMode::kBackground); });
  memoSaveTimer_.start(kMemoSaveInterval);
  ApplySettings();
  if (!startPath_.empty()) {
    if (const std::optional<TStartPath> start =
            ResolveStartPath(startPath_, settings_.rootFolder, CurrentFolder())) {
      settings_.rootFolder = start->rootFolder;
      ShowRootOnButton();
      preFolder_ = start->folder;
      startFile_ = start->fileName;
    }
  }
  extraction_.Clear();
  ListBox1->clear();
  FolderTreeMake(true);
}

void MainWindow::ShowRootOnButton() {
  ButtonF->setText(settings_.rootFolder.empty() ? ToQ(kChooseRootText) : ToQ(settings_.rootFolder));
}

void MainWindow::ApplySettings() {
  const TSettings& s = settings_;
  PlaceOnScreen(this, s.mainWindow.left, s.mainWindow.top, s.mainWindow.width, s.mainWindow.height);
  ApplyPaneWidths();
  ShowRootOnButton();
  preFolder_ = s.preFolder;
  ComboBox1->setCurrentIndex(s.filterIndex >= 0 && s.filterIndex < ComboBox1->count()
                                 ? s.filterIndex
                                 : -1);
  for (int c = 0; c < kFileListColumnCount; ++c) {
    ListView1->setColumnWidth(c, s.columnWidths[static_cast<std::size_t>(c)]);
  }
  // The default width cuts a date and time short: until the user sets one, the column
  // is as wide as a date and time.
  if (s.columnWidths[kDateColumn] == TSettings{}.columnWidths[kDateColumn]) {
    const int dateWidth = ListView1->fontMetrics().horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")) + 16;
    ListView1->setColumnWidth(kDateColumn, std::max(ListView1->columnWidth(kDateColumn), dateWidth));
  }
  MoveOnScreen(form2_, s.settingsDialogLeft, s.settingsDialogTop);
}

void MainWindow::CollectSettings() {
  TSettings& s = settings_;
  s.mainWindow = {x(), y(), width(), height()};
  const QList<int> sizes = Splitter->sizes();
  if (sizes.size() == 3) {
    s.treePaneWidth = sizes[0];
    s.listWidth = sizes[2];
  }
  s.preFolder = preFolder_;
  s.filterIndex = ComboBox1->currentIndex();
  for (int c = 0; c < kFileListColumnCount; ++c) s.columnWidths[static_cast<std::size_t>(c)] = ListView1->columnWidth(c);
  s.settingsDialogLeft = form2_->x();
  s.settingsDialogTop = form2_->y();
}

bool MainWindow::StopRequested() const {
  return stopRequest_.load() || (desktop_.esc && desktop_.esc->IsEscDown());
}

void MainWindow::StopScan() {
  if (!scanThread_.joinable()) return;
  stopRequest_ = true;
  scanThread_.join();
}

void MainWindow::FolderTreeMake(bool atStartUp) {
  SetStatus(kTreeBusyText);
  const std::u16string root = settings_.rootFolder;
  if (root.empty() || !IsFolder(root)) {
    if (!root.empty()) Notify(kRootMissingText, true, true);
    SetStatus(kNoRootText);
    if (atStartUp) FinishStartUp();
    return;
  }
  StopScan();
  stopRequest_ = false;
  scanning_ = true;
  TreeView1->hide();
  TreeView1->setEnabled(false);
  for (QWidget* w : std::initializer_list<QWidget*>{ButtonF, ComboBox1, ButtonT}) w->setEnabled(false);

  scanThread_ = std::thread([this, root, atStartUp] {
    FolderTree tree;
    const FolderTreeResult result =
        glyphgrab::FolderTreeMake(root, tree, [this] { return StopRequested(); });
    QMetaObject::invokeMethod(
        this, [this, result, tree = std::move(tree), atStartUp]() mutable {
          ScanFinished(result, std::move(tree), atStartUp);
        },
        Qt::QueuedConnection);
  });
}

void MainWindow::ScanFinished(FolderTreeResult result, FolderTree tree, bool atStartUp) {
  if (closed_) return;
  if (scanThread_.joinable()) scanThread_.join();
  scanning_ = false;
  if (!pendingOpen_.empty()) {
    // After this scan's own ending has run.
    QTimer::singleShot(0, this, [this] { OpenPath(std::exchange(pendingOpen_, {})); });
  }
  for (QWidget* w : std::initializer_list<QWidget*>{ButtonF, ComboBox1, ButtonT}) w->setEnabled(true);
  if (result == FolderTreeResult::RootUnreadable) {
    // The tree is left as it was.
    TreeView1->setEnabled(true);
    TreeView1->show();
    if (atStartUp) FinishStartUp();
    SetStatus(kRootUnreadableText);
    return;
  }

  tree_ = std::move(tree);
  TreeView1->clear();
  nodeItems_.assign(tree_.size(), nullptr);
  for (std::size_t i = 0; i < tree_.size(); ++i) {
    const FolderNode& node = tree_.node(i);
    QTreeWidgetItem* item = node.parent < 0
                                ? new QTreeWidgetItem(TreeView1)
                                : new QTreeWidgetItem(nodeItems_[static_cast<std::size_t>(node.parent)]);
    item->setText(0, ToQ(node.text));
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    nodeItems_[i] = item;
  }
  TreeView1->setEnabled(true);
  if (result == FolderTreeResult::Stopped) {
    SetStatus(kTreeStoppedText);
  } else {
    statusBar()->clearMessage();
  }
  TreeView1->show();
  if (atStartUp) {
    TreeView1->expandAll();
    FinishStartUp();
  }
}

void MainWindow::FinishStartUp() {
  // A first start has no root: the folder button, which asks for one, takes the keys.
  if (settings_.rootFolder.empty()) ButtonF->setFocus();
  if (!preFolder_.empty()) SelectNode(tree_.FindFolder(preFolder_));
  Label1->setText(ToQ(kFolderLabel) + ToQ(preFolder_));
  if (startFile_.empty()) {
    FileListMake(preFolder_);
  } else {
    ListAndExtract(std::exchange(startFile_, {}));
  }
}

void MainWindow::SelectNode(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= nodeItems_.size()) return;
  TreeView1->setCurrentItem(nodeItems_[static_cast<std::size_t>(index)]);
  TreeView1->setFocus();
}

int MainWindow::SelectedNode() const {
  QTreeWidgetItem* item = TreeView1->currentItem();
  return item == nullptr ? -1 : item->data(0, Qt::UserRole).toInt();
}

void MainWindow::OpenPath(const std::u16string& path) {
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

void MainWindow::BrowseForFolderAccept(const std::u16string& folder) {
  if (scanning_) return;
  settings_.rootFolder = AddTrailingDelim(folder);
  ShowRootOnButton();
  FolderTreeMake(false);
}

void MainWindow::TreeView1Click() {
  if (scanning_) return;
  if (settings_.rootFolder.empty() || !IsFolder(settings_.rootFolder)) {
    desktop_.beep();
    SetStatus(kNoRootText);
    return;
  }
  const int index = SelectedNode();
  if (index < 0) return;
  preFolder_ = RemoveTrailingDelim(tree_.FolderTreePath(index));
  Label1->setText(ToQ(kFolderLabel) + ToQ(preFolder_));
  FileListMake(preFolder_);
}

void MainWindow::ComboBox1Select() {
  if (scanning_) return;
  FileListMake(preFolder_);
}

void MainWindow::FileListMake(const std::u16string& folder) {
  const QString before = statusText();
  SetStatus(kFileListBusyText);
  rows_.clear();
  if (folder.empty() || !IsFolder(folder)) {
    // Nothing was searched: without a folder the earlier message (a stopped scan, a
    // missing root) stays; a folder that is gone is named instead of the progress text.
    ShowRows();
    if (folder.empty()) {
      SetStatus(FromQ(before));
    } else {
      SetStatus(kCurrentFolderMissingText);
    }
    return;
  }
  int error = 0;
  rows_ = glyphgrab::FileListMake(folder, FilterMask(ComboBox1->currentIndex()), listDocs_, &error);
  ShowRows();
  SetStatus(error != 0 ? std::u16string(kCurrentFolderUnreadableText) : FileListDoneText(rows_.size()));
}

void MainWindow::ShowRows() {
  ListView1->clearSelection();
  ListView1->setRowCount(static_cast<int>(rows_.size()));
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    for (int c = 0; c < kFileListColumns; ++c) {
      auto* item = new QTableWidgetItem(ToQ(rows_[static_cast<std::size_t>(r)].Column(c)));
      item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      if (c == kSizeColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      ListView1->setItem(r, c, item);
    }
  }
}

void MainWindow::ListView1ColumnClick(int column) {
  sort_.ColumnClick(column, rows_);
  ShowRows();
}

void MainWindow::ListView1Click() { StartExtraction(SelectedNames()); }

void MainWindow::StartExtraction(std::vector<std::u16string> names) {
  // The newest selection wins: a run still going is told to stop and its list dropped.
  if (extractStop_) *extractStop_ = true;
  auto stop = std::make_shared<std::atomic<bool>>(false);
  extractStop_ = stop;
  const unsigned generation = ++extractGeneration_;
  if (!waitCursor_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    waitCursor_ = true;
  }
  EscKeyState* esc = desktop_.esc.get();
  extractWorkers_.emplace(
      generation,
      std::thread([this, generation, stop, esc, folder = preFolder_, names = std::move(names),
                   opt = settings_.optFlags, imageFolder = files_.tempFolder, preview = preview_.visible] {
        TDocumentSet docs(imageFolder);  // the worker's own: the window's stay untouched
        ExtractionList list;
        const std::u16string status = glyphgrab::ListView1Click(
            folder, names, opt, docs, list, [stop, esc] { return *stop || (esc && esc->IsEscDown()); });
        // The preview shows the first selected drawing or symbol.
        std::shared_ptr<RenderModel> drawing;
        for (const std::u16string& name : names) {
          if (!preview || *stop) break;
          RenderFileResult r = RenderFile(JoinPath(folder, name));
          if (r.outcome == RenderFileResult::Outcome::kRead || r.outcome == RenderFileResult::Outcome::kStopped) {
            drawing = std::make_shared<RenderModel>(std::move(r.model));
            break;
          }
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation, status, list = std::move(list), drawing]() mutable {
              ExtractionFinished(generation, status, std::move(list), std::move(drawing));
            },
            Qt::QueuedConnection);
      }));
}

void MainWindow::ExtractionFinished(unsigned generation, const std::u16string& status, ExtractionList list,
                                    std::shared_ptr<RenderModel> drawing) {
  if (auto it = extractWorkers_.find(generation); it != extractWorkers_.end()) {
    it->second.join();
    extractWorkers_.erase(it);
  }
  if (generation != extractGeneration_ || closed_) return;  // replaced by a newer selection
  extractStop_.reset();
  if (waitCursor_) {
    QApplication::restoreOverrideCursor();
    waitCursor_ = false;
  }
  if (!status.empty()) {
    SetStatus(status);
    return;
  }
  extraction_ = std::move(list);
  ShowExtraction();
  statusBar()->clearMessage();
  previewModel_ = std::move(drawing);
  Preview->SetModel(previewModel_);
}

std::vector<std::u16string> MainWindow::SelectedNames() const {
  std::vector<int> selected;
  for (const QModelIndex& index : ListView1->selectionModel()->selectedRows()) selected.push_back(index.row());
  std::sort(selected.begin(), selected.end());
  std::vector<std::u16string> names;
  for (int r : selected) {
    if (r >= 0 && static_cast<std::size_t>(r) < rows_.size()) names.push_back(rows_[static_cast<std::size_t>(r)].name);
  }
  return names;
}

void MainWindow::ShowInPreview(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= extraction_.size()) {
    Preview->SetMark({});
    return;
  }
  const std::u16string& line = extraction_.lines()[static_cast<std::size_t>(row)];
  Preview->SetMark(IsSectionHeader(line) ? std::u16string() : line);
}

void MainWindow::StopExtraction() {
  if (extractStop_) *extractStop_ = true;
  for (auto& [generation, worker] : extractWorkers_) {
    (void)generation;
    worker.join();
  }
  extractWorkers_.clear();
  extractStop_.reset();
  if (waitCursor_) {
    QApplication::restoreOverrideCursor();
    waitCursor_ = false;
  }
}

void MainWindow::ShowExtraction() {
  ListBox1->clear();
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(extraction_.size()));
  for (const std::u16string& line : extraction_.lines()) lines.push_back(ToQ(line));
  ListBox1->addItems(lines);
}

bool MainWindow::CurrentFolderReady() {
  if (RemoveBlanks(preFolder_).empty()) {
    Notify(kNoFolderText, true, true);
    SetStatus(kNoFolderText);
    return false;
  }
  if (!IsFolder(preFolder_)) {
    Notify(kCurrentFolderMissingText, false, true);
    SetStatus(kCurrentFolderMissingText);
    return false;
  }
  return true;
}

void MainWindow::ListView1DblClick() {
  if (!CurrentFolderReady()) return;
  int first = -1;
  for (const QModelIndex& index : ListView1->selectionModel()->selectedRows()) {
    if (first < 0 || index.row() < first) first = index.row();
  }
  if (first < 0 || static_cast<std::size_t>(first) >= rows_.size()) {
    Message(kNoFileText);
    SetStatus(kNoFileText);
    return;
  }
  const std::u16string& name = rows_[static_cast<std::size_t>(first)].name;
  if (name.empty()) {
    SetStatus(kNoFileText);
    return;
  }
  const std::u16string path = JoinPath(preFolder_, name);
  if (desktop_.misc) desktop_.misc->Open(path);
  SetStatus(u"ファイル「" + path + u"」");
}

void MainWindow::Button2Click() { form2_->exec(); }

void MainWindow::ButtonTClick() {
  if (!CurrentFolderReady()) return;
  if (showSearchWindow) showSearchWindow();
}

void MainWindow::ListBox1Click() {
  const int row = ListBox1->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= extraction_.size()) return;
  const std::u16string& line = extraction_.lines()[static_cast<std::size_t>(row)];
  if (IsSectionHeader(line)) return;
  if (!desktop_.clipboard->SetText(line)) {
    Message(kClipboardBusyText);
    return;
  }
  SetStatus(CopiedMessage(line));
}

void MainWindow::ListBox1DblClick() {
  const TSend_jww& profile = settings_.activeProfile;
  const WindowId window = FindTargetOrNotify(desktop_, this, profile, [this](std::u16string_view text) { SetStatus(text); });
  if (window == 0) return;
  const int row = ListBox1->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= extraction_.size()) return;
  const std::u16string line = extraction_.lines()[static_cast<std::size_t>(row)];
  if (IsSectionHeader(line)) return;
  SendToTarget(desktop_, this, window, profile, line, CopiedMessage(line),
               [this](std::u16string_view text) { SetStatus(text); });
}

void MainWindow::ListBox1ContextPopup() {
  std::vector<int> rows;
  for (const QModelIndex& index : ListBox1->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  std::vector<std::u16string> lines;
  for (int r : rows) {
    if (r >= 0 && static_cast<std::size_t>(r) < extraction_.size()) {
      lines.push_back(extraction_.lines()[static_cast<std::size_t>(r)]);
    }
  }
  const TMemoAddResult added = memo_.AddSelected(lines);
  if (!added.status.empty()) SetStatus(added.status);
  if (memoChanged) memoChanged();
}

void MainWindow::FileSel(int ind, const std::u16string& fn) {
  if (RemoveBlanks(preFolder_).empty()) {
    SetStatus(kNoFolderText);
    return;
  }
  if (!IsFolder(preFolder_)) {
    SetStatus(kFolderMissingText);
    return;
  }
  if (scanning_) return;
  // The result line names its folder: a tree rebuilt since the search may give its
  // node index to another folder, so the path decides, through the tree's lookup.
  const std::u16string folder = fn.substr(0, fn.size() - FileBaseName(fn).size());
  if (!folder.empty() && StrUpper(tree_.FolderTreePath(ind)) != StrUpper(AddTrailingDelim(folder))) {
    ind = tree_.FindFolder(folder);
    if (ind < 0) {
      SetStatus(u"フォルダ「" + RemoveTrailingDelim(folder) + u"」は現在のフォルダツリーにありません。");
      return;
    }
  }
  if (ind < 0 || static_cast<std::size_t>(ind) >= tree_.size()) return;
  SelectNode(ind);
  preFolder_ = RemoveTrailingDelim(tree_.FolderTreePath(ind));
  Label1->setText(ToQ(kFolderLabel) + ToQ(preFolder_));

  ListAndExtract(fn);
}

void MainWindow::ListAndExtract(const std::u16string& fn) {
  const std::u16string name = StrUpper(FileBaseName(fn));
  ComboBox1->setCurrentIndex(FilterEntryFor(fn));
  FileListMake(preFolder_);

  for (std::size_t r = 0; r < rows_.size(); ++r) {
    if (StrUpper(rows_[r].name) == name) {
      ListView1->clearSelection();
      ListView1->selectRow(static_cast<int>(r));
      ListView1Click();
      return;
    }
  }
}

void MainWindow::Closing() {
  if (closed_) return;
  closed_ = true;
  StopScan();
  StopExtraction();
  if (!started_) return;  // nothing was loaded, so nothing may overwrite the saved state
  RemoveEmptyFolder(files_.tempFolder);
  CollectSettings();
  if (collectSettings) collectSettings();
  SettingsSave(files_.settingsFile, settings_);
  if (Preview->isVisible()) preview_.height = PreviewSplitter->sizes().value(1, preview_.height);
  PreviewSettingsSave(PreviewSettingsFile(files_.settingsFile), preview_);
  memoSaveTimer_.stop();
  SaveMemo(unattended_ ? SaveMode::kUnattended : SaveMode::kClosing);
}

void MainWindow::CloseUnattended() {
  unattended_ = true;
  close();
}

void MainWindow::SaveState() {
  if (!started_ || closed_) return;
  CollectSettings();
  if (collectSettings) collectSettings();
  SettingsSave(files_.settingsFile, settings_);
  SaveMemo(SaveMode::kUnattended);
}

bool MainWindow::SaveMemo(SaveMode mode) {
  const bool closing = mode != SaveMode::kBackground;
  if (!memoStore_) return true;
  for (;;) {
    const TMemoStore::SaveResult saved = memoStore_->Save(memo_.Text());
    if (saved.ok) {
      memoSaveFailing_ = false;
      if (!saved.backup.empty()) {
        const std::u16string notice = MemoBackupNotice(memoStore_->path(), saved.backup);
        std::fprintf(stderr, "glyphgrab: %s\n", StrToUtf8(notice).c_str());
        if (mode != SaveMode::kUnattended) desktop_.message(this, ToQ(notice));
      }
      return true;
    }
    const std::u16string why = MemoSaveFailedMessage(memoStore_->path(), saved.error);
    // Once per run of failures: a full disk must not bring a box up every few seconds.
    if (memoSaveFailing_ && !closing) return false;
    memoSaveFailing_ = true;
    std::fprintf(stderr, "glyphgrab: %s\n", StrToUtf8(why).c_str());
    if (mode == SaveMode::kUnattended) return false;
    if (!desktop_.askRetry || !desktop_.askRetry(this, ToQ(why))) return false;
  }
}

}  // namespace glyphgrab::gui

#include "gui/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
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
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "gui/qt/drawing_preview.h"
#include "gui/qt/settings_dialog.h"
#include "ui/pane_widths.h"
#include "ui/window_rules.h"

namespace glyphgrab::gui {

namespace {

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

// The keys of a pane that opens what is selected: Enter opens at once; a key that moves
// the selection (arrows, Home/End, pages, Space) tells the logic once the view has moved.
class SelectionKeys final : public QObject {
 public:
  SelectionKeys(QAbstractItemView* view, std::function<void()> enter, std::function<void()> moved)
      : QObject(view), view_(view), enter_(std::move(enter)), moved_(std::move(moved)) {
    view->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // A table's Home and End go to the row's first and last cell; in a list of files
    // they go to the first and last file, as they do in a file manager.
    if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) && key->modifiers() == Qt::NoModifier &&
        qobject_cast<QTableView*>(view_)) {
      const int rows = view_->model()->rowCount();
      if (rows > 0) {
        const QModelIndexList before = view_->selectionModel()->selectedIndexes();
        const QModelIndex to = view_->model()->index(key->key() == Qt::Key_Home ? 0 : rows - 1, 0);
        view_->selectionModel()->setCurrentIndex(to, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view_->scrollTo(to);
        if (view_->selectionModel()->selectedIndexes() != before) moved_();
      }
      return true;
    }
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        enter_();
        return true;
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_Space: {
        // The view handles the key here, so that only a moved selection counts and the
        // logic hears of it before the next key.
        const QModelIndexList before = view_->selectionModel()->selectedIndexes();
        watched->event(event);
        if (view_->selectionModel()->selectedIndexes() != before) moved_();
        return true;
      }
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QAbstractItemView* view_;
  std::function<void()> enter_, moved_;
};

// A line cut by the list's width shows whole in a tooltip.
class CutTextTips final : public QObject {
 public:
  explicit CutTextTips(QListWidget* list) : QObject(list), list_(list) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QListWidgetItem* item = list_->itemAt(help->pos());
    const QRect shown = item ? list_->visualItemRect(item) : QRect();
    if (item && ui::LineIsCut(list_->fontMetrics().horizontalAdvance(item->text()), shown.left(),
                              list_->viewport()->width())) {
      QToolTip::showText(help->globalPos(), item->text(), list_->viewport(), shown);
    } else {
      QToolTip::hideText();
    }
    return true;
  }

 private:
  QListWidget* list_;
};

DoubleClickMarker* MarkDoubleClicks(QAbstractItemView* view) {
  auto* marker = new DoubleClickMarker(view);
  view->viewport()->installEventFilter(marker);
  return marker;
}

}  // namespace

MainWindow::MainWindow(TAppFiles files, ui::Desktop desktop, QtBoxes boxes, QWidget* parent)
    : QMainWindow(parent), boxes_(std::move(boxes)) {
  BuildControls();
  BindView(this, statusBar(), &boxes_, true);
  logic_ = std::make_unique<ui::MainLogic>(*this, std::move(files), std::move(desktop));
  form2_ = new SettingsDialog(logic_->settings(), boxes_, this);
  connect(&memoSaveTimer_, &QTimer::timeout, this, [this] { logic_->MemoSaveTimer(); });
}

MainWindow::~MainWindow() {
  logic_->Closing();
  logic_.reset();
}

void MainWindow::BuildControls() {
  setWindowTitle(ToQ(ui::kMainCaption));
  auto* central = new QWidget(this);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  Label1 = new QLabel(ToQ(ui::kFolderLabel), central);
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
  top->addWidget(new QLabel(ToQ(ui::kFilterLabel), panel3));
  ComboBox1 = new QComboBox(panel3);
  for (const FileFilterEntry& entry : kFileFilters) ComboBox1->addItem(ToQ(entry.text));
  // The drop-down shows the entries whole; the closed box may be narrower, so the
  // window fits small screens.
  ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  top->addWidget(ComboBox1);
  Button2 = new QPushButton(ToQ(ui::kSettingsButton), panel3);
  Button3 = new QPushButton(ToQ(ui::kMemoButton), panel3);
  ButtonT = new QPushButton(ToQ(ui::kSearchButton), panel3);
  ButtonX = new QPushButton(ToQ(ui::kExitButton), panel3);
  for (QPushButton* b : {Button2, Button3, ButtonT, ButtonX}) {
    b->setAutoDefault(false);
    top->addWidget(b);
  }
  top->addStretch(1);
  outer->insertWidget(outer->indexOf(Splitter), panel3);

  ListView1 = new QTableWidget(0, kFileListColumns, panel2);
  QStringList titles;
  for (std::u16string_view title : ui::kFileColumnTitles) titles.push_back(ToQ(title));
  ListView1->setHorizontalHeaderLabels(titles);
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
  // A window made wider gives the text list its share of the room, not the file list
  // alone: texts cut at a first start's narrow list show whole once there is room.
  Splitter->installEventFilter(this);
  connect(Splitter, &QSplitter::splitterMoved, this, [this] { paneSizes_ = Splitter->sizes(); });
  Splitter->setChildrenCollapsible(false);

  setCentralWidget(central);
  statusBar()->setSizeGripEnabled(true);
  // The preview's switch sits in the status bar: the button row is as wide as the
  // smallest screens allow already.
  ButtonP = new QPushButton(ToQ(ui::kPreviewButton), this);
  ButtonP->setCheckable(true);
  ButtonP->setFlat(true);
  ButtonP->setAutoDefault(false);
  statusBar()->addPermanentWidget(ButtonP);

  connect(ButtonF, &QPushButton::clicked, this, [this] { logic_->ButtonFClick(); });
  new SelectionKeys(
      TreeView1, [this] { logic_->EnterPressed(ui::SelectPane::kTree); },
      [this] { logic_->SelectedByKey(ui::SelectPane::kTree); });
  new SelectionKeys(
      ListView1, [this] { logic_->EnterPressed(ui::SelectPane::kFiles); },
      [this] { logic_->SelectedByKey(ui::SelectPane::kFiles); });
  keySelectTimer_.setSingleShot(true);
  connect(&keySelectTimer_, &QTimer::timeout, this, [this] { logic_->KeySelectTimer(); });
  // Tab goes from pane to pane, never from cell to cell.
  ListView1->setTabKeyNavigation(false);
  QWidget::setTabOrder(ButtonF, TreeView1);
  QWidget::setTabOrder(TreeView1, ListView1);
  QWidget::setTabOrder(ListView1, ListBox1);
  QWidget::setTabOrder(ListBox1, ComboBox1);
  QWidget::setTabOrder(ComboBox1, Button2);
  QWidget::setTabOrder(Button2, Button3);
  QWidget::setTabOrder(Button3, ButtonT);
  QWidget::setTabOrder(ButtonT, ButtonX);
  QWidget::setTabOrder(ButtonX, ButtonP);
  connect(TreeView1, &QTreeWidget::itemClicked, this, [this] { logic_->TreeView1Click(); });
  connect(ComboBox1, &QComboBox::activated, this, [this] { logic_->ComboBox1Select(); });
  connect(Button2, &QPushButton::clicked, this, [this] { logic_->Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { logic_->Button3Click(); });
  connect(ButtonT, &QPushButton::clicked, this, [this] { logic_->ButtonTClick(); });
  connect(ButtonX, &QPushButton::clicked, this, [this] { close(); });

  // A click below the rows clears the selection and so empties the extraction list too.
  MarkDoubleClicks(ListView1)->onClick = [this] {
    QTimer::singleShot(0, this, [this] { logic_->ListView1Click(); });
  };
  connect(ListView1, &QTableWidget::doubleClicked, this, [this] { logic_->ListView1DblClick(); });
  connect(ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int column) { logic_->ListView1ColumnClick(column); });

  DoubleClickMarker* lineMarker = MarkDoubleClicks(ListBox1);
  connect(ListBox1, &QListWidget::clicked, this, [this, lineMarker] {
    if (!lineMarker->inDoubleClick) logic_->ListBox1Click();
  });
  connect(ListBox1, &QListWidget::doubleClicked, this, [this] { logic_->ListBox1DblClick(); });
  connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) { logic_->ListBox1Current(row); });
  connect(ButtonP, &QPushButton::toggled, this, [this](bool on) { logic_->PreviewToggled(on); });
  connect(ListBox1, &QListWidget::customContextMenuRequested, this,
          [this] { logic_->ListBox1ContextPopup(); });
  ListBox1->viewport()->installEventFilter(new RightPressKeepsSelection(ListBox1));
  ListBox1->viewport()->installEventFilter(new CutTextTips(ListBox1));
  // Enter and Ctrl+C copy the current line, as a click does.
  for (const QKeySequence& keys : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(QKeySequence::Copy)}) {
    auto* copy = new QShortcut(keys, ListBox1);
    copy->setContext(Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, [this] { logic_->ListBox1Click(); });
  }

  // Esc stops a running folder scan wherever the focus is in the window.
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  esc->setContext(Qt::WindowShortcut);
  connect(esc, &QShortcut::activated, this, [this] { logic_->EscPressed(); });
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  logic_->Shown();
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
  const TSettings& s = logic_->settings();
  const int handles = 2 * Splitter->handleWidth();
  const int filesMin = std::max(ui::kMinFilePane, Splitter->widget(1)->minimumSizeHint().width());
  const ui::PaneWidths w =
      ui::FitPaneWidths(s.treePaneWidth, s.listWidth, Splitter->width() - handles, filesMin, ui::kMinSidePane);
  Splitter->setSizes({w.tree, w.files, w.texts});
  paneSizes_ = Splitter->sizes();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Splitter && event->type() == QEvent::Resize && paneWidthsShown_ && paneSizes_.size() == 3) {
    // After the splitter's own share-out, which gives the file list nearly all.
    QTimer::singleShot(0, this, [this] {
      const int total = Splitter->width() - 2 * Splitter->handleWidth();
      const ui::PaneWidths w = ui::SharePaneWidths({paneSizes_[0], paneSizes_[1], paneSizes_[2]}, total, 20);
      Splitter->setSizes({w.tree, w.files, w.texts});
      paneSizes_ = Splitter->sizes();
    });
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  closed_ = true;
  logic_->Closing();
  event->accept();
}

void MainWindow::CloseUnattended() {
  logic_->SetUnattended();
  close();
}

void MainWindow::Enable(ui::MainControl control, bool on) {
  switch (control) {
    case ui::MainControl::kRootButton: ButtonF->setEnabled(on); break;
    case ui::MainControl::kTree: TreeView1->setEnabled(on); break;
    case ui::MainControl::kFilter: ComboBox1->setEnabled(on); break;
    case ui::MainControl::kSearchButton: ButtonT->setEnabled(on); break;
  }
}

void MainWindow::SetFolderLabel(std::u16string_view text) { Label1->setText(ToQ(text)); }

void MainWindow::SetRootButtonText(std::u16string_view text) { ButtonF->setText(ToQ(text)); }

void MainWindow::FocusRootButton() { ButtonF->setFocus(); }

void MainWindow::SetTreeVisible(bool visible) { TreeView1->setVisible(visible); }

void MainWindow::ShowTree(const FolderTree& tree) {
  TreeView1->clear();
  nodeItems_.assign(tree.size(), nullptr);
  for (std::size_t i = 0; i < tree.size(); ++i) {
    const FolderNode& node = tree.node(i);
    QTreeWidgetItem* item = node.parent < 0
                                ? new QTreeWidgetItem(TreeView1)
                                : new QTreeWidgetItem(nodeItems_[static_cast<std::size_t>(node.parent)]);
    item->setText(0, ToQ(node.text));
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    nodeItems_[i] = item;
  }
}

void MainWindow::ExpandTree() { TreeView1->expandAll(); }

void MainWindow::SelectNode(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= nodeItems_.size()) return;
  TreeView1->setCurrentItem(nodeItems_[static_cast<std::size_t>(index)]);
  TreeView1->setFocus();
}

int MainWindow::SelectedNode() const {
  QTreeWidgetItem* item = TreeView1->currentItem();
  return item == nullptr ? -1 : item->data(0, Qt::UserRole).toInt();
}

int MainWindow::FilterIndex() const { return ComboBox1->currentIndex(); }

void MainWindow::SetFilterIndex(int index) { ComboBox1->setCurrentIndex(index); }

void MainWindow::ShowFileRows(const std::vector<FileListRow>& rows) {
  ListView1->clearSelection();
  ListView1->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < kFileListColumns; ++c) {
      auto* item = new QTableWidgetItem(ToQ(rows[static_cast<std::size_t>(r)].Column(c)));
      item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      if (c == kSizeColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      ListView1->setItem(r, c, item);
    }
  }
}

std::vector<int> MainWindow::SelectedFileRows() const {
  std::vector<int> selected;
  for (const QModelIndex& index : ListView1->selectionModel()->selectedRows()) selected.push_back(index.row());
  std::sort(selected.begin(), selected.end());
  return selected;
}

void MainWindow::SelectFileRow(int row) {
  ListView1->clearSelection();
  ListView1->selectRow(row);
}

void MainWindow::ShowLines(const std::vector<std::u16string>& lines) {
  ListBox1->clear();
  QStringList items;
  items.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::u16string& line : lines) items.push_back(ToQ(line));
  ListBox1->addItems(items);
}

int MainWindow::CurrentLine() const { return ListBox1->currentRow(); }

std::vector<int> MainWindow::SelectedLines() const {
  std::vector<int> rows;
  for (const QModelIndex& index : ListBox1->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void MainWindow::SetBusyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::ShowPreviewPane(bool visible) { Preview->setVisible(visible); }

void MainWindow::SetPreviewDrawing(std::shared_ptr<const RenderModel> drawing) { Preview->SetModel(std::move(drawing)); }

void MainWindow::SetPreviewMark(const std::u16string& text) { Preview->SetMark(text); }

void MainWindow::SetPreviewNote(std::u16string_view text) { Preview->SetNote(ToQ(text)); }

void MainWindow::ApplyLayout(const TSettings& s, const TPreviewSettings& preview) {
  {
    const QSignalBlocker quiet(ButtonP);
    ButtonP->setChecked(preview.visible);
  }
  Preview->setVisible(preview.visible);
  PreviewSplitter->setSizes({std::max(1, height() - preview.height), preview.height});
  PlaceOnScreen(this, s.mainWindow.left, s.mainWindow.top, s.mainWindow.width, s.mainWindow.height);
  ApplyPaneWidths();
  const auto widths = ui::FileColumnWidths(
      s, [this](std::u16string_view text) { return ListView1->fontMetrics().horizontalAdvance(ToQ(text)); });
  for (int c = 0; c < kFileListColumnCount; ++c) ListView1->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
  MoveOnScreen(form2_, s.settingsDialogLeft, s.settingsDialogTop);
}

void MainWindow::StoreLayout(TSettings& s, TPreviewSettings& preview) {
  s.mainWindow = {x(), y(), width(), height()};
  const QList<int> sizes = Splitter->sizes();
  if (sizes.size() == 3) {
    s.treePaneWidth = sizes[0];
    s.listWidth = sizes[2];
  }
  for (int c = 0; c < kFileListColumnCount; ++c) s.columnWidths[static_cast<std::size_t>(c)] = ListView1->columnWidth(c);
  s.settingsDialogLeft = form2_->x();
  s.settingsDialogTop = form2_->y();
  if (Preview->isVisible()) preview.height = PreviewSplitter->sizes().value(1, preview.height);
}

std::u16string MainWindow::ChooseFolder(std::u16string_view title, std::u16string_view start) {
  return FromQ(QFileDialog::getExistingDirectory(this, ToQ(title), ToQ(start)));
}

void MainWindow::ShowSettingsDialog() { form2_->exec(); }

}  // namespace glyphgrab::gui

#include "gui/qt/memo_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/qt/main_window.h"

namespace glyphgrab::gui {

// A window of its own, transient for the main window.
MemoWindow::MemoWindow(MainWindow& main, QWidget* parent) : QWidget(parent ? parent : &main, Qt::Window) {
  setWindowTitle(ToQ(ui::kMemoCaption));
  setFont(QFont(QStringLiteral("Tahoma")));

  PageControl1 = new QTabWidget(this);
  Memo1 = new QPlainTextEdit(PageControl1);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);  // each stored line is one memo line
  ListBox1 = new QListWidget(PageControl1);
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  PageControl1->addTab(Memo1, ToQ(ui::kMemoEditTab));
  PageControl1->addTab(ListBox1, ToQ(ui::kMemoSelectionTab));

  auto* panel = new QWidget(this);
  panel->setFixedHeight(36);
  Button1 = new QPushButton(ToQ(ui::kMemoCloseButton), panel);
  Button2 = new QPushButton(ToQ(ui::kMemoSortButton), panel);
  Button3 = new QPushButton(ToQ(ui::kMemoCopyButton), panel);
  Button4 = new QPushButton(ToQ(ui::kMemoSendButton), panel);
  Button5 = new QPushButton(ToQ(ui::kMemoClearButton), panel);
  auto* buttons = new QHBoxLayout(panel);
  buttons->setContentsMargins(4, 2, 4, 2);
  for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5}) buttons->addWidget(b);
  buttons->addStretch();

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PageControl1, 1);
  layout->addWidget(panel);
  layout->addWidget(StatusBar1);

  BindView(this, StatusBar1, &main.boxes(), false);
  logic_ = std::make_unique<ui::MemoLogic>(*this, main.memo(), main.settings(), main.desktop());

  connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { logic_->EditChanged(); });
  // Alt+C and Alt+S each belong to two captions, and Qt only moves the focus between
  // ambiguous mnemonics. The buttons give theirs up and the logic decides by page.
  for (QPushButton* b : {Button1, Button2, Button3}) b->setShortcut(QKeySequence());
  qApp->installEventFilter(this);
  connect(Button1, &QPushButton::clicked, this, [this] { logic_->Close(); });
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  esc->setContext(Qt::WindowShortcut);
  connect(esc, &QShortcut::activated, this, [this] { logic_->EscPressed(); });
  connect(Button2, &QPushButton::clicked, this, [this] { logic_->Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { logic_->Button3Click(); });
  connect(Button4, &QPushButton::clicked, this, [this] { logic_->Button4Click(); });
  connect(Button5, &QPushButton::clicked, this, [this] { logic_->Button5Click(); });
  connect(ListBox1, &QListWidget::itemClicked, this, [this] { logic_->ListBox1Click(); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { logic_->ListBox1DblClick(); });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) { logic_->PageControl1Change(page); });

  logic_->Init();
}

// The edit box is destroyed after this object; its last signals must not reach it.
MemoWindow::~MemoWindow() {
  disconnect(Memo1, nullptr, this, nullptr);
  logic_.reset();
}

void MemoWindow::ShowMemo() { logic_->Show(); }

void MemoWindow::Present() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

// The window manager's close is the close button's. The application's end closes the
// window as well, and must not be refused.
void MemoWindow::closeEvent(QCloseEvent* event) {
  if (!event->spontaneous()) {
    QWidget::closeEvent(event);
    return;
  }
  event->ignore();
  logic_->Close();
}

void MemoWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) logic_->FormActivate();
}

bool MemoWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!key || widget == nullptr || (widget != this && !isAncestorOf(widget))) return QWidget::eventFilter(watched, event);
  const auto* press = static_cast<QKeyEvent*>(event);
  if (press->modifiers() != Qt::AltModifier || (press->key() != Qt::Key_C && press->key() != Qt::Key_S)) {
    return QWidget::eventFilter(watched, event);
  }
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();  // the key comes as a key press instead of an ambiguous shortcut
    return true;
  }
  return logic_->AltKey(press->key() == Qt::Key_C ? u'C' : u'S');
}

void MemoWindow::SetEditText(std::u16string_view text) {
  // The edit box separates lines with LF; the memo keeps CR LF.
  QString q = ToQ(text);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Memo1->setPlainText(q);
}

// The edit box's text as typed: toPlainText would turn every no-break space into a blank
// and every U+2028 into a line break, in the whole memo.
std::u16string MemoWindow::EditText() const {
  QString text = Memo1->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return FromQ(text);
}

std::u16string MemoWindow::EditSelection() const {
  QString selected = Memo1->textCursor().selectedText();
  selected.replace(QChar(0x2029), QStringLiteral("\r\n"));  // the edit box's line breaks
  return FromQ(selected);
}

void MemoWindow::FocusEdit() { Memo1->setFocus(); }

int MemoWindow::Page() const { return PageControl1->currentIndex(); }

void MemoWindow::SetPage(int page) {
  const QSignalBlocker quiet(PageControl1);
  PageControl1->setCurrentIndex(page);
}

void MemoWindow::ShowSelectionLines(const std::vector<std::u16string>& lines) {
  // Not painted while refilled: a long memo would be painted line by line.
  ListBox1->setUpdatesEnabled(false);
  ListBox1->clear();
  for (const std::u16string& line : lines) ListBox1->addItem(ToQ(line));
  ListBox1->clearSelection();
  ListBox1->setUpdatesEnabled(true);
}

std::vector<int> MemoWindow::SelectedLines() const {
  std::vector<int> rows;
  for (const QModelIndex& index : ListBox1->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int MemoWindow::CurrentLine() const {
  QListWidgetItem* item = ListBox1->currentItem();
  return item == nullptr ? -1 : ListBox1->row(item);
}

void MemoWindow::Place(const TWindowGeometry& g) { PlaceOnScreen(this, g.left, g.top, g.width, g.height); }

TWindowGeometry MemoWindow::Geometry() const { return TWindowGeometry{x(), y(), width(), height()}; }

}  // namespace glyphgrab::gui

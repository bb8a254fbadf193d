#include "gui/qt/search_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/qt/main_window.h"

namespace glyphgrab::gui {
namespace {

constexpr int kMinKeywordWidth = 140;

}  // namespace

// A window of its own, transient for the main window.
SearchWindow::SearchWindow(MainWindow& main, QWidget* parent) : QWidget(parent ? parent : &main, Qt::Window) {
  setWindowTitle(ToQ(ui::kSearchCaption));
  setFont(QFont(QStringLiteral("Tahoma")));

  Panel1 = new QWidget(this);
  Panel1->setFixedHeight(120);
  Label1 = new QLabel(ToQ(ui::kKeywordLabel), Panel1);
  ComboBox1 = new QComboBox(Panel1);
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->lineEdit()->setMaxLength(ui::kKeywordMaxLength);

  GroupBox1 = new QGroupBox(ToQ(ui::kFileTypesTitle), Panel1);
  auto* types = new QGridLayout(GroupBox1);
  // The types in rows of four, the modes beside them.
  auto* modes = new QVBoxLayout;
  int type = 0;
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
    CheckBoxes[i] = new QCheckBox(ToQ(ui::kSearchBoxes[i].caption), Panel1);
    if (ui::kSearchBoxes[i].mode) {
      modes->addWidget(CheckBoxes[i]);
    } else {
      types->addWidget(CheckBoxes[i], type / 4, type % 4);
      ++type;
    }
  }
  Button1 = new QPushButton(ToQ(ui::kSearchStartButton), Panel1);
  Button2 = new QPushButton(ToQ(ui::kSearchCloseButton), Panel1);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* row = new QHBoxLayout;
  row->addWidget(GroupBox1);
  row->addLayout(modes);
  row->addLayout(buttons);
  row->addStretch();
  auto* panelLayout = new QVBoxLayout(Panel1);
  panelLayout->setContentsMargins(8, 4, 8, 4);
  panelLayout->setSpacing(2);
  panelLayout->addWidget(Label1);
  // The keyword box is placed by Panel1Resize, outside the layout, so that its width
  // follows the panel without holding the window at a minimum size.
  panelLayout->addSpacing(ComboBox1->sizeHint().height() + 2);
  panelLayout->addLayout(row);
  Panel1->installEventFilter(this);

  ResultsHeader = new QLabel(ToQ(ui::kResultsHeader), this);
  ResultsHeader->setContentsMargins(8, 2, 8, 2);
  ListBox1 = new QListWidget(this);
  ListBox1->setToolTip(ToQ(ui::kResultsHeader));
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(ResultsHeader);
  layout->addWidget(ListBox1, 1);
  layout->addWidget(StatusBar1);

  BindView(this, StatusBar1, &main.boxes(), false);
  logic_ = std::make_unique<ui::SearchLogic>(*this, main.logic());
  logic_->Init();

  connect(Button1, &QPushButton::clicked, this, [this] { logic_->Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { hide(); });
  connect(ListBox1, &QListWidget::itemClicked, this, [this] { logic_->ListBox1Click(); });
  // Enter on a result opens it, as a click does.
  for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* open = new QShortcut(QKeySequence(key), ListBox1);
    open->setContext(Qt::WidgetShortcut);
    connect(open, &QShortcut::activated, this, [this] { logic_->ListBox1Click(); });
  }
}

SearchWindow::~SearchWindow() { logic_.reset(); }

void SearchWindow::ShowSearch() {
  show();
  raise();
  activateWindow();
  ComboBox1->setFocus();
}

void SearchWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ComboBox1->setFocus();
  Panel1Resize();
}

void SearchWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    logic_->EscPressed();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) Panel1Resize();
  return QWidget::eventFilter(watched, event);
}

void SearchWindow::Panel1Resize() {
  const int left = Label1->x();  // the panel layout's left margin
  const int width = Panel1->width() - left - 6;
  ComboBox1->setGeometry(left, Label1->geometry().bottom() + 2, std::max(width, kMinKeywordWidth),
                         ComboBox1->sizeHint().height());
}

std::u16string SearchWindow::Keyword() const { return FromQ(ComboBox1->currentText()); }

void SearchWindow::ShowHistory(const std::vector<std::u16string>& entries, std::u16string_view keyword) {
  ComboBox1->clear();
  for (const std::u16string& entry : entries) ComboBox1->addItem(ToQ(entry));
  if (!keyword.empty() && !entries.empty() && entries.front() == keyword) ComboBox1->setCurrentIndex(0);
  ComboBox1->setEditText(ToQ(keyword));
}

void SearchWindow::ShowChecks(const SearchOptions& on) {
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) CheckBoxes[i]->setChecked(ui::kSearchBoxes[i].On(on));
}

SearchOptions SearchWindow::Checks() const {
  SearchOptions on = ui::kNoSearchBoxes;
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) ui::kSearchBoxes[i].Set(on, CheckBoxes[i]->isChecked());
  return on;
}

void SearchWindow::Enable(ui::SearchControl control, bool on) {
  (control == ui::SearchControl::kStartButton ? Button1 : Button2)->setEnabled(on);
}

void SearchWindow::ClearResults() { ListBox1->clear(); }

void SearchWindow::AddResult(std::u16string_view line) { ListBox1->addItem(ToQ(line)); }

int SearchWindow::CurrentResult() const { return ListBox1->currentRow(); }

void SearchWindow::Place(const TWindowGeometry& g) { PlaceOnScreen(this, g.left, g.top, g.width, g.height); }

TWindowGeometry SearchWindow::Geometry() const { return TWindowGeometry{x(), y(), width(), height()}; }

}  // namespace glyphgrab::gui

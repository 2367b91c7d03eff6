#include "app/note/note_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "app/note/note_host.h"
#include "app/record/note_caption.h"
#include "app/record/note_values.h"
#include "desktop/note_button_glyphs.h"
#include "desktop/program_icon.h"
#include "desktop/screen_fit.h"
#include "dialogs/note_props_dialog.h"
#include "richtext/note_editor.h"

namespace pw {

namespace {

// The places of the controls in a window of the design size; the buttons
// keep their distance from the right edge.
constexpr QRect kMenuButton(2, 2, 17, 11);
constexpr QRect kCaption(19, 1, 89, 13);
constexpr QRect kCollapseButton(113, 2, 14, 11);
constexpr QRect kExitButton(128, 1, 12, 12);
constexpr QRect kText(3, 16, 134, 107);

constexpr NoteButtonGlyph kGlyphOrder[] = {NoteButtonGlyph::Menu, NoteButtonGlyph::Collapse,
                                           NoteButtonGlyph::Expand, NoteButtonGlyph::Hide};

QToolButton* MakeGlyphButton(QWidget* parent, const char* name, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setToolTip(hint);
  return button;
}

// The glyph as shown: its white background lets the note's colour through.
QPixmap ShownGlyph(const QImage& glyph) {
  QImage shown = glyph.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (shown.pixel(x, y) == qRgb(255, 255, 255)) shown.setPixel(x, y, qRgba(0, 0, 0, 0));
    }
  }
  return QPixmap::fromImage(shown);
}

void FillWith(QWidget* widget, const QColor& background, const QColor& text = QColor()) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::Base, background);
  if (text.isValid()) palette.setColor(QPalette::WindowText, text);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

NoteWindow::NoteWindow(NoteHost& host)
    : QWidget(host.NoteWindowParent(), Qt::Tool | Qt::FramelessWindowHint),
      host_(host),
      handle_(RegisterNoteWindow(this)),
      titleFont_(QStringLiteral("MS Sans Serif"), 8),
      titleColor_(Qt::black) {
  setAttribute(Qt::WA_DeleteOnClose);
  // Set before the native window exists, so it reaches the X server once.
  setWindowIcon(SmallProgramIcon());
  for (int i = 0; i < 4; ++i) glyphs_[i] = MakeNoteButtonGlyph(kGlyphOrder[i]);
  BuildControls();
  BuildMenu();
  autosaveTimer_ = new QTimer(this);
  autosaveTimer_->setSingleShot(true);
  autosaveTimer_->setInterval(kAutosaveDelayMs);
  connect(autosaveTimer_, &QTimer::timeout, this, &NoteWindow::SaveRecordNow);
  connect(editor_, &NoteEditor::textChanged, this, [this] {
    memoChanged_ = true;
    UpdateWindowTitle();
    ScheduleSave();
  });
  UpdateWindowTitle();
  setMinimumSize(host_.Settings().minimizedWidth, kCollapsedHeight);
  resize(kDesignSize);
  SetNoteColor(ColorOfWindowsValue(kDefaultColor));
}

NoteWindow::~NoteWindow() {
  UnregisterNoteWindow(handle_);
}

void NoteWindow::BuildControls() {
  captionBar_ = new QFrame(this);
  captionBar_->setObjectName(QStringLiteral("Panel1"));
  captionBar_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  captionBar_->setMouseTracking(true);
  captionBar_->installEventFilter(this);

  captionLabel_ = new QLabel(captionBar_);
  captionLabel_->setObjectName(QStringLiteral("EdNoteCaption"));
  captionLabel_->setToolTip(QStringLiteral("Double click here to change note title"));
  captionLabel_->installEventFilter(this);

  menuButton_ = MakeGlyphButton(captionBar_, "BtnMenu", QStringLiteral("Options"));
  closeUpButton_ = MakeGlyphButton(captionBar_, "BtnCloseUp", QStringLiteral("Collapse Note"));
  expandButton_ = MakeGlyphButton(captionBar_, "BtnExpand", QStringLiteral("Expand Note"));
  expandButton_->hide();
  exitButton_ = MakeGlyphButton(captionBar_, "BtnExit", QStringLiteral("Hide Note"));
  exitButton_->setCursor(Qt::ArrowCursor);
  connect(menuButton_, &QToolButton::clicked, this, &NoteWindow::OpenMenuBelowButton);
  connect(closeUpButton_, &QToolButton::clicked, this, &NoteWindow::onCollapseOrExpandClicked);
  connect(expandButton_, &QToolButton::clicked, this, &NoteWindow::onCollapseOrExpandClicked);
  connect(exitButton_, &QToolButton::clicked, this, &NoteWindow::HideNote);
  RecolorButtonGlyphs();

  editor_ = new NoteEditor(captionBar_);
  editor_->setObjectName(QStringLiteral("RichEdit1"));
  editor_->setFrameStyle(QFrame::NoFrame);
  // The scroll bar shows only when the text overflows.
  editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void NoteWindow::LayoutControls() {
  const int width = this->width();
  const int height = this->height();
  const int rightShift = width - kDesignSize.width();
  captionBar_->setGeometry(0, 0, width, height);
  menuButton_->setGeometry(kMenuButton);
  captionLabel_->setGeometry(kCaption.left(), kCaption.top(), width - 46, kCaption.height());
  closeUpButton_->setGeometry(kCollapseButton.translated(rightShift, 0));
  expandButton_->setGeometry(kCollapseButton.translated(rightShift, 0));
  exitButton_->setGeometry(kExitButton.translated(rightShift, 0));
  editor_->setGeometry(kText.left(), kText.top(),
                       std::max(0, kText.width() + width - kDesignSize.width()),
                       std::max(0, kText.height() + height - kDesignSize.height()));
}

void NoteWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutControls();
}

void NoteWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  RecolorButtonGlyphs();
}

void NoteWindow::closeEvent(QCloseEvent* event) {
  autosaveTimer_->stop();
  // A note closed by any other means than its own commands is hidden.
  if (!saved_) {
    showingMode_ = ShowingMode::No;
    UpdateNote();
  }
  event->accept();
}

void NoteWindow::NoteRequest(int message, int /*firstParameter*/, int /*secondParameter*/) {
  if (message == kHideNoteRequest) {
    SaveAndClose(ShowingMode::No);
  } else if (message == kSaveAndCloseNoteRequest) {
    SaveAndClose(ShowingMode::Yes);
  } else if (message == kPropertiesNoteRequest) {
    OpenProperties(NotePropsPage::Settings);
  }
}

void NoteWindow::SaveAndClose(ShowingMode mode) {
  showingMode_ = mode;
  UpdateNote();
  close();
}

void NoteWindow::HideNote() {
  SaveAndClose(ShowingMode::No);
}

QString NoteWindow::Title() const {
  return captionLabel_->text();
}

void NoteWindow::SetTitle(const QString& title) {
  captionLabel_->setText(title);
  captionLabel_->setToolTip(title);
  UpdateWindowTitle();
  ScheduleSave();
}

void NoteWindow::UpdateWindowTitle() {
  setWindowTitle(ShownCaption(Title(), editor_->toPlainText()));
}

void NoteWindow::SetNoteColor(const QColor& color) {
  noteColor_ = color;
  FillWith(this, color);
  FillWith(captionBar_, color);
  FillWith(captionLabel_, color, titleColor_);
  editor_->SetBackgroundColor(color);
}

void NoteWindow::SetTitleFont(const QFont& font, const QColor& color) {
  titleFont_ = font;
  titleColor_ = color;
  captionLabel_->setFont(font);
  FillWith(captionLabel_, noteColor_, color);
}

void NoteWindow::RecolorButtonGlyphs() {
  QToolButton* const buttons[] = {menuButton_, closeUpButton_, expandButton_, exitButton_};
  for (int i = 0; i < 4; ++i) {
    RecolorGlyph(glyphs_[i], GlyphTestPoint(kGlyphOrder[i]), titleColor_);
    buttons[i]->setIcon(ShownGlyph(glyphs_[i]));
    buttons[i]->setIconSize(glyphs_[i].size());
  }
}

void NoteWindow::KeepOnScreen() {
  const QPoint inside = PlaceInsideScreens(geometry(), host_.ScreenRects());
  if (inside == pos()) return;
  // Only a move of the user's replaces the record's place.
  if (!storedPlace_) storedPlace_ = ExpandedPlace();
  move(inside);
}

}  // namespace pw

#include "widgets/ipedit.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "core/guard.h"
#include "core/numconv.h"

TIPFieldEdit::TIPFieldEdit(TIPEdit* owner, QWidget* parent, int index)
    : QLineEdit(parent), owner_(owner), index_(index) {
  setObjectName(QStringLiteral("TIPFieldEdit%1").arg(index));
  setAccessibleName(QStringLiteral("IP address octet %1").arg(index + 1));
  setFrame(false);
  // The native edit writes from the top; that is where the painted dots line up.
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  setMaxLength(3);
  setText(QStringLiteral("0"));
  setCursorPosition(0);
  // Bound to every change, the control's own texts included.
  connect(this, &QLineEdit::textChanged, this, &TIPFieldEdit::CheckText);
}

void TIPFieldEdit::SetTextByControl(const QString& text) {
  const bool outer = settingText_;
  settingText_ = true;
  setText(text);
  setCursorPosition(0);
  settingText_ = outer;
}

void TIPFieldEdit::CheckText(const QString& text) {
  // An emptied field keeps its value until a digit comes.
  if (text.isEmpty()) return;
  const auto number = TryStrToInt(text.toStdString());
  if (!number || *number < low_ || *number > high_) {
    error_ = true;
    owner_->RaiseError(index_);
    // This replacement runs through the check again and clears the mark.
    SetTextByControl(QStringLiteral("255"));
  } else {
    error_ = false;
    if (*number != value_) {
      value_ = *number;
      owner_->RaiseChange();
    }
  }
  if (!error_ && !settingText_ && this->text().size() == 3 && CaretColumn() == 3)
    owner_->FocusNextField(true);
}

void TIPFieldEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Right && CaretColumn() >= text().size()) {
    deselect();
    owner_->FocusNextField(false);
    event->accept();
    return;
  }
  if (key == Qt::Key_Left && CaretColumn() == 0) {
    deselect();
    owner_->FocusPrevField(false);
    event->accept();
    return;
  }
  if (key == Qt::Key_Backspace) {
    if (CaretColumn() == 0) owner_->FocusPrevField(false);
    // Still this field's key, wherever the focus went.
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
    // Never typed into the field; the window may want them.
    event->ignore();
    return;
  }
  const QString typed = event->text();
  // Characters are what the keyboard types, control characters (Ctrl+letter)
  // included; DEL comes with the Delete key, which edits as usual.
  const bool character = !typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0).unicode() < 0x20);
  if (!character) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QChar c = typed.at(0);
  if (typed.size() == 1 && c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (typed == QLatin1String(".") && !hasSelectedText() && !text().isEmpty()) owner_->FocusNextField(true);
  event->accept();
}

void TIPFieldEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  owner_->lastFieldFocusReason_ = event->reason();
}

TIPEdit::TIPEdit(QWidget* parent) : QWidget(parent) {
  setAccessibleName(QStringLiteral("IP address"));
  // The fields take the focus; the box itself only hands it to field 0.
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::IBeamCursor);
  QFont f = font();
  f.setBold(true);
  f.setPointSize(9);
  setFont(f);
  // Its own background, whatever the parent's becomes.
  QPalette p = palette();
  p.setColor(QPalette::Base, p.color(QPalette::Base));
  setPalette(p);

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("TIPEditClient"));
  for (int i = 0; i < 4; ++i) {
    fields_[i] = new TIPFieldEdit(this, client_, i);
    fields_[i]->setCursor(cursor());
  }
  resize(125, 21);
  PlaceClient();
  ArrangeFields();
  connect(qApp, &QApplication::focusChanged, this, &TIPEdit::FocusChanged);
}

TIPEdit::~TIPEdit() {
  // The fields die after this body; focus moves then must not reach us.
  disconnect(qApp, nullptr, this, nullptr);
}

std::string TIPEdit::IPString() const {
  std::string result;
  for (int i = 0; i < 4; ++i) {
    if (fields_[i]->IsError()) return "255";
    result += std::to_string(fields_[i]->Value());
    if (i < 3) result += '.';
  }
  return result;
}

void TIPEdit::SetIPString(const std::string& text) {
  std::array<int, 4> octets{};
  size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t dot = text.find('.', pos);
    const size_t end = dot == std::string::npos ? text.size() : dot;
    const auto number = TryStrToInt(text.substr(pos, end - pos));
    octets[i] = number && *number >= 0 && *number <= 255 ? *number : 255;
    pos = end;
    if (i < 3) {
      if (pos >= text.size()) return;  // fewer than four parts: nothing changes
      ++pos;
    }
  }
  for (int i = 0; i < 4; ++i) {
    // Value first: the field check then sees no change and stays quiet.
    fields_[i]->SetValue(octets[i]);
    fields_[i]->SetTextByControl(QString::number(octets[i]));
  }
}

bool TIPEdit::Error() const {
  for (auto* f : fields_)
    if (f->IsError()) return true;
  return false;
}

bool TIPEdit::ReadOnly() const { return fields_[0]->isReadOnly(); }

void TIPEdit::SetReadOnly(bool readOnly) {
  if (readOnly == ReadOnly()) return;
  for (auto* f : fields_) f->setReadOnly(readOnly);
}

void TIPEdit::SetTabStop(bool tabStop) {
  if (tabStop == tabStop_) return;
  tabStop_ = tabStop;
  for (auto* f : fields_) f->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TIPEdit::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  PlaceClient();
  update();
}

void TIPEdit::SetCtl3D(bool ctl3D) {
  if (ctl3D == ctl3D_) return;
  ctl3D_ = ctl3D;
  PlaceClient();
  update();
}

int TIPEdit::BorderWidth() const {
  if (borderStyle_ == TBorderStyle::bsNone) return 0;
  return ctl3D_ ? 2 : 1;
}

QColor TIPEdit::Color() const { return palette().color(QPalette::Base); }

void TIPEdit::SetColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Base, color);
  setPalette(p);
}

QColor TIPEdit::FontColor() const { return palette().color(QPalette::Text); }

void TIPEdit::SetFontColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Text, color);
  p.setColor(QPalette::WindowText, color);
  setPalette(p);
}

int TIPEdit::FontPointSize() const {
  const QFont f = font();
  if (f.pointSizeF() > 0) return qRound(f.pointSizeF());
  return qRound(f.pixelSize() * 72.0 / 96.0);
}

int TIPEdit::FontPixelHeight() const {
  const QFont f = font();
  if (f.pixelSize() > 0) return f.pixelSize();
  return qRound(f.pointSizeF() * 96.0 / 72.0);
}

void TIPEdit::FocusNextField(bool selectAll) {
  for (int i = 0; i < 3; ++i) {
    if (!fields_[i]->hasFocus()) continue;
    if (selectAll)
      fields_[i + 1]->selectAll();
    else
      PlaceCaret(i + 1, 0);
    fields_[i + 1]->setFocus(Qt::OtherFocusReason);
    return;
  }
}

void TIPEdit::FocusPrevField(bool selectAll) {
  for (int i = 3; i > 0; --i) {
    if (!fields_[i]->hasFocus()) continue;
    if (selectAll)
      fields_[i - 1]->selectAll();
    else
      PlaceCaret(i - 1, 3);
    fields_[i - 1]->setFocus(Qt::OtherFocusReason);
    return;
  }
}

int TIPEdit::FocusedFieldIndex() const {
  for (int i = 0; i < 4; ++i)
    if (fields_[i]->hasFocus()) return i;
  return -1;
}

void TIPEdit::PlaceCaret(int field, int column) {
  TIPFieldEdit* f = fields_[field];
  f->setCursorPosition(std::clamp(column, 0, static_cast<int>(f->text().size())));
}

TIPEdit::Layout TIPEdit::ComputeLayout() const {
  Layout l;
  l.width = 3 * std::abs(FontPointSize());
  l.gap = l.width / 9 + 1;
  l.height = height() - 2;
  l.top = (height() - std::abs(FontPixelHeight()) - 6) / 2 + 1;
  l.left0 = (width() - 4 * l.width - 3 * l.gap - 4) / 2;
  return l;
}

QRect TIPEdit::FieldRect(int index) const {
  const Layout l = ComputeLayout();
  return QRect(l.left0 + index * (l.width + l.gap), l.top, l.width, l.height);
}

QPoint TIPEdit::DotPosition(int index) const {
  const Layout l = ComputeLayout();
  return QPoint(l.left0 + l.width + index * (l.width + l.gap), l.top + l.width / 3 - 18);
}

QRect TIPEdit::ClientRect() const {
  const int b = BorderWidth();
  return rect().adjusted(b, b, -b, -b);
}

void TIPEdit::ArrangeFields() {
  for (int i = 0; i < 4; ++i) fields_[i]->setGeometry(FieldRect(i));
}

void TIPEdit::PlaceClient() { client_->setGeometry(ClientRect()); }

bool TIPEdit::event(QEvent* event) {
  if (event->type() == QEvent::CursorChange && fields_[0]) {
    for (auto* f : fields_) f->setCursor(cursor());
  }
  return QWidget::event(event);
}

void TIPEdit::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange && fields_[0]) ArrangeFields();
  if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
      event->type() == QEvent::EnabledChange)
    update();
  QWidget::changeEvent(event);
}

void TIPEdit::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (borderStyle_ == TBorderStyle::bsSingle) {
    if (ctl3D_)
      qDrawWinPanel(&p, rect(), palette(), true);
    else
      qDrawPlainRect(&p, rect(), palette().color(QPalette::Shadow), 1);
  }
  const QRect client = ClientRect();
  p.fillRect(client, Color());
  p.setClipRect(client);
  p.translate(client.topLeft());
  p.setFont(QFont(font().family(), 18, QFont::Bold));
  p.setPen(FontColor());
  const int ascent = p.fontMetrics().ascent();
  // The dot's position is the top of its text cell, not its baseline.
  for (int k = 0; k < 3; ++k) p.drawText(DotPosition(k) + QPoint(0, ascent), QStringLiteral("."));
}

void TIPEdit::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceClient();
  ArrangeFields();
  update();
}

void TIPEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && FocusedFieldIndex() < 0)
    fields_[0]->setFocus(Qt::MouseFocusReason);
  event->accept();
}

void TIPEdit::focusInEvent(QFocusEvent* event) { fields_[0]->setFocus(event->reason()); }

void TIPEdit::FocusChanged(QWidget* old, QWidget* now) {
  // Focus entering from outside, by whatever way, lands in field 0; the
  // window coming back to the front or a closed menu returns it where it was.
  if (!now || now == fields_[0] || !Owns(now) || Owns(old)) return;
  const Qt::FocusReason reason = lastFieldFocusReason_;
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  const bool tabbed = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
  fields_[0]->setFocus(tabbed ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

bool TIPEdit::Owns(const QWidget* w) const {
  if (!w) return false;
  if (w == this || w == client_) return true;
  for (auto* f : fields_)
    if (w == f) return true;
  return false;
}

void TIPEdit::RaiseChange() {
  if (OnChange) Guarded([&] { OnChange(parentWidget()); });
}

void TIPEdit::RaiseError(int field) {
  if (OnError) Guarded([&] { OnError(parentWidget(), field); });
}

#include "widgets/updown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/numconv.h"

TUpDown::TUpDown(QWidget* parent, const char* name, QLineEdit* buddy, int min, int max, int position)
    : QWidget(parent), buddy_(buddy), min_(min), max_(max), position_(min) {
  setObjectName(name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    layout->addWidget(b);
  }
  connect(up_, &QToolButton::clicked, this, [this] { StepUp(); });
  connect(down_, &QToolButton::clicked, this, [this] { StepDown(); });
  SetPosition(position);
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, min_, max_);
  if (buddy_) buddy_->setText(QString::number(position_));
}

void TUpDown::Step(int delta) {
  // The buddy's text counts, as the arrows of the platform's spinner read
  // it before each step; a text that is no number leaves the position.
  int from = position_;
  if (buddy_) {
    if (auto shown = TryStrToInt(buddy_->text().toStdString())) from = std::clamp(*shown, min_, max_);
  }
  const long long next = static_cast<long long>(from) + delta;
  SetPosition(static_cast<int>(std::clamp<long long>(next, min_, max_)));
}

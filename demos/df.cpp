#include "demos/df.h"

#include <QLocale>

#include "core/dialogs.h"
#include "core/floatconv.h"
#include "link/printer_link.h"
#include "widgets/vcl.h"

namespace {
// The user's decimal separator, as the regional settings give it.
std::string DecimalSeparator() { return QLocale::system().decimalPoint().toStdString(); }
}  // namespace

Tbmf::Tbmf(PrinterLink& link, QWidget* parent) : QWidget(parent, Qt::Window), link_(link) {
  setObjectName("bmf");
  setWindowTitle(U("TZ D4针打黑标定位偏移量设置/演示"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  resize(476, 337);

  const QFont editFont = FontPixels("Arial", 14);
  const QFont nFont = FontPixels("Arial", 16);
  // Every edit and label of this window is blue.
  auto blueEdit = [this](const char* name, QRect geometry, const QFont& font) {
    QLineEdit* edit = MakeEdit(this, name, "0", geometry);
    edit->setFont(font);
    SetTextColor(edit, Qt::blue, {QPalette::Text});
    return edit;
  };
  auto blueLabel = [this](const char* name, const char* caption, QRect geometry) {
    QLabel* label = MakeLabel(this, name, caption, geometry);
    SetTextColor(label, Qt::blue, {QPalette::WindowText});
    return label;
  };
  struct Row {
    QPushButton*& button;
    QLineEdit*& edit;
    QLabel*& label;
    const char* buttonName;
    const char* editName;
    const char* labelName;
    const char* caption;
  } rows[] = {
      {Button2, Edit1, Label1, "Button2", "Edit1", "Label1", "起始打印位置在检测到黑标位置后前进"},
      {Button3, Edit2, Label2, "Button3", "Edit2", "Label2", "起始打印位置在检测到黑标位置后后退"},
      {Button4, Edit3, Label3, "Button4", "Edit3", "Label3", "切/撕纸位置在检测到黑标位置后前进"},
      {Button5, Edit4, Label4, "Button5", "Edit4", "Label4", "切/撕纸位置在检测到黑标位置后后退"},
  };
  int y = 12;
  for (Row& row : rows) {
    row.button = MakeButton(this, row.buttonName, row.caption, {8, y, 290, 32});
    row.edit = blueEdit(row.editName, {306, y + 2, 96, 28}, editFont);
    row.label = blueLabel(row.labelName, "毫米处", {408, y + 2, 60, 28});
    y += 40;
  }

  Button6 = MakeButton(this, "Button6", "打印并走纸到下一个起始打印位置", {8, 180, 290, 32});
  Label5 = blueLabel("Label5", "nL=", {306, 182, 40, 28});
  Edit5 = blueEdit("Edit5", {350, 182, 96, 28}, nFont);
  Button7 = MakeButton(this, "Button7", "打印并走纸到下一个切撕纸位置", {8, 220, 290, 32});
  Label6 = blueLabel("Label6", "nH=", {306, 222, 40, 28});
  Edit6 = blueEdit("Edit6", {350, 222, 96, 28}, nFont);
  for (QLabel* l : {Label5, Label6}) l->setFont(nFont);

  Button1 = MakeButton(this, "Button1", "关闭", {8, 280, 460, 40});

  OnClick(Button1, [this] { Button1Click(); });
  OnClick(Button2, [this] { Button2Click(); });
  OnClick(Button3, [this] { Button3Click(); });
  OnClick(Button4, [this] { Button4Click(); });
  OnClick(Button5, [this] { Button5Click(); });
  OnClick(Button6, [this] { Button6Click(); });
  OnClick(Button7, [this] { Button7Click(); });
}

void Tbmf::Button1Click() { close(); }

void Tbmf::Button2Click() { SetOffset(Edit1, MarkPosition::PrintStart, FeedDirection::Forward, 1); }

void Tbmf::Button3Click() { SetOffset(Edit2, MarkPosition::PrintStart, FeedDirection::Backward, 1); }

void Tbmf::Button4Click() { SetOffset(Edit3, MarkPosition::CutTear, FeedDirection::Forward, 2); }

void Tbmf::Button5Click() { SetOffset(Edit4, MarkPosition::CutTear, FeedDirection::Backward, 1); }

void Tbmf::Button6Click() {
  link_.buffer = FeedToPrintStartDemo();
  Send();
}

void Tbmf::Button7Click() {
  link_.buffer = FeedToCutDemo();
  Send();
}

void Tbmf::SetOffset(QLineEdit* edit, MarkPosition a, FeedDirection m, int sends) {
  const double mm = StrToFloat(edit->text().toStdString(), DecimalSeparator());
  if (m == FeedDirection::Backward && BackFeedTooLong(mm)) {
    dialogs().ShowMessage(kBackFeedTooLong);
    return;
  }
  const BlackMarkOffset offset = OffsetFromMillimetres(mm);
  Edit5->setText(QString::number(offset.nL));
  Edit6->setText(QString::number(offset.nH));
  link_.buffer = BlackMarkOffsetCommand(a, m, offset);
  // The cut/tear setting goes out twice, each a send of its own.
  for (int i = 0; i < sends; ++i) Send();
}

void Tbmf::Send() {
  link_.SendToPrinter(ChannelScope::Full, false, timeouts::kNetAfterSendMs, NameSource::ShownText);
}

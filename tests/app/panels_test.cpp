// The main window's hidden panels: their controls, enable rules, spinners,
// the LED display checks, the secondary windows and the accelerator keys.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/application.h"
#include "link/devices.h"
#include "tests/support/recording_dialogs.h"
#include "widgets/combobox.h"
#include "widgets/updown.h"

namespace fs = std::filesystem;

namespace {
constexpr int kLPT1 = 0, kCOM1 = 2, kCOM2 = 3, kCOM3 = 4;
constexpr int k2400 = 0, k9600 = 2, k19200 = 3;

struct PanelCase {
  const char* box;
  std::vector<const char*> controls;
};

// The fourteen panels: each check box and what it enables, in order.
const std::vector<PanelCase> kPanels = {
    {"szt", {"ph", "st", "cbs", "UpDown3"}},
    {"szt0", {"pt", "st0", "cst"}},
    {"dcb", {"db"}},
    {"tcb", {"tb", "tc"}},
    {"lcb", {"lb"}},
    {"nvcb", {"nvd", "nvp", "bbn"}},
    {"bpck", {"bpb", "bpe1", "bpe2", "UpDown1", "UpDown2", "Label12", "Label13"}},
    {"CheckBox1", {"sdb", "dc"}},
    {"CheckBox2", {"crb", "crc"}},
    {"CheckBox5", {"bb", "bc"}},
    {"CheckBox3", {"cdb", "cdc"}},
    {"CheckBox4", {"msb", "msc"}},
    {"CheckBox6", {"fontb", "fontc"}},
    {"CheckBox7", {"Button3"}},
};

QString Shown(QWidget* w) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  return QStringLiteral("<%1>").arg(w->metaObject()->className());
}

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

class PanelsTest : public ::testing::Test {
 protected:
  template <class T = QWidget>
  T* Control(const char* name) {
    T* found = w.Form1->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  RecordingDialogs boxes;
  Windows w;
};
}  // namespace

TEST_F(PanelsTest, EveryHiddenControlExistsWithItsCaptionAndStaysHidden) {
  TForm1& f = *w.Form1;
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  const std::pair<const char*, const char*> captions[] = {
      {"szt", "设置针打H参数"},
      {"ph", "打印 H"},
      {"st", "设置参数  T ="},
      {"cbs", "5"},
      {"cs", "5"},
      {"Label5", "00 H <=T<=0F H(Hexadicimal)"},
      {"Label9", "m=0,1"},
      {"Label11", "（十进制数据）"},
      {"szt0", "设置默认代码页"},
      {"pt", "打印默认代码页"},
      {"st0", "设置参数 t ="},
      {"cst", "0"},
      {"dcb", "TZD4 针打黑标设置"},
      {"db", "针打黑标控制设置"},
      {"tcb", "TZR2系列串口设置"},
      {"tb", "TZ-R2XX\n波特率设置"},
      {"tc", "1: 9600bps"},
      {"Label14", "适用于TZ-R21II、TZ-R23II、"},
      {"Label15", "TZ-R25（X）、TZ-R25II"},
      {"lcb", "TZ-R23III LED显示"},
      {"lb", "LED显示演示"},
      {"nvcb", "TZW6 NV Logo演示"},
      {"nvd", "NV Logo下载"},
      {"nvp", "NV Logo 打印"},
      {"bbn", "装载 BMP 文件"},
      {"bpck", "TZW6 蜂鸣提示演示"},
      {"bpb", "蜂鸣提示"},
      {"Label12", "次数："},
      {"bpe1", "3"},
      {"Label13", "时间："},
      {"bpe2", "2"},
      {"ComboBox1", "10 15 n t(十六进制）"},
      {"CheckBox1", "TZD4针打浓度设置"},
      {"sdb", "设置打印浓度"},
      {"dc", "Normal"},
      {"CheckBox2", "TZD4针打自动换行设置"},
      {"crb", "自动换行"},
      {"crc", "启用"},
      {"CheckBox5", "TZD4针打蜂鸣器设置"},
      {"bb", "蜂鸣器功能"},
      {"bc", "启用"},
      {"CheckBox3", "TZW6重打禁用/启用"},
      {"cdb", "重打功能"},
      {"cdc", "启用"},
      {"CheckBox4", "TZW6仿真模式选择"},
      {"msb", "仿真模式选择"},
      {"msc", "EPSON ESC/POS"},
      {"CheckBox6", "TZR2小字体是否有效"},
      {"fontb", "小字体功能"},
      {"fontc", "启用小字体(9*17)"},
      {"CheckBox7", "TZ串行接口状态检测"},
      {"Button3", "串口状态检测"},
      {"Button1", "打印测试(&P)"},
      {"Edit1", "5"},
      {"RadioButton1", "40/33"},
      {"RadioButton2", "42/35"},
      {"RadioButton3", "36/30"},
      {"Open", "开钱箱(&O)"},
      {"cut", "切纸(&C)"},
      {"QButton", "退出(&Q)"},
      {"Button2", "针打机芯测试"},
      {"dck", "倒置"},
      {"Lfck", "换行"},
      {"zxck", "自选"},
      {"bick", "单向"},
      {"dqck", "对齐"},
      {"Label7", "开始"},
      {"Edit2", "0"},
      {"Label8", "结束"},
      {"Edit3", "400"},
      {"Button5", "Auto disconnect mode OFF"},
      {"Label2", "请输入要打印的内容："},
      {"Label3", ""},
      {"Label6", " 连续打印         次"},
      {"cs0", " 1"},
      {"ad", "Additional Command"},
      {"Edit5", ""},
      {"Edit6", "Edit6"},
      {"Edit7", "Edit7"},
      {"Button4", "Button4"},
  };
  for (const auto& [name, caption] : captions) {
    QWidget* c = Control(name);
    if (!c) continue;
    EXPECT_EQ(Shown(c), QString::fromUtf8(caption)) << name;
    EXPECT_FALSE(c->isVisible()) << name;
  }
  for (const char* name : {"UpDown1", "UpDown2", "UpDown3", "Image1", "Image2", "Label10", "Edit4"}) {
    QWidget* c = Control(name);
    if (c) EXPECT_FALSE(c->isVisible()) << name;
  }
  EXPECT_TRUE(f.Label3->isHidden());
  // Every check box starts unticked, and of the radio buttons only the first is ticked.
  for (QCheckBox* box : f.findChildren<QCheckBox*>())
    EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
  EXPECT_TRUE(f.RadioButton1->isChecked());
  EXPECT_FALSE(f.RadioButton2->isChecked() || f.RadioButton3->isChecked());
  EXPECT_EQ(f.Image1->size(), QSize(133, 39));
  EXPECT_EQ(f.Image2->size(), QSize(222, 42));
  // The shipped layout stays as it was.
  EXPECT_TRUE(f.Button6->isVisible());
  EXPECT_TRUE(f.dk->isVisible());
}

TEST_F(PanelsTest, BoxesHaveTheirItemsSelectionsAndLimits) {
  TForm1& f = *w.Form1;
  struct Case {
    TComboBox* box;
    QStringList items;
    int index;
  } cases[] = {
      {f.cbs, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"}, 5},
      {f.tc,
       {"0:4800bps", "1:9600bps", "2:19200bps", "3:38400bps", "4:57600bps", "5:115200bps", "6:2400bps"},
       -1},
      {f.dc, {"Light", "Normal", "Dark"}, 1},
      {f.crc, {"启用", "禁用"}, 0},
      {f.bc, {"启用", "禁用"}, 0},
      {f.cdc, {"启用", "禁用"}, 0},
      {f.msc, {"EPSON ESC/POS", "STAR(Line/T)"}, 0},
      {f.fontc, {"启用小字体(9*17)", "禁用小字体(9*17)"}, 0},
      {f.ComboBox1, {"10 15 n t(十六进制）", "1B 42 n t(十六进制）"}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Items(c.box), c.items) << c.box->objectName().toStdString();
    EXPECT_EQ(c.box->ItemIndex(), c.index) << c.box->objectName().toStdString();
  }
  EXPECT_EQ(f.cbs->lineEdit()->maxLength(), 1);
  EXPECT_EQ(f.cst->maxLength(), 3);
  for (QLineEdit* e : {f.cs, f.bpe1, f.bpe2}) {
    EXPECT_EQ(e->maxLength(), 2);
    EXPECT_TRUE(e->isReadOnly());
  }
  EXPECT_FALSE(f.cs->isEnabled());
  // Panel check boxes bold, the panels' other controls plain, 14-pixel SimSun.
  EXPECT_TRUE(f.szt->font().bold());
  EXPECT_EQ(f.szt->font().pixelSize(), 14);
  EXPECT_EQ(f.szt->font().family(), QString::fromUtf8("宋体"));
  EXPECT_FALSE(f.ph->font().bold());
  EXPECT_EQ(f.ph->font().pixelSize(), 14);
  EXPECT_TRUE(f.bbn->font().bold());
}

TEST_F(PanelsTest, EachPanelBoxEnablesExactlyItsOwnControls) {
  std::set<std::string> all;
  for (const auto& p : kPanels)
    for (const char* c : p.controls) all.insert(c);
  auto enabled = [&] {
    std::set<std::string> on;
    for (const std::string& name : all)
      if (QWidget* c = Control(name.c_str()); c && c->isEnabled()) on.insert(name);
    return on;
  };
  EXPECT_TRUE(enabled().empty());
  for (const auto& p : kPanels) {
    auto* box = Control<QCheckBox>(p.box);
    ASSERT_NE(box, nullptr);
    box->click();
    EXPECT_EQ(enabled(), std::set<std::string>(p.controls.begin(), p.controls.end())) << p.box;
    box->click();
    EXPECT_TRUE(enabled().empty()) << p.box;
  }
  // Ticking in code runs the rule too, as the form's boxes do.
  w.Form1->CheckBox4->setChecked(true);
  EXPECT_TRUE(w.Form1->msb->isEnabled());
  EXPECT_FALSE(w.Form1->cs->isEnabled());
}

TEST_F(PanelsTest, TcbAndLcbSelectPortAndRateWithoutTheBaudHandler) {
  TForm1& f = *w.Form1;
  ASSERT_EQ(f.dk->ItemIndex(), kLPT1);
  ASSERT_EQ(f.sd->ItemIndex(), k19200);
  f.tcb->click();
  EXPECT_EQ(f.dk->ItemIndex(), kCOM3);
  EXPECT_EQ(f.dk->Text(), "COM3");
  EXPECT_EQ(f.sd->ItemIndex(), k9600);
  EXPECT_EQ(f.sd->Text(), "9600");
  EXPECT_EQ(f.cp.BaudRate(), 19200) << "a selection made in code runs no change handler";
  EXPECT_TRUE(f.tb->isEnabled() && f.tc->isEnabled());
  f.tcb->click();  // unticking leaves the selection
  EXPECT_EQ(f.dk->ItemIndex(), kCOM3);
  EXPECT_EQ(f.sd->ItemIndex(), k9600);
  EXPECT_FALSE(f.tb->isEnabled() || f.tc->isEnabled());

  f.dk->TypeText("Ethernet");
  f.lcb->click();
  EXPECT_EQ(f.dk->ItemIndex(), kCOM1);
  EXPECT_EQ(f.dk->Text(), "COM1");
  EXPECT_EQ(f.sd->ItemIndex(), k2400);
  f.lb->click();
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(w.ledf->isVisible());
  f.sd->PickItem(k19200);
  f.lcb->click();
  EXPECT_EQ(f.sd->ItemIndex(), k19200);
  EXPECT_FALSE(f.lb->isEnabled());
}

TEST_F(PanelsTest, LedButtonChecksTheShownPortAndRateTexts) {
  TForm1& f = *w.Form1;
  f.lcb->click();
  struct Case {
    const char* name;
    std::function<void()> set;
    const char* message;  // nullptr: the window opens
  } cases[] = {
      {"LPT1", [&] { f.dk->PickItem(kLPT1); }, "You must select Serial Port for TZ-R23III's LED Display!!"},
      {"typed com1", [&] { f.dk->TypeText("com1"); },
       "You must select Serial Port for TZ-R23III's LED Display!!"},
      {"COM2 at 9600",
       [&] {
         f.dk->PickItem(kCOM2);
         f.sd->PickItem(k9600);
       },
       "You must select 2400bps for TZ-R23III's LED Display!!"},
      {"COM2 at typed 2400x", [&] { f.sd->TypeText("2400x"); },
       "You must select 2400bps for TZ-R23III's LED Display!!"},
      {"typed COM9 at 2400",
       [&] {
         f.dk->TypeText("COM9");
         f.sd->PickItem(k2400);
       },
       nullptr},
  };
  for (const auto& c : cases) {
    w.ledf->hide();
    boxes.messages.clear();
    c.set();
    const std::string port = f.dk->Text(), rate = f.sd->Text();
    f.lb->click();
    if (c.message) {
      EXPECT_EQ(boxes.messages, std::vector<std::string>{c.message}) << c.name;
      EXPECT_FALSE(w.ledf->isVisible()) << c.name;
    } else {
      EXPECT_TRUE(boxes.messages.empty()) << c.name;
      EXPECT_TRUE(w.ledf->isVisible()) << c.name;
    }
    EXPECT_EQ(f.dk->Text(), port) << c.name;
    EXPECT_EQ(f.sd->Text(), rate) << c.name;
  }
}

TEST_F(PanelsTest, OpenersShowTheirWindowOnceAndBringItToTheFront) {
  TForm1& f = *w.Form1;
  f.show();
  for (QCheckBox* box : {f.dcb, f.nvcb, f.CheckBox7}) box->click();
  struct Case {
    QPushButton* button;
    QWidget* window;
  } cases[] = {{f.db, w.bmf.get()}, {f.nvd, w.nvf.get()}, {f.Button3, w.Form2.get()}};
  for (const auto& c : cases) {
    c.button->click();
    EXPECT_TRUE(c.window->isVisible()) << c.window->objectName().toStdString();
    EXPECT_TRUE(QTest::qWaitForWindowActive(c.window)) << c.window->objectName().toStdString();
  }
  // All three open; a second click on nvd brings the one NV logo window forward.
  f.nvd->click();
  EXPECT_TRUE(QTest::qWaitForWindowActive(w.nvf.get()));
  EXPECT_EQ(QApplication::activeWindow(), w.nvf.get());
  int nvWindows = 0;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->inherits("Tnvf")) ++nvWindows;
  EXPECT_EQ(nvWindows, 1);
  EXPECT_TRUE(w.bmf->isVisible() && w.Form2->isVisible());
  EXPECT_TRUE(f.isVisible());
}

TEST_F(PanelsTest, SpinnersKeepTheirBuddiesInRange) {
  TForm1& f = *w.Form1;
  struct Case {
    TUpDown* spinner;
    QLineEdit* buddy;
    int max;
    int start;
    QCheckBox* panel;
  } cases[] = {{f.UpDown3, f.cs, 30, 5, f.szt},
               {f.UpDown1, f.bpe1, 10, 3, f.bpck},
               {f.UpDown2, f.bpe2, 10, 2, f.bpck}};
  for (const auto& c : cases) {
    const std::string name = c.spinner->objectName().toStdString();
    EXPECT_EQ(c.spinner->Position(), c.start) << name;
    EXPECT_EQ(c.buddy->text().toInt(), c.start) << name;
    // A disabled spinner does not move.
    c.spinner->UpButton()->click();
    EXPECT_EQ(c.spinner->Position(), c.start) << name;
  }
  for (const auto& c : cases) {
    const std::string name = c.spinner->objectName().toStdString();
    if (!c.panel->isChecked()) c.panel->click();
    c.spinner->UpButton()->click();
    EXPECT_EQ(c.buddy->text().toStdString(), std::to_string(c.start + 1)) << name;
    for (int i = 0; i < c.max + 5; ++i) c.spinner->UpButton()->click();
    EXPECT_EQ(c.buddy->text().toStdString(), std::to_string(c.max)) << name;
    for (int i = 0; i < c.max + 5; ++i) c.spinner->DownButton()->click();
    EXPECT_EQ(c.buddy->text(), "0") << name;
    c.spinner->setProperty("position", 99);
    EXPECT_EQ(c.buddy->text().toStdString(), std::to_string(c.max)) << name;
    c.spinner->SetPosition(-4);
    EXPECT_EQ(c.buddy->text(), "0") << name;
  }
  // cs follows its spinner although the edit itself stays disabled.
  EXPECT_FALSE(f.cs->isEnabled());
}

TEST_F(PanelsTest, RadioButtonsFormOneGroup) {
  TForm1& f = *w.Form1;
  f.RadioButton3->click();
  EXPECT_TRUE(f.RadioButton3->isChecked());
  EXPECT_FALSE(f.RadioButton1->isChecked() || f.RadioButton2->isChecked());
  f.RadioButton2->click();
  EXPECT_FALSE(f.RadioButton1->isChecked() || f.RadioButton3->isChecked());
}

TEST_F(PanelsTest, HiddenButtonsIgnoreTheirAcceleratorKeys) {
  const fs::path lpt1 = fs::temp_directory_path() / ("printset-keys-" + std::to_string(getpid()));
  std::ofstream(lpt1).flush();
  Devices().Set("LPT1", lpt1.string());
  TForm1& f = *w.Form1;
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  QWidget* hidden = f.findChild<QWidget*>("hiddenControls");
  ASSERT_NE(hidden, nullptr);
  auto pressed = [&](Qt::Key key) {
    std::ofstream(lpt1).flush();
    QTest::keyClick(&f, key, Qt::AltModifier);
    // A button's accelerator clicks it after a short animation: wait it out.
    QTest::qWait(300);
    return fs::file_size(lpt1);
  };
  struct Case {
    Qt::Key key;
    uintmax_t sentWhenShown;  // print test, drawer, cutter
  } cases[] = {{Qt::Key_P, 218}, {Qt::Key_O, 6}, {Qt::Key_C, 4}};
  for (const auto& c : cases) {
    EXPECT_EQ(pressed(c.key), 0u) << c.key;
    // Shown, the same button takes the key: so the key did arrive.
    hidden->show();
    EXPECT_EQ(pressed(c.key), c.sentWhenShown) << c.key;
    hidden->hide();
  }
  EXPECT_TRUE(boxes.errors.empty());
  Devices().Set("LPT1", "/nonexistent/printset-test/LPT1");
  fs::remove(lpt1);
}

TEST_F(PanelsTest, ExitButtonClosesTheMainWindow) {
  TForm1& f = *w.Form1;
  f.show();
  ASSERT_TRUE(f.isVisible());
  f.QButton->click();
  EXPECT_FALSE(f.isVisible());
}

// The main window's visible controls, start-up state and clock.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/application.h"
#include "app/clock_text.h"
#include "app/qt_dialogs.h"
#include "tests/support/recording_dialogs.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"

namespace {
QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}
}  // namespace

TEST(Startup, CreatesTheFiveWindowsWithTheirCaptions) {
  Windows w;
  EXPECT_EQ(w.Form1->windowTitle(), QString::fromUtf8("Print speed set program V1.0"));
  EXPECT_EQ(w.bmf->windowTitle(), QString::fromUtf8("TZ D4针打黑标定位偏移量设置/演示"));
  EXPECT_EQ(w.ledf->windowTitle(), QString::fromUtf8("TZ-R23III LED显示演示"));
  EXPECT_EQ(w.nvf->windowTitle(), QString::fromUtf8("TZ W6 NV Logo 演示"));
  EXPECT_EQ(w.Form2->windowTitle(), QString::fromUtf8("TZ 串口型号打印机状态检测"));
  for (QWidget* secondary : {static_cast<QWidget*>(w.bmf.get()), static_cast<QWidget*>(w.ledf.get()),
                             static_cast<QWidget*>(w.nvf.get()), static_cast<QWidget*>(w.Form2.get())})
    EXPECT_FALSE(secondary->isVisible());
  EXPECT_EQ(w.Form1->Link().noticeText, "NOTICE:Please select the correct communication port!");
}

TEST(MainWindow, VisibleControlsHaveTheirNamesItemsAndStartValues) {
  Windows w;
  TForm1& f = *w.Form1;
  EXPECT_EQ(f.size(), QSize(558, 357));
  const Qt::WindowFlags flags = f.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

  EXPECT_EQ(Items(f.dk), QStringList({"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
                                      "COM8", "Ethernet"}));
  EXPECT_EQ(f.dk->ItemIndex(), 0);
  EXPECT_EQ(f.dk->maxVisibleItems(), 15);
  EXPECT_EQ(Items(f.sd), QStringList({"2400", "4800", "9600", "19200", "38400", "57600", "115200"}));
  EXPECT_EQ(f.sd->ItemIndex(), 3);
  EXPECT_EQ(Items(f.Autocb), QStringList({"250mm/s", "300mm/s"}));
  EXPECT_EQ(f.Autocb->ItemIndex(), 0);
  EXPECT_EQ(f.Autocb->maxVisibleItems(), 20);
  EXPECT_EQ(f.IPE->IPString(), kFactoryDefaultAddress);
  EXPECT_EQ(f.IPE->size(), QSize(177, 28));
  EXPECT_EQ(f.Button6->text(), "Set Print Speed");
  EXPECT_EQ(f.Button7->text(), "Close");
  EXPECT_EQ(f.Button5->text(), "Auto disconnect mode OFF");
  EXPECT_EQ(f.cp.Port(), "COM1");
  EXPECT_EQ(f.cp.BaudRate(), 19200);
  EXPECT_TRUE(f.Timer1->isActive());
  EXPECT_EQ(f.Timer1->interval(), 1000);

  // Each title label is the buddy of its box, so tools find "Select Port:".
  struct {
    const char* label;
    const char* caption;
    QWidget* buddy;
  } titles[] = {{"Label1", "Select Port:", f.dk}, {"Label4", "Select Baudrate:", f.sd},
                {"Label16", "IP Address:", f.IPE}};
  for (const auto& t : titles) {
    auto* label = f.findChild<QLabel*>(t.label);
    ASSERT_NE(label, nullptr) << t.label;
    EXPECT_EQ(label->text(), t.caption);
    EXPECT_EQ(label->buddy(), t.buddy);
  }
  for (const char* name : {"dk", "sd", "IPE", "Autocb", "Button6", "Button7", "StatusBar1", "Button5"})
    EXPECT_NE(f.findChild<QWidget*>(name), nullptr) << name;
}

TEST(MainWindow, OnlyTheShippedControlsAreShown) {
  Windows w;
  w.Form1->show();
  EXPECT_TRUE(w.Form1->Button6->isVisible());
  EXPECT_TRUE(w.Form1->StatusBar1->isVisible());
  EXPECT_FALSE(w.Form1->Button5->isVisible());
}

TEST(ComboBox, ATypedTextSelectsNoItemUntilOneIsPicked) {
  Windows w;
  TComboBox* dk = w.Form1->dk;
  dk->setFocus();
  QTest::keyClicks(dk->lineEdit(), "9");
  EXPECT_EQ(dk->Text(), "LPT19");
  EXPECT_EQ(dk->ItemIndex(), -1);
  EXPECT_EQ(dk->ItemText(), "");
  dk->PickItem(0);  // the item that was current before the typing
  EXPECT_EQ(dk->ItemIndex(), 0);
  EXPECT_EQ(dk->Text(), "LPT1");
  dk->TypeText("COM3");  // matches an item, still typed
  EXPECT_EQ(dk->ItemIndex(), -1);
  dk->SetItemIndex(4);
  EXPECT_EQ(dk->ItemIndex(), 4);


  // Neither Enter nor leaving the box turns a typed item text into a pick.
  dk->PickItem(0);
  dk->lineEdit()->selectAll();
  QTest::keyClicks(dk->lineEdit(), "COM3");
  QTest::keyClick(dk->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(dk->ItemIndex(), -1);
  emit dk->lineEdit()->editingFinished();
  EXPECT_EQ(dk->ItemIndex(), -1);
  EXPECT_EQ(dk->Text(), "COM3");
  EXPECT_EQ(dk->Text(), "COM3");
}

TEST(MainWindow, BaudBoxChangeSetsTheRateWithoutOpeningThePort) {
  Windows w;
  TForm1& f = *w.Form1;
  int changes = 0;
  auto previous = f.sd->OnChange;
  f.sd->OnChange = [&] {
    ++changes;
    previous();
  };
  f.sd->PickItem(6);
  EXPECT_EQ(f.cp.BaudRate(), 115200);
  f.sd->TypeText("12345");
  EXPECT_EQ(f.cp.BaudRate(), 9600);
  f.sd->TypeText("14400");
  EXPECT_EQ(f.cp.BaudRate(), 14400);
  EXPECT_FALSE(f.cp.Connected());
  EXPECT_EQ(changes, 3);
  // A selection made in code runs no change handler.
  f.sd->SetItemIndex(0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(f.cp.BaudRate(), 14400);
}

TEST(StatusBar, ShowsDateAndTimeAtOnceAndLeavesTheThirdPanelEmpty) {
  Windows w;
  TForm1& f = *w.Form1;
  const QLocale locale = QLocale::system();
  EXPECT_EQ(f.StatusPanels[0]->text(), DateText(locale, QDate::currentDate()));
  EXPECT_FALSE(f.StatusPanels[1]->text().isEmpty());
  EXPECT_TRUE(f.StatusPanels[2]->text().isEmpty());
  EXPECT_EQ(f.StatusPanels[0]->width(), 200);
  EXPECT_EQ(f.StatusPanels[1]->width(), 200);
  EXPECT_EQ(f.StatusPanels[2]->width(), 50);
  EXPECT_EQ(f.StatusPanels[0]->alignment(), Qt::AlignCenter);
  EXPECT_EQ(f.StatusBar1->font().family(), "Arial");
  EXPECT_EQ(f.StatusBar1->font().pointSize(), 14);
  const QString before = f.StatusPanels[1]->text();
  QTest::qWait(1100);
  EXPECT_NE(f.StatusPanels[1]->text(), before);
}

TEST(ClockText, TimeFollowsTheRegionalPattern) {
  struct Case {
    const char* shortPattern;
    const char* pattern;
  } cases[] = {
      {"HH:mm", "HH:mm:ss"},          // 24 hours, padded
      {"H:mm", "H:mm:ss"},            // 24 hours, not padded
      {"h:mm AP", "h:mm:ss AP"},      // 12 hours, designator after
      {"AP h:mm", "AP h:mm:ss"},      // designator before
      {"hh.mm", "HH.mm.ss"},          // no designator: a 24-hour clock
  };
  for (const auto& c : cases) EXPECT_EQ(TimePatternFrom(c.shortPattern), c.pattern) << c.shortPattern;
  EXPECT_EQ(TimeText(QLocale(QLocale::English, QLocale::UnitedStates), QTime(9, 5, 7)), "9:05:07 AM");
  EXPECT_EQ(TimeText(QLocale(QLocale::German, QLocale::Germany), QTime(9, 5, 7)), "09:05:07");
}

TEST(QtDialogs, FormFilterBecomesAQtFilterInEitherCase) {
  EXPECT_EQ(QtNameFilter("位图文件（*.Bmp)"), QString::fromUtf8("位图文件（*.Bmp) (*.Bmp *.bmp *.BMP)"));
}

// The LED display window through its real controls.
#include <QTest>
#include <chrono>

#include "core/bytes.h"
#include "tests/demos/demo_fixture.h"
#include "tests/support/pty_pair.h"

using namespace demotest;
using namespace std::chrono_literals;

namespace {
class LedfTest : public DemoWindowTest {
 protected:
  void SetUp() override {
    DemoWindowTest::SetUp();
    w.ledf->show();
  }
  Tledf& f() { return *w.ledf; }
};

TEST_F(LedfTest, EachButtonSendsItsCommand) {
  struct Case {
    QPushButton* button;
    const char* bytes;
  } cases[] = {
      {f().Button2, "1B 73 31"},
      {f().Button3, "1B 73 32"},
      {f().Button4, "1B 51 41 31 32 33 34 35 36 37 38 0D"},  // the start text
      {f().Button5, "0C"},
      {f().Button6, "18"},
      {f().Button7, "1B 40"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button->objectName().toStdString());
    WriteFile(lpt1_, "");
    c.button->click();
    EXPECT_EQ(HexDump(Sent()), c.bytes);
  }
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
}

TEST_F(LedfTest, AmountIsSentAsTypedInGbkUpToNineCharacters) {
  f().Edit1->clear();
  f().Button4->click();
  EXPECT_EQ(HexDump(Sent()), "1B 51 41 0D");

  QTest::keyClicks(f().Edit1, "1234567890");
  EXPECT_EQ(f().Edit1->text(), "123456789");
  f().Button4->click();
  EXPECT_EQ(HexDump(Sent()), "1B 51 41 31 32 33 34 35 36 37 38 39 0D");

  f().Edit1->clear();
  f().Edit1->insert(QString::fromUtf8("￥12.5"));  // typed through an input method
  f().Button4->click();
  EXPECT_EQ(HexDump(Sent()), "1B 51 41 A3 A4 31 32 2E 35 0D");
}

TEST_F(LedfTest, SecondParallelPortIsServedToo) {
  const fs::path lpt2 = dir_ / "lpt2";
  WriteFile(lpt2, "");
  Devices().Set("LPT2", lpt2.string());
  w.Form1->dk->SetItemIndex(1);
  f().Button7->click();
  EXPECT_EQ(HexDump(ReadFile(lpt2)), "1B 40");
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
}

TEST_F(LedfTest, SerialSendsAreOneEachAtTheShownRate) {
  PtyPair display;
  Devices().Set("COM3", display.SlavePath());
  w.Form1->dk->SetItemIndex(kCOM3);
  w.Form1->sd->SetItemIndex(0);  // 2400, the display's rate
  f().Button2->click();
  f().Button3->click();
  EXPECT_EQ(HexDump(display.Read(2000ms, 6)), "1B 73 31 1B 73 32");
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
  const termios t = display.SlaveSettings();
  EXPECT_EQ(cfgetospeed(&t), B2400);
  EXPECT_FALSE(w.Form1->cp.Connected());
}

TEST_F(LedfTest, ClosingHidesTheWindowAndKeepsTheAmount) {
  f().Edit1->setText("42");
  f().Button1->click();
  EXPECT_FALSE(f().isVisible());
  f().show();
  EXPECT_EQ(f().Edit1->text(), "42");
}

TEST_F(LedfTest, OpensFromTheMainWindowAndUsesThePortOfTheMoment) {
  f().hide();
  w.Form1->lcb->click();
  w.Form1->dk->SetItemIndex(kCOM3);
  w.Form1->sd->SetItemIndex(0);  // 2400
  w.Form1->lb->click();
  ASSERT_TRUE(f().isVisible());
  // The window does not repeat the main window's test.
  w.Form1->dk->SetItemIndex(kLPT1);
  f().Button5->click();
  EXPECT_EQ(HexDump(Sent()), "0C");
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
}
}  // namespace

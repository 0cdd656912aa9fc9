// The black-mark offset window through its real controls.
#include <QTest>
#include <chrono>

#include "core/bytes.h"
#include "demos/blackmark.h"
#include "tests/demos/demo_fixture.h"
#include "tests/support/tcp_listener.h"

using namespace demotest;
using namespace std::chrono_literals;

namespace {
const char* const kHeader = "1D 54 1D 28 46 04 00";

class BmfTest : public DemoWindowTest {
 protected:
  void SetUp() override {
    DemoWindowTest::SetUp();
    w.bmf->show();
  }
  // Types the value into the edit as the user would and clicks the button.
  void Enter(QLineEdit* edit, const QString& text, QPushButton* button) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    button->click();
  }
  Tbmf& f() { return *w.bmf; }
};

TEST_F(BmfTest, ForwardPrintStartTurnsTheWorkedValuesIntoUnits) {
  struct Case {
    const char* mm;
    const char* nL;
    const char* nH;
    const char* bytes;  // bytes 10 and 11
  } cases[] = {
      {"0", "0", "0", "00 00"},       {"10", "57", "0", "39 00"},       {"25.4", "144", "0", "90 00"},
      {"50", "27", "1", "1B 01"},     {"100", "55", "2", "37 02"},      {"0.2646", "2", "0", "02 00"},
      {"0.441", "2", "0", "02 00"},   {"150", "82", "3", "52 03"},      {"-5", "-28", "0", "E4 00"},
      {"-100", "-55", "-2", "C9 FE"}, {"20000", "227", "442", "E3 BA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mm);
    WriteFile(lpt1_, "");
    Enter(f().Edit1, Decimal(c.mm), f().Button2);
    EXPECT_EQ(HexDump(Sent()), std::string(kHeader) + " 01 00 " + c.bytes);
    EXPECT_EQ(f().Edit5->text().toStdString(), c.nL);
    EXPECT_EQ(f().Edit6->text().toStdString(), c.nH);
  }
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(BmfTest, BackwardButtonsTakeAtMost100Millimetres) {
  Enter(f().Edit2, Decimal("100"), f().Button3);
  EXPECT_EQ(HexDump(Sent()), std::string(kHeader) + " 01 01 37 02");
  Enter(f().Edit4, Decimal("-5"), f().Button5);
  EXPECT_EQ(HexDump(Sent()), std::string(kHeader) + " 02 01 E4 00");
  ASSERT_TRUE(boxes.messages.empty());

  WriteFile(lpt1_, "untouched");
  Enter(f().Edit2, Decimal("100.5"), f().Button3);
  Enter(f().Edit4, Decimal("100.5"), f().Button5);
  EXPECT_EQ(boxes.messages, (std::vector<std::string>{kBackFeedTooLong, kBackFeedTooLong}));
  EXPECT_EQ(Sent(), "untouched");
  EXPECT_EQ(f().Edit5->text(), "-28");
  EXPECT_EQ(f().Edit6->text(), "0");
  EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(BmfTest, CutTearForwardGoesOutAsTwoSeparateSends) {
  TcpListener printer;
  UseListener(printer.Port());
  Enter(f().Edit3, Decimal("10"), f().Button4);
  ASSERT_TRUE(printer.WaitForClosed(2, 3000ms));
  const std::string command = std::string(kHeader) + " 02 00 39 00";
  const auto received = printer.Received();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(HexDump(received[0]), command);
  EXPECT_EQ(HexDump(received[1]), command);
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(BmfTest, ATextThatIsNoNumberOrTooLargeSendsNothing) {
  Enter(f().Edit1, Decimal("10"), f().Button2);
  WriteFile(lpt1_, "untouched");
  Enter(f().Edit1, "", f().Button2);
  Enter(f().Edit3, "abc", f().Button4);
  // 1e12 mm is far more motion units than 32 bits hold.
  Enter(f().Edit1, "1e12", f().Button2);
  Enter(f().Edit2, "-1e12", f().Button3);
  EXPECT_EQ(boxes.errors,
            (std::vector<std::string>{
                "'' is not a valid floating point value.", "'abc' is not a valid floating point value.",
                std::string(kOffsetOutOfRange) + ".", std::string(kOffsetOutOfRange) + "."}));
  EXPECT_EQ(Sent(), "untouched");
  EXPECT_EQ(f().Edit5->text(), "57");
  EXPECT_EQ(f().Edit6->text(), "0");
}

TEST_F(BmfTest, DemonstrationsSendTheirTextsInGbk) {
  // 开始打印, LF, the second line, ESC d 5, LF, 1D 54, then the feed.
  const std::string start = "BF AA CA BC B4 F2 D3 A1 0A ";
  const std::string tail = " 1B 64 05 0A 1D 54 ";
  f().Button6->click();
  std::string sent = Sent();
  EXPECT_EQ(sent.size(), 46u);
  EXPECT_EQ(HexDump(sent),
            start + "C8 BB BA F3 D7 DF D6 BD B5 BD CF C2 D2 BB B8 F6 C6 F0 CA BC B4 F2 D3 A1 CE BB D6 C3" +
                tail + "1D 0C 0D");
  f().Button7->click();
  sent = Sent();
  EXPECT_EQ(sent.size(), 46u);
  EXPECT_EQ(HexDump(sent),
            start + "C8 BB BA F3 D7 DF D6 BD B5 BD CF C2 D2 BB B8 F6 C7 D0 2F CB BA D6 BD CE BB D6 C3" +
                tail + "1D 56 42 0D");
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
}

TEST_F(BmfTest, NoSelectedPortSendsNothingAndSaysNothing) {
  WriteFile(lpt1_, "untouched");
  w.Form1->dk->TypeText("LPT1");
  Enter(f().Edit1, Decimal("10"), f().Button2);
  f().Button6->click();
  EXPECT_EQ(Sent(), "untouched");
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(boxes.errors.empty());
  // The edits are written before the send.
  EXPECT_EQ(f().Edit5->text(), "57");
}

TEST_F(BmfTest, OpensFromTheMainWindowsBlackMarkButton) {
  f().hide();
  w.Form1->dcb->click();
  w.Form1->db->click();
  ASSERT_TRUE(f().isVisible());
  Enter(f().Edit4, Decimal("25.4"), f().Button5);
  EXPECT_EQ(HexDump(Sent()), std::string(kHeader) + " 02 01 90 00");
  f().Button1->click();
  EXPECT_FALSE(f().isVisible());
  w.Form1->db->click();
  EXPECT_TRUE(f().isVisible());
  EXPECT_EQ(f().Edit4->text(), Decimal("25.4"));
}
}  // namespace

#include "widgets/ipedit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "tests/support/recording_dialogs.h"

namespace {

// The window around the control; keys that a field leaves alone reach it.
class RecordingWindow : public QWidget {
 public:
  std::vector<int> keys;

 protected:
  void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
};

class IPEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(420, 60);
    before = new QLineEdit(&window);
    before->setGeometry(0, 0, 60, 24);
    ipe = new TIPEdit(&window);
    ipe->setGeometry(70, 0, 177, 28);
    after = new QLineEdit(&window);
    after->setGeometry(260, 0, 60, 24);
    ipe->OnChange = [this](QObject* sender) { changes.push_back(sender); };
    ipe->OnError = [this](QObject* sender, int field) { errors.emplace_back(sender, field); };
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  TIPFieldEdit* F(int i) { return ipe->Field(i); }

  // Focus into field i the way a user gets there: into the control, then across.
  void Focus(int i) {
    before->setFocus();
    ipe->setFocus();
    ASSERT_EQ(ipe->FocusedFieldIndex(), 0);
    F(i)->setFocus();
    ASSERT_TRUE(F(i)->hasFocus());
  }

  std::vector<QString> Texts() {
    std::vector<QString> t;
    for (int i = 0; i < 4; ++i) t.push_back(F(i)->text());
    return t;
  }

  RecordingWindow window;
  QLineEdit* before = nullptr;
  TIPEdit* ipe = nullptr;
  QLineEdit* after = nullptr;
  std::vector<QObject*> changes;
  std::vector<std::pair<QObject*, int>> errors;
};

TEST(TIPEditNew, StartsAtZeroWithItsDefaults) {
  TIPEdit ipe;
  EXPECT_EQ(ipe.size(), QSize(125, 21));
  EXPECT_EQ(ipe.IPString(), "0.0.0.0");
  EXPECT_FALSE(ipe.Error());
  EXPECT_FALSE(ipe.ReadOnly());
  EXPECT_TRUE(ipe.TabStop());
  EXPECT_EQ(ipe.BorderStyle(), TIPEdit::TBorderStyle::bsSingle);
  EXPECT_EQ(ipe.cursor().shape(), Qt::IBeamCursor);
  EXPECT_TRUE(ipe.font().bold());
  EXPECT_EQ(ipe.FontPointSize(), 9);
  EXPECT_EQ(ipe.FontPixelHeight(), 12);
  for (int i = 0; i < 4; ++i) {
    TIPFieldEdit* f = ipe.Field(i);
    EXPECT_EQ(f->text(), "0") << i;
    EXPECT_EQ(f->Value(), 0) << i;
    EXPECT_EQ(f->maxLength(), 3) << i;
    EXPECT_FALSE(f->hasFrame()) << i;
    EXPECT_TRUE(f->alignment() & Qt::AlignHCenter) << i;
    EXPECT_EQ(f->cursor().shape(), Qt::IBeamCursor) << i;
    EXPECT_EQ(f->objectName(), QString("TIPFieldEdit%1").arg(i));
    EXPECT_FALSE(f->accessibleName().isEmpty()) << i;
    EXPECT_EQ(ipe.findChild<TIPFieldEdit*>(f->objectName()), f);
  }
}

// The addresses here are only texts for the control to parse: this test
// program opens no socket.
TEST_F(IPEditTest, WritingIPStringSetsAllFourOctetsOrNone) {
  struct Case {
    const char* text;
    const char* reads;
    std::vector<QString> shows;
  } cases[] = {
      {"10.0.0.7", "10.0.0.7", {"10", "0", "0", "7"}},
      {"10.0.0.300", "10.0.0.255", {"10", "0", "0", "255"}},
      {"1.2.3", "9.8.7.6", {"9", "8", "7", "6"}},
      {"", "9.8.7.6", {"9", "8", "7", "6"}},
      {"1.2.3.4.5", "1.2.3.4", {"1", "2", "3", "4"}},
      {"$A.0x0B.x0c. 7", "10.11.12.7", {"10", "11", "12", "7"}},
      {"+1.-0.007.2", "1.0.7.2", {"1", "0", "7", "2"}},
      {"-1.256.abc.", "255.255.255.255", {"255", "255", "255", "255"}},
      {"1..3.4", "1.255.3.4", {"1", "255", "3", "4"}},
      // The comma spoils the first octet and uses up a dot: three parts left.
      {"1,2.3.4", "9.8.7.6", {"9", "8", "7", "6"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ipe->SetIPString("9.8.7.6");
    ipe->SetIPString(c.text);
    EXPECT_EQ(ipe->IPString(), c.reads);
    EXPECT_EQ(Texts(), c.shows);
  }
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(errors.empty());
}

TEST_F(IPEditTest, WritingIPStringIntoTheFocusedFieldDoesNotMoveOn) {
  Focus(1);
  ipe->SetIPString("192.168.123.100");
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
  EXPECT_TRUE(changes.empty());
}

TEST_F(IPEditTest, TypingANewValueRaisesOnChangeWithTheParentAsSender) {
  Focus(1);
  F(1)->selectAll();
  QTest::keyClick(F(1), Qt::Key_0);  // same value: no change
  EXPECT_TRUE(changes.empty());
  QTest::keyClick(F(1), Qt::Key_5);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], &window);
  EXPECT_EQ(ipe->IPString(), "0.5.0.0");
}

TEST_F(IPEditTest, LeadingZerosStayShownButNotReported) {
  Focus(2);
  F(2)->selectAll();
  QTest::keyClicks(F(2), "007");
  EXPECT_EQ(F(2)->text(), "007");
  EXPECT_EQ(F(2)->Value(), 7);
  EXPECT_EQ(ipe->IPString(), "0.0.7.0");
  EXPECT_EQ(changes.size(), 1u);
}

TEST_F(IPEditTest, OutOfRangeTextBecomes255AfterOnError) {
  bool errorSeen = false;
  std::string addressSeen;
  ipe->OnError = [&](QObject* sender, int field) {
    errors.emplace_back(sender, field);
    errorSeen = ipe->Error();
    addressSeen = ipe->IPString();
  };
  ipe->SetIPString("1.9.3.4");
  Focus(1);
  F(1)->selectAll();
  QTest::keyClicks(F(1), "256");

  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], std::make_pair(static_cast<QObject*>(&window), 1));
  EXPECT_TRUE(errorSeen);
  EXPECT_EQ(addressSeen, "255");
  EXPECT_EQ(F(1)->text(), "255");
  EXPECT_EQ(F(1)->Value(), 255);
  EXPECT_FALSE(F(1)->IsError());
  EXPECT_FALSE(ipe->Error());
  EXPECT_EQ(ipe->IPString(), "1.255.3.4");
  // 2, 25, then the replacement 255.
  EXPECT_EQ(changes.size(), 3u);
  // A replaced text is no finished entry: the caret stays in the field.
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
}

TEST_F(IPEditTest, PastedLettersBecome255) {
  QGuiApplication::clipboard()->setText("ab");
  Focus(2);
  F(2)->selectAll();
  QTest::keyClick(F(2), Qt::Key_Insert, Qt::ShiftModifier);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].second, 2);
  EXPECT_EQ(F(2)->text(), "255");
  EXPECT_EQ(ipe->IPString(), "0.0.255.0");
}

TEST_F(IPEditTest, AnErrorRaisedByAHandlerIsShownAndTheCheckFinishes) {
  RecordingDialogs dialogs;
  ipe->OnError = [](QObject*, int) { throw AppError("Bad octet"); };
  Focus(0);
  F(0)->selectAll();
  QTest::keyClicks(F(0), "999");
  EXPECT_EQ(dialogs.errors, std::vector<std::string>{"Bad octet."});
  EXPECT_EQ(F(0)->text(), "255");
  EXPECT_EQ(ipe->IPString(), "255.0.0.0");
}

TEST_F(IPEditTest, ThreeDigitsMoveOnWithTheNextFieldSelected) {
  ipe->SetIPString("0.168.0.0");
  Focus(0);
  F(0)->selectAll();
  QTest::keyClicks(F(0), "192");
  EXPECT_EQ(F(0)->text(), "192");
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
  EXPECT_EQ(F(1)->selectedText(), "168");
  QTest::keyClick(F(1), Qt::Key_1);
  EXPECT_EQ(ipe->IPString(), "192.1.0.0");
}

TEST_F(IPEditTest, DotMovesOnOnlyFromAFilledFieldWithoutSelection) {
  Focus(0);
  F(0)->selectAll();
  QTest::keyClicks(F(0), "1.");
  EXPECT_EQ(F(0)->text(), "1");
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
  EXPECT_EQ(F(1)->selectedText(), "0");

  QTest::keyClick(F(1), Qt::Key_Period);  // text selected
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
  QTest::keyClick(F(1), Qt::Key_Backspace);
  ASSERT_EQ(F(1)->text(), "");
  QTest::keyClick(F(1), Qt::Key_Period);  // empty
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
  EXPECT_EQ(F(1)->text(), "");
}

TEST_F(IPEditTest, NonDigitCharactersAreDiscarded) {
  Focus(0);
  ipe->PlaceCaret(0, 1);
  QTest::keyClicks(F(0), "a Z-/+$x,;");
  QTest::keyClick(F(0), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(F(0)->text(), "0");
  EXPECT_EQ(F(0)->CaretColumn(), 1);
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(changes.empty());
  // The Control key itself goes by as usual; none of the characters does.
  std::erase(window.keys, Qt::Key_Control);
  EXPECT_TRUE(window.keys.empty());
}

TEST_F(IPEditTest, EditingKeysWorkAsUsual) {
  ipe->SetIPString("123.0.0.0");
  Focus(0);
  ipe->PlaceCaret(0, 0);
  QTest::keyClick(F(0), Qt::Key_Delete);
  EXPECT_EQ(F(0)->text(), "23");
  QTest::keyClick(F(0), Qt::Key_End);
  QTest::keyClick(F(0), Qt::Key_Backspace);
  EXPECT_EQ(F(0)->text(), "2");
  // Enter is not the field's: it goes on to the window.
  QTest::keyClick(F(0), Qt::Key_Return);
  EXPECT_EQ(window.keys, std::vector<int>{Qt::Key_Return});
}

TEST_F(IPEditTest, BackspaceAtTheStartOfAFieldGoesToTheEndOfThePreviousOne) {
  ipe->SetIPString("1.23.4.5");
  Focus(2);
  ipe->PlaceCaret(2, 0);
  QTest::keyClick(F(2), Qt::Key_Backspace);
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
  EXPECT_EQ(F(1)->CaretColumn(), 2);
  EXPECT_EQ(Texts(), (std::vector<QString>{"1", "23", "4", "5"}));
  QTest::keyClick(F(1), Qt::Key_Backspace);
  EXPECT_EQ(F(1)->text(), "2");
}

TEST_F(IPEditTest, ArrowsCrossFieldsAtTheEdgesAndStopAtTheEnds) {
  ipe->SetIPString("1.23.4.5");
  Focus(0);
  ipe->PlaceCaret(0, 0);
  QTest::keyClick(F(0), Qt::Key_Left);  // start of field 0: consumed
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);
  EXPECT_EQ(F(0)->CaretColumn(), 0);

  QTest::keyClick(F(0), Qt::Key_Right);  // inside the text: as usual
  EXPECT_EQ(F(0)->CaretColumn(), 1);
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);
  QTest::keyClick(F(0), Qt::Key_Right);  // at the end: on to field 1, caret first
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
  EXPECT_EQ(F(1)->CaretColumn(), 0);
  EXPECT_FALSE(F(1)->hasSelectedText());

  QTest::keyClick(F(1), Qt::Key_Left);  // back to the end of field 0
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);
  EXPECT_EQ(F(0)->CaretColumn(), 1);

  F(3)->setFocus();
  F(3)->selectAll();
  QTest::keyClick(F(3), Qt::Key_Right);  // end of field 3: consumed, selection gone
  EXPECT_EQ(ipe->FocusedFieldIndex(), 3);
  EXPECT_FALSE(F(3)->hasSelectedText());
  EXPECT_TRUE(window.keys.empty());
}

TEST_F(IPEditTest, FocusEnteringFromOutsideLandsInFieldZero) {
  ipe->SetIPString("1.2.3.4");
  before->setFocus();
  ipe->setFocus();
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);

  before->setFocus();
  F(2)->setFocus();
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);

  before->setFocus();
  QTest::mouseClick(F(3), Qt::LeftButton);
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);

  after->setFocus();
  QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);
  EXPECT_EQ(F(0)->selectedText(), "1");

  // Within the control the focus goes where it is sent.
  F(2)->setFocus();
  EXPECT_EQ(ipe->FocusedFieldIndex(), 2);
}

TEST_F(IPEditTest, TabWalksTheFieldsInOrder) {
  before->setFocus();
  QTest::keyClick(before, Qt::Key_Tab);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ipe->FocusedFieldIndex(), i);
    QTest::keyClick(F(i), Qt::Key_Tab);
  }
  EXPECT_TRUE(after->hasFocus());

  ipe->SetTabStop(false);
  before->setFocus();
  QTest::keyClick(before, Qt::Key_Tab);
  EXPECT_TRUE(after->hasFocus());
  EXPECT_EQ(F(2)->focusPolicy(), Qt::ClickFocus);
}

TEST_F(IPEditTest, ClickOnTheSurfaceFocusesFieldZeroOnlyFromOutside) {
  const QPoint surface(3, 3);  // inside the border, left of field 0
  before->setFocus();
  QTest::mouseClick(ipe, Qt::LeftButton, {}, surface);
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);

  F(2)->setFocus();
  QTest::mouseClick(ipe, Qt::LeftButton, {}, surface);
  EXPECT_EQ(ipe->FocusedFieldIndex(), 2);
}

TEST_F(IPEditTest, FocusMovesSelectOrPlaceTheCaret) {
  ipe->SetIPString("1.234.56.7");
  Focus(1);
  ipe->FocusNextField(true);
  EXPECT_EQ(ipe->FocusedFieldIndex(), 2);
  EXPECT_EQ(F(2)->selectedText(), "56");
  ipe->FocusPrevField(false);
  EXPECT_EQ(ipe->FocusedFieldIndex(), 1);
  EXPECT_EQ(F(1)->CaretColumn(), 3);
  ipe->FocusPrevField(false);
  ipe->FocusPrevField(false);  // nothing left of field 0
  EXPECT_EQ(ipe->FocusedFieldIndex(), 0);

  before->setFocus();
  ipe->FocusNextField(true);  // no field has the focus
  EXPECT_TRUE(before->hasFocus());
  EXPECT_EQ(ipe->FocusedFieldIndex(), -1);
}

TEST_F(IPEditTest, AnEmptiedFieldKeepsItsValue) {
  ipe->SetIPString("1.2.37.4");
  Focus(2);
  F(2)->selectAll();
  QTest::keyClick(F(2), Qt::Key_Backspace);
  EXPECT_EQ(F(2)->text(), "");
  EXPECT_EQ(ipe->IPString(), "1.2.37.4");
  EXPECT_TRUE(changes.empty());
}

TEST_F(IPEditTest, ReadOnlyCursorColourAndFontReachTheFields) {
  ipe->SetReadOnly(true);
  EXPECT_TRUE(ipe->ReadOnly());
  Focus(0);
  ipe->PlaceCaret(0, 1);
  QTest::keyClick(F(0), Qt::Key_5);
  EXPECT_EQ(F(0)->text(), "0");

  ipe->setCursor(Qt::ArrowCursor);
  ipe->SetColor(Qt::yellow);
  ipe->SetFontColor(Qt::red);
  QFont font("Arial");
  font.setPointSize(12);
  ipe->setFont(font);
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(F(i)->isReadOnly());
    EXPECT_EQ(F(i)->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(F(i)->palette().color(QPalette::Base), QColor(Qt::yellow));
    EXPECT_EQ(F(i)->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(F(i)->font().pointSize(), 12);
  }
}

TEST(TIPEditLayout, MainWindowInstancePlacesFieldsAndDots) {
  QWidget window;
  auto* ipe = new TIPEdit(&window);
  ipe->resize(177, 28);
  window.show();
  QFont font("Arial");
  font.setBold(true);
  font.setPointSize(12);
  ipe->setFont(font);  // the font change re-arranges
  ASSERT_EQ(ipe->FontPixelHeight(), 16);
  for (int i = 0; i < 4; ++i) {
    const QRect expected(7 + 41 * i, 4, 36, 26);
    EXPECT_EQ(ipe->FieldRect(i), expected) << i;
    EXPECT_EQ(ipe->Field(i)->geometry(), expected) << i;
  }
  for (int k = 0; k < 3; ++k) EXPECT_EQ(ipe->DotPosition(k), QPoint(43 + 41 * k, -2)) << k;

  ipe->resize(200, 28);  // (200 - 144 - 15 - 4) / 2
  EXPECT_EQ(ipe->Field(0)->geometry().left(), 18);
  EXPECT_EQ(ipe->Field(3)->geometry().left(), 18 + 3 * 41);
}

TEST(TIPEditLayout, NewControlPlacesItsFields) {
  TIPEdit ipe;  // 125 x 21, 9 points: w 27, g 4, top (21 - 12 - 6) / 2 + 1
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ipe.Field(i)->geometry(), QRect(31 * i, 2, 27, 19)) << i;
  EXPECT_EQ(ipe.DotPosition(0), QPoint(27, -7));
}

TEST(TIPEditPaint, DotsInTheGapsAndTheBorder) {
  QWidget window;
  auto* ipe = new TIPEdit(&window);
  ipe->resize(177, 28);
  QFont font("Arial");
  font.setBold(true);
  font.setPointSize(12);
  ipe->setFont(font);
  ipe->SetFontColor(Qt::red);
  ipe->SetIPString("");
  window.show();

  auto isRed = [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110; };
  const QImage img = ipe->grab().toImage();
  const int b = ipe->BorderWidth();
  ASSERT_EQ(b, 2);
  for (int k = 0; k < 3; ++k) {
    const int x0 = b + ipe->DotPosition(k).x();
    int red = 0;
    for (int x = x0; x < x0 + 5; ++x)
      for (int y = b; y < img.height() - b; ++y) red += isRed(img.pixel(x, y));
    EXPECT_GT(red, 0) << "dot " << k;
  }
  EXPECT_NE(QColor(img.pixel(0, 0)), ipe->Color());

  ipe->SetBorderStyle(TIPEdit::TBorderStyle::bsNone);
  EXPECT_EQ(ipe->BorderWidth(), 0);
  EXPECT_EQ(ipe->ClientRect(), ipe->rect());
  const QImage flat = ipe->grab().toImage();
  EXPECT_EQ(QColor(flat.pixel(0, 0)), ipe->Color());
}

}  // namespace

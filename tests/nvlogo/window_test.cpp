// The NV logo window on real widgets: loading, the raster commands, the
// test page, the listings and the file send, onto a file standing in for
// LPT1, a pseudo-terminal and a TCP listener on 127.0.0.1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QPalette>
#include <chrono>
#include <filesystem>

#include "app/application.h"
#include "link/devices.h"
#include "nvlogo/listing.h"
#include "nvlogo/nvl.h"
#include "nvlogo/raster.h"
#include "nvlogo/scramble.h"
#include "tests/nvlogo/bmp_fixture.h"
#include "tests/support/files.h"
#include "tests/support/pty_pair.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/tcp_listener.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using fixture::ColumnBytes;
using fixture::Encode;
using fixture::Frame;
using fixture::RowBytes;
using fixture::WriteFile;

namespace {
constexpr int kLPT1 = 0, kCOM1 = 2, kEthernet = 10;
const std::string kUntouched = "untouched";

std::string S(const QString& q) { return q.toStdString(); }

// The default picture as dots and blanks, read straight from its pixels.
std::vector<std::string> Drawing(const Picture& p) {
  std::vector<std::string> d(p.height, std::string(p.width, '.'));
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if ((p.At(x, y) >> 16 & 0xFF) < 128) d[y][x] = '#';
  return d;
}

class NvWindow : public ::testing::Test {
 protected:
  NvWindow() {
    nv().Edit9->setText(QString::fromStdString(Export().string()));
    w.Form1->dk->SetItemIndex(kLPT1);
  }
  ~NvWindow() override { Devices().Set("COM1", "/nonexistent/printset-test/COM1"); }

  Tnvf& nv() { return *w.nvf; }
  fs::path Export() const { return dir_ / "hex.bin"; }
  std::string Lpt() const { return ReadFile(lpt_); }
  void ResetLpt() { WriteFile(lpt_, kUntouched); }

  // Loads a picture through the open dialog.
  void Load(const std::string& bmp, const std::string& name = "picture.bmp") {
    const fs::path path = dir_ / name;
    WriteFile(path, bmp);
    d.fileAnswers.push_back(path.string());
    nv().BitBtn1->click();
  }
  // Only ever an address of this machine, on a port the test opened.
  void UseListener(int port) {
    w.Form1->IPE->SetIPString("127.0.0.1");
    Devices().SetNetPort(port);
    w.Form1->dk->SetItemIndex(kEthernet);
  }

  RecordingDialogs d;
  Windows w;
  TempDir temp_{"nvlogo"};
  // The port's content shows whether a send came.
  MappedPort lptPort_{"LPT1", temp_.Path() / "lpt1", kUntouched};
  const fs::path& dir_ = temp_.Path();
  const fs::path& lpt_ = lptPort_.Path();
};

TEST_F(NvWindow, ControlsAtStart) {
  Tnvf& f = nv();
  EXPECT_EQ(f.windowTitle(), QString::fromUtf8("TZ W6 NV Logo 演示"));
  EXPECT_EQ(f.size(), QSize(750, 539));
  EXPECT_EQ(f.font().pixelSize(), 14);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(f.windowFlags() & Qt::WindowMinimizeButtonHint);

  struct {
    const char* name;
    const char* text;
    bool visible;
  } buttons[] = {
      {"BitBtn1", "打开BMP文件", true},
      {"Button2", "下载NV Logo", true},
      {"Button3", "打印NV Logo", true},
      {"Button5", "清除NV Logo", true},
      {"Button1", "关闭", true},
      {"Button8", "定义下载位图", false},
      {"Button10", "打印下载位图", false},
      {"Button9", "Button9", false},
      {"Button4", "80切切刀测试", false},
      {"Button6", "转换后的数据TXT", false},
      {"Button7", "加密后的数据", false},
      {"Button11", "Button11", false},
      {"hcb", "HEX", false},
      {"RadioButton5", "原始", true},
      {"RadioButton6", "变换后", true},
  };
  for (const auto& b : buttons) {
    auto* button = f.findChild<QAbstractButton*>(b.name);
    ASSERT_NE(button, nullptr) << b.name;
    EXPECT_EQ(S(button->text()), b.text) << b.name;
    EXPECT_EQ(!button->isHidden(), b.visible) << b.name;
  }
  EXPECT_FALSE(f.hcb->isChecked());
  EXPECT_FALSE(f.RadioButton5->isEnabled());
  EXPECT_TRUE(f.RadioButton6->isChecked());

  const char* edits[][2] = {{"Edit9", "c:\\hex.bin"}, {"Edit10", "$00800000"}, {"Edit11", "0"},
                            {"Edit1", "Edit1"},       {"Edit2", "1"},          {"Edit3", "1"},
                            {"Edit4", "Edit4"},       {"Edit5", "Edit5"},      {"Edit6", "Edit6"},
                            {"Edit7", "Edit7"},       {"Edit8", "Edit8"}};
  Windows fresh;  // the fixture has changed Edit9
  for (const auto& e : edits) {
    auto* edit = fresh.nvf->findChild<QLineEdit*>(e[0]);
    ASSERT_NE(edit, nullptr) << e[0];
    EXPECT_EQ(S(edit->text()), e[1]) << e[0];
    EXPECT_TRUE(edit->isHidden()) << e[0];
  }
  for (int i = 2; i <= 9; ++i) {
    auto* label = f.findChild<QLabel*>(QString("Label%1").arg(i));
    ASSERT_NE(label, nullptr) << i;
    EXPECT_EQ(label->text(), QString("E%1").arg(i - 1));
    EXPECT_TRUE(label->isHidden());
  }

  EXPECT_EQ(S(f.Label1->text()), "位图大小: 1176 字节");
  EXPECT_EQ(f.Label1->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(f.Image1->geometry(), QRect(272, 40, 167, 49));
  EXPECT_EQ(S(f.RadioGroup1->title()), "打印时大小缩放");
  const char* items[] = {"原始大小", "双倍宽", "双倍高", "双倍宽、高"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(S(f.RadioGroup1->Item(i)->text()), items[i]);
  EXPECT_EQ(f.RadioGroup1->ItemIndex(), 0);
  EXPECT_EQ(f.OpenDialog1.Filter, "位图文件(*.BMP)|*.BMP");

  // Every control lies left of or above the area the picture may fill.
  for (QWidget* child : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child == f.Image1 || child->isHidden()) continue;
    EXPECT_TRUE(child->geometry().right() < 272 || child->geometry().bottom() < 40) << S(child->objectName());
  }
}

// The shipped picture: 167 x 49, 8 bits, 236 colours, uncompressed, dark on white.
TEST_F(NvWindow, DefaultPicture) {
  const fs::path file =
      fs::path(PRINTSET_TEST_DATA).parent_path().parent_path() / "nvlogo" / "default_logo.bmp";
  const std::string bmp = ReadFile(file);
  ASSERT_GE(bmp.size(), 54u);
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(
        static_cast<unsigned char>(bmp[at]) | static_cast<unsigned char>(bmp[at + 1]) << 8 |
        static_cast<unsigned char>(bmp[at + 2]) << 16 | static_cast<unsigned char>(bmp[at + 3]) << 24);
  };
  EXPECT_EQ(u32(18), 167u);
  EXPECT_EQ(u32(22), 49u);
  EXPECT_EQ(u32(28) & 0xFFFF, 8u);
  EXPECT_EQ(u32(30), 0u);
  EXPECT_EQ(u32(46), 236u);

  const Picture& p = nv().ImagePicture();
  const Picture fromFile = DecodeBmp(bmp);
  EXPECT_EQ(p.pixels, fromFile.pixels);
  size_t dark = 0, white = 0;
  for (uint32_t c : p.pixels) {
    dark += c == 0;
    white += c == kWhite;
  }
  EXPECT_GT(dark, 500u);
  EXPECT_GT(white, p.pixels.size() / 2);
  EXPECT_EQ(p.At(0, 0), kWhite);
}

TEST_F(NvWindow, CancelledOpenStillRecomputesLabelAndSize) {
  nv().resize(900, 700);
  nv().BitBtn1->click();
  EXPECT_EQ(d.filters, std::vector<std::string>{"位图文件(*.BMP)|*.BMP"});
  EXPECT_EQ(S(nv().Label1->text()), "位图大小： 1176 字节");
  EXPECT_EQ(nv().size(), QSize(750, 539));
  EXPECT_EQ(S(nv().Edit1->text()), "168");
  EXPECT_EQ(S(nv().Edit2->text()), "56");
  EXPECT_EQ(S(nv().Edit3->text()), "750");
  EXPECT_EQ(S(nv().Edit4->text()), "539");
  EXPECT_TRUE(d.messages.empty());
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, LoadingSizesTheWindowAndWarnsAtTheLimit) {
  struct {
    int width, height;
    QSize window;
    const char* label;
    bool warned;
  } cases[] = {
      {464, 49, {750, 539}, "位图大小： 3248 字节", false},       // xBytes 58
      {465, 49, {758, 539}, "位图大小： 3304 字节", false},       // xBytes 59
      {10, 465, {750, 547}, "位图大小： 944 字节", false},        // yBytes 59
      {24, 16664, {750, 16739}, "位图大小： 49992 字节", false},  // 8 below the limit
      {1000, 400, {1286, 539}, "位图大小： 50000 字节", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    d.messages.clear();
    Load(Encode(Frame(c.width, c.height), {1}));
    ASSERT_TRUE(d.errors.empty()) << d.errors[0];
    EXPECT_EQ(nv().size(), c.window);
    EXPECT_EQ(S(nv().Label1->text()), c.label);
    EXPECT_EQ(nv().Image1->size(), QSize(c.width, c.height));
    EXPECT_EQ(S(nv().Edit1->text()), std::to_string((c.width + 7) / 8 * 8));
    EXPECT_EQ(S(nv().Edit2->text()), std::to_string((c.height + 7) / 8 * 8));
    EXPECT_EQ(S(nv().Edit3->text()), std::to_string(c.window.width()));
    EXPECT_EQ(S(nv().Edit4->text()), std::to_string(c.window.height()));
    EXPECT_EQ(d.messages,
              c.warned ? std::vector<std::string>{"BMP图形太大!请重新选择!"} : std::vector<std::string>{});
  }
  // The warned picture stays loaded.
  EXPECT_EQ(nv().ImagePicture().width, 1000);
}

TEST_F(NvWindow, DamagedFileLeavesPictureLabelAndSize) {
  Load(Encode(Frame(480, 30), {4}));
  const QSize size = nv().size();
  const QString label = nv().Label1->text();
  const std::vector<uint32_t> pixels = nv().ImagePicture().pixels;
  ASSERT_EQ(size, QSize(766, 539));

  const std::string good = Encode(Frame(100, 20), {24});
  Load(good.substr(0, good.size() - 100), "cut.bmp");
  Load("BM not a picture", "text.bmp");
  d.fileAnswers.push_back((dir_ / "absent.bmp").string());
  nv().BitBtn1->click();

  EXPECT_EQ(d.errors,
            (std::vector<std::string>{
                "Cannot load the bitmap " + (dir_ / "cut.bmp").string() + ": it ends inside the pixel data.",
                "Cannot load the bitmap " + (dir_ / "text.bmp").string() + ": it ends inside its header.",
                "Cannot load the bitmap " + (dir_ / "absent.bmp").string() + ": File not found.",
            }));
  EXPECT_EQ(nv().size(), size);
  EXPECT_EQ(nv().Label1->text(), label);
  EXPECT_EQ(nv().ImagePicture().pixels, pixels);
  EXPECT_EQ(nv().Image1->size(), QSize(480, 30));
}

TEST_F(NvWindow, DownloadOfTheDefaultPictureOnLpt) {
  // A dark desktop theme must not reach the samples.
  struct Theme {
    QPalette saved = QApplication::palette();
    Theme() {
      QPalette dark = saved;
      dark.setColor(QPalette::Window, Qt::black);
      dark.setColor(QPalette::Button, Qt::black);
      QApplication::setPalette(dark);
    }
    ~Theme() { QApplication::setPalette(saved); }
  } theme;
  Windows themed;
  themed.Form1->dk->SetItemIndex(kLPT1);

  themed.nvf->Button2->click();
  const std::string sent = Lpt();
  ASSERT_EQ(sent.size(), 1188u);
  EXPECT_EQ(HexDump(sent.substr(0, 11)), "1B 40 1D 54 1C 71 01 15 00 07 00");
  EXPECT_EQ(sent.substr(11, 1176), ColumnBytes(Drawing(nv().ImagePicture()), 0, 168, 56));
  EXPECT_EQ(sent.back(), 0x01);
  EXPECT_TRUE(d.messages.empty());  // no message off the network
  EXPECT_EQ(S(themed.nvf->Edit1->text()), "Edit1");
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, DownloadOverEthernetThenResendTheExportCopy) {
  TcpListener printer;
  UseListener(printer.Port());
  nv().hcb->setChecked(true);
  nv().Button2->click();
  ASSERT_TRUE(printer.WaitForClosed(1, 5s));
  const std::string download = printer.Received().at(0);
  EXPECT_EQ(download.size(), 1188u);
  EXPECT_EQ(S(nv().Edit1->text()), "1188");
  EXPECT_EQ(d.messages, std::vector<std::string>{"恭喜！！NV Logo 下载成功！"});
  EXPECT_EQ(ReadFile(Export()), download);

  nv().Button11->click();
  ASSERT_TRUE(printer.WaitForClosed(2, 5s));
  EXPECT_EQ(printer.Received().at(1), download);
  // And on the parallel port.
  w.Form1->dk->SetItemIndex(kLPT1);
  nv().Button11->click();
  EXPECT_EQ(Lpt(), download);
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, DownloadRefusedConnection) {
  UseListener(TcpListener::RefusedPort());
  nv().Button2->click();
  EXPECT_EQ(d.messages, std::vector<std::string>{"Connect error"});
  EXPECT_EQ(S(nv().Edit1->text()), "1188");
}

TEST_F(NvWindow, DownloadSizeLimitCountsTheExtraRow) {
  // 704 x 567: with the extra row 88 x 71 units, 49984 bytes.
  Load(Encode(Frame(704, 567), {1}));
  nv().Button2->click();
  EXPECT_EQ(Lpt().size(), 49984u + 12);

  ResetLpt();
  nv().hcb->setChecked(true);
  WriteFile(Export(), kUntouched);
  Load(Encode(Frame(704, 568), {1}));  // 88 x 72 units
  d.messages.clear();
  nv().Button2->click();
  EXPECT_EQ(d.messages, std::vector<std::string>{"BMP图形太大，不能下载！请重新选择!"});
  EXPECT_EQ(Lpt(), kUntouched);
  EXPECT_EQ(ReadFile(Export()), kUntouched);
}

TEST_F(NvWindow, DownloadCropOffsetAndThreshold) {
  const std::vector<std::string> drawing = Drawing(nv().ImagePicture());
  nv().Edit11->setText("8");
  nv().Button2->click();
  std::string sent = Lpt();
  EXPECT_EQ(HexDump(sent.substr(0, 11)), "1B 40 1D 54 1C 71 01 14 00 07 00");
  EXPECT_EQ(sent.substr(11, 1120), ColumnBytes(drawing, 8, 160, 56));
  EXPECT_EQ(sent.size(), 1132u);

  // Everything on the window, white and grey included, is below this one.
  nv().Edit11->setText("0");
  nv().Edit10->setText("$01000000");
  nv().Button2->click();
  EXPECT_EQ(Lpt().substr(11, 1176), std::string(1176, '\xFF'));
  EXPECT_TRUE(d.errors.empty());

  ResetLpt();
  nv().Edit10->setText("$00800000");
  nv().Edit11->setText("167");
  nv().Button2->click();
  nv().Edit11->setText("x");
  nv().Button2->click();
  nv().Edit11->setText("0");
  nv().Edit10->setText("dark");
  nv().Button2->click();
  EXPECT_EQ(d.errors, (std::vector<std::string>{"Crop offset 167 leaves nothing of a picture 167 dots wide.",
                                                "'x' is not a valid integer value.",
                                                "'dark' is not a valid integer value."}));
  EXPECT_EQ(Lpt(), kUntouched);
}

TEST_F(NvWindow, ExportFailureEndsTheDownloadBeforeSending) {
  nv().hcb->setChecked(true);
  nv().Edit9->setText(QString::fromStdString((dir_ / "missing" / "hex.bin").string()));
  nv().Button2->click();
  EXPECT_EQ(d.errors, std::vector<std::string>{"File not found."});
  EXPECT_EQ(Lpt(), kUntouched);
}

TEST_F(NvWindow, PrintClearAndDownloadedBitmapCommands) {
  const char* modes[] = {"1B 40 1B 61 01 1D 54 1C 70 01 30 1B 40", "1B 40 1B 61 01 1D 54 1C 70 01 31 1B 40",
                         "1B 40 1B 61 01 1D 54 1C 70 01 32 1B 40", "1B 40 1B 61 01 1D 54 1C 70 01 33 1B 40"};
  for (int m = 0; m < 4; ++m) {
    nv().RadioGroup1->Item(m)->click();
    nv().Button3->click();
    EXPECT_EQ(HexDump(Lpt()), modes[m]) << m;
  }
  nv().Button9->click();
  EXPECT_EQ(HexDump(Lpt()), "1D 2F 00 1D 2F 01 1D 2F 02 1D 2F 03");
  nv().Button10->click();
  EXPECT_EQ(Lpt(), ByteString("\x1B"
                              "a\0\x1D/\0\nvelto\n",
                              13));

  // Clear: the same 16 bytes on each kind of channel.
  const char* kClear = "1C 71 01 01 00 01 00 00 00 00 00 00 00 00 00 01";
  nv().Button5->click();
  EXPECT_EQ(HexDump(Lpt()), kClear);
  PtyPair pty;
  Devices().Set("COM1", pty.SlavePath());
  w.Form1->dk->SetItemIndex(kCOM1);
  nv().Button5->click();
  EXPECT_EQ(HexDump(pty.Read(2s, 16)), kClear);
  TcpListener printer;
  UseListener(printer.Port());
  nv().Button5->click();
  ASSERT_TRUE(printer.WaitForClosed(1, 5s));
  EXPECT_EQ(HexDump(printer.Received().at(0)), kClear);
  EXPECT_TRUE(d.messages.empty());
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, DefineDownloadedBitmap) {
  struct {
    const char* name;
    int width, height;  // 0: the default picture
    const char* text;
    const char* header;
    int columns, rows;
    const char* label;
  } cases[] = {
      {"default picture", 0, 0, "xL=21;yL=7\n", "1D 2A 15 07", 168, 56, "位图大小: 147 字节"},
      {"400 x 300", 400, 300, "xL=50;yL=30\n", "1D 2A 32 1E", 400, 240, "位图大小: 1500 字节"},
      {"100 x 500", 100, 500, "xL=13;yL=48\n", "1D 2A 0D 30", 104, 384, "位图大小: 624 字节"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> drawing = Drawing(nv().ImagePicture());
    if (c.width) {
      drawing = Frame(c.width, c.height);
      Load(Encode(drawing, {8}));
    }
    d.messages.clear();
    nv().Button8->click();
    const std::string sent = Lpt();
    const size_t t = std::string(c.text).size();
    ASSERT_EQ(sent.size(), t + 4 + static_cast<size_t>(c.columns) * c.rows / 8);
    EXPECT_EQ(sent.substr(0, t), c.text);
    EXPECT_EQ(HexDump(sent.substr(t, 4)), c.header);
    EXPECT_EQ(sent.substr(t + 4), ColumnBytes(drawing, 0, c.columns, c.rows));
    EXPECT_EQ(S(nv().Label1->text()), c.label);
    EXPECT_EQ(d.messages, std::vector<std::string>{"恭喜！！定义下载位图成功！"});
  }
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, DefineDownloadedBitmapReportsSuccessBeforeSending) {
  Devices().Set("LPT1", (dir_ / "no-such-port").string());
  nv().hcb->setChecked(true);
  nv().Button8->click();
  EXPECT_EQ(d.messages, std::vector<std::string>{"恭喜！！定义下载位图成功！"});
  EXPECT_EQ(d.errors, std::vector<std::string>{"File not found."});
  EXPECT_EQ(ReadFile(Export()).substr(0, 11), "xL=21;yL=7\n");
}

TEST_F(NvWindow, TestPageOnTheParallelPort) {
  const std::string rows = RowBytes(Drawing(nv().ImagePicture()), 168);
  ASSERT_EQ(rows.size(), 1029u);
  nv().Button4->click();
  std::string sent = Lpt();
  ASSERT_EQ(sent.size(), 2865u);
  EXPECT_EQ(sent.substr(0, 5),
            "\x1B"
            "a11\n");
  EXPECT_EQ(HexDump(sent.substr(5 + 18, 8)), "1D 76 30 30 15 00 31 00");
  EXPECT_EQ(sent.substr(5 + 26, 1029), rows);
  EXPECT_EQ(sent.substr(5 + 26 + 1029, 5), ByteString("\n\x1B"
                                                      "a0\0",
                                                      5));  // LF, left, the zero run of 1
  const char* geometry[][2] = {
      {"Edit4", "21"}, {"Edit5", "0"}, {"Edit6", "49"}, {"Edit7", "0"}, {"Edit8", "1029"}};
  for (const auto& g : geometry) EXPECT_EQ(S(nv().findChild<QLineEdit*>(g[0])->text()), g[1]) << g[0];
  EXPECT_EQ(S(nv().Edit2->text()), "2");

  // Three copies through the one open port, numbered; Edit2 counts on.
  nv().Edit2->setText("1");
  nv().Edit3->setText("3");
  nv().Button4->click();
  sent = Lpt();
  ASSERT_EQ(sent.size(), 3 * 2865u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(sent.substr(i * 2865, 5),
              "\x1B"
              "a1" +
                  std::to_string(i + 1) + "\n");
    EXPECT_EQ(sent.substr(i * 2865 + 5, 2860), sent.substr(5, 2860));
  }
  EXPECT_EQ(S(nv().Edit2->text()), "4");

  nv().Edit3->setText("0");
  nv().Button4->click();
  EXPECT_EQ(Lpt(), "");  // opened and closed, nothing written
  EXPECT_EQ(S(nv().Edit2->text()), "4");
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, TestPageOnASerialPort) {
  PtyPair pty;
  Devices().Set("COM1", pty.SlavePath());
  w.Form1->dk->SetItemIndex(kCOM1);
  nv().Edit2->setText("0");
  nv().Edit3->setText("2");
  nv().Button4->click();
  const std::string sent = pty.Read(5s, 2 * 2864);
  ASSERT_EQ(sent.size(), 2 * 2864u);
  EXPECT_EQ(sent.substr(0, 5),
            "\x1B"
            "a11\n");
  EXPECT_EQ(sent.substr(2864, 5),
            "\x1B"
            "a12\n");
  EXPECT_EQ(S(nv().Edit2->text()), "2");
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, Listings) {
  nv().hcb->setChecked(true);
  const std::string data = ColumnBytes(Drawing(nv().ImagePicture()), 0, 168, 56);
  nv().Button6->click();
  const std::string plain = ReadFile(Export());
  EXPECT_EQ(plain.size(), 6515u);
  std::string items;
  for (unsigned char b : Bytes({0x1C, 0x71, 0x01, 0x15, 0x00, 0x07, 0x00}) + data + Bytes({0x01}))
    items += ",0x" + HexByte(b);
  std::string expected;
  for (size_t i = 0; i < items.size(); i += 50)
    expected += "\r\n.db " + items.substr(i + 1, 49);  // ten items, the first without its comma
  EXPECT_EQ(plain, expected);
  EXPECT_EQ(plain.substr(0, 41), "\r\n.db 0x1C,0x71,0x01,0x15,0x00,0x07,0x00,");

  nv().Button7->click();
  std::string scrambled;
  for (unsigned char b : Bytes({0x1C, 0x71, 0x01, 0x15, 0x00, 0x07, 0x00}) + data + Bytes({0x01}))
    scrambled += ",0x" + ScrambleHex(HexByte(b));
  EXPECT_EQ(ReadFile(Export()), LayoutListing(scrambled));
  EXPECT_EQ(Lpt(), kUntouched);  // listings send nothing

  // A picture too large for the printer: message, the export stays.
  Load(Encode(Frame(1000, 400), {1}));
  d.messages.clear();
  nv().Button6->click();
  nv().Button7->click();
  EXPECT_EQ(d.messages, std::vector<std::string>(2, "BMP图形太大，不能下载！请重新选择!"));
  EXPECT_EQ(ReadFile(Export()), LayoutListing(scrambled));
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, FileSendOfMissingAndEmptyFiles) {
  nv().Edit9->setText(QString::fromStdString((dir_ / "absent.bin").string()));
  nv().Button11->click();
  EXPECT_EQ(d.errors, std::vector<std::string>{"File not found."});
  EXPECT_EQ(Lpt(), kUntouched);

  WriteFile(dir_ / "empty.bin", "");
  nv().Edit9->setText(QString::fromStdString((dir_ / "empty.bin").string()));
  nv().Button11->click();
  EXPECT_EQ(Lpt(), "");
}

// Small files of each depth, converted bit for bit: the column scan of the
// download (through its export copy) and the row scan of the test page.
TEST_F(NvWindow, HandMadePicturesConvertAsTheyShow) {
  struct {
    const char* name;
    fixture::Layout layout;
    std::vector<std::string> drawing;
  } cases[] = {
      {"1-bit, 10 wide", {1}, {"#.#.#.#..#", "..........", "##......##"}},
      {"1-bit, 8 wide, top-down", {1, true}, {"#......#", ".#....#.", "..####.."}},
      {"4-bit, 12 wide",
       {4},
       {"#rbgG.#.rbgG", ".#.#.#.#.#.#", "rrrrbbbbgggg", "GGGG####....", "#..........#", "............",
        "#.#.#.#.#.#.", ".r.r.r.r.r.r", "bbbbbbbbbbbb"}},
      {"8-bit, 16 wide, 8 high",
       {8},
       {"################", "#..............#", "#.rr..bb..gg..G#", "#..............#", "#.####....####.#",
        "#..............#", "#..............#", "################"}},
      {"24-bit, 9 wide", {24}, {"#.rbgG#.r", "Ggbr.#..#", "rrrrrrrrr"}},
      {"24-bit, top-down", {24, true}, {"r.r.r.r.", "b.b.b.b.", "g.G.g.G."}},
      {"32-bit", {32}, {"#rbgG", ".....", "G#.r."}},
  };
  nv().hcb->setChecked(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(Encode(c.drawing, c.layout));
    const int w = static_cast<int>(c.drawing[0].size()), h = static_cast<int>(c.drawing.size());
    const int columns = (w + 7) / 8 * 8, rows = (h + 1 + 7) / 8 * 8;
    nv().Button2->click();
    EXPECT_EQ(ReadFile(Export()).substr(11), ColumnBytes(c.drawing, 0, columns, rows) + "\x01");

    nv().Edit2->setText("0");
    nv().Edit3->setText("1");  // the loader has put the window width there
    nv().Button4->click();
    const std::string page = Lpt();
    const std::string part = RowBytes(c.drawing, columns);
    EXPECT_EQ(page.substr(5 + 18 + 8, part.size()), part);
  }
  EXPECT_TRUE(d.errors.empty());
}

TEST_F(NvWindow, CloseHidesTheWindow) {
  nv().show();
  ASSERT_TRUE(nv().isVisible());
  nv().Button1->click();
  EXPECT_FALSE(nv().isVisible());
  EXPECT_EQ(nv().ImagePicture().width, 167);
}

}  // namespace

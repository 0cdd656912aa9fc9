#pragma once
// The one way out to the printer: the command buffer and SendToPrinter.
#include <string>

#include "core/bytes.h"
#include "link/timeouts.h"

class TComPort;

// The set of port-list positions a call site serves.
enum class ChannelScope { Full, NoNetwork, ShortSerial };

enum class SendOutcome { NothingSent, SentParallel, SentSerial, SentNetwork, ConnectFailed };

// Where the device name and the rate text come from: the main window's own
// handlers read the selected entries, the other windows the shown texts.
enum class NameSource { SelectedEntry, ShownText };

// What the main window's selectors show at the moment of a send.
class ChannelSelectors {
 public:
  virtual ~ChannelSelectors() = default;
  virtual int PortIndex() const = 0;              // selected entry of dk, -1 for none
  virtual std::string PortText() const = 0;       // text dk shows
  virtual std::string PortEntryText() const = 0;  // text of the selected entry, empty for none
  virtual std::string RateText() const = 0;       // text sd shows
  virtual std::string RateEntryText() const = 0;  // text of the selected entry of sd, empty for none
  virtual std::string IPString() const = 0;       // the address IPE holds
};

// The network library's three calls; tests put recorders in their place.
struct NetLibrary {
  unsigned char (*open)(const char* address, int connectTimeout, int sendTimeout);
  int (*send)(const char* data, int length);
  int (*close)();
};
NetLibrary DefaultNetLibrary();

// Port-list positions: 0-1 parallel, 2-9 serial, 10 network.
enum class Channel { None, Parallel, Serial, Network };
Channel ChannelOfIndex(int portIndex);

inline constexpr const char* kNoticeText = "NOTICE:Please select the correct communication port!";
inline constexpr const char* kConnectError = "Connect error";

class PrinterLink {
 public:
  PrinterLink(ChannelSelectors& selectors, TComPort& cp);

  // The command buffer every handler replaces and SendToPrinter sends whole.
  ByteString buffer;
  // What the port check shows; the main window sets it at start.
  std::string noticeText = kNoticeText;

  SendOutcome SendToPrinter(ChannelScope scope, bool portCheck,
                            int afterSendWaitMs = timeouts::kNetAfterSendMs,
                            NameSource names = NameSource::SelectedEntry);

  // The port check of the handlers that make it themselves: an empty port
  // text shows the notice. True when the check passes.
  bool PortCheck();

  ChannelSelectors& Selectors() { return selectors_; }
  TComPort& ComPort() { return cp_; }
  const std::string& NetworkAddress() const { return networkAddress_; }
  void SetNetLibrary(const NetLibrary& lib) { net_ = lib; }

 private:
  ChannelSelectors& selectors_;
  TComPort& cp_;
  NetLibrary net_;
  std::string networkAddress_;
};

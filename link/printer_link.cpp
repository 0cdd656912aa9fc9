#include "link/printer_link.h"

#include <thread>

#include "core/dialogs.h"
#include "link/baudrate.h"
#include "link/comport.h"
#include "link/devicefile.h"
#include "link/vovarid.h"

NetLibrary DefaultNetLibrary() { return NetLibrary{&TZNetOpen, &TZNetSend, &TZNetClose}; }

Channel ChannelOfIndex(int portIndex) {
  if (portIndex == 0 || portIndex == 1) return Channel::Parallel;
  if (portIndex >= 2 && portIndex <= 9) return Channel::Serial;
  if (portIndex == 10) return Channel::Network;
  return Channel::None;
}

PrinterLink::PrinterLink(ChannelSelectors& selectors, TComPort& cp)
    : selectors_(selectors), cp_(cp), net_(DefaultNetLibrary()) {}

bool PrinterLink::PortCheck() {
  if (!selectors_.PortText().empty()) return true;
  dialogs().ShowMessage(noticeText);
  return false;
}

SendOutcome PrinterLink::SendToPrinter(ChannelScope /*scope*/, bool portCheck, int afterSendWaitMs,
                                       NameSource names) {
  if (portCheck && !PortCheck()) return SendOutcome::NothingSent;

  // Every call site serves every channel: the narrower scopes only record
  // what a site was first written for.
  const int index = selectors_.PortIndex();
  const bool shown = names == NameSource::ShownText;
  switch (ChannelOfIndex(index)) {
    case Channel::None:
      return SendOutcome::NothingSent;

    case Channel::Parallel:
      WriteBufferToFile(shown ? selectors_.PortText() : selectors_.PortEntryText(), buffer);
      return SendOutcome::SentParallel;

    case Channel::Serial:
      cp_.SetPort("COM" + std::to_string(index - 1));
      cp_.SetBaudRate(BaudRateFromText(shown ? selectors_.RateText() : selectors_.RateEntryText()));
      cp_.Open();
      RunThenClose(cp_, [&] { cp_.WriteStr(buffer); });
      return SendOutcome::SentSerial;

    case Channel::Network: {
      networkAddress_ = selectors_.IPString();
      const int length = static_cast<int>(buffer.size());
      if (net_.open(networkAddress_.c_str(), timeouts::kNetConnectSeconds, timeouts::kNetSendSeconds) != 1) {
        dialogs().ShowMessage(kConnectError);
        return SendOutcome::ConnectFailed;
      }
      std::this_thread::sleep_for(timeouts::kNetAfterConnect);
      net_.send(buffer.data(), length);
      std::this_thread::sleep_for(std::chrono::milliseconds(afterSendWaitMs));
      net_.close();
      return SendOutcome::SentNetwork;
    }
  }
  return SendOutcome::NothingSent;
}

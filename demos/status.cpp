#include "demos/status.h"

#include <thread>

#include "core/control_bytes.h"
#include "link/comport.h"

StatusFamily StatusFamilyOfIndex(int index) {
  if (index == 3) return StatusFamily{Bytes({ctl::ESC, 'v'}), 0x04, "44444"};
  return StatusFamily{Bytes({0x10, 0x04, 0x01}), 0x08, "88888"};
}

std::string ReplyDigits(const ByteString& reply, int mask) {
  std::string digits;
  for (unsigned char byte : reply) digits += std::to_string(byte & mask);
  return digits;
}

StatusVerdict JudgeReply(const std::string& digits, const std::string& offlinePattern) {
  if (digits == kOnlinePattern) return {Verdict::Online, "打印机 联机.", Rgb{0, 128, 0}};
  if (digits == offlinePattern) return {Verdict::Offline, "打印机 脱机!", Rgb{255, 255, 0}};
  return {Verdict::NotDetected, "未检测到 打印机!", Rgb{255, 0, 0}};
}

ByteString ExchangeStatus(TComPort& cp, const std::string& port, int baudRate, const ByteString& query) {
  cp.SetPort(port);
  cp.SetBaudRate(baudRate);
  cp.Open();
  ByteString reply;
  RunThenClose(cp, [&] {
    for (int cycle = 0; cycle < kStatusCycles; ++cycle) {
      cp.WriteStr(query);
      std::this_thread::sleep_for(kStatusReplyWait);
      reply += cp.ReadStr(1);
      std::this_thread::sleep_for(kStatusAfterReadWait);
    }
  });
  return reply;
}

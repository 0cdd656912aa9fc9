#include "link/comport_rate.h"

// Only the kernel's header here: its struct termios is not glibc's.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

int SetArbitraryRate(int fd, int bitsPerSecond) {
  struct termios2 t;
  if (ioctl(fd, TCGETS2, &t) != 0) return errno;
  t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  t.c_ispeed = static_cast<speed_t>(bitsPerSecond);
  t.c_ospeed = static_cast<speed_t>(bitsPerSecond);
  if (ioctl(fd, TCSETS2, &t) != 0) return errno;
  return 0;
}

bool ReadLineRates(int fd, int& output, int& input) {
  struct termios2 t;
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  output = static_cast<int>(t.c_ospeed);
  input = static_cast<int>(t.c_ispeed);
  return true;
}

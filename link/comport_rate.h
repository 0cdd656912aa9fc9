#pragma once
// Line rates that <termios.h> has no constant for go through the kernel's
// arbitrary-rate interface. Its header clashes with <termios.h>, so these
// live in a file of their own.

// Sets input and output rate of a tty to any number of bits per second.
// Returns 0, or the errno of the failing call.
int SetArbitraryRate(int fd, int bitsPerSecond);

// Output and input rate of a tty in bits per second; false (errno set)
// when the kernel will not say.
bool ReadLineRates(int fd, int& output, int& input);

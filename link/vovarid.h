#pragma once
// The network library: raw TCP to the printer's print port.
// A C interface, as the program calls it.
extern "C" {
// Connects to the dotted address; connectTimeout and sendTimeout in seconds.
// Returns 1 when connected, any other value when not.
unsigned char TZNetOpen(const char* address, int connectTimeout, int sendTimeout);
// Sends length bytes (0x00 included); returns the count delivered, or -1.
int TZNetSend(const char* data, int length);
// Closes the connection; 0 when closed.
int TZNetClose(void);
}

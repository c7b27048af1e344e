// The few socket calls the scripted test server needs, one implementation per platform
// (test_socket_posix.cpp, test_socket_win32.cpp), so the same transfer tests run natively and under
// Wine.  Handles are intptr_t; -1 means none.
#pragma once
#include <cstdint>
#include <string>

namespace testnet {

bool Startup();
std::intptr_t ListenLoopback(unsigned short& port);  // on an ephemeral port of 127.0.0.1
std::intptr_t Accept(std::intptr_t listener, int timeoutMs);
bool ReceiveByte(std::intptr_t s, char& byte, int timeoutMs);
bool SendAll(std::intptr_t s, const std::string& bytes);
void CloseWithReset(std::intptr_t s);  // RST instead of an orderly FIN
bool CanReset();                       // whether CloseWithReset really reaches the peer as a reset
void Close(std::intptr_t s);
void Unblock(std::intptr_t listener);  // makes a pending Accept return
char PathSeparator();                  // the separator netfetch puts between directory and name

}  // namespace testnet

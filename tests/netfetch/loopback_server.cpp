#include "loopback_server.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "netfetch/netfetch.h"
#include "test_socket.h"

ScriptedServer::ScriptedServer(std::string reply, Ending ending) : reply_(std::move(reply)), ending_(ending)
{
    if (!testnet::Startup())
        return;
    listener_ = testnet::ListenLoopback(port_);
    if (listener_ != -1)
        thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer()
{
    if (listener_ != -1)
        testnet::Unblock(listener_);  // wakes an accept that never got its client
    if (thread_.joinable())
        thread_.join();
    if (listener_ != -1)
        testnet::Close(listener_);
}

std::string ScriptedServer::received()
{
    if (thread_.joinable())
        thread_.join();
    return received_;
}

void ScriptedServer::Serve()
{
    const std::intptr_t c = testnet::Accept(listener_, 10000);
    if (c == -1)
        return;
    // A reset is forced by closing with the request still unread, which makes the system answer
    // with RST whatever it does with the linger option (Wine's sockets ignore a zero linger).
    char byte;
    while (testnet::ReceiveByte(c, byte, 10000)) {
        received_ += byte;
        if (byte == '\n' || ending_ == Ending::Reset)
            break;
    }
    testnet::SendAll(c, reply_);
    if (ending_ == Ending::Reset)
        testnet::CloseWithReset(c);
    else
        testnet::Close(c);
}

TempFolder::TempFolder()
{
    namespace fs = std::filesystem;
    std::random_device random;
    for (int attempt = 0; attempt < 20 && path_.empty(); ++attempt) {
        const fs::path p = fs::temp_directory_path() / ("netfetch-" + std::to_string(random()));
        std::error_code ec;
        if (fs::create_directory(p, ec))
            path_ = p.string();
    }
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

Transfer Fetch(const std::string& host, const std::string& dir, const std::string& url)
{
    Transfer t;
    const int s = ConnectWebServerSocket(host.c_str());
    if (s == -1)
        return t;
    t.file = SendWebQuery(s, dir.c_str(), url.c_str());
    if (t.file == -1)
        return t;
    for (int guard = 0; guard < 100000; ++guard) {
        const int n = RecvWebFile(s, t.file);
        t.portions.push_back(n);
        if (n <= 0)
            break;
    }
    return t;
}

std::string RandomBytes(std::size_t size)
{
    std::mt19937 random(5);
    std::string bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

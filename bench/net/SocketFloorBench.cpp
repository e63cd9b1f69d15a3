// The floor under Wine: the same GET made with bare Winsock calls, one
// connection per fetch, no WinINet:  net_socket_floor_bench PORT PATH COUNT
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Bytes of one answer, headers included; 0 when the fetch failed.
std::size_t FetchOnce(const sockaddr_in& server, const std::string& request, std::vector<char>& buffer) {
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return 0;
  std::size_t total = 0;
  if (connect(s, reinterpret_cast<const sockaddr*>(&server), sizeof server) == 0 &&
      send(s, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size())) {
    for (;;) {
      const int got = recv(s, buffer.data(), static_cast<int>(buffer.size()), 0);
      if (got <= 0) break;
      total += static_cast<std::size_t>(got);
    }
  }
  closesocket(s);
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: net_socket_floor_bench PORT PATH COUNT\n");
    return 2;
  }
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 1;
  sockaddr_in server{};
  server.sin_family = AF_INET;
  server.sin_port = htons(static_cast<u_short>(std::atoi(argv[1])));
  server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const std::string request = std::string("GET ") + argv[2] +
                              " HTTP/1.0\r\nHost: 127.0.0.1\r\n"
                              "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\nAccept: */*\r\n\r\n";
  const int count = std::atoi(argv[3]);
  std::vector<char> buffer(102400);

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int failed = 0;
  for (int i = 0; i < count; ++i) failed += FetchOnce(server, request, buffer) == 0;
  QueryPerformanceCounter(&end);
  const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("fetches %d seconds %.4f failed %d\n", count, seconds, failed);
  WSACleanup();
  return failed == 0 ? 0 : 1;
}

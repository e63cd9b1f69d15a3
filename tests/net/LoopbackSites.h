#pragma once
// What the test program knows of the loopback servers that run_with_servers.py
// started for it: their addresses, the scripted server's record of requests,
// and the body rule the servers use.

#include <cstddef>
#include <string>
#include <vector>

#include "PreparedPages.h"
#include "Text.h"

// "http://127.0.0.1:<port>" of nginx and of the scripted server.
Text NginxBase();
Text ScriptedBase();
int TlsPort();
int RefusedPort();
// "https://localhost:<port>" of the TLS server whose certificate the test
// authority signed, and the authority's certificate (PEM) for a root store.
// By name: Wine matches a certificate's DNS names only, never its IP address.
Text TrustedTlsBase();
Text TestAuthorityPath();
// Where the expected rows of the three list pages lie (page-<n>.rows).
Text RowsDir();

// The servers' deterministic body bytes (servers.py pattern()).
ByteBuffer Pattern(std::size_t size);

std::string ReadWholeFile(const std::string& path);

// One request as the scripted server received it, split at its header end.
struct RecordedRequest {
  std::string raw;
  std::string requestLine;
  std::vector<std::string> headerLines;  // without the request line
  std::string afterHeaders;              // bytes after the blank line

  // Values of every header of this name, in order (name case ignored).
  std::vector<std::string> Values(const std::string& name) const;
};

// What the scripted server (or another recording server) saw since the mark
// was taken: every accepted connection and every request, in order.
class ScriptedTraffic {
 public:
  enum class RequestLog { kScripted, kTrustedTls };
  ScriptedTraffic() : ScriptedTraffic(RequestLog::kScripted) {}
  explicit ScriptedTraffic(RequestLog log);
  int NewConnections() const;
  std::vector<RecordedRequest> NewRequests() const;

 private:
  RequestLog log_;
  std::size_t start_;
};

// Lines the TLS listener logged since the mark was taken.
class TlsTraffic {
 public:
  TlsTraffic();
  std::vector<std::string> NewLines() const;

 private:
  std::size_t start_;
};

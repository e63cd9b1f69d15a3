#include "LoopbackSites.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') {
    throw std::runtime_error(std::string(name) + " is not set: run through run_with_servers.py");
  }
  return value;
}

struct LogRecord {
  char kind;  // 'C' connection, 'R' request
  std::string raw;
};

// Records are "<kind> <length>\n<raw>\n", appended by servers.py.
std::vector<LogRecord> ReadRequestLog(ScriptedTraffic::RequestLog which) {
  const std::string log = ReadWholeFile(Environment(
      which == ScriptedTraffic::RequestLog::kScripted ? "LISTING_TEST_REQUEST_LOG" : "LISTING_TEST_TRUSTED_TLS_LOG"));
  std::vector<LogRecord> records;
  std::size_t at = 0;
  while (at < log.size()) {
    const std::size_t lineEnd = log.find('\n', at);
    if (lineEnd == std::string::npos) break;
    const char kind = log[at];
    const std::size_t length = std::stoul(log.substr(at + 2, lineEnd - at - 2));
    if (lineEnd + 1 + length + 1 > log.size()) break;  // still being written
    records.push_back({kind, log.substr(lineEnd + 1, length)});
    at = lineEnd + 1 + length + 1;
  }
  return records;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

RecordedRequest Parse(const std::string& raw) {
  RecordedRequest request;
  request.raw = raw;
  const std::size_t end = raw.find("\r\n\r\n");
  const std::string head = raw.substr(0, end);
  request.afterHeaders = end == std::string::npos ? std::string() : raw.substr(end + 4);
  std::size_t at = 0;
  bool first = true;
  while (at <= head.size()) {
    std::size_t lineEnd = head.find("\r\n", at);
    if (lineEnd == std::string::npos) lineEnd = head.size();
    const std::string line = head.substr(at, lineEnd - at);
    if (first) {
      request.requestLine = line;
    } else {
      request.headerLines.push_back(line);
    }
    first = false;
    at = lineEnd + 2;
  }
  return request;
}

}  // namespace

Text NginxBase() { return Environment("LISTING_TEST_NGINX"); }
Text ScriptedBase() { return Environment("LISTING_TEST_SCRIPTED"); }
int TlsPort() { return std::stoi(Environment("LISTING_TEST_TLS_PORT")); }
int RefusedPort() { return std::stoi(Environment("LISTING_TEST_REFUSED_PORT")); }
Text TrustedTlsBase() { return "https://localhost:" + Environment("LISTING_TEST_TRUSTED_TLS_PORT"); }
Text TestAuthorityPath() { return Environment("LISTING_TEST_TEST_AUTHORITY"); }
Text RowsDir() { return Environment("LISTING_TEST_ROWS_DIR"); }

ByteBuffer Pattern(std::size_t size) {
  ByteBuffer bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + i / 97) & 0xFF);
  return bytes;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> RecordedRequest::Values(const std::string& name) const {
  std::vector<std::string> values;
  for (const std::string& line : headerLines) {
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || Lower(line.substr(0, colon)) != Lower(name)) continue;
    std::size_t start = colon + 1;
    while (start < line.size() && line[start] == ' ') ++start;
    values.push_back(line.substr(start));
  }
  return values;
}

ScriptedTraffic::ScriptedTraffic(RequestLog log) : log_(log), start_(ReadRequestLog(log).size()) {}

int ScriptedTraffic::NewConnections() const {
  const std::vector<LogRecord> records = ReadRequestLog(log_);
  int connections = 0;
  for (std::size_t i = start_; i < records.size(); ++i) connections += records[i].kind == 'C';
  return connections;
}

std::vector<RecordedRequest> ScriptedTraffic::NewRequests() const {
  const std::vector<LogRecord> records = ReadRequestLog(log_);
  std::vector<RecordedRequest> requests;
  for (std::size_t i = start_; i < records.size(); ++i) {
    if (records[i].kind == 'R') requests.push_back(Parse(records[i].raw));
  }
  return requests;
}

TlsTraffic::TlsTraffic() : start_(Lines(ReadWholeFile(Environment("LISTING_TEST_TLS_LOG"))).size()) {}

std::vector<std::string> TlsTraffic::NewLines() const {
  const std::vector<std::string> lines = Lines(ReadWholeFile(Environment("LISTING_TEST_TLS_LOG")));
  return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(start_), lines.end());
}

// The request as it goes on the wire, read back from the scripted server's
// record of the exact bytes it received.
#include <gtest/gtest.h>

#include <string>

#include "LoopbackSites.h"
#include "PageDownloader.h"

namespace {

constexpr char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

struct ShapeCase {
  const char* what;
  std::string addressTail;  // after ScriptedBase()
  std::string requestLine;
};

// Fetches the address and returns the one request it made.
RecordedRequest OnlyRequestFor(const std::string& address) {
  const ScriptedTraffic traffic;
  const ByteBuffer body = DownloadPage(address);
  EXPECT_EQ(body, Bytes("echo")) << address;
  const auto requests = traffic.NewRequests();
  EXPECT_EQ(requests.size(), 1u) << address;
  EXPECT_EQ(traffic.NewConnections(), 1) << address;
  return requests.empty() ? RecordedRequest() : requests.front();
}

void ExpectTheToolsHeaders(const RecordedRequest& request, const std::string& what) {
  EXPECT_EQ(request.Values("User-Agent"), std::vector<std::string>{kAgent}) << what;
  EXPECT_EQ(request.Values("Accept"), std::vector<std::string>{"*/*"}) << what;
  EXPECT_TRUE(request.Values("Referer").empty()) << what;
  EXPECT_TRUE(request.Values("Content-Length").empty()) << what;
  EXPECT_TRUE(request.Values("Transfer-Encoding").empty()) << what;
  EXPECT_TRUE(request.afterHeaders.empty()) << what << ": a GET carries no body";
}

TEST(RequestShape, RequestLineCarriesTheObject) {
  const ShapeCase cases[] = {
      {"plain path", "/echo/plain.html", "GET /echo/plain.html HTTP/1.0"},
      {"fragment cut", "/echo/frag.html#top", "GET /echo/frag.html HTTP/1.0"},
      {"query kept", "/echo/q.html?a=1&b=two", "GET /echo/q.html?a=1&b=two HTTP/1.0"},
      {"query kept, fragment cut", "/echo/q.html?a=1#x?y", "GET /echo/q.html?a=1 HTTP/1.0"},
      {"dot segments resolved", "/echo/a/./b/../c/list.html", "GET /echo/a/c/list.html HTTP/1.0"},
      {"percent sequence left as it is", "/echo/%41%2Fb.html", "GET /echo/%41%2Fb.html HTTP/1.0"},
      {"list-page path unchanged", "/echo/html/gndy/dyzz/list_23_7.html",
       "GET /echo/html/gndy/dyzz/list_23_7.html HTTP/1.0"},
  };
  for (const ShapeCase& c : cases) {
    const RecordedRequest request = OnlyRequestFor(ScriptedBase() + c.addressTail);
    EXPECT_EQ(request.requestLine, c.requestLine) << c.what;
    ExpectTheToolsHeaders(request, c.what);
  }
}

TEST(RequestShape, ExplicitPortIsTheOneConnectedTo) {
  // Every address here names the scripted server's port; the host header
  // WinINet adds names it too.
  const RecordedRequest request = OnlyRequestFor(ScriptedBase() + "/echo/port");
  const std::string base = ScriptedBase();
  EXPECT_EQ(request.Values("Host"), std::vector<std::string>{base.substr(base.find("//") + 2)});
}

TEST(RequestShape, LongestPathIsFetchedOneMoreIsNot) {
  const std::string prefix = "/echo/";
  const std::string longest = prefix + std::string(2047 - prefix.size(), 'p');
  const RecordedRequest request = OnlyRequestFor(ScriptedBase() + longest);
  EXPECT_EQ(request.requestLine, "GET " + longest + " HTTP/1.0");

  const ScriptedTraffic traffic;
  EXPECT_TRUE(DownloadPage(ScriptedBase() + longest + "p").empty());
  EXPECT_EQ(traffic.NewConnections(), 0);
}

TEST(RequestShape, AddressLongerThanTheCanonicalBufferIsStillFetched) {
  // User name and password bring the address past 2084 characters while every
  // part stays within its limit.
  const std::string user(120, 'u');
  const std::string password(120, 'w');
  const std::string path = "/echo/" + std::string(1900, 'l');
  const std::string base = ScriptedBase();
  const std::string address = "http://" + user + ":" + password + "@" + base.substr(7) + path;
  ASSERT_GT(address.size(), 2084u);
  const RecordedRequest request = OnlyRequestFor(address);
  EXPECT_EQ(request.requestLine, "GET " + path + " HTTP/1.0");
  ExpectTheToolsHeaders(request, "long address");
}

TEST(RequestShape, TwoCallsForOneAddressMakeTwoRequests) {
  const ScriptedTraffic traffic;
  EXPECT_EQ(DownloadPage(ScriptedBase() + "/echo/twice"), Bytes("echo"));
  EXPECT_EQ(DownloadPage(ScriptedBase() + "/echo/twice"), Bytes("echo"));
  const auto requests = traffic.NewRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].requestLine, "GET /echo/twice HTTP/1.0");
  EXPECT_EQ(requests[1].requestLine, "GET /echo/twice HTTP/1.0");
  EXPECT_EQ(traffic.NewConnections(), 2) << "every page is fetched on its own connection";
}

}  // namespace

// Every failure is an empty buffer, and the next call starts afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "InternetSession.h"
#include "LoopbackSites.h"
#include "PageDownloader.h"

namespace {

TEST(Failure, AddressesThatAreNeverFetched) {
  const std::string hostAndPort = ScriptedBase().substr(7);
  const std::string cases[] = {
      "www.cuiweixingshe.example/html/gndy/dyzz/list_23_1.html",  // no scheme
      hostAndPort + "/echo/no-scheme",
      "//" + hostAndPort + "/echo/no-scheme",
      "ftp://" + hostAndPort + "/echo/ftp",
      "gopher://" + hostAndPort + "/echo/gopher",
      "file:///etc/hostname",
      "http://" + std::string(128, 'u') + ":p@" + hostAndPort + "/echo/user-too-long",
      "http://u:" + std::string(128, 'p') + "@" + hostAndPort + "/echo/password-too-long",
      "http://" + std::string(256, 'h') + "/echo/host-too-long",
      std::string("\0http://", 8) + hostAndPort + "/echo/after-nul",
  };
  for (const std::string& address : cases) {
    const ScriptedTraffic traffic;
    EXPECT_TRUE(DownloadPage(address).empty()) << address;
    EXPECT_EQ(traffic.NewConnections(), 0) << address;
  }
}

TEST(Failure, HostThatDoesNotResolveThenANormalCall) {
  EXPECT_TRUE(DownloadPage("http://no-such-host.invalid/html/gndy/dyzz/list_23_1.html").empty());
  EXPECT_TRUE(InternetHandleIsOpen());
  EXPECT_EQ(DownloadPage(NginxBase() + "/page.bin"), Pattern(20000));
}

TEST(Failure, RefusedPortThenANormalCall) {
  EXPECT_TRUE(DownloadPage("http://127.0.0.1:" + std::to_string(RefusedPort()) + "/page.bin").empty());
  EXPECT_EQ(DownloadPage(NginxBase() + "/page.bin"), Pattern(20000));
}

TEST(Failure, SelfSignedCertificateIsRejected) {
  const TlsTraffic traffic;
  const ByteBuffer body = DownloadPage("https://127.0.0.1:" + std::to_string(TlsPort()) + "/secret.html");
  EXPECT_TRUE(body.empty()) << std::string(body.begin(), body.end());
  const std::vector<std::string> lines = traffic.NewLines();
  // The secure flag made the client speak TLS on the named port...
  EXPECT_NE(std::find(lines.begin(), lines.end(), "client-hello"), lines.end());
  // ...and it sent no request over a connection it did not trust.
  for (const std::string& line : lines) EXPECT_NE(line.rfind("request", 0), 0u) << line;
}

TEST(Failure, CertificateOfAnAuthorityOutsideTheRootStoreIsRejected) {
  // The TrustedRoot suite's server, seen from a prefix whose root store does
  // not hold its authority.
  const ScriptedTraffic traffic(ScriptedTraffic::RequestLog::kTrustedTls);
  EXPECT_TRUE(DownloadPage(TrustedTlsBase() + "/echo/untrusted").empty());
  EXPECT_EQ(traffic.NewConnections(), 1);
  EXPECT_TRUE(traffic.NewRequests().empty());
}

TEST(Failure, SharedInternetHandleOutlivesFailedAndGoodDownloads) {
  // A mark only this handle carries: a handle opened anew would answer 0.
  ASSERT_FALSE(DownloadPage(NginxBase() + "/page.bin").empty());
  HINTERNET internet = SharedInternetHandle();
  ASSERT_NE(internet, nullptr);
  DWORD_PTR mark = 0x5EED;
  ASSERT_TRUE(InternetSetOptionA(internet, INTERNET_OPTION_CONTEXT_VALUE, &mark, sizeof mark));
  auto markOfTheSharedHandle = [] {
    DWORD_PTR value = 0;
    DWORD size = sizeof value;
    HINTERNET shared = SharedInternetHandle();
    if (!InternetQueryOptionA(shared, INTERNET_OPTION_CONTEXT_VALUE, &value, &size)) return DWORD_PTR{0};
    return value;
  };

  EXPECT_TRUE(DownloadPage("http://127.0.0.1:" + std::to_string(RefusedPort()) + "/page.bin").empty());
  EXPECT_EQ(SharedInternetHandle(), internet);
  EXPECT_EQ(markOfTheSharedHandle(), mark) << "after a failed download";
  EXPECT_TRUE(DownloadPage("http://no-such-host.invalid/x.html").empty());
  EXPECT_EQ(markOfTheSharedHandle(), mark) << "after a failed name lookup";
  EXPECT_EQ(DownloadPage(NginxBase() + "/page.bin"), Pattern(20000));
  EXPECT_EQ(SharedInternetHandle(), internet);
  EXPECT_EQ(markOfTheSharedHandle(), mark) << "after a good download";
}

TEST(Failure, PlainServerSpokenToOverTls) {
  const ScriptedTraffic traffic;
  const std::string hostAndPort = ScriptedBase().substr(7);
  EXPECT_TRUE(DownloadPage("https://" + hostAndPort + "/echo/tls").empty());
  EXPECT_TRUE(traffic.NewRequests().empty());
}

}  // namespace

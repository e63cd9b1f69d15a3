// Whatever body the server sends is the result: error pages, redirected
// pages, chunked and unsized bodies, bodies cut short.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "LoopbackSites.h"
#include "PageDownloader.h"

namespace {

ByteBuffer Concatenated(std::initializer_list<ByteBuffer> parts) {
  ByteBuffer all;
  for (const ByteBuffer& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

ByteBuffer Slice(const ByteBuffer& bytes, std::size_t from) { return ByteBuffer(bytes.begin() + from, bytes.end()); }

// servers.py CHUNKS, in the order sent.
ByteBuffer ChunkedBody(std::size_t chunks) {
  const ByteBuffer parts[] = {Pattern(7000), Pattern(1), Slice(Pattern(20000), 5), Pattern(3000)};
  ByteBuffer all;
  for (std::size_t i = 0; i < chunks; ++i) all.insert(all.end(), parts[i].begin(), parts[i].end());
  return all;
}

struct BodyCase {
  const char* what;
  Text address;
  ByteBuffer body;
};

TEST(Body, IsTheResponseBodyAsSent) {
  const Text nginx = NginxBase();
  const Text scripted = ScriptedBase();
  const BodyCase cases[] = {
      {"ordinary page from nginx", nginx + "/page.bin", Pattern(20000)},
      {"404 with an HTML body", scripted + "/error404",
       Bytes("<html><head><title>Not here</title></head><body><h1>404</h1><p>gone</p></body></html>\n")},
      {"redirect followed to the final body", nginx + "/moved", Pattern(20000)},
      {"two redirects followed", nginx + "/moved-twice", Pattern(20000)},
      {"chunked body, transfer coding undone", scripted + "/chunked", ChunkedBody(4)},
      {"no Content-Length, more than one 10240-byte read", scripted + "/nolength?size=50000", Pattern(50000)},
      {"no Content-Length, exactly one read", scripted + "/nolength?size=10240", Pattern(10240)},
      {"declared length above 102400, several MB", nginx + "/big.bin", Pattern(5 * 1024 * 1024)},
      {"connection closed part-way: the bytes received", scripted + "/truncated", Pattern(30000)},
      {"chunked body cut inside a chunk: the whole chunks and the part", scripted + "/truncated-chunked",
       Concatenated({ChunkedBody(2), Pattern(100)})},
      {"empty body", scripted + "/empty", ByteBuffer()},
      {"empty file from nginx", nginx + "/empty.html", ByteBuffer()},
      {"404 with no body", scripted + "/static/missing.html", ByteBuffer()},
  };
  for (const BodyCase& c : cases) {
    const ByteBuffer body = DownloadPage(c.address);
    EXPECT_EQ(body.size(), c.body.size()) << c.what;
    EXPECT_TRUE(body == c.body) << c.what;
  }
}

TEST(Body, NginxErrorPageIsTheResult) {
  const ByteBuffer body = DownloadPage(NginxBase() + "/no-such-page.html");
  const std::string text(body.begin(), body.end());
  EXPECT_NE(text.find("<title>404 Not Found</title>"), std::string::npos) << text;
}

TEST(Body, OverstatedLengthLeavesNoReservationBehind) {
  // The declared 50 MB are reserved up front; only 1000 bytes come.
  const ByteBuffer body = DownloadPage(ScriptedBase() + "/overstated");
  EXPECT_EQ(body, Pattern(1000));
  EXPECT_LT(body.capacity(), 1024u * 1024u);
}

TEST(Body, EndlessStreamStopsAtTheLargestBody) {
  // The server sends a 1 MiB block (servers.py ENDLESS_BLOCK) until the
  // client hangs up; the download keeps exactly the first kLargestBodySize
  // bytes instead of growing until memory runs out.
  const ByteBuffer block = Pattern(1024 * 1024);
  const ByteBuffer body = DownloadPage(ScriptedBase() + "/endless");
  ASSERT_EQ(body.size(), kLargestBodySize);
  bool same = true;
  for (std::size_t at = 0; at < body.size(); at += block.size()) {
    same = same && std::equal(block.begin(), block.end(), body.begin() + static_cast<std::ptrdiff_t>(at));
  }
  EXPECT_TRUE(same) << "the body is the stream's first bytes, in order";
  // The connection was given up, and the next download is ordinary.
  EXPECT_EQ(DownloadPage(NginxBase() + "/page.bin"), Pattern(20000));
}

}  // namespace

// Run in a process of their own (run_with_servers.py filters them), before
// anything else has opened the shared Internet handle.
#include <gtest/gtest.h>

#include <string>

#include "InternetSession.h"
#include "LoopbackSites.h"
#include "PageDownloader.h"

namespace {

TEST(FreshProcess, AddressesThatCannotBeSplitOpenNothing) {
  ASSERT_FALSE(InternetHandleIsOpen());
  const std::string hostAndPort = ScriptedBase().substr(7);
  const std::string cases[] = {
      "",
      std::string(1, '\0'),
      hostAndPort + "/echo/no-scheme",
      "http://" + std::string(128, 'u') + "@" + hostAndPort + "/echo/user-too-long",
  };
  const ScriptedTraffic traffic;
  for (const std::string& address : cases) {
    EXPECT_TRUE(DownloadPage(address).empty()) << address;
    EXPECT_FALSE(InternetHandleIsOpen()) << address;
  }
  EXPECT_EQ(traffic.NewConnections(), 0);

  EXPECT_EQ(DownloadPage(ScriptedBase() + "/echo/first"), Bytes("echo"));
  EXPECT_TRUE(InternetHandleIsOpen());
}

}  // namespace

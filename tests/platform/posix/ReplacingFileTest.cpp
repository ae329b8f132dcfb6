// What a write keeps of a file on a POSIX system, and what it refuses there: pipes and devices as
// sources, symbolic links and owners of destinations, and a write past the file size limit.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "host/IptcCommands.h"
#include "platform/FormatError.h"
#include "tests/support/JpegBuilder.h"
#include "tests/support/RegisteredHost.h"
#include "tests/support/TempDir.h"

namespace dux {
namespace {

class PosixWrite : public ::testing::Test {
 protected:
  // Writes a new city from `source` into `destination`; the error's text when it is refused.
  std::string Refusal(const std::string& source, const std::string& destination) {
    host.variables["[duxIPTC_City]"] = "Rome";
    try {
      IptcWrite(source, destination);
    } catch (const FormatError& e) {
      return e.what();
    }
    return "";
  }
  test::RegisteredHost host;
  test::TempDir dir;
};

TEST_F(PosixWrite, APipeOrADeviceAsTheSourceIsRefusedAtOnce) {
  const std::string pipe = dir.File("pipe.jpg");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  // No writer ever comes to the pipe: opening it as a reader would wait for one for ever.
  for (const std::string& source : {pipe, std::string("/dev/zero")}) {
    SCOPED_TRACE(source);
    EXPECT_NE(Refusal(source, dir.File("out.jpg")).find("not a regular file"), std::string::npos);
  }
  EXPECT_EQ(dir.Listing(), "pipe.jpg\n");
}

TEST_F(PosixWrite, ASymbolicLinkIsWrittenThroughToItsFile) {
  const std::string source = dir.File("in.jpg"), real = dir.File("real.jpg"),
                    link = dir.File("link.jpg");
  test::WriteFileBytes(source, test::TinyJpeg());
  test::WriteFileBytes(real, "old");
  std::filesystem::create_symlink("real.jpg", link);
  EXPECT_EQ(Refusal(source, link), "");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_NE(test::ReadFileBytes(real).find("Rome"), std::string::npos);
  // A link to nothing is refused, and stays.
  std::filesystem::create_symlink("missing/x.jpg", dir.File("dangling.jpg"));
  EXPECT_NE(Refusal(source, dir.File("dangling.jpg")).find("symbolic link to nothing"),
            std::string::npos);
  EXPECT_EQ(dir.Listing(), "dangling.jpg\nin.jpg\nlink.jpg\nreal.jpg\n");
}

TEST_F(PosixWrite, TheDestinationKeepsItsOwnerAndGroupAndItsPermissions) {
  if (geteuid() != 0) GTEST_SKIP() << "only an administrator can give a file another owner";
  const std::string source = dir.File("in.jpg"), destination = dir.File("out.jpg");
  test::WriteFileBytes(source, test::TinyJpeg());
  test::WriteFileBytes(destination, "old");
  ASSERT_EQ(chown(destination.c_str(), 65534, 65534), 0);
  ASSERT_EQ(chmod(destination.c_str(), 0640), 0);
  EXPECT_EQ(Refusal(source, destination), "");
  struct stat info {};
  ASSERT_EQ(stat(destination.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(PosixWrite, AWritePastTheFileSizeLimitFailsAndLeavesNothing) {
  const std::string source = dir.File("in.jpg"), destination = dir.File("out.jpg");
  test::WriteFileBytes(source, test::TinyJpeg() + std::string(1 << 20, 'x'));
  // In a process of its own: the limit and the signal's disposition are the process's.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{1 << 16, 1 << 16};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string refusal = Refusal(source, destination);
    _exit(refusal.find("File too large") != std::string::npos ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(dir.Listing(), "in.jpg\n");
}

}  // namespace
}  // namespace dux

// Private-profile functions on real INI files.
#include <gtest/gtest.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <windows.h>

#include "testing/case_name.h"
#include "testing/small_disk.h"
#include "testing/temp_folder.h"
#include "win32/testing.h"

namespace {

std::string Read(const rwtest::TempFolder& folder, const char* section, const char* key, const char* fallback,
                 DWORD size = 1024) {
  std::vector<char> buffer(size);
  DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer.data(), size,
                                     folder.windows("a.ini").c_str());
  return std::string(buffer.data(), n);
}

struct ReadCase {
  const char* name;
  std::string content;
  const char* section;
  const char* key;
  const char* fallback;
  std::string expected;
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsValueOrDefault) {
  rwtest::TempFolder folder;
  folder.write("a.ini", GetParam().content);
  EXPECT_EQ(Read(folder, GetParam().section, GetParam().key, GetParam().fallback), GetParam().expected);
}

const ReadCase readCases[] = {
    {"plain", "[S]\r\nk=v\r\n", "S", "k", "d", "v"},
    {"names_without_case_and_blanks", "[ Sec ]\r\n  Key  =  val  \r\n", " sec", "KEY ", "d", "val"},
    {"double_quotes_stripped", "[S]\r\nk= \"  q  \" \r\n", "S", "k", "d", "  q  "},
    {"single_quotes_stripped", "[S]\r\nk='x'\r\n", "S", "k", "d", "x"},
    {"unmatched_quotes_kept", "[S]\r\nk=\"x'\r\n", "S", "k", "d", "\"x'"},
    {"one_pair_only", "[S]\r\nk=\"\"x\"\"\r\n", "S", "k", "d", "\"x\""},
    {"empty_value", "[S]\r\nk=\r\n", "S", "k", "d", ""},
    {"default_only_trailing_blanks_stripped", "[S]\r\n", "S", "k", "  d  ", "  d"},
    {"default_trailing_tab_stripped", "[S]\r\n", "S", "k", "d \t", "d"},
    {"argument_names_trimmed_of_tabs", "[Section]\r\nKey=v\r\n", "\tSection", "Key\t", "d", "v"},
    {"null_default_is_empty", "[S]\r\n", "S", "k", nullptr, ""},
    {"first_duplicate_key_wins", "[S]\r\nk=1\r\nk=2\r\n", "S", "k", "d", "1"},
    {"first_duplicate_section_wins", "[S]\r\nk=1\r\n[s]\r\nj=2\r\n", "S", "j", "d", "d"},
    {"comment_is_no_key", "[S]\r\n;k=1\r\n", "S", "k", "d", "d"},
    {"line_without_equals_is_no_key", "[S]\r\nk\r\n", "S", "k", "d", "d"},
    {"key_of_other_section", "[A]\r\nk=1\r\n[B]\r\n", "B", "k", "d", "d"},
    {"key_before_any_section", "k=1\r\n[S]\r\n", "S", "k", "d", "d"},
    {"value_with_equals", "[S]\r\nk=a=b\r\n", "S", "k", "d", "a=b"},
    {"cr_only_lines", "[S]\rk=v\rj=w", "S", "j", "d", "w"},
    {"lf_only_no_final_newline", "[S]\nk=v", "S", "k", "d", "v"},
    {"nul_bytes_elsewhere", std::string("[S]\nx=a\0b\nk=v\n", 15), "S", "k", "d", "v"},
    {"nul_byte_ends_value", std::string("[S]\nx=a\0b\n", 11), "S", "x", "d", "a"},
    {"long_line_before", "[S]\n" + std::string(100000, 'x') + "\nk=v\n", "S", "k", "d", "v"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, ::testing::ValuesIn(readCases),
                         rwtest::CaseName());

TEST(ProfileReadEdges, MissingFileAndDirectoryGiveDefault) {
  rwtest::TempFolder folder;
  EXPECT_EQ(Read(folder, "S", "k", "d"), "d");
  std::filesystem::create_directory(folder.path() / "a.ini");
  EXPECT_EQ(Read(folder, "S", "k", "d"), "d");
}

TEST(ProfileReadEdges, LongValueIsCutToBufferAsWindowsDoes) {
  rwtest::TempFolder folder;
  folder.write("a.ini", "[S]\r\nk=" + std::string(100000, 'v') + "\r\n");
  EXPECT_EQ(Read(folder, "S", "k", "d", 254), std::string(253, 'v'));
  EXPECT_EQ(Read(folder, "S", "k", "d", 200000), std::string(100000, 'v'));
}

struct ListCase {
  const char* section;  // nullptr: section names
  DWORD size;
  std::string expected;  // the buffer's leading bytes
  DWORD returned;
};

TEST(ProfileLists, SectionAndKeyNamesWithBufferRules) {
  rwtest::TempFolder folder;
  folder.write("a.ini", "[A]\r\nx=1\r\n[BB]\r\nyy=2\r\nzzz=3\r\nyy=4\r\n[ccc]\r\n[a]\r\n");
  const ListCase cases[] = {
      {nullptr, 100, std::string("A\0BB\0ccc\0\0", 10), 9},
      {nullptr, 6, std::string("A\0BB\0\0", 6), 4},  // cut: size-2, still two NULs
      {"bb", 100, std::string("yy\0zzz\0\0", 8), 7},
      {"bb", 5, std::string("yy\0\0\0", 5), 3},
      {"missing", 100, std::string("\0", 1), 0},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.section ? c.section : "(section names)") << ", " << c.size << " bytes");
    std::vector<char> buffer(c.size, '#');
    DWORD n = GetPrivateProfileStringA(c.section, nullptr, "d", buffer.data(), c.size,
                                       folder.windows("a.ini").c_str());
    EXPECT_EQ(n, c.returned) << (c.section ? c.section : "(sections)") << " size " << c.size;
    EXPECT_EQ(std::string(buffer.data(), c.expected.size()), c.expected) << (c.section ? c.section : "(sections)");
  }
  std::vector<char> names(100);
  EXPECT_EQ(GetPrivateProfileSectionNamesA(names.data(), 100, folder.windows("a.ini").c_str()), 9u);
}

struct WriteCase {
  const char* name;
  std::optional<std::string> before;  // nothing: no file
  const char* section;
  const char* key;
  const char* value;
  std::optional<std::string> after;
};

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesTheFileAsWindowsDoes) {
  const WriteCase& c = GetParam();
  rwtest::TempFolder folder;
  if (c.before) folder.write("a.ini", *c.before);
  EXPECT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, folder.windows("a.ini").c_str()));
  ASSERT_EQ(std::filesystem::exists(folder.path() / "a.ini"), c.after.has_value());
  if (c.after) {
    EXPECT_EQ(folder.read("a.ini"), *c.after);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), c.after ? 1 : 0)
      << "no temporary file is left";
}

const WriteCase writeCases[] = {
    {"creates_missing_file", std::nullopt, "S", "k", "v", "[S]\r\nk=v\r\n"},
    {"replaces_keeping_spelling", "[Sec]\r\n Key = old\r\n", "SEC", "key", "new", "[Sec]\r\nKey=new\r\n"},
    {"new_key_after_last_key", "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n", "A", "c", "3",
     "[A]\r\na=1\r\nc=3\r\n\r\n[B]\r\nb=1\r\n"},
    {"new_key_in_empty_section", "[A]\r\n;c\r\n[B]\r\n", "A", "k", "v", "[A]\r\nk=v\r\n;c\r\n[B]\r\n"},
    {"new_section_at_end_with_crlf", "[A]\na=1\n", "N", "n", "1", "[A]\r\na=1\r\n[N]\r\nn=1\r\n"},
    {"first_duplicate_key_replaced", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "9", "[A]\r\nk=9\r\nk=2\r\n"},
    {"null_value_deletes_key", "[A]\r\na=1\r\nb=2\r\n", "A", "a", nullptr, "[A]\r\nb=2\r\n"},
    {"null_key_deletes_section", "[A]\r\na=1\r\n[B]\r\nb=2\r\n", "a", nullptr, nullptr, "[B]\r\nb=2\r\n"},
    {"deleting_missing_creates_nothing", std::nullopt, "A", "a", nullptr, std::nullopt},
    {"deleting_section_of_missing_file_creates_nothing", std::nullopt, "A", nullptr, nullptr, std::nullopt},
    {"deleting_section_keeps_its_comments", "[A]\r\na=1\r\n;note\r\nb=2\r\n[B]\r\nb=2\r\n", "A", nullptr, nullptr,
     ";note\r\n[B]\r\nb=2\r\n"},
    {"names_written_trimmed_of_tabs", "[S]\r\nk=1\r\n", "\tS ", " \tnew\t", "v", "[S]\r\nk=1\r\nnew=v\r\n"},
    {"new_section_written_trimmed_of_tabs", std::nullopt, "\tN\t", "\tk", "v", "[N]\r\nk=v\r\n"},
    {"nul_bytes_kept", std::string("[A]\r\nx=a\0b\r\n", 12), "A", "k", "v",
     std::string("[A]\r\nx=a\0b\r\nk=v\r\n", 17)},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, ::testing::ValuesIn(writeCases),
                         rwtest::CaseName());

TEST(ProfileWriteRefusals, DirectoryAsFileFailsCleanly) {
  rwtest::TempFolder folder;
  std::filesystem::create_directory(folder.path() / "a.ini");
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", folder.windows("a.ini").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "a.ini"));
}

TEST(ProfileWriteRefusals, LineBreaksCannotAddKeysOrSections) {
  rwtest::TempFolder folder;
  folder.write("a.ini", "[A]\r\nk=1\r\n");
  const char* cases[][3] = {{"A", "k", "2\r\n[Evil]"}, {"A", "k\nx", "2"}, {"A]\n[B", "k", "2"}, {"A", "k=x", "2"}};
  for (auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c[0] ? c[0] : "(null)") << " " << (c[1] ? c[1] : "(null)"));
    EXPECT_FALSE(WritePrivateProfileStringA(c[0], c[1], c[2], folder.windows("a.ini").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  EXPECT_EQ(folder.read("a.ini"), "[A]\r\nk=1\r\n");
}

class ProfileAtomicWrite : public ::testing::Test {
 protected:
  void SetUp() override { folder.write("a.ini", old); }
  void TearDown() override { win32::testing::SetProfileWriteObserver(nullptr); }
  bool WriteBigValue() {
    return WritePrivateProfileStringA("A", "big", std::string(50000, 'b').c_str(),
                                      folder.windows("a.ini").c_str());
  }
  rwtest::TempFolder folder;
  const std::string old = "[A]\r\nk=old\r\n";
};

TEST_F(ProfileAtomicWrite, FailingWriteLeavesOldFileAndNoTemporary) {
  win32::testing::SetProfileWriteObserver([](std::size_t written) { return written < 8192; });
  EXPECT_FALSE(WriteBigValue());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(folder.read("a.ini"), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(ProfileAtomicWrite, KilledWriterLeavesOldFile) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    win32::testing::SetProfileWriteObserver([](std::size_t written) {
      if (written >= 8192) kill(getpid(), SIGKILL);
      return true;
    });
    WriteBigValue();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(folder.read("a.ini"), old);
  EXPECT_TRUE(WriteBigValue());  // and the next write works
  std::vector<char> value(60000);
  GetPrivateProfileStringA("A", "big", "", value.data(), 60000, folder.windows("a.ini").c_str());
  EXPECT_EQ(std::string(value.data()), std::string(50000, 'b'));
}

// Folder and file permissions bind only unprivileged users: these writes run
// in a child process as user "nobody" (65534). Returns the write's result,
// or nothing when no such user can be taken on.
std::optional<bool> WriteAsUnprivileged(const rwtest::TempFolder& folder, const char* value, const std::string& file = "a.ini",
                                        const char* section = "A", const char* key = "k") {
  pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    if (geteuid() == 0) _exit(2);
    bool written = WritePrivateProfileStringA(section, key, value, folder.windows(file).c_str());
    _exit(written ? 0 : GetLastError() == ERROR_ACCESS_DENIED ? 1 : 3);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 2) return std::nullopt;
  EXPECT_NE(WEXITSTATUS(status), 3) << "a refused write reports ERROR_ACCESS_DENIED";
  return WEXITSTATUS(status) == 0;
}

class ProfilePermissions : public ::testing::Test {
 protected:
  void SetUp() override { folder.write("a.ini", "[A]\r\nk=1\r\n"); }
  void Allow(const std::string& name, std::filesystem::perms perms) {
    std::filesystem::permissions(folder.path() / name, perms);
  }
  rwtest::TempFolder folder;
  static constexpr auto kReadOnly = std::filesystem::perms(0644);
  static constexpr auto kWritable = std::filesystem::perms(0666);
  static constexpr auto kLockedFolder = std::filesystem::perms(0755);
  static constexpr auto kOpenFolder = std::filesystem::perms(0777);
};

// A read-only folder can take no new file beside the old one: the write
// fails and the file stays as it was (no write over the file itself).
TEST_F(ProfilePermissions, LockedFolderRefusesTheWriteAndKeepsTheFile) {
  Allow("", kLockedFolder);
  Allow("a.ini", kWritable);
  auto written = WriteAsUnprivileged(folder, "2");
  if (!written) GTEST_SKIP() << "no unprivileged user to write as";
  EXPECT_FALSE(*written);
  EXPECT_EQ(folder.read("a.ini"), "[A]\r\nk=1\r\n");
}

TEST_F(ProfilePermissions, ReadOnlyFileIsNotReplaced) {
  for (auto folderPerms : {kOpenFolder, kLockedFolder}) {
    SCOPED_TRACE(::testing::Message() << "folder permissions " << std::oct << static_cast<int>(folderPerms));
    Allow("", folderPerms);
    Allow("a.ini", kReadOnly);
    auto written = WriteAsUnprivileged(folder, "2");
    if (!written) GTEST_SKIP() << "no unprivileged user to write as";
    EXPECT_FALSE(*written);
    EXPECT_EQ(folder.read("a.ini"), "[A]\r\nk=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
  }
}


// ---- Writes that are killed, find a full disk or leftovers of a crash ----

std::string ManyKeys(const std::string& round, std::size_t count = 3000) {
  std::string text = "[S]\r\nround=" + round + "\r\n";
  for (std::size_t i = 0; i < count; ++i) text += "key" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
  return text;
}

// The temporary files beside a.ini.
std::size_t Temporaries(const rwtest::TempFolder& folder) {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    if (entry.path().filename() != "a.ini") ++count;
  return count;
}

// A writer that flips a 3,000-key file between two versions is killed at a
// random moment, 200 times: every time the file is one version or the
// other, whole, and the next write removes the killed writer's temporary.
TEST(ProfileKilledWriter, LeavesTheOldOrTheNewFileAndTheNextWriteRemovesItsTemporary) {
  rwtest::TempFolder folder;
  const std::string versions[] = {ManyKeys("A"), ManyKeys("B")};
  folder.write("a.ini", versions[0]);
  const std::string file = folder.windows("a.ini");
  std::mt19937 random(13);
  std::uniform_int_distribution<int> delay(0, 3000);  // microseconds
  int rounds = 200, broken = 0, killedMidWrite = 0;
  std::size_t mostTemporaries = 0;
  for (int round = 0; round < rounds; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0; i < 100000; ++i) WritePrivateProfileStringA("S", "round", i % 2 ? "A" : "B", file.c_str());
      _exit(0);
    }
    usleep(static_cast<useconds_t>(delay(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string content = folder.read("a.ini");
    if (content != versions[0] && content != versions[1]) ++broken;
    const std::size_t left = Temporaries(folder);
    if (left > 0) ++killedMidWrite;
    mostTemporaries = std::max(mostTemporaries, left);
  }
  EXPECT_EQ(broken, 0) << "files that were neither version";
  EXPECT_LE(mostTemporaries, 1u) << "each write removes the temporaries of killed writers";
  EXPECT_TRUE(WritePrivateProfileStringA("S", "round", "C", file.c_str()));
  EXPECT_TRUE(folder.read("a.ini") == ManyKeys("C"));
  EXPECT_EQ(Temporaries(folder), 0u);
  std::printf("kill -9 loop: %d rounds, %d killed while a temporary file was there, %d broken files, "
              "%zu temporaries after the next write\n",
              rounds, killedMidWrite, broken, Temporaries(folder));
}

// A process that stays alive until the test ends.
class LiveProcess {
 public:
  LiveProcess() : pid_(fork()) {
    if (pid_ == 0) {
      pause();
      _exit(0);
    }
  }
  ~LiveProcess() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_;
};

pid_t DeadProcess() {
  pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(ProfileStaleTemporaries, TheNextWriteRemovesThoseOfWritersThatAreGone) {
  rwtest::TempFolder folder;
  folder.write("a.ini", "[A]\r\nk=1\r\n");
  LiveProcess writer;  // another process writing a.ini just now
  auto temp = [](pid_t pid, const char* file = "a.ini") {
    return std::string(file) + ".~" + std::to_string(pid) + ".Ab12Cd";
  };
  const std::string stale[] = {temp(DeadProcess()), temp(getpid()), temp(1)};
  const std::string kept[] = {temp(writer.pid()), temp(DeadProcess(), "b.ini"), "a.ini.~12x.Ab12Cd", "a.ini.backup",
                              "a.ini.~" + std::to_string(DeadProcess())};
  for (const auto& name : stale) {
    SCOPED_TRACE(name);
    folder.write(name, "[A]\r\nk=");
  }
  for (const auto& name : kept) {
    SCOPED_TRACE(name);
    folder.write(name, "other");
  }
  // Process 1 was started long after this file was written: the number
  // belonged to another writer then.
  const timespec longAgo[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, (folder.path() / temp(1)).c_str(), longAgo, 0), 0);

  EXPECT_TRUE(WritePrivateProfileStringA("A", "k", "2", folder.windows("a.ini").c_str()));
  for (const auto& name : stale) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / name));
  }
  for (const auto& name : kept) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / name));
  }
  EXPECT_EQ(folder.read("a.ini"), "[A]\r\nk=2\r\n");
}

// A full 64 KB disk inside the test folder; the test is skipped where no
// file system can be mounted.
class ProfileFullDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here: " << disk.why();
    folder.write("disk/a.ini", ManyKeys("A", kKeys));
    disk.fill();
  }
  std::string File() const { return folder.windows("disk/a.ini"); }
  bool Holds(const char* round) const { return folder.read("disk/a.ini") == ManyKeys(round, kKeys); }
  std::size_t Entries() const { return std::distance(std::filesystem::directory_iterator(disk.path()), {}); }
  static constexpr std::size_t kKeys = 1000;  // 18 KB: the disk holds two of them

  rwtest::TempFolder folder;
  rwtest::SmallDisk disk{folder.path() / "disk"};
};

TEST_F(ProfileFullDisk, WriteFailsWithDiskFullAndTheFileStaysWhole) {
  EXPECT_FALSE(WritePrivateProfileStringA("S", "round", "B", File().c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_TRUE(Holds("A"));
  EXPECT_EQ(Entries(), 2u) << "no temporary file is left";
  disk.makeRoom();
  EXPECT_TRUE(WritePrivateProfileStringA("S", "round", "B", File().c_str()));
  EXPECT_TRUE(Holds("B"));
}

TEST_F(ProfileFullDisk, ReadOnlyFolderOnAFullDiskKeepsTheFileWhole) {
  std::filesystem::permissions(folder.path(), std::filesystem::perms(0755));
  std::filesystem::permissions(disk.path(), std::filesystem::perms(0755));
  std::filesystem::permissions(disk.path() / "a.ini", std::filesystem::perms(0666));
  auto written = WriteAsUnprivileged(folder, std::string(8000, 'b').c_str(), "disk/a.ini", "S", "big");
  if (!written) GTEST_SKIP() << "no unprivileged user to write as";
  EXPECT_FALSE(*written);
  EXPECT_TRUE(Holds("A"));
}

}  // namespace

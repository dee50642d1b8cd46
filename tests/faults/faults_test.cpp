// File-system faults around a sort: one table, each row run through the real
// ordalis-sort binary (the window's sort run takes the same path from source
// to target) and, when the fault is on the target's side, the writing of
// Ordalis.ini. Whatever happens the source stays as it was, the target is
// either exactly as it was or complete and new, and no temporary file is left
// behind. A source named again as the target is refused under every spelling
// in the command-line tests.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "files/file_reading.h"
#include "settings/settings_file.h"
#include "support/child_process.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace ordalis {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::ReadBytes;
using testing::WriteBytes;

constexpr char kBinary[] = ORDALIS_SORT_PATH;
constexpr char kPrecious[] = "an older target that must survive\r\n";
constexpr rlim_t kFileSizeLimit = 64;  // Bytes: less than any file the limit rows write.

// ------------------------------------------------------------ the scene --

// What a name in the scene is, as far as a write could change it.
struct Entry {
  mode_t mode = 0;  // Type and permission bits.
  ino_t inode = 0;
  nlink_t links = 0;
  off_t size = 0;
  long long mtime_ns = 0;
  std::string content;  // A file's bytes (empty if unreadable) or a link's text.
  bool operator==(const Entry&) const = default;
};
using Tree = std::map<std::string, Entry>;  // By path relative to the scene.

Tree Capture(const fs::path& root) {
  Tree tree;
  for (const fs::directory_entry& item :
       fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied)) {
    struct stat st {};
    if (lstat(item.path().c_str(), &st) != 0) continue;
    Entry& entry = tree[item.path().lexically_relative(root).string()];
    entry.mode = st.st_mode;
    entry.inode = st.st_ino;
    if (S_ISDIR(st.st_mode)) continue;  // Its times change with every temporary file made.
    entry.links = st.st_nlink;
    entry.size = st.st_size;
    entry.mtime_ns = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    entry.content = S_ISLNK(st.st_mode) ? fs::read_symlink(item.path()).string()
                                        : ReadBytes(item.path().string());
  }
  return tree;
}

// The names added, removed or changed between two captures, but `except`.
std::string Changes(const Tree& before, const Tree& after, const std::string& except = {}) {
  std::string changes;
  for (const auto& [name, entry] : before) {
    const auto found = after.find(name);
    if (name == except) continue;
    if (found == after.end()) {
      changes += " removed:" + name;
    } else if (!(found->second == entry)) {
      changes += " changed:" + name;
    }
  }
  for (const auto& [name, entry] : after) {
    if (name != except && !before.contains(name)) changes += " added:" + name;
  }
  return changes;
}

std::vector<std::string> Temporaries(const Tree& tree) {
  static const std::regex kTemporary(R"(\..+\.tmp-[0-9]+)");
  std::vector<std::string> found;
  for (const auto& [name, entry] : tree) {
    if (std::regex_match(fs::path(name).filename().string(), kTemporary)) found.push_back(name);
  }
  return found;
}

// A source in in/ and an older target in out/, in a fresh folder.
class Scene {
 public:
  Scene(const std::string& target_name, const std::string& source_bytes)
      : root_(fs::canonical(dir_.path()) / "scene") {
    source = (root_ / "in" / "source.dat").string();
    target = (root_ / "out" / target_name).string();
    fs::create_directories(root_ / "in");
    fs::create_directories(root_ / "out");
    WriteBytes(source, source_bytes);
    WriteBytes(target, kPrecious);
    fs::permissions(target, fs::perms(0640));
  }
  ~Scene() {  // Gives back what a row took away, so the folder can go.
    std::error_code ec;
    for (const fs::directory_entry& item : fs::recursive_directory_iterator(root_, ec)) {
      if (item.is_directory(ec) && !item.is_symlink(ec)) {
        fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, ec);
      }
    }
    fs::permissions(root_ / "out", fs::perms::owner_all, fs::perm_options::add, ec);
  }
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  const fs::path& root() const { return root_; }
  fs::path Out() const { return root_ / "out"; }

  std::string source;  // What the sort reads; a row may move or remove it.
  std::string target;  // What the sort writes; a row may move or replace it.

 private:
  testing::TempDir dir_;
  fs::path root_;
};

// Lowers the process's file-size limit for as long as it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : active_(bytes != 0) {
    if (!active_) return;
    IgnoreFileSizeLimitSignal();
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved_), 0);
    rlimit low = saved_;
    low.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &low), 0);
  }
  ~FileSizeLimit() {
    if (active_) setrlimit(RLIMIT_FSIZE, &saved_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  bool active_;
  rlimit saved_{};
};

// ------------------------------------------------------------ the table --

enum class Expect { Completed, Failed };

struct Fault {
  const char* name;
  Expect expect;
  bool target_side;            // Also a fault for Ordalis.ini.
  bool needs_permission_bits;  // Stops nothing for root.
  std::string source_bytes;
  std::string sorted;      // The whole target when the sort completes.
  rlim_t file_size_limit;  // 0 for none.
  void (*arrange)(Scene&);
};

void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }

// `count` lines "00001" ... in falling or rising order.
std::string Numbered(int count, bool falling) {
  std::string bytes;
  char line[16];
  for (int i = 0; i < count; ++i) {
    std::snprintf(line, sizeof line, "%05d\r\n", falling ? count - i : i + 1);
    bytes += line;
  }
  return bytes;
}

const std::vector<Fault>& Rows() {
  const std::string plain = "b\r\na\r\nc\r\n", sorted = "a\r\nb\r\nc\r\n";
  const std::string big = Numbered(200, true);
  // Keys differ in their first byte; the rest is anything but CR.
  const std::string binary =
      "c\x80\xff\x00\x1a\xfe tail\r\n"
      "a\x00\x00\x1a\x81\x8d\x8f\x90\x9d\r\n"
      "b\x1a\n\xe9\xa0\xff"s;
  const std::string binary_sorted =
      "a\x00\x00\x1a\x81\x8d\x8f\x90\x9d\r\n"
      "b\x1a\n\xe9\xa0\xff\r\n"
      "c\x80\xff\x00\x1a\xfe tail\r\n"s;
  const auto keep = [](Scene&) {};
  static const std::vector<Fault> rows = {
      {"ReadOnlyTarget", Expect::Failed, true, false, plain, "", 0,
       [](Scene& s) { fs::permissions(s.target, fs::perms(0444)); }},
      {"TargetIsADirectory", Expect::Failed, true, false, plain, "", 0,
       [](Scene& s) {
         fs::remove(s.target);
         fs::create_directory(s.target);
         WriteBytes(s.target + "/inside.txt", kPrecious);
       }},
      {"DanglingLinkIsWrittenThrough", Expect::Completed, true, false, plain, sorted, 0,
       [](Scene& s) {
         fs::remove(s.target);
         fs::create_symlink("named-" + fs::path(s.target).filename().string(), s.target);
       }},
      {"TargetInAnUnwritableDirectory", Expect::Failed, true, true, plain, "", 0,
       [](Scene& s) { fs::permissions(s.Out(), fs::perms(0555)); }},
      {"TargetUnderAFileNotADirectory", Expect::Failed, true, false, plain, "", 0,
       [](Scene& s) {
         WriteBytes((s.Out() / "plain").string(), kPrecious);
         s.target = (s.Out() / "plain" / fs::path(s.target).filename()).string();
       }},
      {"FileSizeLimitOverAnOlderTarget", Expect::Failed, true, false, big, "", kFileSizeLimit,
       keep},
      {"FileSizeLimitWithoutATarget", Expect::Failed, true, false, big, "", kFileSizeLimit,
       [](Scene& s) { fs::remove(s.target); }},
      {"SourceDeletedAfterItWasChosen", Expect::Failed, false, false, plain, "", 0,
       [](Scene& s) { fs::remove(s.source); }},
      {"SourceUnreadable", Expect::Failed, false, true, plain, "", 0,
       [](Scene& s) { fs::permissions(s.source, fs::perms::none); }},
      {"DirectoryInPlaceOfTheSource", Expect::Failed, false, false, plain, "", 0,
       [](Scene& s) {
         fs::remove(s.source);
         fs::create_directory(s.source);
       }},
      {"TenThousandAndTwoLines", Expect::Failed, false, false, Numbered(10002, true), "", 0, keep},
      {"TenThousandAndOneLinesStillFit", Expect::Completed, false, false, Numbered(10001, true),
       Numbered(10001, false), 0, keep},
      {"BinaryBytesPassThrough", Expect::Completed, false, false, binary, binary_sorted, 0, keep},
  };
  return rows;
}

std::vector<Fault> TargetSideRows() {
  std::vector<Fault> rows;
  std::copy_if(Rows().begin(), Rows().end(), std::back_inserter(rows),
               [](const Fault& row) { return row.target_side; });
  return rows;
}

// Everything in the scene is as it was, but for a complete new target when
// `complete` is given; and no temporary file is anywhere.
void ExpectOnlyTheTargetWritten(const Scene& scene, const Tree& before,
                                const std::string* complete) {
  const Tree after = Capture(scene.root());
  EXPECT_EQ(Temporaries(after), std::vector<std::string>{});
  if (complete == nullptr) {
    EXPECT_EQ(Changes(before, after), "");
    return;
  }
  // A link is written through: the file it names is the one replaced.
  std::error_code ec;
  const fs::path written = fs::canonical(scene.target, ec);
  ASSERT_FALSE(ec) << "nothing at " << scene.target;
  const std::string name = written.lexically_relative(scene.root()).string();
  EXPECT_EQ(Changes(before, after, name), "");
  ASSERT_TRUE(after.contains(name));
  EXPECT_TRUE(S_ISREG(after.at(name).mode)) << name;
  EXPECT_TRUE(after.at(name).content == *complete)
      << name << " holds " << after.at(name).size << " bytes, not the " << complete->size()
      << " expected";
  if (before.contains(name)) {
    EXPECT_EQ(after.at(name).mode & 07777, before.at(name).mode & 07777) << "permissions";
  }
}

class FaultMatrix : public ::testing::TestWithParam<Fault> {
 protected:
  void SetUp() override {
    if (GetParam().needs_permission_bits && !testing::PermissionBitsApply()) {
      GTEST_SKIP() << testing::kPermissionSkipReason;
    }
  }
};
class SettingsFileFaults : public FaultMatrix {};

// ------------------------------------------------ the command line --

// Runs ordalis-sort with `args` under a file-size limit (0 for none). The
// signal a file-size limit raises is reset to its default, so only the
// program itself can keep it from killing the run.
testing::ChildRun RunOrdalisSort(const std::vector<std::string>& args, rlim_t file_size_limit) {
  testing::ChildSetup setup;
  setup.in_child = [file_size_limit] {
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = file_size_limit != 0 ? file_size_limit : limit.rlim_max;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
  };
  return testing::RunChild(kBinary, args, setup);
}

TEST_P(FaultMatrix, OrdalisSortBinary) {
  const Fault& row = GetParam();
  Scene scene("sorted.dat", row.source_bytes);
  row.arrange(scene);
  const Tree before = Capture(scene.root());
  const testing::ChildRun run =
      RunOrdalisSort({"--mode", "left-most", "--left-count", "5", scene.source, scene.target},
                     row.file_size_limit);

  const bool completed = row.expect == Expect::Completed;
  EXPECT_EQ(run.status, completed ? 0 : 1) << run.err;
  if (!completed) {
    EXPECT_EQ(run.err.rfind("ordalis-sort: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
  ExpectOnlyTheTargetWritten(scene, before, completed ? &row.sorted : nullptr);
}

// ------------------------------------------------ the settings file --

TEST_P(SettingsFileFaults, WriteSettings) {
  const Fault& row = GetParam();
  Scene scene(kSettingsFileName, row.source_bytes);
  row.arrange(scene);
  const Tree before = Capture(scene.root());
  SettingsValues values;
  values.source_path = "/data/in";
  values.target_path = "/data/out";
  const std::string expected =
      "[Source path]\r\n/data/in\r\n[Target path]\r\n/data/out\r\n"
      "[Left most characters]\r\n12\r\n[Start at column]\r\n4\r\n"
      "[Right most start column]\r\n20\r\n[Option button]\r\n1\r\n";
  ASSERT_GT(expected.size(), kFileSizeLimit);
  Status written;
  {
    FileSizeLimit limit(row.file_size_limit);
    written = WriteSettings(fs::path(scene.target).parent_path().string(), values);
  }

  const bool completed = row.expect == Expect::Completed;
  EXPECT_EQ(written.ok(), completed) << written.message();
  ExpectOnlyTheTargetWritten(scene, before, completed ? &expected : nullptr);
}

std::string RowName(const ::testing::TestParamInfo<Fault>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(Rows()), RowName);
INSTANTIATE_TEST_SUITE_P(Faults, SettingsFileFaults, ::testing::ValuesIn(TargetSideRows()),
                         RowName);

}  // namespace
}  // namespace ordalis

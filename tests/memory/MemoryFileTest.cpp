#include "memory/MemoryFiles.h"
#include "memory/MemoryRecords.h"
#include "tests/memory/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

std::filesystem::path gMemory;
std::filesystem::path gTemp;
std::optional<std::string> gMemoryMeanwhile;
std::optional<std::string> gTempMeanwhile;

// Where a crash between the write and the replace would leave the files.
bool FailBeforeReplace() {
  gMemoryMeanwhile = ReadFile(gMemory);
  gTempMeanwhile = ReadFile(gTemp);
  return true;
}

// Runs memory_writer, which sits beside this test, once per id at the same
// time; the exit code of each, or -1 when it could not be run.
std::vector<int> RunWriters(const std::string& folder, const std::vector<std::string>& ids, int count) {
  std::vector<int> codes;
#ifdef _WIN32
  wchar_t self[MAX_PATH];
  std::filesystem::path exe(std::wstring(self, GetModuleFileNameW(nullptr, self, MAX_PATH)));
  exe.replace_filename(L"memory_writer.exe");
  std::vector<HANDLE> processes;
  for (const std::string& id : ids) {
    std::wstring line = L"\"" + exe.wstring() + L"\" \"" + std::filesystem::u8path(folder).wstring() + L"\" " +
                        std::wstring(id.begin(), id.end()) + L" " + std::to_wstring(count);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      continue;
    CloseHandle(process.hThread);
    processes.push_back(process.hProcess);
  }
  for (HANDLE process : processes) {
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
    CloseHandle(process);
    codes.push_back(static_cast<int>(code));
  }
#else
  const std::string exe = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "memory_writer").string();
  std::vector<pid_t> processes;
  for (const std::string& id : ids) {
    const std::string countText = std::to_string(count);
    char* argv[] = {const_cast<char*>(exe.c_str()), const_cast<char*>(folder.c_str()), const_cast<char*>(id.c_str()),
                    const_cast<char*>(countText.c_str()), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, environ) == 0) processes.push_back(pid);
  }
  for (pid_t pid : processes) {
    int status = 0;
    waitpid(pid, &status, 0);
    codes.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  }
#endif
  return codes;
}

}  // namespace

TEST(MemoryFiles, AFailureBetweenWriteAndReplaceLeavesTheOldFileWholeAndNoTempFile) {
  TempFolder temp;
  const auto folder = temp.Path() / "Nestari";
  ASSERT_TRUE(MakeFolder(Utf8Path(folder)));
  EXPECT_TRUE(MakeFolder(Utf8Path(folder)));
  const std::string path = PathInFolder(Utf8Path(folder), "memory.txt");
  const std::string tempPath = PathInFolder(Utf8Path(folder), "memory.txt.tmp");
  gMemory = folder / "memory.txt";
  gTemp = folder / "memory.txt.tmp";
  const std::string old = "old\n" + std::string(100000, 'o');
  ASSERT_TRUE(ReplaceFileWhole(path, tempPath, old));

  EXPECT_FALSE(ReplaceFileWhole(path, tempPath, "new\n", FailBeforeReplace));
  // A crash at that moment leaves the old file whole and the new text whole
  // beside it, under the name the next write starts over.
  EXPECT_EQ(gMemoryMeanwhile, old);
  EXPECT_EQ(gTempMeanwhile, "new\n");
  EXPECT_EQ(ReadFile(gMemory), old);
  EXPECT_FALSE(std::filesystem::exists(gTemp));
  std::string read;
  EXPECT_EQ(ReadFileStart(path, 70000, read), FileRead::Done);
  EXPECT_EQ(read, old.substr(0, 70000));

  EXPECT_TRUE(ReplaceFileWhole(path, tempPath, "newer\n"));
  EXPECT_EQ(ReadFile(gMemory), "newer\n");
  EXPECT_FALSE(std::filesystem::exists(gTemp));
  EXPECT_EQ(ReadFileStart(PathInFolder(Utf8Path(folder), "none.txt"), 3, read), FileRead::Missing);
}

TEST(MemoryFiles, TwoProcessesMarkingAtOnceLoseNoRecord) {
  TempFolder temp;
  const std::string folder = Utf8Path(temp.Path() / "Nestari");
  const int count = 40;
  EXPECT_EQ(RunWriters(folder, {"1", "2"}, count), (std::vector<int>{0, 0}));
  MemoryRecords records;
  records.Text() = ReadFile(temp.Path() / "Nestari" / "memory.txt").value_or(""); ASSERT_TRUE(records.Parse());
  EXPECT_EQ(records.Entries().size(), 81u);
  for (const char* id : {"1", "2"}) {
    for (int i = 0; i < count; ++i) {
      const MemoryRecord* found = records.Find("http://w/" + std::string(id) + "/" + std::to_string(i));
      ASSERT_NE(found, nullptr) << id << "/" << i;
      EXPECT_EQ(found->firstListed, 1000 + i);
      EXPECT_EQ(found->lastListed, 1000 + i);
      EXPECT_EQ(found->opened, i % 2 == 1);
    }
  }
  const MemoryRecord& shared = *records.Find("http://w/shared");
  EXPECT_EQ(shared.firstListed, 1000);
  EXPECT_EQ(shared.lastListed, 1039);
  EXPECT_TRUE(shared.opened);
}

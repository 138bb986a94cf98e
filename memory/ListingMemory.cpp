#include "memory/ListingMemory.h"

#include "memory/MemoryFiles.h"
#include "memory/MemoryRecords.h"
#include "net/TextConversion.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char kMemoryFile[] = "memory.txt";
constexpr char kTempFile[] = "memory.txt.tmp";
constexpr char kAsideFile[] = "memory.txt.bad";
constexpr char kLockFile[] = "memory.lock";
// Long enough for another window's read and write of a full file, short
// enough that a stuck holder costs the search only a pause.
constexpr int kLockWaitMs = 2000;

// The memory taken for one change: locked, read into records, and written
// back by Store through written.
class TakenMemory {
public:
  TakenMemory(MemoryRecords& records, std::string& written) : records(records), written_(written) {}

  // False when the folder cannot be made or locked, or the file cannot be
  // read; a file of another format or version is set aside first.
  bool Take(const std::string& folder) {
    folder_ = folder;
    if (folder.empty() || !MakeFolder(folder) || !lock_.Take(PathInFolder(folder, kLockFile), kLockWaitMs)) return false;
    const std::string path = PathInFolder(folder, kMemoryFile);
    const FileRead read = ReadFileStart(path, kMemoryFileLimit, records.Text());
    if (read == FileRead::Failed) return false;  // not overwritten, so nothing is lost
    return records.Parse() || MoveFileAside(path, PathInFolder(folder, kAsideFile));
  }

  bool Store(std::int64_t now) {
    records.Bound(now);
    records.Write(written_);
    return ReplaceFileWhole(PathInFolder(folder_, kMemoryFile), PathInFolder(folder_, kTempFile), written_);
  }

  MemoryRecords& records;

private:
  std::string& written_;
  std::string folder_;
  FileLock lock_;
};

// The link as the memory keeps it, in UTF-8; empty when it cannot be remembered.
std::string MemoryKey(const std::string& link) {
  if (link.find('\0') != std::string::npos) return std::string();
  std::string key = LocalToUtf8(link.c_str());
  return IsRememberableLink(key) ? key : std::string();
}

void ClearMarks(ListingList& list) {
  for (Listing* listing = list.Head(); listing; listing = listing->next) listing->mark = ListingMark::Plain;
}

}  // namespace

bool ListingMemory::MarkSearch(ListingList& list, std::int64_t now) {
  ClearMarks(list);
  if (folder_.empty()) return false;
  if (!list.Head()) return true;
  TakenMemory memory(records_, written_);
  if (!memory.Take(folder_)) return false;
  // Every row is marked against the earlier searches before this one is
  // recorded, so the same link twice is marked alike.
  std::vector<std::string> keys;
  for (Listing* listing = list.Head(); listing; listing = listing->next) {
    keys.push_back(MemoryKey(listing->link));
    if (keys.back().empty()) continue;
    const MemoryRecord* found = memory.records.Find(keys.back());
    listing->mark = !found ? ListingMark::New : found->opened ? ListingMark::Opened : ListingMark::Seen;
  }
  keys.erase(std::remove(keys.begin(), keys.end(), std::string()), keys.end());
  memory.records.Merge(std::move(keys), MemoryRecord{now, now, false});
  if (memory.Store(now)) return true;
  ClearMarks(list);
  return false;
}

bool ListingMemory::MarkOpened(const std::string& link, std::int64_t now) {
  const std::string key = MemoryKey(link);
  TakenMemory memory(records_, written_);
  if (key.empty() || !memory.Take(folder_)) return false;
  // Opening changes only the mark of a link already listed.
  const MemoryRecord* found = memory.records.Find(key);
  memory.records.Merge({key}, MemoryRecord{found ? found->firstListed : now, found ? found->lastListed : now, true});
  return memory.Store(now);
}

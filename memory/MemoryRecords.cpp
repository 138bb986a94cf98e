#include "memory/MemoryRecords.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The first line: the format and its version.
constexpr char kFirstLine[] = "nestari-memory 1\n";
constexpr std::size_t kFirstLineSize = sizeof kFirstLine - 1;

// Longer links are not remembered: a real advertisement's address is far
// shorter, and the bound keeps one line from filling the file.
constexpr std::size_t kLongestLink = 2048;
constexpr std::int64_t kForgetAfter = 60 * 24 * 60 * 60;  // 60 days
constexpr std::size_t kMostRecords = 20000;

// Digits only, and few enough that the value cannot overflow.
bool ParseTime(const char* begin, const char* end, std::int64_t& time) {
  if (begin == end || end - begin > 18) return false;
  std::int64_t value = 0;
  for (const char* c = begin; c != end; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + (*c - '0');
  }
  time = value;
  return true;
}

// "first\tlast\topened\tlink", the line end already taken off; adds nothing
// when it does not parse.
void ParseLine(const char* begin, const char* end, MemoryRecords& records) {
  const char* fields[3];
  const char* cursor = begin;
  for (const char*& field : fields) {
    field = cursor;
    cursor = static_cast<const char*>(std::memchr(cursor, '\t', static_cast<std::size_t>(end - cursor)));
    if (!cursor) return;
    ++cursor;
  }
  MemoryRecord record;
  if (!ParseTime(fields[0], fields[1] - 1, record.firstListed) || !ParseTime(fields[1], fields[2] - 1, record.lastListed) ||
      record.firstListed > record.lastListed || cursor - fields[2] != 2 || (fields[2][0] != '0' && fields[2][0] != '1'))
    return;
  record.opened = fields[2][0] == '1';
  std::string link(cursor, end);
  if (!IsRememberableLink(link)) return;
  auto found = records.try_emplace(std::move(link), record);
  if (!found.second) MergeMemoryRecord(found.first->second, record);
}

std::size_t DigitCount(std::int64_t time) {
  std::size_t count = 1;
  for (; time >= 10; time /= 10) ++count;
  return count;
}

std::size_t LineSize(const MemoryRecords::value_type& entry) {
  return DigitCount(entry.second.firstListed) + DigitCount(entry.second.lastListed) + entry.first.size() + 5;
}

void AppendTime(std::int64_t time, std::string& text) {
  char digits[20];
  char* start = digits + sizeof digits;
  do {
    *--start = static_cast<char>('0' + time % 10);
    time /= 10;
  } while (time > 0);
  text.append(start, digits + sizeof digits);
}

}  // namespace

void MergeMemoryRecord(MemoryRecord& into, const MemoryRecord& from) {
  into.firstListed = std::min(into.firstListed, from.firstListed);
  into.lastListed = std::max(into.lastListed, from.lastListed);
  into.opened = into.opened || from.opened;
}

bool IsRememberableLink(const std::string& link) {
  return !link.empty() && link.size() <= kLongestLink && link.find_first_of(std::string("\t\r\n", 4)) == std::string::npos;
}

bool ParseMemoryText(const std::string& text, MemoryRecords& records) {
  records.clear();
  if (text.empty()) return true;
  if (text.compare(0, kFirstLineSize, kFirstLine) != 0) return false;
  const char* cursor = text.data() + kFirstLineSize;
  const char* const end = text.data() + text.size();
  while (cursor != end) {
    const char* lineEnd = static_cast<const char*>(std::memchr(cursor, '\n', static_cast<std::size_t>(end - cursor)));
    if (!lineEnd) break;  // cut off: its link may be cut too
    // A line end of CR LF, as an editor may leave it; a link never holds a CR.
    ParseLine(cursor, lineEnd > cursor && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd, records);
    cursor = lineEnd + 1;
  }
  return true;
}

std::string WriteMemoryText(const MemoryRecords& records) {
  std::size_t size = kFirstLineSize;
  for (const auto& entry : records) size += LineSize(entry);
  std::string text;
  text.reserve(size);
  text += kFirstLine;
  for (const auto& entry : records) {
    AppendTime(entry.second.firstListed, text);
    text += '\t';
    AppendTime(entry.second.lastListed, text);
    text += entry.second.opened ? "\t1\t" : "\t0\t";
    text += entry.first;
    text += '\n';
  }
  return text;
}

void BoundMemoryRecords(MemoryRecords& records, std::int64_t now) {
  std::size_t size = kFirstLineSize;
  for (auto entry = records.begin(); entry != records.end();) {
    if (now - entry->second.lastListed >= kForgetAfter) {
      entry = records.erase(entry);
    } else {
      size += LineSize(*entry);
      ++entry;
    }
  }
  if (records.size() <= kMostRecords && size < kMemoryFileLimit) return;
  std::vector<MemoryRecords::iterator> newestFirst;
  newestFirst.reserve(records.size());
  for (auto entry = records.begin(); entry != records.end(); ++entry) newestFirst.push_back(entry);
  // Ties go by link, so that two writers keep the same records.
  std::sort(newestFirst.begin(), newestFirst.end(), [](MemoryRecords::iterator a, MemoryRecords::iterator b) {
    if (a->second.lastListed != b->second.lastListed) return a->second.lastListed > b->second.lastListed;
    return a->first < b->first;
  });
  size = kFirstLineSize;
  std::size_t kept = 0;
  while (kept < newestFirst.size() && kept < kMostRecords && size + LineSize(*newestFirst[kept]) < kMemoryFileLimit)
    size += LineSize(*newestFirst[kept++]);
  for (std::size_t i = kept; i < newestFirst.size(); ++i) records.erase(newestFirst[i]);
}

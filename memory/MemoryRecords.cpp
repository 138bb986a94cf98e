#include "memory/MemoryRecords.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// The first line: the format and its version.
constexpr char kFirstLine[] = "nestari-memory 1\n";
constexpr std::size_t kFirstLineSize = sizeof kFirstLine - 1;

// Where the line after the format's first line starts; 0 when the text is of
// another format or version. An editor may have saved it with a byte-order
// mark and CR LF.
std::size_t FirstRecordLine(const std::string& text) {
  static constexpr char kMark[] = "\xEF\xBB\xBF";
  std::size_t at = text.compare(0, sizeof kMark - 1, kMark) == 0 ? sizeof kMark - 1 : 0;
  if (text.compare(at, kFirstLineSize - 1, kFirstLine, kFirstLineSize - 1) != 0) return 0;
  at += kFirstLineSize - 1;
  if (at < text.size() && text[at] == '\r') ++at;
  return at < text.size() && text[at] == '\n' ? at + 1 : 0;
}

// Longer links are not remembered: a real advertisement's address is far
// shorter, and the bound keeps one line from filling the file.
constexpr std::size_t kLongestLink = 2048;
constexpr std::int64_t kForgetAfter = 60 * 24 * 60 * 60;  // 60 days
constexpr std::size_t kMostRecords = 20000;

// Digits only, and few enough that the value cannot overflow. written is set
// false when the digits are not those the value is written with.
bool ParseTime(const char* begin, const char* end, std::int64_t& time, bool& written) {
  if (begin == end || end - begin > 18) return false;
  std::int64_t value = 0;
  for (const char* c = begin; c != end; ++c) {
    if (*c < '0' || *c > '9') return false;
    value = value * 10 + (*c - '0');
  }
  if (*begin == '0' && end - begin > 1) written = false;
  time = value;
  return true;
}

// "first\tlast\topened\tlink", from begin to end, its line end running to
// lineEnd (just past the '\n'); false when it does not parse.
bool ParseLine(const char* begin, const char* end, const char* lineEnd, MemoryEntry& entry) {
  const char* fields[3];
  const char* cursor = begin;
  for (const char*& field : fields) {
    field = cursor;
    cursor = std::find(cursor, end, '\t');
    if (cursor == end) return false;
    ++cursor;
  }
  MemoryRecord& record = entry.record;
  bool written = end + 1 == lineEnd;  // not a CR LF
  if (!ParseTime(fields[0], fields[1] - 1, record.firstListed, written) ||
      !ParseTime(fields[1], fields[2] - 1, record.lastListed, written) || record.firstListed > record.lastListed ||
      cursor - fields[2] != 2 || (fields[2][0] != '0' && fields[2][0] != '1'))
    return false;
  record.opened = fields[2][0] == '1';
  entry.link = std::string_view(cursor, static_cast<std::size_t>(end - cursor));
  entry.asRead = written;
  return IsRememberableLink(entry.link);
}

std::size_t DigitCount(std::int64_t time) {
  std::size_t count = 1;
  for (; time >= 10; time /= 10) ++count;
  return count;
}

std::size_t LineSize(const MemoryEntry& entry) {
  return DigitCount(entry.record.firstListed) + DigitCount(entry.record.lastListed) + entry.link.size() + 5;
}

// Where an entry's line starts in the text read, when it is as read.
const char* LineStart(const MemoryEntry& entry) {
  return entry.link.data() - DigitCount(entry.record.firstListed) - DigitCount(entry.record.lastListed) - 4;
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

// Links in byte order, compared here rather than by the C library's memcmp,
// which Wine's runtime does a byte a call; eight bytes a step over the long
// beginnings links share.
bool Before(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  std::size_t i = 0;
  for (; i + 8 <= common; i += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y) break;
  }
  for (; i < common; ++i)
    if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
  return a.size() < b.size();
}
bool ByLink(const MemoryEntry& a, const MemoryEntry& b) { return Before(a.link, b.link); }
bool LinkBefore(const MemoryEntry& entry, std::string_view link) { return Before(entry.link, link); }

}  // namespace

void MergeMemoryRecord(MemoryRecord& into, const MemoryRecord& from) {
  into.firstListed = std::min(into.firstListed, from.firstListed);
  into.lastListed = std::max(into.lastListed, from.lastListed);
  into.opened = into.opened || from.opened;
}

bool IsRememberableLink(std::string_view link) {
  return !link.empty() && link.size() <= kLongestLink && std::none_of(link.begin(), link.end(), [](char c) {
           return c == '\t' || c == '\r' || c == '\n' || c == '\0';
         });
}

bool MemoryRecords::Parse() {
  entries_.clear();
  added_.clear();
  if (text_.empty()) return true;
  const std::size_t start = FirstRecordLine(text_);
  if (start == 0) {
    text_.clear();
    return false;
  }
  // With room for a search's new links, so that merging them copies nothing.
  entries_.reserve(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n')) + 1024);
  const char* cursor = text_.data() + start;
  const char* const end = text_.data() + text_.size();
  bool sorted = true;
  MemoryEntry entry;
  while (cursor != end) {
    const char* lineEnd = std::find(cursor, end, '\n');
    if (lineEnd == end) break;  // cut off: its link may be cut too
    // A line end of CR LF, as an editor may leave it; a link never holds a CR.
    if (ParseLine(cursor, lineEnd > cursor && lineEnd[-1] == '\r' ? lineEnd - 1 : lineEnd, lineEnd + 1, entry)) {
      sorted = sorted && (entries_.empty() || ByLink(entries_.back(), entry));
      entries_.push_back(entry);
    }
    cursor = lineEnd + 1;
  }
  if (sorted) return true;
  // Edited by hand or damaged: sorted here, and the same link's lines merged.
  std::sort(entries_.begin(), entries_.end(), ByLink);
  std::size_t kept = 0;
  for (const MemoryEntry& next : entries_) {
    if (kept > 0 && entries_[kept - 1].link == next.link) {
      MergeMemoryRecord(entries_[kept - 1].record, next.record);
      entries_[kept - 1].asRead = false;
    } else {
      entries_[kept++] = next;
    }
  }
  entries_.resize(kept);
  return true;
}

void MemoryRecords::Write(std::string& text) const {
  std::size_t size = kFirstLineSize;
  for (const MemoryEntry& entry : entries_) size += LineSize(entry);
  text.reserve(size);
  text = kFirstLine;
  // Lines as read that follow each other in the text read are copied at once.
  const char* lines = nullptr;
  const char* linesEnd = nullptr;
  for (const MemoryEntry& entry : entries_) {
    if (entry.asRead) {
      const char* start = LineStart(entry);
      if (start != linesEnd) {
        text.append(lines, linesEnd);
        lines = start;
      }
      linesEnd = entry.link.data() + entry.link.size() + 1;
      continue;
    }
    text.append(lines, linesEnd);
    lines = linesEnd = nullptr;
    AppendTime(entry.record.firstListed, text);
    text += '\t';
    AppendTime(entry.record.lastListed, text);
    text += entry.record.opened ? "\t1\t" : "\t0\t";
    text += entry.link;
    text += '\n';
  }
  text.append(lines, linesEnd);
}

const MemoryRecord* MemoryRecords::Find(std::string_view link) const {
  const auto found = std::lower_bound(entries_.begin(), entries_.end(), link, LinkBefore);
  return found != entries_.end() && found->link == link ? &found->record : nullptr;
}

void MemoryRecords::Merge(std::vector<std::string> links, const MemoryRecord& record) {
  std::sort(links.begin(), links.end(), [](const std::string& a, const std::string& b) { return Before(a, b); });
  links.erase(std::unique(links.begin(), links.end()), links.end());
  std::vector<std::string> added;
  for (std::string& link : links) {
    const auto found = std::lower_bound(entries_.begin(), entries_.end(), link, LinkBefore);
    if (found != entries_.end() && found->link == link) {
      MergeMemoryRecord(found->record, record);
      found->asRead = false;
    } else {
      added.push_back(std::move(link));
    }
  }
  // Merged from the end, in place: each entry moves once.
  std::size_t from = entries_.size();
  entries_.resize(from + added.size());
  std::size_t to = entries_.size();
  for (auto link = added.rbegin(); link != added.rend(); ++link) {
    added_.push_back(std::move(*link));
    const std::string_view view = added_.back();
    while (from > 0 && Before(view, entries_[from - 1].link)) entries_[--to] = entries_[--from];
    entries_[--to] = MemoryEntry{view, record, false};
  }
}

void MemoryRecords::Bound(std::int64_t now) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                [now](const MemoryEntry& entry) { return now - entry.record.lastListed >= kForgetAfter; }),
                 entries_.end());
  std::size_t size = kFirstLineSize;
  for (const MemoryEntry& entry : entries_) size += LineSize(entry);
  if (entries_.size() <= kMostRecords && size < kMemoryFileLimit) return;
  std::vector<std::size_t> newestFirst(entries_.size());
  std::iota(newestFirst.begin(), newestFirst.end(), std::size_t{0});
  // Ties go by link, so that two writers keep the same records.
  const auto newer = [this](std::size_t a, std::size_t b) {
    if (entries_[a].record.lastListed != entries_[b].record.lastListed)
      return entries_[a].record.lastListed > entries_[b].record.lastListed;
    return Before(entries_[a].link, entries_[b].link);
  };
  // The newest 20,000 are found without sorting them all; they are sorted
  // only when their text is too long.
  std::size_t kept = std::min(newestFirst.size(), kMostRecords);
  std::nth_element(newestFirst.begin(), newestFirst.begin() + static_cast<std::ptrdiff_t>(kept), newestFirst.end(), newer);
  size = kFirstLineSize;
  for (std::size_t i = 0; i < kept; ++i) size += LineSize(entries_[newestFirst[i]]);
  if (size >= kMemoryFileLimit) {
    std::sort(newestFirst.begin(), newestFirst.begin() + static_cast<std::ptrdiff_t>(kept), newer);
    size = kFirstLineSize;
    std::size_t fits = 0;
    while (fits < kept && size + LineSize(entries_[newestFirst[fits]]) < kMemoryFileLimit)
      size += LineSize(entries_[newestFirst[fits++]]);
    kept = fits;
  }
  std::vector<bool> dropped(entries_.size(), false);
  for (std::size_t i = kept; i < newestFirst.size(); ++i) dropped[newestFirst[i]] = true;
  std::size_t at = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (!dropped[i]) entries_[at++] = entries_[i];
  entries_.resize(at);
}

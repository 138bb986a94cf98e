#include "memory/ListingMemory.h"

#include "memory/MemoryFiles.h"
#include "tests/memory/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string kHead = "nestari-memory 1\n";
const std::string kOlderAside = "an older copy set aside";
constexpr std::int64_t kDay = 24 * 60 * 60;

std::string Line(std::int64_t first, std::int64_t last, bool opened, const std::string& link) {
  return std::to_string(first) + '\t' + std::to_string(last) + (opened ? "\t1\t" : "\t0\t") + link + '\n';
}

// Link number i, padded with x to width bytes; links sort as they count.
std::string Link(int i, std::size_t width = 0) {
  char number[32];
  std::snprintf(number, sizeof number, "http://h/%05d", i);
  std::string link = number;
  if (link.size() < width) link.append(width - link.size(), 'x');
  return link;
}

// Links from to to-1, each listed once at 1000 + its number.
std::string Lines(int from, int to, std::size_t width = 0) {
  std::string lines;
  for (int i = from; i < to; ++i) lines += Line(1000 + i, 1000 + i, false, Link(i, width));
  return lines;
}

// A search of links, or with opened set, the opening of that link.
struct Step {
  std::vector<std::string> links;
  std::int64_t now;
  bool stored;
  std::string marks;  // one letter a row: Plain, New, Seen, Opened
  const char* opened = nullptr;
};

std::string Letters(const ListingList& list) {
  std::string letters;
  for (const Listing* listing = list.Head(); listing; listing = listing->next)
    letters += "PNSO"[static_cast<int>(listing->mark)];
  return letters;
}

struct Case {
  const char* name;
  std::optional<std::string> file;  // memory.txt before: none, no file
  std::vector<Step> steps;
  std::optional<std::string> after;  // memory.txt after: none, no file to read
  std::string aside = kOlderAside;   // memory.txt.bad after
  const char* folderAt = nullptr;    // a folder stands where this file would
  bool locked = false;               // another holds memory.lock throughout
  bool unreadable = false;           // memory.txt is there but cannot be opened
};

}  // namespace

TEST(ListingMemory, FileContentsAreMarkedMergedBoundedAndRewritten) {
  const std::string a1 = "http://a/1", a2 = "http://a/2", a3 = "http://a/3", a4 = "http://a/4";
  const std::string longLine = "1\t2\t0\t" + std::string(10 * 1024 * 1024, 'x') + '\n';
  const std::string sixtyDaysOn = std::to_string(60 * kDay + 1000);
  const Case cases[] = {
      {"sound file", kHead + Line(100, 200, false, a1) + Line(100, 200, true, a2),
       {{{a1, a2, a3}, 1000, true, "SON"}},
       kHead + Line(100, 1000, false, a1) + Line(100, 1000, true, a2) + Line(1000, 1000, false, a3)},
      {"saved by an editor, with a byte-order mark and CR LF", "\xEF\xBB\xBFnestari-memory 1\r\n" + Line(100, 200, true, a1),
       {{{a1}, 1000, true, "O"}}, kHead + Line(100, 1000, true, a1)},
      {"truncated last line", kHead + Line(100, 200, false, a1) + "100\t200\t1\thttp://a/2",
       {{{a2}, 1000, true, "N"}},
       kHead + Line(100, 200, false, a1) + Line(1000, 1000, false, a2)},
      {"junk, NULs and a 10 MB line; never read past 8 MiB",
       kHead + "\x01\xFFjunk\n" + std::string("1\t2\t0\tnul\0l\n", 13) + "\0\0\0\n" + "1\t2\t0\n" + "1\t2\t0\t\n" +
           "x\t2\t0\tl\n" + "3\t2\t0\tl\n" + "-1\t2\t0\tl\n" + "1\t2\t2\tl\n" + "1\t2\t01\tl\n" + "1\t2\t0\tl\tm\n" +
           "1234567890123456789\t1234567890123456789\t0\tl\n" + "100\t200\t1\t" + a3 + "\r\n" +
           Line(100, 200, false, a1) + longLine + Line(100, 200, false, a2),
       {{{a2, "l"}, 1000, true, "NN"}},
       kHead + Line(100, 200, false, a1) + Line(1000, 1000, false, a2) + Line(100, 200, true, a3) +
           Line(1000, 1000, false, "l")},
      {"another version is set aside", "nestari-memory 12\n" + Line(1, 2, false, a1), {{{a1}, 1000, true, "N"}},
       kHead + Line(1000, 1000, false, a1), "nestari-memory 12\n" + Line(1, 2, false, a1)},
      {"another format is set aside", std::string("\0\0PK\x03\x04", 6), {{{a1}, 1000, true, "N"}},
       kHead + Line(1000, 1000, false, a1), std::string("\0\0PK\x03\x04", 6)},
      {"empty file", "", {{{a1}, 1000, true, "N"}}, kHead + Line(1000, 1000, false, a1)},
      {"20,000 records: the one listed longest ago goes", kHead + Lines(0, 20000),
       {{{"http://h/new"}, 50000, true, "N"}},
       kHead + Lines(1, 20000) + Line(50000, 50000, false, "http://h/new")},
      {"8 MiB: the ones listed longest ago go", kHead + Lines(0, 4167, 2000),
       {{{Link(9999, 2000)}, 10000, true, "N"}},
       kHead + Lines(1, 4167, 2000) + Line(10000, 10000, false, Link(9999, 2000))},
      {"not listed for 60 days", kHead + Line(500, 1000, true, a1) + Line(500, 1001, false, a2),
       {{{a3}, 60 * kDay + 1000, true, "N"}},
       kHead + Line(500, 1001, false, a2) + sixtyDaysOn + '\t' + sixtyDaysOn + "\t0\t" + a3 + '\n'},
      {"links that cannot be remembered", std::nullopt,
       {{{"", "http://a/\t1", "http://a/\r1", "http://a/\n1", std::string("http://a/\0" "1", 11),
          std::string(2049, 'h'), std::string(2048, 'h'),
          [] { std::string tians; for (int i = 0; i < 683; ++i) tians += "\xCC\xEC"; return tians; }(),  // 2049 in UTF-8
          "http://a/\xCC\xEC"},
         1000, true, "PPPPPPNPN"},
        {{}, 1000, false, "", ""},
        {{}, 1000, false, "", "http://a/\t1"}},
       kHead + Line(1000, 1000, false, std::string(2048, 'h')) + Line(1000, 1000, false, "http://a/\xE5\xA4\xA9")},
      {"two writers' records merge", kHead + Line(100, 300, false, a4) + Line(50, 150, true, a4),
       {{{a1, a2}, 2000, true, "NN"}, {{}, 2100, true, "", a1.c_str()}, {{a1, a2, a3}, 1500, true, "OSN"}},
       kHead + Line(1500, 2000, true, a1) + Line(1500, 2000, false, a2) + Line(1500, 1500, false, a3) +
           Line(50, 300, true, a4)},
      {"the same link twice, then opened", std::nullopt,
       {{{a1, a1}, 1000, true, "NN"}, {{a1, a1}, 1100, true, "SS"}, {{}, 1200, true, "", a1.c_str()},
        {{}, 1200, true, "", a2.c_str()}, {{a1}, 1300, true, "O"}},
       kHead + Line(1000, 1300, true, a1) + Line(1200, 1200, true, a2)},
      {"a file that cannot be read is left alone", std::nullopt,
       {{{a1}, 1000, false, "P"}, {{}, 1000, false, "", a1.c_str()}}, std::nullopt, kOlderAside, nullptr, false, true},
      {"a write that fails", kHead + Line(100, 200, false, a1), {{{a1, a2}, 1000, false, "PP"}},
       kHead + Line(100, 200, false, a1), kOlderAside, "memory.txt.tmp"},
      {"a lock that cannot be taken", kHead + Line(100, 200, false, a1), {{{a1}, 1000, false, "P"}},
       kHead + Line(100, 200, false, a1), kOlderAside, "memory.lock"},
      {"another window holds the lock", kHead + Line(100, 200, false, a1),
       {{{a1}, 1000, false, "P"}}, kHead + Line(100, 200, false, a1), kOlderAside, nullptr, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder temp;
    // Without a file before, the memory makes its own folder.
    const auto folder = temp.Path() / "Nestari";
    const bool made = c.file || c.folderAt || c.unreadable;
    if (made) {
      std::filesystem::create_directory(folder);
      WriteFile(folder / "memory.txt.bad", kOlderAside);
    }
    if (c.file) WriteFile(folder / "memory.txt", *c.file);
    if (c.folderAt) std::filesystem::create_directory(folder / c.folderAt);
    if (c.unreadable) {
#ifdef _WIN32
      std::filesystem::create_directory(folder / "memory.txt");
#else
      // A link to itself cannot be opened, yet a rename would replace it.
      std::filesystem::create_symlink("memory.txt", folder / "memory.txt");
#endif
    }
    FileLock otherWindow;
    if (c.locked) {
      ASSERT_TRUE(otherWindow.Take(Utf8Path(folder / "memory.lock"), 0));
    }
    for (const Step& step : c.steps) {
      ListingMemory memory(Utf8Path(folder));
      if (step.opened) {
        EXPECT_EQ(memory.MarkOpened(step.opened, step.now), step.stored) << step.opened;
        continue;
      }
      ListingList list;
      for (const std::string& link : step.links) list.AppendListing(new Listing{"t", "p", "d", link, "c"});
      EXPECT_EQ(memory.MarkSearch(list, step.now), step.stored);
      EXPECT_EQ(Letters(list), step.marks);
    }
    const auto after = ReadFile(folder / "memory.txt");
    EXPECT_EQ(after.has_value(), c.after.has_value());
    if (after && c.after) {
      EXPECT_TRUE(*after == *c.after) << after->size() << " bytes, not " << c.after->size() << ":\n"
                                      << after->substr(0, 400);
    }
    EXPECT_EQ(ReadFile(folder / "memory.txt.bad"), made ? std::optional<std::string>(c.aside) : std::nullopt);
    EXPECT_FALSE(std::filesystem::is_regular_file(folder / "memory.txt.tmp"));
  }
  // Nowhere to keep it: nothing is marked.
  ListingList list;
  list.AppendListing(new Listing{"t", "p", "d", "http://a/1", "c"});
  EXPECT_FALSE(ListingMemory("").MarkSearch(list, 1000));
  EXPECT_EQ(Letters(list), "P");
}

// memory_writer FOLDER ID COUNT: one of the Nestari windows of the two-writer
// test. Marks COUNT searches, each of a link of its own and one both writers
// list, opening every other link of its own and, writer 2 halfway, the shared
// one. Exits with the number of calls that failed or marked wrongly.
#include "memory/ListingMemory.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) return 100;
  ListingMemory memory(argv[1]);
  const std::string id = argv[2];
  const int count = std::atoi(argv[3]);
  int failures = 0;
  for (int i = 0; i < count; ++i) {
    const std::string own = "http://w/" + id + "/" + std::to_string(i);
    ListingList list;
    list.AppendListing(new Listing{"t", "p", "d", own, "c"});
    list.AppendListing(new Listing{"t", "p", "d", "http://w/shared", "c"});
    if (!memory.MarkSearch(list, 1000 + i) || list.Head()->mark != ListingMark::New) ++failures;
    if (i % 2 == 1 && !memory.MarkOpened(own, 1000 + i)) ++failures;
    if (id == "2" && i == count / 2 && !memory.MarkOpened("http://w/shared", 1000 + i)) ++failures;
  }
  return failures;
}

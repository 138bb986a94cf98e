#include "search/ListingCopyText.h"

#include "search/ProgramTexts.h"

std::string CopyField(const std::string& text) {
  std::string field;
  field.reserve(text.size());
  bool inBreak = false;
  for (char c : text) {
    const bool breaks = c == '\t' || c == '\r' || c == '\n';
    if (!breaks) field += c;
    else if (!inBreak) field += ' ';
    inBreak = breaks;
  }
  return field;
}

std::string CopyRowLine(const Listing& listing) {
  return CopyField(listing.title) + '\t' + CopyField(listing.community) + '\t' + CopyField(listing.price) + '\t' +
         CopyField(listing.date) + '\t' + CopyField(listing.link) + "\r\n";
}

std::string CopyRowsText(const std::vector<const Listing*>& rows) {
  std::string text = kTextCopyHeading "\r\n";
  for (const Listing* listing : rows) text += CopyRowLine(*listing);
  return text;
}

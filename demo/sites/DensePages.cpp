#include "demo/sites/DensePages.h"

namespace {

// Writes markup one element per line, or all on one line.
class Markup {
public:
  explicit Markup(DenseLayout layout)
      : lines_(layout != DenseLayout::Compact), indented_(layout == DenseLayout::Indented) {}

  void Open(const std::string& tag) {
    Line("<" + tag + ">");
    ++depth_;
  }
  void Close(const std::string& name) {
    --depth_;
    Line("</" + name + ">");
  }
  void Line(const std::string& text) {
    if (lines_) text_ += '\n';
    if (indented_) text_.append(static_cast<std::size_t>(depth_), '\t');
    text_ += text;
  }
  // The eight badges and icons an advertisement carries, split over two places.
  void Badges(bool firstHalf) {
    static const char* const kBadges[] = {"<span>x</span>", "<i></i>", "<em>1</em>", "<span>x</span>",
                                          "<i></i>",        "<em>1</em>", "<i></i>", "<span>x</span>"};
    for (int i = firstHalf ? 0 : 4, end = i + 4; i < end; ++i) Line(kBadges[i]);
  }
  std::string& Text() { return text_; }

private:
  bool lines_;
  bool indented_;
  int depth_ = 0;
  std::string text_;
};

void Menu(Markup& m, int links) {
  m.Open("ul class=\"menu\"");
  for (int i = 1; i <= links; ++i) m.Line("<li><a href=\"/d/" + std::to_string(i) + "\">x</a></li>");
  m.Close("ul");
}

void Head(Markup& m) {
  m.Line("<!DOCTYPE html>");
  m.Open("html");
  m.Line("<head><meta charset=\"utf-8\"><title>x</title></head>");
  m.Open("body");
}

void End(Markup& m) {
  m.Close("body");
  m.Close("html");
  m.Text() += '\n';
}

}  // namespace

std::string DenseSiteAPage(int advertisements, int menuLinks, DenseLayout layout) {
  Markup m(layout);
  Head(m);
  Menu(m, menuLinks);
  m.Open("table class=\"tbimg\"");
  m.Line("<tr><th>x</th><th>x</th><th>x</th></tr>");
  for (int i = 1; i <= advertisements; ++i) {
    m.Open("tr");
    m.Open("td class=\"t\"");
    m.Line("<a class=\"t\" href=\"/z/" + std::to_string(i) + ".shtml\">x</a>");
    m.Badges(true);
    m.Close("td");
    m.Open("td class=\"tc\"");
    m.Line("<b>1</b>");
    m.Badges(false);
    m.Close("td");
    m.Line("<td class=\"tc\">1</td>");
    m.Close("tr");
  }
  m.Close("table");
  End(m);
  return m.Text();
}

std::string DenseSiteBPage(int advertisements, int menuLinks, DenseLayout layout) {
  Markup m(layout);
  Head(m);
  Menu(m, menuLinks);
  m.Open("div id=\"wrapper\"");
  m.Open("div id=\"content\"");
  m.Open("div class=\"list_border\"");
  m.Open("div class=\"list\"");
  for (int i = 1; i <= advertisements; ++i) {
    m.Open("dl class=\"list_noimg\"");
    m.Open("dt class=\"clr\"");
    m.Line("<a href=\"/f/" + std::to_string(i) + ".html\">x</a>");
    m.Badges(true);
    m.Close("dt");
    m.Line("<dd class=\"price\">1</dd>");
    m.Open("dd class=\"tags\"");
    m.Badges(false);
    m.Close("dd");
    m.Line("<dd class=\"time\">1</dd>");
    m.Close("dl");
  }
  for (const char* name : {"div", "div", "div", "div"}) m.Close(name);
  End(m);
  return m.Text();
}

std::string WithShortCellTable(std::string page, std::size_t bytes) {
  constexpr int kCellsPerRow = 24;
  const std::string open = "<table class=\"stats\">\n";
  const std::string close = "</table>\n";
  std::string table = open;
  std::size_t room = bytes > page.size() + close.size() ? bytes - page.size() - close.size() : 0;
  for (int row = 0;; ++row) {
    std::string line = "<tr>\n";
    for (int cell = 0; cell < kCellsPerRow; ++cell)
      line += "<td>" + std::to_string((row + cell) % 90 + 10) + "</td>\n";
    line += "</tr>\n";
    if (table.size() + line.size() > room) break;
    table += line;
  }
  table += close;
  std::size_t at = page.find("<body>");
  page.insert(at == std::string::npos ? 0 : at + 6, table);
  return page;
}

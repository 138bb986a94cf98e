// fakesites_server [--gzip] [--chunked] [--listings N] [--flood BYTES] [--delay MS] [--fresh N] [--address A] [--port P]
// Serves both fake listing sites until killed; 127.0.0.1:80 by default. With
// --listings every known keyword's page holds N advertisements; with --flood
// every result page is filled to BYTES with minimal advertisements; with
// --delay each request is answered MS milliseconds after it arrived; with
// --fresh each repeat of a request finds N more advertisements, never given
// before, at the top of its page.
#include "demo/sites/FakeSites.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  FakeSitesOptions options;
  std::string address = "127.0.0.1";
  unsigned short port = 80;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--gzip") == 0) {
      options.answer.gzip = true;
    } else if (std::strcmp(argv[i], "--chunked") == 0) {
      options.answer.chunked = true;
    } else if (std::strcmp(argv[i], "--listings") == 0 && i + 1 < argc) {
      options.listingsPerPage = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--flood") == 0 && i + 1 < argc) {
      options.floodBytes = std::strtoul(argv[++i], nullptr, 10);
    } else if (std::strcmp(argv[i], "--delay") == 0 && i + 1 < argc) {
      options.delayMs = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--fresh") == 0 && i + 1 < argc) {
      options.freshPerRepeat = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--address") == 0 && i + 1 < argc) {
      address = argv[++i];
    } else if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
      port = static_cast<unsigned short>(std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: %s [--gzip] [--chunked] [--listings N] [--flood BYTES] [--delay MS] [--fresh N] [--address A] [--port P]\n", argv[0]);
      return 2;
    }
  }
  FakeSites sites(options);
  std::fprintf(stderr, "fakesites: serving %s:%u%s%s\n", address.c_str(), port,
               options.answer.gzip ? " gzip" : "", options.answer.chunked ? " chunked" : "");
  if (!sites.ServeForever(address, port)) {
    std::fprintf(stderr, "fakesites: cannot listen on %s:%u\n", address.c_str(), port);
    return 1;
  }
  return 0;
}

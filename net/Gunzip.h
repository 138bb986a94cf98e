#pragma once

#include <cstdint>

#include <string>

// Inflates a gzip-wrapped body, every member in turn. Returns zlib's status
// for the first member, 0 for success, and then *capacity receives the
// decoded length. A body cut short or larger than the output, or a later
// member cut short or corrupt, also gives 0, with what came before decoded;
// ended tells whether the last member reached its end.
int Gunzip(char* output, uint32_t* capacity, const char* input, uint32_t inputLength, bool& ended);

// The text of a gzip body as a fetch returns it: at most the first 2 MiB
// inflated, up to its first zero byte. False when it cannot be decoded.
// whole tells whether the text holds the whole stream.
bool InflateGzipBody(const char* input, uint32_t inputLength, std::string& text, bool& whole);

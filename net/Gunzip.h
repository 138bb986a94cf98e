#pragma once

#include <cstdint>

// Inflates a gzip-wrapped body in one pass. Returns zlib's status, 0 for
// success; on a complete stream *capacity receives the decoded length. A body
// cut short or larger than the output also gives 0, with what fitted decoded.
int Gunzip(char* output, uint32_t* capacity, const char* input, uint32_t inputLength);

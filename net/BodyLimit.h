#pragma once

#include <cstdint>

// The most of a body that a fetch keeps, whatever its framing: a plain or
// chunked body is read no further (but for the last read step), a gzip body
// is inflated no further. The page path's bounds are measured at this size.
constexpr uint32_t kLongestBody = 0x200000;

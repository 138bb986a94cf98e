#pragma once

// How long one request may hold the program: in all, from the start of its
// connection to the last byte read, and in any one send or receive.
struct RequestTimeouts {
  int requestMs = 60000;
  int waitMs = 20000;
};

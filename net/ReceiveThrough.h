#pragma once

#include <algorithm>

// Takes from receiver the bytes that have arrived, at most capacity of them,
// up to and including the first one at which scanner.Feed returns true, so
// that whatever follows it stays unread; ended tells whether that byte came.
// It looks first (receiver.Peek) and then takes exactly what it needs, which
// saves a receive per byte. Bytes looked at but left unread are zeroed in
// buffer again. Result as Receive: the count taken, 0 when the peer closed,
// below 0 on an error.
template <class Receiver, class Scanner>
int ReceiveThrough(Receiver& receiver, char* buffer, int capacity, Scanner& scanner, bool& ended) {
  ended = false;
  const int arrived = receiver.Peek(buffer, capacity);
  if (arrived <= 0) return arrived;
  Scanner probe = scanner;
  int wanted = arrived;
  for (int i = 0; i < arrived; ++i) {
    if (probe.Feed(buffer[i])) {
      wanted = i + 1;
      break;
    }
  }
  const int taken = receiver.Receive(buffer, wanted);
  // The scanner sees only what was taken, in case the receive took less.
  for (int i = 0; i < taken && !ended; ++i) ended = scanner.Feed(buffer[i]);
  std::fill(buffer + std::max(taken, 0), buffer + arrived, '\0');
  return taken;
}

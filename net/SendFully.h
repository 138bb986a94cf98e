#pragma once

// Sends length bytes through sender.Send, which like send may take only part
// of them: the rest follows until all are out. False on the first error (or a
// call that takes nothing, which would otherwise loop for ever).
template <class Sender>
bool SendFully(Sender& sender, const char* data, int length) {
  for (int sent = 0; sent < length;) {
    const int count = sender.Send(data + sent, length - sent);
    if (count <= 0) return false;
    sent += count;
  }
  return true;
}

#include "station/cw_keyer.h"

#include <algorithm>

#include "core/text.h"

namespace zt {

namespace {

constexpr char kEscape = '\x1b';

// What may reach a keyer inside its text: no control character (a line end would end rigctld's
// command, an escape would make a cwdaemon request) and none of cwdaemon's speed, gap and echo
// characters.
std::string KeyableText(std::string_view morse) {
  std::string kept;
  for (char c : morse) {
    if (IsControlCharacter(c) || c == '+' || c == '~' || c == '^' || c == '*') continue;
    kept += c;
  }
  return TrimBlanks(kept);
}

}  // namespace

int ClampWpm(int wpm) { return std::clamp(wpm, kMinimumWpm, kMaximumWpm); }

std::string CwdaemonText(std::string_view morse) {
  std::string text = KeyableText(morse);
  // Inside cwdaemon's text a minus is "slower", not the hyphen.
  std::erase(text, '-');
  return TrimBlanks(text);
}

std::string CwdaemonSpeed(int wpm) {
  return std::string(1, kEscape) + "2" + std::to_string(ClampWpm(wpm));
}

std::string CwdaemonAbort() { return std::string(1, kEscape) + "4"; }

std::string CwdaemonEchoRequest(std::string_view token) {
  return std::string(1, kEscape) + "h" + std::string(token);
}

CwdaemonReply ReadCwdaemonReply(std::string_view datagram, std::string_view token) {
  std::string_view line = datagram;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (line == "break") return CwdaemonReply::kAborted;
  if (!token.empty() && line.size() == token.size() + 1 && line.front() == 'h' &&
      line.substr(1) == token) {
    return CwdaemonReply::kFinished;
  }
  return CwdaemonReply::kOther;
}

std::string RigSendMorse(std::string_view morse) {
  const std::string text = KeyableText(morse);
  return text.empty() ? std::string() : "b " + text + "\n";
}

std::string RigKeyerSpeed(int wpm) { return "L KEYSPD " + std::to_string(ClampWpm(wpm)) + "\n"; }

}  // namespace zt

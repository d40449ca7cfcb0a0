#pragma once

// What goes to the two keyers: cwdaemon's datagrams (UDP) and the rig's CW commands through
// rigctld. Text handed to them must have passed FilterMorse.

#include <string>
#include <string_view>

namespace zt {

inline constexpr int kCwdaemonDefaultPort = 6789;
inline constexpr int kMinimumWpm = 12;
inline constexpr int kMaximumWpm = 50;

// Text to key. A datagram beginning with ESC would be a request, so a leading escape never
// passes; empty when nothing is left to key.
std::string CwdaemonText(std::string_view morse);
// ESC 2<wpm>: the speed, kept within 12-50.
std::string CwdaemonSpeed(int wpm);
// ESC 4: stops the message being keyed (only in character mode, which is cwdaemon's own and is
// never left: ESC 6 is never sent).
std::string CwdaemonAbort();
// ESC h<token>: once the next message is keyed, cwdaemon answers "h<token>\r\n".
std::string CwdaemonEchoRequest(std::string_view token);

// What a datagram from cwdaemon says about the message sent with `token`.
enum class CwdaemonReply {
  kFinished,  // its echo: the message is keyed
  kAborted,   // "break": the message was stopped
  kOther,     // an echo of an earlier message, or anything else
};
CwdaemonReply ReadCwdaemonReply(std::string_view datagram, std::string_view token);

// rigctld's send_morse, one line; empty when nothing is left to key (a bare "b" would make the
// daemon wait for the text).
std::string RigSendMorse(std::string_view morse);
inline std::string RigStopMorse() { return "\\stop_morse\n"; }
// The rig's own keyer speed.
std::string RigKeyerSpeed(int wpm);
// rigctld's answer to \stop_morse when the radio has no stop (RPRT -11, "not available").
inline constexpr int kRigCannotStop = -11;

int ClampWpm(int wpm);

}  // namespace zt

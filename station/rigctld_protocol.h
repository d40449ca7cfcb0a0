#pragma once

// The client side of rigctld's line protocol: the commands the logger sends and an incremental
// reader of the daemon's replies. Bytes go in as the socket delivers them, whole replies come
// out; nothing the daemon sends (garbage, half lines, endless lines) makes it hold more than a
// fixed amount of memory.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

enum class RigCommand { kGetFrequency, kGetMode };

// The command as sent, in the extended form ("+f\n"), whose closing "RPRT n" line makes the end
// of every reply unambiguous.
std::string ComposeRigCommand(RigCommand command);

// Longest line kept; a longer one is cut off and its reply read as garbled. Real replies are a
// few dozen bytes.
inline constexpr std::size_t kMaxRigLineLength = 256;
// The most value lines one reply may hold before it is read as garbled.
inline constexpr std::size_t kMaxRigReplyLines = 8;

// Splits the byte stream into lines at LF (a CR before it is dropped). A line longer than
// kMaxRigLineLength is kept as its first kMaxRigLineLength bytes and marked overlong; the rest of
// it up to its end is dropped as it arrives.
class RigLineReader {
 public:
  struct Line {
    std::string text;
    bool overlong = false;
  };

  void Feed(std::string_view bytes);
  std::optional<Line> Next();
  // Forgets everything read so far (a new connection).
  void Reset();
  // Bytes held: the unfinished line and the finished lines not taken yet.
  std::size_t BufferedBytes() const;

 private:
  std::string partial_;
  bool partial_overlong_ = false;
  std::deque<Line> lines_;
};

enum class RigReplyStatus {
  kOk,       // the values are in `values`
  kError,    // the daemon answered "RPRT n" with n < 0
  kGarbled,  // not a reply to the command: the stream can no longer be trusted
};

struct RigReply {
  RigReplyStatus status = RigReplyStatus::kOk;
  int error_code = 0;  // the n of "RPRT n"
  std::vector<std::string>
      values;  // the values in order, without their "Key: " in the extended form
};

// Reads the replies to the commands sent, one command in flight: Expect() names the command just
// sent, Feed() takes the bytes, and Take() gives the reply once it is whole. Both forms are read:
// the extended one (a header line ending in ':' or holding ": ", then "Key: value" lines, then
// "RPRT n") and the plain one (the values, one per line, or a single "RPRT n").
class RigReplyReader {
 public:
  void Expect(RigCommand command);
  void Feed(std::string_view bytes);
  std::optional<RigReply> Take();
  // A new connection: nothing expected, nothing buffered.
  void Reset();
  std::size_t BufferedBytes() const { return lines_.BufferedBytes(); }

 private:
  enum class Form { kUnknown, kExtended, kPlain };
  void ReadLines();
  void Finish(RigReplyStatus status, int error_code = 0);

  RigLineReader lines_;
  std::optional<RigCommand> expected_;
  Form form_ = Form::kUnknown;
  RigReply reply_;
  std::optional<RigReply> finished_;
};

// "RPRT n": its n; nothing for any other line.
std::optional<int> RprtCodeOf(std::string_view line);

// The frequency in Hz of a reply to kGetFrequency ("145000000", also with a decimal part);
// nothing when it is no frequency.
std::optional<std::int64_t> FrequencyHzOf(const RigReply& reply);

// The mode of a reply to kGetMode ("USB"); nothing when it is empty or no mode's name.
std::optional<std::string> RigModeOf(const RigReply& reply);

}  // namespace zt

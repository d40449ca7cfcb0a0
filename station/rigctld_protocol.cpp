#include "station/rigctld_protocol.h"

#include <cctype>

#include "core/text.h"

namespace zt {

namespace {

// Value lines of a plain reply: the frequency alone; the mode, then the passband.
std::size_t PlainValueCount(RigCommand command) { return command == RigCommand::kGetMode ? 2 : 1; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string ComposeRigCommand(RigCommand command) {
  switch (command) {
    case RigCommand::kGetFrequency:
      return "+f\n";
    case RigCommand::kGetMode:
      return "+m\n";
  }
  return {};
}

void RigLineReader::Feed(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::string_view piece = bytes.substr(0, end);
    // Only what fits is kept: the rest of an endless line is dropped as it comes.
    const std::size_t room = kMaxRigLineLength - partial_.size();
    if (piece.size() > room) partial_overlong_ = true;
    partial_.append(piece.substr(0, room));
    if (end == std::string_view::npos) return;
    if (!partial_.empty() && partial_.back() == '\r') partial_.pop_back();
    // A flood of short lines must not pile up either: past a reply's worth the oldest go.
    if (lines_.size() > kMaxRigReplyLines * 2) lines_.pop_front();
    lines_.push_back(Line{std::move(partial_), partial_overlong_});
    partial_.clear();
    partial_overlong_ = false;
    bytes.remove_prefix(end + 1);
  }
}

std::optional<RigLineReader::Line> RigLineReader::Next() {
  if (lines_.empty()) return std::nullopt;
  Line line = std::move(lines_.front());
  lines_.pop_front();
  return line;
}

void RigLineReader::Reset() {
  partial_.clear();
  partial_overlong_ = false;
  lines_.clear();
}

std::size_t RigLineReader::BufferedBytes() const {
  std::size_t bytes = partial_.size();
  for (const Line& line : lines_) bytes += line.text.size();
  return bytes;
}

std::optional<int> RprtCodeOf(std::string_view line) {
  line = TrimmedView(line);
  constexpr std::string_view kPrefix = "RPRT ";
  if (line.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
  line.remove_prefix(kPrefix.size());
  const bool negative = !line.empty() && line.front() == '-';
  if (negative) line.remove_prefix(1);
  if (line.empty() || line.size() > 6) return std::nullopt;
  int code = 0;
  for (char c : line) {
    if (!IsDigit(c)) return std::nullopt;
    code = code * 10 + (c - '0');
  }
  return negative ? -code : code;
}

void RigReplyReader::Expect(RigCommand command) {
  expected_ = command;
  form_ = Form::kUnknown;
  reply_ = RigReply{};
  finished_.reset();
  ReadLines();
}

void RigReplyReader::Feed(std::string_view bytes) {
  lines_.Feed(bytes);
  ReadLines();
}

std::optional<RigReply> RigReplyReader::Take() {
  std::optional<RigReply> reply = std::move(finished_);
  finished_.reset();
  return reply;
}

void RigReplyReader::Reset() {
  lines_.Reset();
  expected_.reset();
  form_ = Form::kUnknown;
  reply_ = RigReply{};
  finished_.reset();
}

void RigReplyReader::Finish(RigReplyStatus status, int error_code) {
  reply_.status = status;
  reply_.error_code = error_code;
  // Values of a garbled reply mean nothing.
  if (status == RigReplyStatus::kGarbled) reply_.values.clear();
  finished_ = std::move(reply_);
  reply_ = RigReply{};
  expected_.reset();
}

void RigReplyReader::ReadLines() {
  // Lines while nothing is asked are left for later: with one command in flight they can only be
  // the start of the next reply's bytes, or garbage that the next reply then shows.
  while (expected_) {
    std::optional<RigLineReader::Line> line = lines_.Next();
    if (!line) return;
    if (line->overlong) {
      Finish(RigReplyStatus::kGarbled);
      continue;
    }
    const std::string_view text = line->text;
    if (const std::optional<int> code = RprtCodeOf(text)) {
      Finish(*code < 0 ? RigReplyStatus::kError : RigReplyStatus::kOk, *code);
      continue;
    }
    switch (form_) {
      case Form::kUnknown:
        if (!text.empty() && (text.back() == ':' || Contains(text, ": "))) {
          form_ = Form::kExtended;  // the header echoing the command
          continue;
        }
        form_ = Form::kPlain;
        [[fallthrough]];
      case Form::kPlain:
        reply_.values.emplace_back(TrimmedView(text));
        if (reply_.values.size() == PlainValueCount(*expected_)) Finish(RigReplyStatus::kOk);
        break;
      case Form::kExtended: {
        const std::size_t colon = text.find(':');
        if (colon == std::string_view::npos || reply_.values.size() >= kMaxRigReplyLines) {
          Finish(RigReplyStatus::kGarbled);
          break;
        }
        reply_.values.emplace_back(TrimmedView(text.substr(colon + 1)));
        break;
      }
    }
  }
}

std::optional<std::int64_t> FrequencyHzOf(const RigReply& reply) {
  if (reply.status != RigReplyStatus::kOk || reply.values.empty()) return std::nullopt;
  std::string_view text = reply.values.front();
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  // Up to a terahertz: far above any radio, far below an overflow.
  if (whole.empty() || whole.size() > 12) return std::nullopt;
  std::int64_t hz = 0;
  for (char c : whole) {
    if (!IsDigit(c)) return std::nullopt;
    hz = hz * 10 + (c - '0');
  }
  if (point != std::string_view::npos) {
    for (char c : text.substr(point + 1)) {
      if (!IsDigit(c)) return std::nullopt;
    }
  }
  return hz;
}

std::optional<std::string> RigModeOf(const RigReply& reply) {
  if (reply.status != RigReplyStatus::kOk || reply.values.empty()) return std::nullopt;
  const std::string& mode = reply.values.front();
  if (mode.empty() || mode.size() > 16) return std::nullopt;
  for (char c : mode) {
    if (!(IsDigit(c) || (c >= 'A' && c <= 'Z'))) return std::nullopt;
  }
  return mode;
}

}  // namespace zt

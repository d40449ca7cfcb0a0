#pragma once

// The client of rigctld on the window's event loop: it polls the rig's frequency and mode, one
// command in flight with a timeout, and connects again by a timer after any fault. Nothing here
// ever waits: every step is a signal of the socket or a timer.

#include <QObject>
#include <QSignalBlocker>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "station/radio_file.h"
#include "station/rigctld_protocol.h"

namespace zt {

enum class RigLink {
  kOff,           // the radio is switched off in the settings
  kConnecting,    // connecting, or connected and waiting for the first answer
  kConnected,     // the daemon answers
  kNotConnected,  // no connection (refused, closed, host unknown)
  kNoAnswer,      // connected, but no answer within the timeout
  kGarbled,       // the daemon answered something that is no reply
};

struct RigReading {
  RigLink link = RigLink::kOff;
  std::optional<std::int64_t> frequency_hz;
  std::optional<std::string> mode;  // as the rig names it: "USB", "CW"...

  bool operator==(const RigReading&) const = default;
};

struct RigTiming {
  std::chrono::milliseconds poll{400};
  std::chrono::milliseconds timeout{1000};
  std::chrono::milliseconds reconnect{3000};
};

class RigClient : public QObject {
  Q_OBJECT

 public:
  explicit RigClient(QObject* parent = nullptr, RigTiming timing = {});

  // Connects to the daemon these settings name, or goes off when they disable the radio.
  void Configure(const RigctldSettings& settings);
  const RigctldSettings& settings() const { return settings_; }
  const RigReading& reading() const { return reading_; }
  // Bytes of the daemon's output held while a reply is read.
  std::size_t BufferedBytes() const { return reader_.BufferedBytes(); }

 signals:
  // The link, the frequency or the mode changed.
  void ReadingChanged();

 private:
  void Connect();
  void Send(RigCommand command);
  void ReadReplies();
  void TakeReply(const RigReply& reply);
  // Drops the connection, forgets the readings and connects again later.
  void Fail(RigLink link);
  // Closes the socket at once and forgets the reply being read.
  void Drop();
  void Update(const RigReading& reading);

  RigTiming timing_;
  RigctldSettings settings_;
  RigReading reading_;
  QTcpSocket* socket_;
  QTimer* poll_timer_;
  QTimer* reply_timer_;  // the timeout of the connection attempt and of the command in flight
  QTimer* reconnect_timer_;
  RigReplyReader reader_;
  std::optional<RigCommand> in_flight_;
};

}  // namespace zt

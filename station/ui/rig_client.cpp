#include "station/ui/rig_client.h"

namespace zt {

namespace {

// Reads in slices, so a flood is parsed as it comes and never buffered whole.
constexpr qint64 kReadSlice = 4096;

}  // namespace

RigClient::RigClient(QObject* parent, RigTiming timing)
    : QObject(parent),
      timing_(timing),
      socket_(new QTcpSocket(this)),
      poll_timer_(new QTimer(this)),
      reply_timer_(new QTimer(this)),
      reconnect_timer_(new QTimer(this)) {
  // Qt's own buffer is bounded too: what is not read yet waits in the system.
  socket_->setReadBufferSize(64 * 1024);
  poll_timer_->setInterval(timing_.poll);
  reply_timer_->setSingleShot(true);
  reply_timer_->setInterval(timing_.timeout);
  reconnect_timer_->setSingleShot(true);
  reconnect_timer_->setInterval(timing_.reconnect);

  connect(socket_, &QTcpSocket::connected, this, [this] {
    reply_timer_->stop();
    Send(RigCommand::kGetFrequency);
    poll_timer_->start();
  });
  connect(socket_, &QTcpSocket::readyRead, this, [this] { ReadReplies(); });
  const auto lost = [this] {
    if (reading_.link == RigLink::kConnecting || reading_.link == RigLink::kConnected) {
      Fail(RigLink::kNotConnected);
    }
  };
  connect(socket_, &QTcpSocket::errorOccurred, this, lost);
  connect(socket_, &QTcpSocket::disconnected, this, lost);
  connect(poll_timer_, &QTimer::timeout, this, [this] {
    if (!in_flight_) Send(RigCommand::kGetFrequency);
  });
  connect(reply_timer_, &QTimer::timeout, this, [this] {
    Fail(socket_->state() == QAbstractSocket::ConnectedState ? RigLink::kNoAnswer
                                                             : RigLink::kNotConnected);
  });
  connect(reconnect_timer_, &QTimer::timeout, this, [this] { Connect(); });
}

void RigClient::Configure(const RigctldSettings& settings) {
  settings_ = settings;
  poll_timer_->stop();
  reply_timer_->stop();
  reconnect_timer_->stop();
  Drop();
  if (settings_.enabled) {
    Connect();
  } else {
    Update(RigReading{});
  }
}

void RigClient::Connect() {
  Drop();
  Update(RigReading{RigLink::kConnecting, std::nullopt, std::nullopt});
  reply_timer_->start();
  socket_->connectToHost(QString::fromStdString(settings_.host), settings_.port);
}

void RigClient::Send(RigCommand command) {
  in_flight_ = command;
  reader_.Expect(command);
  reply_timer_->start();
  const std::string text = ComposeRigCommand(command);
  socket_->write(text.data(), static_cast<qint64>(text.size()));
}

void RigClient::ReadReplies() {
  char slice[kReadSlice];
  while (socket_->bytesAvailable() > 0) {
    const qint64 read = socket_->read(slice, kReadSlice);
    if (read <= 0) break;
    reader_.Feed(std::string_view(slice, static_cast<std::size_t>(read)));
    while (std::optional<RigReply> reply = reader_.Take()) {
      TakeReply(*reply);
      // A fault has dropped the connection; what is left is of no use.
      if (reading_.link != RigLink::kConnecting && reading_.link != RigLink::kConnected) return;
    }
  }
}

void RigClient::TakeReply(const RigReply& reply) {
  if (!in_flight_) return;
  const RigCommand command = *in_flight_;
  in_flight_.reset();
  reply_timer_->stop();
  if (reply.status == RigReplyStatus::kGarbled) {
    Fail(RigLink::kGarbled);
    return;
  }
  RigReading reading = reading_;
  reading.link = RigLink::kConnected;
  // An error answer ("RPRT -11": the rig cannot say) leaves that value unknown; the daemon
  // still answers, so the link stands.
  if (command == RigCommand::kGetFrequency) {
    reading.frequency_hz = FrequencyHzOf(reply);
    if (reply.status == RigReplyStatus::kOk && !reading.frequency_hz) {
      Fail(RigLink::kGarbled);
      return;
    }
    Update(reading);
    Send(RigCommand::kGetMode);
  } else {
    reading.mode = RigModeOf(reply);
    if (reply.status == RigReplyStatus::kOk && !reading.mode) {
      Fail(RigLink::kGarbled);
      return;
    }
    Update(reading);
  }
}

void RigClient::Fail(RigLink link) {
  poll_timer_->stop();
  reply_timer_->stop();
  Drop();
  Update(RigReading{link, std::nullopt, std::nullopt});
  reconnect_timer_->start();
}

void RigClient::Drop() {
  // The abort's own signals must not report a fault: the link is let go on purpose.
  const QSignalBlocker blocker(socket_);
  socket_->abort();
  reader_.Reset();
  in_flight_.reset();
}

void RigClient::Update(const RigReading& reading) {
  if (reading == reading_) return;
  reading_ = reading;
  emit ReadingChanged();
}

}  // namespace zt

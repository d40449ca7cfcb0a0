#include "station/ui/cw_keyer_link.h"

#include "station/cw_keyer.h"
#include "station/cw_message.h"

namespace zt {

namespace {

// cwdaemon's echo may come this much after the message's own length.
constexpr int kEchoMarginMs = 3000;
// rigctld answers a set command at once; a radio switched off answers after Hamlib's retries.
constexpr int kRigReplyTimeoutMs = 3000;

QHostAddress AddressOf(const QString& host) {
  if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
    return QHostAddress(QHostAddress::LocalHost);
  }
  return QHostAddress(host);
}

}  // namespace

CwdaemonLink::CwdaemonLink(const QString& host, int port, QObject* parent)
    : CwKeyerLink(parent),
      host_(host),
      port_(static_cast<quint16>(port)),
      address_(AddressOf(host)) {
  silence_.setSingleShot(true);
  connect(&silence_, &QTimer::timeout, this, [this] {
    faulty_ = true;
    emit Fault(QStringLiteral("cwdaemon nie odpowiada (%1)").arg(Where()));
    emit Finished();
  });
  connect(&socket_, &QUdpSocket::readyRead, this, [this] { ReadReplies(); });
  // A connected datagram socket hears the port-unreachable answer of a daemon that is gone.
  connect(&socket_, &QUdpSocket::errorOccurred, this, [this] {
    if (faulty_) return;
    faulty_ = true;
    silence_.stop();
    emit Fault(QStringLiteral("brak cwdaemon (%1)").arg(Where()));
    emit Finished();
  });
}

QString CwdaemonLink::Where() const { return host_ + QLatin1Char(':') + QString::number(port_); }

void CwdaemonLink::Write(const std::string& datagram) {
  if (address_.isNull()) {
    if (!faulty_) emit Fault(QStringLiteral("cwdaemon: nieznany adres %1").arg(host_));
    faulty_ = true;
    return;
  }
  if (socket_.state() != QAbstractSocket::ConnectedState) {
    socket_.abort();
    socket_.connectToHost(address_, port_);
  }
  socket_.write(datagram.data(), static_cast<qint64>(datagram.size()));
}

void CwdaemonLink::SetSpeed(int wpm) {
  wpm_ = ClampWpm(wpm);
  Write(CwdaemonSpeed(wpm_));
}

void CwdaemonLink::Send(const std::string& morse, int wpm) {
  const std::string text = CwdaemonText(morse);
  if (text.empty()) {
    emit Finished();
    return;
  }
  // After a fault the daemon is tried again with every message; its first answer clears it.
  if (ClampWpm(wpm) != wpm_) SetSpeed(wpm);
  token_ = "zt" + std::to_string(++serial_);
  Write(CwdaemonEchoRequest(token_));
  Write(text);
  silence_.start(static_cast<int>(SendingTime(text, wpm_).count()) + kEchoMarginMs);
}

void CwdaemonLink::Abort() {
  silence_.stop();
  token_.clear();
  Write(CwdaemonAbort());
}

void CwdaemonLink::ReadReplies() {
  while (socket_.hasPendingDatagrams()) {
    QByteArray datagram(static_cast<qsizetype>(socket_.pendingDatagramSize()), '\0');
    const qint64 size = socket_.readDatagram(datagram.data(), datagram.size());
    if (size < 0) continue;
    const std::string_view reply(datagram.constData(), static_cast<std::size_t>(size));
    if (faulty_) {
      faulty_ = false;
      emit Back();
    }
    if (ReadCwdaemonReply(reply, token_) == CwdaemonReply::kFinished) {
      silence_.stop();
      token_.clear();
      emit Finished();
    }
  }
}

RigCwLink::RigCwLink(const QString& host, int port, QObject* parent)
    : CwKeyerLink(parent), host_(host), port_(static_cast<quint16>(port)) {
  reply_timeout_.setSingleShot(true);
  reply_timeout_.setInterval(kRigReplyTimeoutMs);
  connect(&reply_timeout_, &QTimer::timeout, this,
          [this] { Failed(QStringLiteral("rigctld nie odpowiada (%1)").arg(Where())); });
  sending_.setSingleShot(true);
  connect(&sending_, &QTimer::timeout, this, [this] { emit Finished(); });
  connect(&socket_, &QTcpSocket::connected, this, [this] { Next(); });
  connect(&socket_, &QTcpSocket::readyRead, this, [this] { ReadReplies(); });
  connect(&socket_, &QTcpSocket::errorOccurred, this,
          [this] { Failed(QStringLiteral("brak połączenia z rigctld (%1)").arg(Where())); });
}

QString RigCwLink::Where() const { return host_ + QLatin1Char(':') + QString::number(port_); }

void RigCwLink::Failed(const QString& text) {
  reply_timeout_.stop();
  socket_.abort();
  in_flight_ = false;
  queue_.clear();
  lines_.Reset();
  speed_sent_ = 0;
  if (!faulty_) emit Fault(text);
  faulty_ = true;
  if (sending_.isActive()) {
    sending_.stop();
    emit Finished();
  }
}

void RigCwLink::Queue(std::string line, std::function<void(int)> answered) {
  if (line.empty()) return;
  queue_.push_back({std::move(line), std::move(answered)});
  if (socket_.state() == QAbstractSocket::UnconnectedState) {
    socket_.connectToHost(host_, port_);
    reply_timeout_.start();
    return;
  }
  Next();
}

void RigCwLink::Next() {
  if (in_flight_ || queue_.empty() || socket_.state() != QAbstractSocket::ConnectedState) return;
  in_flight_ = true;
  const std::string& line = queue_.front().line;
  socket_.write(line.data(), static_cast<qint64>(line.size()));
  reply_timeout_.start();
}

void RigCwLink::ReadReplies() {
  // The protocol's line reader holds a bounded amount whatever the daemon sends.
  const QByteArray bytes = socket_.readAll();
  lines_.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  while (const std::optional<RigLineReader::Line> line = lines_.Next()) {
    // A set command answers its RPRT line alone; anything else is not an answer to ours.
    const std::optional<int> code = line->overlong ? std::nullopt : RprtCodeOf(line->text);
    if (!in_flight_ || !code) continue;
    reply_timeout_.stop();
    Command done = std::move(queue_.front());
    queue_.pop_front();
    in_flight_ = false;
    if (faulty_) {
      faulty_ = false;
      emit Back();
    }
    if (done.answered) done.answered(*code);
    Next();
  }
}

void RigCwLink::SetSpeed(int wpm) {
  const int clamped = ClampWpm(wpm);
  if (clamped == speed_sent_) return;
  speed_sent_ = clamped;
  Queue(RigKeyerSpeed(clamped));
}

void RigCwLink::Send(const std::string& morse, int wpm) {
  const std::string command = RigSendMorse(morse);
  if (command.empty()) {
    emit Finished();
    return;
  }
  SetSpeed(wpm);
  Queue(command);
  // A message sent while another is keyed follows it.
  const int left = sending_.isActive() ? sending_.remainingTime() : 0;
  sending_.start(left + static_cast<int>(SendingTime(morse, ClampWpm(wpm)).count()));
}

void RigCwLink::Abort() {
  sending_.stop();
  // Whatever is still queued would start keying again after the stop.
  while (queue_.size() > (in_flight_ ? 1u : 0u)) {
    queue_.pop_back();
    // The speed may have been among them.
    speed_sent_ = 0;
  }
  Queue(RigStopMorse(), [this](int code) {
    if (code == kRigCannotStop) emit CannotStop();
  });
}

}  // namespace zt

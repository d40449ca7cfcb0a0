#pragma once

// The two keyers the window hands its CW messages to, on the event loop: cwdaemon over UDP and
// the rig's own keyer through rigctld. Nothing here waits; a keyer that is gone or silent is
// reported through Fault and never holds up the operator.

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "station/rigctld_protocol.h"

namespace zt {

class CwKeyerLink : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  // `morse` has passed FilterMorse; the message counts as being sent until Finished.
  virtual void Send(const std::string& morse, int wpm) = 0;
  virtual void Abort() = 0;
  virtual void SetSpeed(int wpm) = 0;
  // Where the keyer listens, for the status line.
  virtual QString Where() const = 0;

 signals:
  void Finished();
  // The keyer is gone or does not answer; the text says so in the status line.
  void Fault(const QString& text);
  // The keyer answered again after a fault.
  void Back();
  // The radio took the stop but has none (rigctld's RPRT -11).
  void CannotStop();
};

// cwdaemon: a datagram per request, and its echo as the signal that a message is keyed.
class CwdaemonLink : public CwKeyerLink {
  Q_OBJECT

 public:
  CwdaemonLink(const QString& host, int port, QObject* parent = nullptr);
  void Send(const std::string& morse, int wpm) override;
  void Abort() override;
  void SetSpeed(int wpm) override;
  QString Where() const override;

 private:
  void Write(const std::string& datagram);
  void ReadReplies();

  QString host_;
  quint16 port_;
  QHostAddress address_;
  QUdpSocket socket_;
  QTimer silence_;  // no echo within the message's time and a margin: cwdaemon is silent
  std::string token_;
  int serial_ = 0;
  int wpm_ = 0;
  bool faulty_ = false;
};

// The rig's keyer: "b TEXT" and "\stop_morse" through rigctld, one command in flight with a
// timeout, reconnected at the next command. rigctld does not say when the rig has keyed the
// text, so a message is being sent for its length at the set speed.
class RigCwLink : public CwKeyerLink {
  Q_OBJECT

 public:
  RigCwLink(const QString& host, int port, QObject* parent = nullptr);
  void Send(const std::string& morse, int wpm) override;
  void Abort() override;
  void SetSpeed(int wpm) override;
  QString Where() const override;

 private:
  // A command line and what to do with its RPRT code.
  struct Command {
    std::string line;
    std::function<void(int)> answered;
  };
  void Queue(std::string line, std::function<void(int)> answered = {});
  void Next();
  void ReadReplies();
  void Failed(const QString& text);

  QString host_;
  quint16 port_;
  QTcpSocket socket_;
  QTimer reply_timeout_;
  QTimer sending_;
  std::deque<Command> queue_;
  bool in_flight_ = false;
  bool faulty_ = false;
  RigLineReader lines_;
  int speed_sent_ = 0;
};

}  // namespace zt

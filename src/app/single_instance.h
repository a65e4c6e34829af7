#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace vornel {

// The name under which the running instance listens; one per user, so that users sharing a
// machine do not bring each other's windows forward.
QString instanceServerName();

// One running instance per user. The first instance listens under the server name; a later
// start without a file connects, asks it to come forward and ends once the first one has
// answered. A first instance that is stopped or hung still accepts connections but never
// answers; after a short wait the later start runs on its own instead of vanishing.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Outcome {
        First,            // no other instance: this one listens from now on
        EndThisInstance,  // another instance was asked to come forward; end this start
        Further,          // another instance runs, but a file was named: start as well
        Unanswered,       // another instance holds the name but did not answer: start as well
    };

    // How long a later start waits for the first instance's answer.
    static constexpr int kDefaultAnswerTimeoutMs = 2000;

    explicit SingleInstance(QString serverName, QObject *parent = nullptr,
                            int answerTimeoutMs = kDefaultAnswerTimeoutMs);
    ~SingleInstance() override;

    Outcome start(bool fileNamed);
    bool isListening() const;

Q_SIGNALS:
    // A later start without a file asked this instance to come forward.
    void activationRequested();

private:
    void acceptConnections();
    void readRequest(QLocalSocket *socket);
    void listen();

    QString m_serverName;
    int m_answerTimeoutMs;
    QLocalServer *m_server = nullptr;
};

// Brings a window to the front: restored to its previous state if minimised, raised, active.
void bringForward(QWidget &window);

} // namespace vornel

#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vornel {

namespace {

const QByteArray kActivateRequest = QByteArrayLiteral("activate\n");
const QByteArray kActivateAnswer = QByteArrayLiteral("activated\n");
constexpr int kConnectTimeoutMs = 1000;

// Waits up to timeoutMs for the answer line.
bool answered(QLocalSocket &socket, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.readLine() == kActivateAnswer;
}

} // namespace

QString instanceServerName()
{
#ifdef Q_OS_UNIX
    const QString user = QString::number(::getuid());
#else
    const QString user = qEnvironmentVariable("USERNAME");
#endif
    return QStringLiteral("vornel-instance-") + user;
}

SingleInstance::SingleInstance(QString serverName, QObject *parent, int answerTimeoutMs)
    : QObject(parent)
    , m_serverName(std::move(serverName))
    , m_answerTimeoutMs(answerTimeoutMs)
{
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Outcome SingleInstance::start(bool fileNamed)
{
    QLocalSocket probe;
    probe.connectToServer(m_serverName);
    if (probe.waitForConnected(kConnectTimeoutMs)) {
        if (fileNamed) {
            probe.disconnectFromServer();
            return Outcome::Further;
        }
        probe.write(kActivateRequest);
        probe.waitForBytesWritten(kConnectTimeoutMs);
        const bool heard = answered(probe, m_answerTimeoutMs);
        probe.disconnectFromServer();
        return heard ? Outcome::EndThisInstance : Outcome::Unanswered;
    }
    // Nobody answers: either no instance runs or one crashed and left its socket behind.
    QLocalServer::removeServer(m_serverName);
    listen();
    return Outcome::First;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    // Failing that, this instance runs on without being reachable; nothing else depends on it.
    if (!m_server->listen(m_serverName)) {
        delete m_server;
        m_server = nullptr;
    }
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The request may have arrived together with the connection.
        readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        if (socket->readLine() == kActivateRequest) {
            socket->write(kActivateAnswer);
            socket->flush();
            Q_EMIT activationRequested();
        }
    }
}

void bringForward(QWidget &window)
{
    // Restoring keeps a maximised window maximised, as the window's own Restore would.
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace vornel

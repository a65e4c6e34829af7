#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vornel {

// SIGTERM (a logout, a kill), SIGHUP (the terminal gone) and SIGINT (Ctrl+C) while it lives:
// instead of ending the program at once, each calls onSignal with its number on the thread that
// made this object. The handler itself only writes the number into a pipe that a socket
// notifier reads, as nothing else is safe inside a handler. onSignal should end the program,
// as endBySignal() does; a second signal before it has ends the program at once.
class EndSignals : public QObject {
public:
    explicit EndSignals(std::function<void(int signal)> onSignal, QObject *parent = nullptr);
    // The signals end the program by themselves again.
    ~EndSignals() override;

private:
    void readSignal();

    std::function<void(int)> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};

// Ends the process as the signal itself would have, so that whoever started it sees why.
[[noreturn]] void endBySignal(int signal);

} // namespace vornel

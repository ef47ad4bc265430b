#pragma once

#include <QObject>

class QSocketNotifier;

namespace formulario {

// Turns SIGTERM and SIGHUP (a desktop's log-out, a terminal closed) into the
// signal `requested`, delivered by the event loop like any other event. One
// at a time per process; without such signals on the platform it never comes.
class CTerminationRequests : public QObject {
    Q_OBJECT
public:
    explicit CTerminationRequests(QObject* parent = nullptr);
    ~CTerminationRequests() override;

signals:
    void requested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace formulario

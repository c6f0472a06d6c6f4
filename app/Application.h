#pragma once

#include <QApplication>

// The program's application object. No exception may leave an event handler: one that would is
// caught here, the event is dropped, and the teacher is told once the event loop is free again.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(const QString& what);
    bool m_reportPending = false;
};

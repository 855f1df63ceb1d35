#pragma once

#include <QEventLoop>
#include <QTimer>

// Runs the event loop for ms milliseconds. Unlike QTest::qWait it never sleeps between
// passes, so what is measured meanwhile waits for nothing but the panel.
inline void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until done() holds, checking every checkMs, or until timeoutMs; done()'s answer.
template <typename Done>
bool runEventLoopUntil(Done done, int timeoutMs, int checkMs = 50)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(checkMs);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

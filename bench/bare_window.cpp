// The yardstick of the running game: a bare Qt window woken by a 10 ms timer that does
// nothing, as the game's animation timer was before it learnt to sleep between steps.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(118, 144);
    window.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    long ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    return app.exec();
}

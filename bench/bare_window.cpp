// The yardstick of the running game: a bare Qt window woken by a 10 ms timer that does
// nothing, as the game's animation timer was before it learnt to sleep between steps.
// With --menu-bar it has a menu bar of two entries, as the game's: what its text costs
// at start-up.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <memory>
#include <utility>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    if (argc > 1 && std::strcmp(argv[1], "--menu-bar") == 0) {
        auto main = std::make_unique<QMainWindow>();
        main->menuBar()->addMenu("gribo");
        main->menuBar()->addAction("Stats");
        main->setCentralWidget(new QWidget);
        window = std::move(main);
    }
    window->resize(118, 144);
    window->show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    long ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    return app.exec();
}

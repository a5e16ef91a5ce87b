// The yardsticks for start-up: the least a Qt Widgets program does to show a
// main window, and (built with BARE_WINDOW_WITH_TEXT) the same window with
// one line of text, which makes Qt load its font database as every window
// with text must. Each marks the moment its window is shown the way Quillset
// does, with a line in debug.log in the current folder, so one watcher times
// all alike (bench/startup_bench.cpp).

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
#ifdef BARE_WINDOW_WITH_TEXT
    window.setCentralWidget(new QLabel(QStringLiteral("Einstellungen f\u00fcr Korrin")));
#endif
    window.show();
    QFile log(QStringLiteral("debug.log"));
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        log.write("Bare -> Program initialized.\r\n");
        log.flush();
    }
    return QApplication::exec();
}

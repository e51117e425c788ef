// The reference for the start-up time of Tabulon: a Qt Widgets program that shows one blank
// window of the main window's client size (1167 x 691) and closes it as soon as the event loop
// runs, exactly as `Tabulon --quit-after 0` does with the main window. Timed as a whole process.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1167, 691);
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);
    return QApplication::exec();
}

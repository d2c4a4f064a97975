// bare_window: the yardstick for lptseg's start-up, memory and idle CPU. One empty
// Qt Widgets window of the same client size and caption, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Upravljanje 7-segmentnim diodnim zaslonom");
    window.setFixedSize(343, 356);
    window.show();
    return QApplication::exec();
}

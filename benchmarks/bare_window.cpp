// bare_window: the yardstick for lptseg's start-up, memory and idle CPU. One empty
// Qt Widgets window of the same client size and caption, and nothing else.
//
// With --ticking, two boxes the size of lptseg's banner boxes are repainted at the
// banners' intervals (50 ms and 30 ms, plus a 1 s tick like the clock's): the least
// any Qt Widgets program pays for that motion, whatever it draws. Two labels in a
// sans and a serif face show what drawing any text at all costs in memory.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstring>

namespace {

// A bar that moves two pixels on each tick.
class TickingBox : public QWidget {
public:
    TickingBox(QWidget* parent, const QRect& place) : QWidget(parent) {
        setGeometry(place);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void Tick() {
        x_ = (x_ + 2) % width();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 255, 255));
        p.fillRect(x_, 0, 20, height(), QColor(0, 0, 255));
    }

private:
    int x_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Upravljanje 7-segmentnim diodnim zaslonom");
    window.setFixedSize(343, 356);

    const bool ticking = argc > 1 && std::strcmp(argv[1], "--ticking") == 0;
    TickingBox* boxes[2] = {};
    QTimer timers[3];
    if (ticking) {
        boxes[0] = new TickingBox(&window, {32, 312, 289, 33}); // as the credit banner
        boxes[1] = new TickingBox(&window, {192, 176, 97, 25}); // as the number banner
        auto* sans = new QLabel("Trenutni broj", &window);
        sans->setFont(QFont("Liberation Sans", 12, QFont::Bold));
        sans->move(32, 32);
        auto* serif = new QLabel("Velmarin 3.Bt", &window);
        QFont italic("Liberation Serif", 16);
        italic.setItalic(true);
        serif->setFont(italic);
        serif->move(32, 96);
        const int intervals[3] = {50, 30, 1000};
        for (int i = 0; i < 3; ++i) {
            timers[i].setTimerType(Qt::PreciseTimer);
            timers[i].setInterval(intervals[i]);
            TickingBox* box = i < 2 ? boxes[i] : nullptr;
            QObject::connect(&timers[i], &QTimer::timeout, [box] {
                if (box)
                    box->Tick();
            });
            timers[i].start();
        }
    }
    window.show();
    return QApplication::exec();
}

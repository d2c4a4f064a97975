// The work behind one click, one banner tick and one repaint of the whole window,
// on a real Form1 (offscreen platform) that writes to an in-memory port.
#include "form1.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <ctime>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace lptseg {
namespace {

// Keeps every byte in memory, as a port that costs nothing to write.
class MemoryPort : public PortWriter {
public:
    void PortOut(std::int16_t Port, std::uint8_t Data) override {
        lastPort = Port;
        written.push_back(Data);
        if (written.size() >= 4096)
            written.clear();
    }
    std::int16_t lastPort = 0;
    std::vector<std::uint8_t> written;
};

class SilentBeeper : public Beeper {
public:
    void Beep() override {}
};

class SystemNow : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

class ThrowingErrors : public ErrorReport {
public:
    void Show(QWidget*, const QString&, const QString& message) override {
        throw std::runtime_error(message.toStdString());
    }
};

// One window for all benchmarks, loaded and shown as the program does it.
struct Fixture {
    MemoryPort port;
    SilentBeeper beeper;
    SystemNow clock;
    ThrowingErrors errors;
    Services services{beeper, clock, errors};
    Form1 form{port, services};

    Fixture() {
        if (!form.Load())
            throw std::runtime_error("Form1 did not load");
        form.Show();
        QCoreApplication::processEvents();
    }
};

// Made on first use and destroyed in main, while the application still exists.
std::unique_ptr<Fixture> fixture;

Fixture& Window() {
    if (!fixture)
        fixture = std::make_unique<Fixture>();
    return *fixture;
}

void BM_PortWriterCall(benchmark::State& state) {
    MemoryPort port;
    PortWriter& writer = port;
    std::uint8_t data = 0;
    for (auto _ : state) {
        writer.PortOut(0x378, data++);
        benchmark::DoNotOptimize(port.written.data());
    }
}
BENCHMARK(BM_PortWriterCall);

void BM_ShowDigit(benchmark::State& state) {
    Form1& form = Window().form;
    int digit = 0;
    for (auto _ : state) {
        form.ShowDigit(digit);
        digit = (digit + 1) % 10;
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_ShowDigit);

// A timer's tick handler: erase the box, print the text, move it a step.
void BM_BannerTick(benchmark::State& state) {
    Form1& form = Window().form;
    Timer& timer = state.range(0) == 1 ? form.Timer1 : form.Timer2;
    for (auto _ : state)
        timer.Fire();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_BannerTick)->ArgName("Timer")->Arg(1)->Arg(2);

// The banner tick and the repaint it asks for, up to the backing store.
void BM_BannerTickRepainted(benchmark::State& state) {
    Form1& form = Window().form;
    for (auto _ : state) {
        form.Timer1.Fire();
        form.Picture1.repaint();
    }
}
BENCHMARK(BM_BannerTickRepainted);

void RenderInto(benchmark::State& state, QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_WindowRender(benchmark::State& state) {
    RenderInto(state, Window().form);
}
BENCHMARK(BM_WindowRender);

void BM_BareWindowRender(benchmark::State& state) {
    QWidget bare;
    bare.setWindowTitle("Upravljanje 7-segmentnim diodnim zaslonom");
    bare.setFixedSize(Window().form.size());
    bare.show();
    QCoreApplication::processEvents();
    RenderInto(state, bare);
}
BENCHMARK(BM_BareWindowRender);

// Wake-ups while idle: every timer event in the program over a few seconds of
// the event loop, and how many of them went to anything but the five window
// timers (a button's pressed look, Qt's own timers).
void BM_IdleTimerEvents(benchmark::State& state) {
    Form1& form = Window().form;
    struct Counter : QObject {
        std::set<int> windowIntervals;
        int all = 0, others = 0;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Timer) {
                ++all;
                const auto* timer = qobject_cast<QTimer*>(watched);
                others += !timer || !windowIntervals.contains(timer->interval());
            }
            return false;
        }
    } counter;
    for (Timer* timer : {&form.Timer1, &form.Timer2, &form.Timer3, &form.Timer4, &form.Timer5})
        counter.windowIntervals.insert(timer->Interval());
    constexpr int Seconds = 3;
    QTimer end; // not counted: it only ends the count
    end.setSingleShot(true);
    end.setInterval(Seconds * 1000);
    double cpuSeconds = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
        counter.all = counter.others = 0;
        QCoreApplication::instance()->installEventFilter(&counter);
        const std::clock_t cpuStart = std::clock();
        end.start();
        loop.exec();
        cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        QCoreApplication::instance()->removeEventFilter(&counter);
    }
    --counter.all; // the end of the count
    state.counters["timer_events_per_s"] = double(counter.all) / Seconds;
    state.counters["other_timer_events_per_s"] = double(counter.others - 1) / Seconds;
    state.counters["cpu_pct"] = 100.0 * cpuSeconds / Seconds;
}
BENCHMARK(BM_IdleTimerEvents)->Iterations(1)->Repetitions(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace lptseg

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    lptseg::fixture.reset();
    return 0;
}

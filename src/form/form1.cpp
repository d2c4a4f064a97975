#include "form1.h"

namespace lptseg {

Form1::Form1(PortWriter& port, Services& services) : Window(services), DisplayOperations(port) {
    SetCaption("Upravljanje 7-segmentnim diodnim zaslonom");
    SetClientSize(5145, 5340);
    SetBackColor(Cyan);

    figure.Describe(BlankFigure);
    // Beyond the mouse: the digit keys, on any layout, and Delete press their buttons.
    for (int digit = 0; digit <= 9; ++digit) {
        auto [button, handler] = keypad_[static_cast<std::size_t>(digit)];
        button->SetOnClick([this, handler = handler, digit] {
            (this->*handler)();
            figure.Describe(QString::number(digit)); // reached only once the figure shows it
        });
        AddKeyFor(*button, Qt::Key(Qt::Key_0 + digit));
    }
    AddKeyFor(Command12, Qt::Key_Delete);
}

void Form1::Form_Load() {
    SelectPortAtLoad();
}

void Form1::Form_Unload(int& Cancel) {
    (void)Cancel;
    WriteUnloadZero();
}

void Form1::Command12_Click() {
    ClearDisplay();
    figure.Describe(BlankFigure);
}

void Form1::Command11_Click() {
    for (int i = 0; i <= 5; ++i)
        Beep();
    Unload();
    End();
}

void Form1::op378_Click() {
    SelectPort(PortOption::op378);
}
void Form1::op278_Click() {
    SelectPort(PortOption::op278);
}
void Form1::op3bc_Click() {
    SelectPort(PortOption::op3bc);
}

void Form1::SetSegment(SegmentLetter segment, bool lit) {
    // The figure's boxes in segment order, a to g.
    TextBox* const boxes[] = {&txt1[0], &txt3[0], &txt6[3], &txt7[2], &txt5[2], &txt2[1], &txt4[1]};
    boxes[static_cast<std::size_t>(segment)]->SetBackColor(lit ? SegmentOn : SegmentOff);
}

bool Form1::IsOptionSelected(PortOption option) const {
    // In the order of PortOption.
    const OptionButton* const options[] = {&op378, &op278, &op3bc};
    return options[static_cast<std::size_t>(option)]->Value();
}

void Form1::Timer1_Timer() {
    natpis1.Tick(Picture1, "Velmarin 3.Bt");
}

void Form1::Timer2_Timer() {
    natpis2.Tick(Picture2, "Trenutni broj");
}

void Form1::Timer3_Timer() {
    // One reading of the clock for both, so that at midnight they agree. Each
    // text takes the longest of the locale's forms that fits its label.
    const QLocale locale;
    const QDateTime now = services().clock.Now();
    lbl1.SetCaption(
        TimeText(locale, now.time(), [this](const QString& s) { return lbl1.Fits(s); }));
    lbl2.SetCaption(
        DateText(locale, now.date(), [this](const QString& s) { return lbl2.Fits(s); }));
}

void Form1::Timer4_Timer() {
    RecolourKeypad(KeypadWarm);
}

void Form1::Timer5_Timer() {
    RecolourKeypad(KeypadDeep);
}

// Only the ten digit buttons; "Brisi" and "Zatvori" keep their colours.
void Form1::RecolourKeypad(Colour colour) {
    for (const auto& key : keypad_)
        key.first->SetBackColor(colour);
}

} // namespace lptseg

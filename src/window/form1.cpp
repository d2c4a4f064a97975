#include "form1.h"

namespace lptseg {

Form1::Form1(PortWriter& port, Services& services) : Window(services), DisplayOperations(port) {
    SetCaption("Upravljanje 7-segmentnim diodnim zaslonom");
    SetClientSize(5145, 5340);
    SetBackColor(Cyan);

    // Beyond the mouse: the digit keys and Delete press their buttons.
    const std::pair<CommandButton*, int> keys[] = {
        {&Command10, Qt::Key_0}, {&Command1, Qt::Key_1},      {&Command9, Qt::Key_2},
        {&Command8, Qt::Key_3},  {&Command7, Qt::Key_4},      {&Command6, Qt::Key_5},
        {&Command5, Qt::Key_6},  {&Command4, Qt::Key_7},      {&Command3, Qt::Key_8},
        {&Command2, Qt::Key_9},  {&Command12, Qt::Key_Delete}};
    for (auto [button, key] : keys)
        AddKeyFor(*button, key);
}

void Form1::Form_Load() {
    SelectPortAtLoad();
}

void Form1::Form_Unload(int& Cancel) {
    (void)Cancel;
    WriteUnloadZero();
}

void Form1::Command10_Click() {
    ShowDigit(0);
}
void Form1::Command1_Click() {
    ShowDigit(1);
}
void Form1::Command9_Click() {
    ShowDigit(2);
}
void Form1::Command8_Click() {
    ShowDigit(3);
}
void Form1::Command7_Click() {
    ShowDigit(4);
}
void Form1::Command6_Click() {
    ShowDigit(5);
}
void Form1::Command5_Click() {
    ShowDigit(6);
}
void Form1::Command4_Click() {
    ShowDigit(7);
}
void Form1::Command3_Click() {
    ShowDigit(8);
}
void Form1::Command2_Click() {
    ShowDigit(9);
}

void Form1::Command12_Click() {
    ClearDisplay();
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

void Form1::SetSegmentColour(SegmentLetter segment, Colour colour) {
    switch (segment) {
    case SegmentLetter::a:
        return txt1[0].SetBackColor(colour);
    case SegmentLetter::b:
        return txt3[0].SetBackColor(colour);
    case SegmentLetter::c:
        return txt6[3].SetBackColor(colour);
    case SegmentLetter::d:
        return txt7[2].SetBackColor(colour);
    case SegmentLetter::e:
        return txt5[2].SetBackColor(colour);
    case SegmentLetter::f:
        return txt2[1].SetBackColor(colour);
    case SegmentLetter::g:
        return txt4[1].SetBackColor(colour);
    }
}

bool Form1::IsOptionSelected(PortOption option) const {
    switch (option) {
    case PortOption::op378:
        return op378.Value();
    case PortOption::op278:
        return op278.Value();
    case PortOption::op3bc:
        return op3bc.Value();
    }
    return false;
}

void Form1::Timer1_Timer() {
    natpis1.Tick(Picture1, "Velmarin 3.Bt");
}

void Form1::Timer2_Timer() {
    natpis2.Tick(Picture2, "Trenutni broj");
}

void Form1::Timer3_Timer() {
    const QLocale locale = QLocale::system();
    lbl1.SetCaption(TimeText(locale, services().clock.Now().time()));
    lbl2.SetCaption(DateText(locale, services().clock.Now().date()));
}

void Form1::Timer4_Timer() {
    RecolourKeypad(KeypadWarm);
}

void Form1::Timer5_Timer() {
    RecolourKeypad(KeypadDeep);
}

// Only the ten digit buttons; "Brisi" and "Zatvori" keep their colours.
void Form1::RecolourKeypad(Colour colour) {
    for (CommandButton* digit : {&Command10, &Command1, &Command2, &Command3, &Command4, &Command5,
                                 &Command6, &Command7, &Command8, &Command9})
        digit->SetBackColor(colour);
}

} // namespace lptseg

#pragma once

#include "clock_text.h"
#include "command_button.h"
#include "control_array.h"
#include "display_operations.h"
#include "figure.h"
#include "font_spec.h"
#include "frame.h"
#include "keypad_colours.h"
#include "label.h"
#include "option_button.h"
#include "picture_box.h"
#include "scroll_banner.h"
#include "text_box.h"
#include "timer.h"
#include "window.h"

#include <array>
#include <utility>

namespace lptseg {

// The program's only window: a digit keypad that drives the seven-segment display
// on the parallel port, the on-screen figure that mirrors it, the port choice and
// the decorations around them.
//
// Names: controls, handlers and the port address (adresa, in DisplayOperations)
// keep the window's classic design names (Command4, txt1, op378, Command4_Click,
// Timer1_Timer); everything else is named in English.
class Form1 : public Window, public DisplayOperations {
public:
    Form1(PortWriter& port, Services& services);

    // The colours of a lit and a dark segment box.
    static constexpr Colour SegmentOn = Rgb(255, 0, 0);
    static constexpr Colour SegmentOff = Rgb(255, 255, 255);
    // What a screen reader says of the figure with no segment lit.
    static constexpr const char* BlankFigure = "prazno";

    static constexpr Colour Cyan = Rgb(0, 255, 255);
    static constexpr Colour Green = Rgb(0, 255, 0);
    static constexpr Colour Red = Rgb(255, 0, 0);
    static constexpr Colour Blue = Rgb(0, 0, 255);
    static constexpr Colour DarkGrey = Rgb(64, 64, 64);
    static constexpr FontSpec DigitFont{FontSpec::MsSansSerif, 18};
    static constexpr FontSpec ClearFont{FontSpec::MsSansSerif, 9.75, true};
    static constexpr FontSpec CloseFont{FontSpec::MsSansSerif, 13.5, true, true};
    static constexpr FontSpec LabelFont{FontSpec::MsSansSerif, 8.25, true};
    static constexpr FontSpec NumberBannerFont{FontSpec::MsSansSerif, 12, true};
    static constexpr FontSpec CreditBannerFont{FontSpec::VinetaBT, 15.75, false, true};

    // clang-format off
    // The keypad: two columns, five rows. The names do not follow the captions.
    CommandButton Command10{*this, "0", {480, 120, 615, 495}, KeypadYellow, DigitFont, 9};
    CommandButton Command1{*this, "1", {1200, 120, 615, 495}, KeypadYellow, DigitFont, 0};
    CommandButton Command9{*this, "2", {480, 720, 615, 495}, KeypadYellow, DigitFont, 8};
    CommandButton Command8{*this, "3", {1200, 720, 615, 495}, KeypadYellow, DigitFont, 7};
    CommandButton Command7{*this, "4", {480, 1320, 615, 495}, KeypadYellow, DigitFont, 6};
    CommandButton Command6{*this, "5", {1200, 1320, 615, 495}, KeypadYellow, DigitFont, 5};
    CommandButton Command5{*this, "6", {480, 1920, 615, 495}, KeypadYellow, DigitFont, 4};
    CommandButton Command4{*this, "7", {1200, 1920, 615, 495}, KeypadYellow, DigitFont, 3};
    CommandButton Command3{*this, "8", {480, 2520, 615, 495}, KeypadYellow, DigitFont, 2};
    CommandButton Command2{*this, "9", {1200, 2520, 615, 495}, KeypadYellow, DigitFont, 1};
    CommandButton Command12{*this, "Brisi", {480, 3240, 1335, 255}, KeypadYellow, ClearFont, 26, [this] { Command12_Click(); }};
    CommandButton Command11{*this, "Zatvori", {480, 3480, 1335, 345}, Green, CloseFont, 10, [this] { Command11_Click(); }};

    // The segment figure: a top, g middle, d bottom; f and e left, b and c right.
    ControlArray<TextBox> txt1{0, *this, Twips{3120, 360, 975, 285}, 11};  // a
    ControlArray<TextBox> txt4{1, *this, Twips{3120, 1320, 975, 285}, 12}; // g
    ControlArray<TextBox> txt7{2, *this, Twips{3120, 2280, 975, 285}, 13}; // d
    ControlArray<TextBox> txt3{0, *this, Twips{4080, 600, 255, 735}, 14};  // b
    ControlArray<TextBox> txt2{1, *this, Twips{2880, 600, 255, 735}, 15};  // f
    ControlArray<TextBox> txt5{2, *this, Twips{2880, 1560, 255, 735}, 16}; // e
    ControlArray<TextBox> txt6{3, *this, Twips{4080, 1560, 255, 735}, 17}; // c
    // The seven boxes as one picture for screen readers: its name is the digit shown.
    Figure figure{*this, {&txt1[0], &txt4[1], &txt7[2], &txt3[0], &txt2[1], &txt5[2], &txt6[3]}};

    PictureBox Picture2{*this, {2880, 2640, 1455, 375}, Cyan, Red, NumberBannerFont, "Trenutni broj", 19};
    Label lbl2{*this, {2880, 3240, 1215, 255}, Cyan, DarkGrey, LabelFont, 21}; // date
    Label lbl1{*this, {2880, 3480, 1215, 255}, Cyan, DarkGrey, LabelFont, 20}; // time

    // The port choice. The options lie on the window itself, over the frame.
    Frame Frame1{*this, "Adresa", {480, 3960, 4455, 615}, Cyan, 22};
    OptionButton op378{*this, "378", {1560, 4080, 1095, 375}, Cyan, true, 23, [this] { op378_Click(); }};
    OptionButton op278{*this, "278", {2760, 4080, 975, 375}, Cyan, false, 24, [this] { op278_Click(); }};
    OptionButton op3bc{*this, "3BC", {3840, 4080, 975, 375}, Cyan, false, 25, [this] { op3bc_Click(); }};

    PictureBox Picture1{*this, {480, 4680, 4335, 495}, Cyan, Blue, CreditBannerFont, " Autor", 18};

    Timer Timer1{*this, 50, [this] { Timer1_Timer(); }};
    Timer Timer2{*this, 30, [this] { Timer2_Timer(); }};
    Timer Timer3{*this, 1000, [this] { Timer3_Timer(); }};
    Timer Timer4{*this, 26000, [this] { Timer4_Timer(); }};
    Timer Timer5{*this, 39000, [this] { Timer5_Timer(); }};
    // clang-format on

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void SetSegment(SegmentLetter segment, bool lit) override;
    bool IsOptionSelected(PortOption option) const override;

private:
    void Command10_Click() { ShowDigit(0); }
    void Command1_Click() { ShowDigit(1); }
    void Command9_Click() { ShowDigit(2); }
    void Command8_Click() { ShowDigit(3); }
    void Command7_Click() { ShowDigit(4); }
    void Command6_Click() { ShowDigit(5); }
    void Command5_Click() { ShowDigit(6); }
    void Command4_Click() { ShowDigit(7); }
    void Command3_Click() { ShowDigit(8); }
    void Command2_Click() { ShowDigit(9); }
    void Command12_Click();
    void Command11_Click();

    void op378_Click();
    void op278_Click();
    void op3bc_Click();

    void RecolourKeypad(Colour colour);

    // The keypad in digit order, each button with its click handler: the digit
    // keys press these buttons and the keypad timers recolour them.
    using Handler = void (Form1::*)();
    const std::array<std::pair<CommandButton*, Handler>, 10> keypad_{{
        {&Command10, &Form1::Command10_Click},
        {&Command1, &Form1::Command1_Click},
        {&Command9, &Form1::Command9_Click},
        {&Command8, &Form1::Command8_Click},
        {&Command7, &Form1::Command7_Click},
        {&Command6, &Form1::Command6_Click},
        {&Command5, &Form1::Command5_Click},
        {&Command4, &Form1::Command4_Click},
        {&Command3, &Form1::Command3_Click},
        {&Command2, &Form1::Command2_Click},
    }};

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();

    // The two banners' scrolling state, kept from tick to tick.
    ScrollBanner natpis1; // credit banner in Picture1
    ScrollBanner natpis2; // "Trenutni broj" in Picture2
};

} // namespace lptseg

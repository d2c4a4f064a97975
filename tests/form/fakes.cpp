#include "fakes.h"

#include "port_address.h"
#include "port_error.h"

#include <QRadioButton>
#include <QTest>

namespace lptseg::test {

std::string Write(int port, int byte) {
    return "PortOut " + FormatPort(static_cast<std::int16_t>(port)) + " " +
           FormatByte(static_cast<std::uint8_t>(byte));
}

void RecordingPort::PortOut(std::int16_t Port, std::uint8_t Data) {
    if (fail)
        throw PortError("Port " + FormatPort(Port) + " ne odgovara.");
    log_.push_back(Write(Port, Data));
}

void RecordingErrors::Show(QWidget* parent, const QString& shownTitle, const QString& message) {
    shownOverWindow = parent != nullptr && parent->isVisible();
    title = shownTitle;
    log_.push_back("error: " + message.toStdString());
}

bool FormTest::Open() {
    form = std::make_unique<Form1>(port, services);
    if (!form->Load())
        return false;
    form->Show();
    return form->isVisible();
}

void FormTest::Click(QWidget& control) {
    // An option button is clicked on its round indicator, anything else in its middle.
    const bool option = qobject_cast<QRadioButton*>(&control) != nullptr;
    const QPoint where = option ? QPoint(8, control.height() / 2) : control.rect().center();
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, where);
}

std::vector<CommandButton*> Keypad(Form1& f) {
    return {&f.Command10, &f.Command1, &f.Command9, &f.Command8, &f.Command7,
            &f.Command6,  &f.Command5, &f.Command4, &f.Command3, &f.Command2};
}

std::string Shows(SegmentSet lit) {
    std::string figure;
    for (SegmentLetter s : AllSegments)
        figure += lit.contains(s) ? 'R' : 'W';
    return figure;
}

std::string FormTest::Figure() {
    TextBox* boxes[] = {&form->txt1[0], &form->txt3[0], &form->txt6[3], &form->txt7[2],
                        &form->txt5[2], &form->txt2[1], &form->txt4[1]};
    std::string figure;
    for (TextBox* box : boxes) {
        const QColor c = box->ShownColor();
        figure += c == QColor(255, 0, 0) ? 'R' : c == QColor(255, 255, 255) ? 'W' : '?';
    }
    return figure;
}

Log FormTest::Writes() const {
    Log writes;
    for (const auto& line : log)
        if (line.rfind("PortOut", 0) == 0)
            writes.push_back(line);
    return writes;
}

} // namespace lptseg::test

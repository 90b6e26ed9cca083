#include "desktop/processor_window.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include "desktop/debug_texts.h"
#include "desktop/number_tip.h"
#include "desktop/program_commands.h"
#include "desktop/run_colors.h"
#include "desktop/user_dialogs.h"
#include "machine/machine.h"

namespace q42 {
namespace {

const char* const kRegisterNames[] = {"R0", "R1", "R2", "R3", "PC", "SP"};

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    return label;
}

// The processor window's picture: a chip with its pins.
QPixmap ChipPicture() {
    QPixmap picture(150, 75);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    for (int x = 30; x <= 120; x += 15) {
        p.drawLine(x, 4, x, 14);
        p.drawLine(x, 61, x, 71);
    }
    p.setBrush(QColor(40, 40, 48));
    p.drawRoundedRect(QRectF(20, 14, 110, 47), 4, 4);
    p.setPen(QColor(50, 205, 50));
    QFont font = p.font();
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(20, 14, 110, 47), Qt::AlignCenter, QStringLiteral("Q42"));
    return picture;
}

// What the window manager's frame adds to a window's width and height.
}  // namespace

ProcessorWindow::ProcessorWindow(Machine& machine, ProgramCommands& commands, UserDialogs& dialogs)
    : machine_(machine), commands_(commands), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Tmain"));
    setWindowTitle(QStringLiteral("main"));
    setFixedSize(376, 174);
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);

    QFrame* panel = CreateRegisterPanel(font);
    auto* chip = new QLabel(this);
    chip->setObjectName(QStringLiteral("Image1"));
    chip->setGeometry(241, 48, 100, 50);
    chip->setPixmap(ChipPicture());
    QApplication::setWindowIcon(QIcon(ChipPicture()));
    chip->setScaledContents(true);
    CreateButtons(panel);
    CreateSpeedBox();

    ShowRegisters();
}

// The register fields and the flags, on a sunken panel.
QFrame* ProcessorWindow::CreateRegisterPanel(const QFont& font) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("MRegPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 4, 201, 170 - 4);
    QFont panelFont = panel->font();
    panelFont.setPixelSize(13);
    panel->setFont(panelFont);
    QLabel* welcome = MakeLabel(panel, QStringLiteral("Welcome to the Machine!"), 40, 12);
    welcome->setObjectName(QStringLiteral("Label2"));
    welcome->setFont(font);

    const int places[6][2] = {{38, 32}, {136, 32}, {38, 60}, {136, 60}, {38, 90}, {136, 93}};
    const int labelPlaces[6][2] = {{12, 36}, {110, 36}, {12, 64}, {110, 64}, {12, 94}, {110, 94}};
    for (int i = 0; i < 6; ++i) {
        MakeLabel(panel, QString::fromLatin1(kRegisterNames[i]), labelPlaces[i][0],
                  labelPlaces[i][1]);
        const std::string name = std::string("E") + kRegisterNames[i];
        QLineEdit* field = MakeEdit(panel, name.c_str(), places[i][0], places[i][1], 49);
        if (i < 4) registerFields[i] = field;
    }
    pcField = panel->findChild<QLineEdit*>(QStringLiteral("EPC"));
    spField = panel->findChild<QLineEdit*>(QStringLiteral("ESP"));
    MakeLabel(panel, QStringLiteral("PS"), 10, 132);
    psField = MakeEdit(panel, "EPS", 38, 128, 49);
    psField->setReadOnly(true);
    psField->setFocusPolicy(Qt::NoFocus);
    MakeLabel(panel, QStringLiteral("==>"), 88, 132)->setFont(font);
    auto* flags = new QFrame(panel);
    flags->setObjectName(QStringLiteral("Panel1"));
    flags->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    flags->setGeometry(108, 122, 81, 38);
    MakeLabel(flags, QStringLiteral("Z"), 8, 11);
    zFlagField = MakeEdit(flags, "EZ", 20, 8, 16);
    MakeLabel(flags, QStringLiteral("N"), 42, 11);
    nFlagField = MakeEdit(flags, "EN", 56, 8, 16);
    for (QLineEdit* flag : {zFlagField, nFlagField}) {
        flag->setReadOnly(true);
        flag->setFocusPolicy(Qt::NoFocus);
    }
    return panel;
}

// The run-control buttons around the picture, and the apply button on the register panel.
void ProcessorWindow::CreateButtons(QFrame* panel) {
    ProgramCommands& commands = commands_;
    buildAndRunButton = MakeButton("SpeedButton5", 216, 4, 40, QStyle::SP_MediaPlay,
                                   [&commands] { commands.BuildAndRun(); });
    loadAndRunButton = MakeButton("SpeedButton2", 264, 4, 40, QStyle::SP_MediaSeekForward,
                                  [&commands] { commands.LoadAndRun(); });
    stopButton = MakeButton("SpeedButton4", 326, 4, 40, QStyle::SP_MediaStop,
                            [&commands] { commands.StopProgram(); });
    stopButton->setEnabled(false);
    firstCommandButton = MakeButton("SpeedButton3", 216, 132, 40, QStyle::SP_MediaSkipBackward,
                                    [&commands] { commands.FirstCommand(); });
    nextCommandButton = MakeButton("SpeedButton1", 264, 132, 40, QStyle::SP_MediaSkipForward,
                                   [&commands] { commands.NextCommand(); });
    decodeButton = MakeButton("SpeedButton7", 326, 132, 40, QStyle::SP_FileDialogContentsView,
                              [&commands] { commands.DecodeFrom(0x0000); });
    applyRegistersButton = MakeButton("SpeedButton6", 8, 8, 23, QStyle::SP_DialogApplyButton,
                                      [this] { ApplyRegisterEdits(); });
    applyRegistersButton->setParent(panel);
    applyRegistersButton->setGeometry(8, 8, 23, 22);
}

// Under the picture: how many steps a run takes each second, for following it by eye.
void ProcessorWindow::CreateSpeedBox() {
    speedBox = new QComboBox(this);
    speedBox->setObjectName(QStringLiteral("speedBox"));
    speedBox->setGeometry(236, 102, 110, 24);
    for (const int speed : kSpeeds)
        speedBox->addItem(SpeedName(speed), speed);
    speedBox->setCurrentIndex(speedBox->count() - 1);
    connect(speedBox, &QComboBox::currentIndexChanged, this,
            [this] { commands_.SetSpeed(speedBox->currentData().toInt()); });
}

void ProcessorWindow::NameSpeeds() {
    for (int i = 0; i < speedBox->count(); ++i)
        speedBox->setItemText(i, SpeedName(speedBox->itemData(i).toInt()));
}

QLineEdit* ProcessorWindow::MakeEdit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, y, width, 21);
    return edit;
}

QToolButton* ProcessorWindow::MakeButton(const char* name, int x, int y, int size, int icon,
                                         std::function<void()> command) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, size, size);
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setIconSize(QSize(size * 2 / 3, size * 2 / 3));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, std::move(command));
    return button;
}

// A register's four hex digits, and the same word in every other reading as the field's tooltip.
void ProcessorWindow::ShowWord(QLineEdit* field, Value word) {
    field->setText(QString::fromStdString(WordToHex(word)));
    field->setToolTip(NumberTip(word));
}

void ProcessorWindow::ShowRegisters() {
    for (int i = 0; i < 4; ++i)
        ShowWord(registerFields[i], machine_.State().r[i]);
    ShowWord(pcField, machine_.State().pc);
    ShowWord(spField, machine_.State().sp);
    machine_.UpdateFlags();
    ShowFlags();
    machine_.TakeShownFields();
}

void ProcessorWindow::ShowFlags() {
    nFlagField->setText(machine_.FlagN() ? QStringLiteral("1") : QStringLiteral("0"));
    zFlagField->setText(machine_.FlagZ() ? QStringLiteral("1") : QStringLiteral("0"));
    ShowWord(psField, machine_.State().ps);
}

void ProcessorWindow::ShowChangedRegisters() {
    const std::uint32_t changed = machine_.TakeShownFields();
    if (changed == 0) return;
    // A field the user typed into keeps its text until the machine writes that register.
    for (int i = 0; i < 4; ++i) {
        if ((changed & (kShowR0 << i)) != 0) ShowWord(registerFields[i], machine_.State().r[i]);
    }
    if ((changed & kShowPC) != 0) ShowWord(pcField, machine_.State().pc);
    if ((changed & kShowSP) != 0) ShowWord(spField, machine_.State().sp);
    if ((changed & kShowFlags) != 0) ShowFlags();
}

void ProcessorWindow::LightChanges(const MachineState& before, const MachineState& after) {
    const auto light = [](QLineEdit* field, bool lit) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base,
                         lit ? kChangedColor : QApplication::palette(field).color(QPalette::Base));
        field->setPalette(palette);
    };
    for (int i = 0; i < 4; ++i)
        light(registerFields[i], before.r[i] != after.r[i]);
    light(pcField, before.pc != after.pc);
    light(spField, before.sp != after.sp);
    light(psField, before.ps != after.ps);
    light(nFlagField, (before.ps & kFlagN) != (after.ps & kFlagN));
    light(zFlagField, (before.ps & kFlagZ) != (after.ps & kFlagZ));
}

void ProcessorWindow::SetRunState(bool running) {
    stopButton->setEnabled(running);
    for (QToolButton* button : {nextCommandButton, loadAndRunButton, firstCommandButton,
                                buildAndRunButton, applyRegistersButton, decodeButton})
        button->setEnabled(!running);
}

void ProcessorWindow::ApplyRegisterEdits() {
    QLineEdit* fields[] = {registerFields[0], registerFields[1], registerFields[2],
                           registerFields[3], pcField,           spField};
    for (int i = 0; i < 6; ++i) {
        std::string text = fields[i]->text().toStdString();
        const bool bad = CheckHexEdit(text);
        fields[i]->setText(QString::fromStdString(text));
        if (bad) {
            dialogs_.Warning(
                this,
                QStringLiteral("Bad value for %1: ").arg(QString::fromLatin1(kRegisterNames[i])) +
                    QString::fromStdString(text) + QStringLiteral("\nIgnore!"));
            continue;
        }
        const Value value = HexToWord(text).value;
        if (i < 4) {
            machine_.EditRegister(i, value);
        } else {
            (i == 4) ? machine_.EditPc(value) : machine_.EditSp(value);
        }
    }
}

}  // namespace q42

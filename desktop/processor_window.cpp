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

#include "desktop/accessible_names.h"
#include "desktop/captions.h"
#include "desktop/debug_texts.h"
#include "desktop/number_tip.h"
#include "desktop/program_commands.h"
#include "desktop/run_colors.h"
#include "desktop/user_dialogs.h"
#include "machine/machine.h"

namespace q42 {
namespace {

const char* const kRegisterNames[] = {"R0", "R1", "R2", "R3", "PC", "SP"};

QLabel* MakeLabel(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

QLineEdit* MakeField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

// The processor window's picture: a chip with its pins.
QPixmap ChipPicture() {
    QPixmap picture(150, 75);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90), 2));
    for (int x = 30; x <= 120; x += 15) {
        painter.drawLine(x, 4, x, 14);
        painter.drawLine(x, 61, x, 71);
    }
    painter.setBrush(QColor(40, 40, 48));
    painter.drawRoundedRect(QRectF(20, 14, 110, 47), 4, 4);
    painter.setPen(QColor(50, 205, 50));
    QFont font = painter.font();
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(20, 14, 110, 47), Qt::AlignCenter, QStringLiteral("Q42"));
    return picture;
}

}  // namespace

ProcessorWindow::ProcessorWindow(Machine& machine, ProgramCommands& commands, UserDialogs& dialogs)
    : machine_(machine), commands_(commands), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Tmain"));
    setWindowTitle(TitleOf(*this));
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);

    CreateRegisterPanel(font);
    chip_ = new QLabel(this);
    chip_->setObjectName(QStringLiteral("Image1"));
    chip_->setPixmap(ChipPicture());
    QApplication::setWindowIcon(QIcon(ChipPicture()));
    chip_->setScaledContents(true);
    CreateButtons();
    CreateSpeedBox();
    PlaceComponents();
    OrderTabs();
    NameControls(*this);

    ShowRegisters();
}

// The register fields and the flags, on a sunken panel.
void ProcessorWindow::CreateRegisterPanel(const QFont& font) {
    registerPanel_ = new QFrame(this);
    registerPanel_->setObjectName(QStringLiteral("MRegPanel"));
    registerPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont panelFont = registerPanel_->font();
    panelFont.setPixelSize(13);
    registerPanel_->setFont(panelFont);
    welcome_ = MakeLabel(registerPanel_, QStringLiteral("Welcome to the Machine!"));
    welcome_->setObjectName(QStringLiteral("Label2"));
    welcome_->setFont(font);

    for (int i = 0; i < 6; ++i) {
        registerNames_[i] = MakeLabel(registerPanel_, QString::fromLatin1(kRegisterNames[i]));
        const std::string name = std::string("E") + kRegisterNames[i];
        QLineEdit* field = MakeField(registerPanel_, name.c_str());
        if (i < 4) {
            registerFields[i] = field;
        } else {
            (i == 4 ? pcField : spField) = field;
        }
    }
    psName_ = MakeLabel(registerPanel_, QStringLiteral("PS"));
    psField = MakeField(registerPanel_, "EPS");
    psField->setReadOnly(true);
    psField->setFocusPolicy(Qt::NoFocus);
    flagsArrow_ = MakeLabel(registerPanel_, QStringLiteral("==>"));
    flagsArrow_->setFont(font);
    flagsPanel_ = new QFrame(registerPanel_);
    flagsPanel_->setObjectName(QStringLiteral("Panel1"));
    flagsPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zName_ = MakeLabel(flagsPanel_, QStringLiteral("Z"));
    zFlagField = MakeField(flagsPanel_, "EZ");
    nName_ = MakeLabel(flagsPanel_, QStringLiteral("N"));
    nFlagField = MakeField(flagsPanel_, "EN");
    for (QLineEdit* flag : {zFlagField, nFlagField}) {
        flag->setReadOnly(true);
        flag->setFocusPolicy(Qt::NoFocus);
    }
}

// The run-control buttons around the picture, and the apply button on the register panel.
void ProcessorWindow::CreateButtons() {
    ProgramCommands& commands = commands_;
    buildAndRunButton =
        MakeButton("SpeedButton5", QStyle::SP_MediaPlay, [&commands] { commands.BuildAndRun(); });
    loadAndRunButton = MakeButton("SpeedButton2", QStyle::SP_MediaSeekForward,
                                  [&commands] { commands.LoadAndRun(); });
    stopButton =
        MakeButton("SpeedButton4", QStyle::SP_MediaStop, [&commands] { commands.StopProgram(); });
    stopButton->setEnabled(false);
    firstCommandButton = MakeButton("SpeedButton3", QStyle::SP_MediaSkipBackward,
                                    [&commands] { commands.FirstCommand(); });
    nextCommandButton = MakeButton("SpeedButton1", QStyle::SP_MediaSkipForward,
                                   [&commands] { commands.NextCommand(); });
    decodeButton = MakeButton("SpeedButton7", QStyle::SP_FileDialogContentsView,
                              [&commands] { commands.DecodeFrom(0x0000); });
    applyRegistersButton =
        MakeButton("SpeedButton6", QStyle::SP_DialogApplyButton, [this] { ApplyRegisterEdits(); });
    applyRegistersButton->setParent(registerPanel_);
}

// Under the picture: how many steps a run takes each second, for following it by eye.
void ProcessorWindow::CreateSpeedBox() {
    speedBox = new QComboBox(this);
    speedBox->setObjectName(QStringLiteral("speedBox"));
    speedBox->setToolTip(CaptionOf(*this, "speedBox"));
    for (const int speed : kSpeeds)
        speedBox->addItem(SpeedName(speed), speed);
    speedBox->setCurrentIndex(speedBox->count() - 1);
    connect(speedBox, &QComboBox::currentIndexChanged, this,
            [this] { commands_.SetSpeed(speedBox->currentData().toInt()); });
}

// A run-control button with its icon, hint and command.
QToolButton* ProcessorWindow::MakeButton(const char* name, int icon,
                                         std::function<void()> command) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(CaptionOf(*this, name));
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, std::move(command));
    return button;
}

// Where each component stands, in pixels of its window or panel.
void ProcessorWindow::PlaceComponents() {
    setFixedSize(376, 174);
    registerPanel_->setGeometry(8, 4, 201, 170 - 4);
    welcome_->move(40, 12);
    const QPoint names[] = {{12, 36}, {110, 36}, {12, 64}, {110, 64}, {12, 94}, {110, 94}};
    const QPoint fields[] = {{38, 32}, {136, 32}, {38, 60}, {136, 60}, {38, 90}, {136, 93}};
    QLineEdit* const registers[] = {registerFields[0], registerFields[1], registerFields[2],
                                    registerFields[3], pcField,           spField};
    for (int i = 0; i < 6; ++i) {
        registerNames_[i]->move(names[i]);
        registers[i]->setGeometry(QRect(fields[i], QSize(49, 21)));
    }
    psName_->move(10, 132);
    psField->setGeometry(38, 128, 49, 21);
    flagsArrow_->move(88, 132);
    flagsPanel_->setGeometry(108, 122, 81, 38);
    zName_->move(8, 11);
    zFlagField->setGeometry(20, 8, 16, 21);
    nName_->move(42, 11);
    nFlagField->setGeometry(56, 8, 16, 21);
    chip_->setGeometry(241, 48, 100, 50);
    const auto place = [](QToolButton* button, int x, int y, int size) {
        button->setGeometry(x, y, size, size);
        button->setIconSize(QSize(size * 2 / 3, size * 2 / 3));
    };
    place(buildAndRunButton, 216, 4, 40);
    place(loadAndRunButton, 264, 4, 40);
    place(stopButton, 326, 4, 40);
    place(firstCommandButton, 216, 132, 40);
    place(nextCommandButton, 264, 132, 40);
    place(decodeButton, 326, 132, 40);
    place(applyRegistersButton, 8, 8, 23);
    applyRegistersButton->resize(23, 22);
    speedBox->setGeometry(236, 102, 110, 24);
}

// Tab goes as the window reads: down the register panel (its apply button, then the registers
// row by row), then the buttons above the picture, the speed, and the buttons under it.
void ProcessorWindow::OrderTabs() {
    QWidget* const order[] = {
        applyRegistersButton, registerFields[0], registerFields[1], registerFields[2],
        registerFields[3],    pcField,           spField,           buildAndRunButton,
        loadAndRunButton,     stopButton,        speedBox,          firstCommandButton,
        nextCommandButton,    decodeButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
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
    machine_.TakeChangedRegisters();
}

void ProcessorWindow::ShowFlags() {
    nFlagField->setText(machine_.FlagN() ? QStringLiteral("1") : QStringLiteral("0"));
    zFlagField->setText(machine_.FlagZ() ? QStringLiteral("1") : QStringLiteral("0"));
    ShowWord(psField, machine_.State().ps);
}

void ProcessorWindow::ShowChangedRegisters() {
    const std::uint32_t changed = machine_.TakeChangedRegisters();
    if (changed == 0) return;
    // A field the user typed into keeps its text until the machine writes that register.
    for (int i = 0; i < 4; ++i) {
        if ((changed & (kChangedR0 << i)) != 0) ShowWord(registerFields[i], machine_.State().r[i]);
    }
    if ((changed & kChangedPC) != 0) ShowWord(pcField, machine_.State().pc);
    if ((changed & kChangedSP) != 0) ShowWord(spField, machine_.State().sp);
    if ((changed & kChangedFlags) != 0) ShowFlags();
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

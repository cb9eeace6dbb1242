#include "app/simulator_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "device/sim/sim_hid_platform.h"
#include "device/sim/sim_state.h"
#include "image/defaults.h"

namespace vornik {

namespace {

// The other device's interfaces share this path.
constexpr const char* kOtherDevice =
    "\\\\?\\hid#vid_046d&pid_c31c&mi_01&col01#8&2d5c1a3b&0&0011"
    "#{4d1e55b2-f16f-11cf-88cb-001111000030}";

}  // namespace

SimulatorWindow::SimulatorWindow(SimHidPlatform& platform, Clock& clock)
    : QWidget(nullptr, Qt::Window), m_platform(platform), m_clock(clock) {
    setObjectName("SimulatorWindow");
    setWindowTitle("Simulated mouse");
    auto* layout = new QVBoxLayout(this);
    m_state = new QLabel(this);
    layout->addWidget(m_state);
    m_mouseButton = new QPushButton(this);
    m_mouseButton->setObjectName("btn_SimMouse");
    layout->addWidget(m_mouseButton);
    connect(m_mouseButton, &QPushButton::clicked, this,
            [this] { m_mouse ? unplugMouse() : plugMouse(); });
    m_otherButton = new QPushButton(this);
    m_otherButton->setObjectName("btn_SimOther");
    layout->addWidget(m_otherButton);
    connect(m_otherButton, &QPushButton::clicked, this, [this] {
        if (m_otherPlugged)
            m_platform.unplug(kOtherDevice);
        else
            m_platform.plug({{kOtherDevice, 0}, {0x046D, 0xC31C, 0x6400}, 2, nullptr, true});
        m_otherPlugged = !m_otherPlugged;
        refresh();
    });

    auto* faults = new QGroupBox("Faults of the mouse", this);
    auto* faultLayout = new QVBoxLayout(faults);
    const std::pair<const char*, const char*> table[] = {
        {"never acknowledge", "noack"},
        {"not ready", "notready"},
        {"chip type 0x99", "chip=0x99"},
        {"address 0x7FF never stores", "stuck=0x7FF"},
        {"reads get nothing from chunk 5 on", "drop-chunk=5"},
        {"three slow polls", "slow=3"},
        {"other identification bytes", ""},
    };
    for (auto [caption, faultText] : table) {
        auto* box = new QCheckBox(caption, faults);
        faultLayout->addWidget(box);
        m_faults.emplace_back(box, faultText);
        connect(box, &QCheckBox::toggled, this, &SimulatorWindow::applyFaults);
    }
    layout->addWidget(faults);
    // The tool starts as without a mouse; plugging it in here starts the whole loop.
    refresh();
}

SimulatorWindow::~SimulatorWindow() = default;

void SimulatorWindow::plugMouse() {
    m_mouse = plugDefaultMouse(m_platform);
    m_mouse->setClock(&m_clock);
    std::copy(builtInImage().begin(), builtInImage().end(), m_mouse->memory().begin());
    if (m_memoryFile) {
        m_memoryError.clear();
        loadSimState(*m_memoryFile, *m_mouse, m_memoryError);
        m_mouse->setBlockWritten([this] { saveMemory(); });
    }
    applyFaults();
    refresh();
}

bool SimulatorWindow::useMemoryFile(const std::filesystem::path& file, std::string& error) {
    SimMouse probe;
    std::copy(builtInImage().begin(), builtInImage().end(), probe.memory().begin());
    std::error_code ec;
    const bool existed = std::filesystem::exists(file, ec);
    if (!loadSimState(file, probe, error)) return false;
    // Created at once, so that the file shows the mouse before anything is written.
    if (!existed && !saveSimState(file, probe, error)) return false;
    m_memoryFile = file;
    if (m_mouse) unplugMouse();
    plugMouse();
    return true;
}

void SimulatorWindow::saveMemory() {
    if (!m_mouse || !m_memoryFile) return;
    m_memoryError.clear();
    saveSimState(*m_memoryFile, *m_mouse, m_memoryError);
    refresh();
}

void SimulatorWindow::unplugMouse() {
    if (m_mouse) m_mouse->unplug();
    m_mouse.reset();
    refresh();
}

void SimulatorWindow::applyFaults() {
    if (!m_mouse) return;
    m_mouse->faults() = {};
    for (auto [box, faultText] : m_faults) {
        if (!box->isChecked()) continue;
        if (*faultText == '\0') {
            m_mouse->memory()[0x36] = 0x12;  // identification bytes no mouse of ours carries
            m_mouse->memory()[0x37] = 0x34;
            continue;
        }
        std::string error;
        parseFaults(faultText, m_mouse->faults(), error);
    }
}

void SimulatorWindow::refresh() {
    m_mouseButton->setText(m_mouse ? "Unplug the mouse" : "Plug the mouse in");
    m_otherButton->setText(m_otherPlugged ? "Unplug the keyboard" : "Plug the keyboard in");
    QString state = QString("%1 HID interfaces present").arg(m_platform.presentInterfaces());
    if (m_memoryFile) state += "\nmemory: " + QString::fromStdString(m_memoryFile->string());
    if (!m_memoryError.empty()) state += "\n" + QString::fromStdString(m_memoryError);
    m_state->setText(state);
}

}  // namespace vornik

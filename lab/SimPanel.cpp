#include "lab/SimPanel.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "runtime/Runtime.h"
#include "sim/SimPC.h"

namespace lab {

namespace {

QString Html(const std::string& s) { return QString::fromStdString(s).toHtmlEscaped(); }

// An SSID as a person reads it: its text, or its bytes in hex when they are not text.
QString SsidText(const std::string& bytes)
{
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    bool printable = !text.contains(QChar::ReplacementCharacter);
    for (QChar c : text) printable = printable && c.isPrint();
    if (printable && !text.isEmpty()) return text;
    return QStringLiteral("hex ") + QString::fromLatin1(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toHex());
}

QGroupBox* Group(const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    new QVBoxLayout(box);
    return box;
}

QLabel* AddLabel(QGroupBox* box)
{
    auto* label = new QLabel(box);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->layout()->addWidget(label);
    return label;
}

}  // namespace

SimPanel::SimPanel(sim::SimPC& pc) : QWidget(nullptr, Qt::Window), m_pc(pc)
{
    setWindowTitle(QStringLiteral("Simulated PC"));
    auto* layout = new QVBoxLayout(this);
    const auto& s = pc.GetScenario();
    auto* about = new QLabel(this);
    about->setText(QStringLiteral("<b>Scenario:</b> %1 (%2)<br><b>Windows</b> %3 %4, %5<br><b>Machine folder:</b> %6")
                       .arg(Html(s.name), Html(s.sourceFile), QString::fromStdString(s.os.version),
                            QString::fromStdString(s.os.servicePack), QString::fromStdString(s.os.arch),
                            QString::fromStdString(pc.MachineDir().string()).toHtmlEscaped()));
    about->setWordWrap(true);
    about->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(about);
    m_clock = new QLabel(this);
    layout->addWidget(m_clock);

    // The adapter, with the plug as a button.
    QGroupBox* adapter = Group(QStringLiteral("Adapter"), this);
    m_adapter = AddLabel(adapter);
    m_plug = new QPushButton(adapter);
    connect(m_plug, &QPushButton::clicked, this, [this] {
        if (m_pc.Hardware().View().adapterPlugged) m_pc.Hardware().Unplug();
        else m_pc.Hardware().Plug();
        Refresh();
    });
    adapter->layout()->addWidget(m_plug);
    layout->addWidget(adapter);

    QGroupBox* services = Group(QStringLiteral("Services and other devices"), this);
    m_services = AddLabel(services);
    layout->addWidget(services);

    // The wireless world: the association, the router's gateway and the internet behind it.
    QGroupBox* air = Group(QStringLiteral("Wireless"), this);
    m_wireless = AddLabel(air);
    auto* toggles = new QHBoxLayout;
    m_internet = new QCheckBox(QStringLiteral("Internet reachable"), air);
    m_gateway = new QCheckBox(QStringLiteral("Gateway answers"), air);
    connect(m_internet, &QCheckBox::clicked, this, [this](bool on) {
        m_pc.Hardware().SetInternet(on);
        Refresh();
    });
    connect(m_gateway, &QCheckBox::clicked, this, [this](bool on) {
        m_pc.Hardware().SetGateway(on);
        Refresh();
    });
    toggles->addWidget(m_internet);
    toggles->addWidget(m_gateway);
    static_cast<QVBoxLayout*>(air->layout())->addLayout(toggles);
    air->layout()->addWidget(MakeNetworkTable());
    m_commands = AddLabel(air);
    layout->addWidget(air, 1);

    m_opened = new QLabel(this);
    m_opened->setWordWrap(true);
    m_opened->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_opened);
    m_clipboard = new QLabel(this);
    m_clipboard->setWordWrap(true);
    m_clipboard->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_clipboard);
    setGeometry(770, 20, 680, 760);
    Refresh();
    rt::SetUiTimer(this, 1, 1000, [this] { Refresh(); });
}

SimPanel::~SimPanel() { rt::KillAllUiTimers(this); }

// The router's WPS: its button (the push-button window's seconds while it is open) and
// someone typing the PIN the wizard shows into it.
QWidget* SimPanel::MakeWpsCell(int row, const sim::HardwareView::Network& n)
{
    auto* cell = new QWidget(m_networks);
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    QPushButton* press = nullptr;
    QPushButton* pin = nullptr;
    const QString ssid = QString::fromStdString(n.ssid);
    if (n.wpsPbc) {
        press = new QPushButton(cell);
        press->setObjectName(QStringLiteral("wps-button:") + ssid);
        connect(press, &QPushButton::clicked, this, [this, row] {
            m_pc.Hardware().PressWpsButton(m_pc.Hardware().View().networks[static_cast<std::size_t>(row)].ssid);
            Refresh();
        });
        layout->addWidget(press);
    }
    if (n.wpsPin) {
        pin = new QPushButton(cell);
        pin->setObjectName(QStringLiteral("router-pin:") + ssid);
        connect(pin, &QPushButton::clicked, this, [this, row] {
            m_pc.Hardware().TypePinIntoRouter(m_pc.Hardware().View().networks[static_cast<std::size_t>(row)].ssid);
            Refresh();
        });
        layout->addWidget(pin);
    }
    if (!press && !pin) layout->addWidget(new QLabel(QStringLiteral("none"), cell));
    m_wpsButtons.push_back(press);
    m_pinButtons.push_back(pin);
    return cell;
}

QWidget* SimPanel::MakeNetworkTable()
{
    sim::HardwareView v = m_pc.Hardware().View();
    m_networks = new QTableWidget(static_cast<int>(v.networks.size()), 6, this);
    m_networks->setHorizontalHeaderLabels({QStringLiteral("Network"), QStringLiteral("Security"), QStringLiteral("Key"),
                                           QStringLiteral("Signal"), QStringLiteral("Range"), QStringLiteral("WPS")});
    m_networks->verticalHeader()->setVisible(false);
    m_networks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_networks->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < static_cast<int>(v.networks.size()); ++row) {
        const auto& n = v.networks[static_cast<std::size_t>(row)];
        QString name = SsidText(n.ssid) + (n.hidden ? QStringLiteral(" (hidden)") : QString());
        m_networks->setItem(row, 0, new QTableWidgetItem(name));
        m_networks->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(n.security)));
        m_networks->setItem(row, 2, new QTableWidgetItem(n.key.empty() ? QStringLiteral("-") : QString::fromStdString(n.key)));
        m_networks->setItem(row, 3, new QTableWidgetItem(QString::number(n.signal)));
        auto* button = new QPushButton(m_networks);
        std::string ssid = n.ssid;
        connect(button, &QPushButton::clicked, this, [this, ssid, row] {
            bool present = m_pc.Hardware().View().networks[static_cast<std::size_t>(row)].present;
            m_pc.Hardware().SetNetworkPresent(ssid, !present);
            Refresh();
        });
        m_networks->setCellWidget(row, 4, button);
        m_rangeButtons.push_back(button);
        m_networks->setCellWidget(row, 5, MakeWpsCell(row, n));
    }
    // The columns are measured with the names in bold, as the associated one is drawn,
    // and with the buttons' widest texts.
    for (QPushButton* b : m_rangeButtons) b->setText(QStringLiteral("In range: take out"));
    for (QPushButton* b : m_wpsButtons)
        if (b) b->setText(QStringLiteral("Press WPS button"));
    for (QPushButton* b : m_pinButtons)
        if (b) b->setText(QStringLiteral("PIN: 120 s"));
    for (int row = 0; row < m_networks->rowCount(); ++row) {
        QFont f = m_networks->item(row, 0)->font();
        f.setBold(true);
        m_networks->item(row, 0)->setFont(f);
    }
    m_networks->resizeColumnsToContents();
    m_networks->horizontalHeader()->setStretchLastSection(true);
    return m_networks;
}

void SimPanel::Refresh()
{
    QDateTime t = QDateTime::fromMSecsSinceEpoch(rt::WallClockMs(), Qt::UTC);
    m_clock->setText(QStringLiteral("<b>Clock:</b> %1").arg(t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    sim::HardwareView v = m_pc.Hardware().View();

    m_adapter->setText(QStringLiteral("%1<br>%2: <b>%3</b>, driver <b>%4</b>%5")
                           .arg(Html(v.adapterDescription), Html(v.adapterHardwareId),
                                v.adapterPlugged ? QStringLiteral("plugged in") : QStringLiteral("not plugged in"),
                                v.adapterDriver ? QStringLiteral("installed") : QStringLiteral("not installed"),
                                v.installerRunning ? QStringLiteral("<br>The driver installer is running.") : QString()));
    m_plug->setText(v.adapterPlugged ? QStringLiteral("Unplug the adapter") : QStringLiteral("Plug the adapter in"));

    QString services;
    for (const auto& [name, state] : v.services) services += QStringLiteral("%1: %2<br>").arg(Html(name), Html(state));
    services += QStringLiteral("<b>Other network devices:</b>");
    if (v.otherDevices.empty()) services += QStringLiteral(" none");
    for (const auto& d : v.otherDevices) services += QStringLiteral("<br>") + Html(d);
    m_services->setText(services);

    QString air = v.association.empty()
                      ? QStringLiteral("<b>Associated with:</b> no network")
                      : QStringLiteral("<b>Associated with:</b> %1<br><b>Address:</b> %2, <b>gateway:</b> %3")
                            .arg(SsidText(v.association).toHtmlEscaped(), Html(v.address),
                                 v.gatewayAddress.empty() ? QStringLiteral("none") : Html(v.gatewayAddress));
    QString profiles;
    for (const auto& p : v.profiles) profiles += (profiles.isEmpty() ? QString() : QStringLiteral(", ")) + Html(p);
    air += QStringLiteral("<br><b>Stored profiles:</b> ") + (profiles.isEmpty() ? QStringLiteral("none") : profiles);
    air += QStringLiteral("<br><b>Vendor library:</b> %1, WPS flag %2%3<br><b>WPS attempt:</b> %4")
               .arg(v.vendorInitialised ? QStringLiteral("initialised") : QStringLiteral("not initialised"),
                    v.wpsFlag ? QStringLiteral("on") : QStringLiteral("off"),
                    v.vendorSettings.empty() ? QString() : QStringLiteral(", ") + Html(v.vendorSettings),
                    v.wpsAttempt.empty() ? QStringLiteral("none") : Html(v.wpsAttempt));
    m_wireless->setText(air);
    m_internet->setChecked(v.internet);
    m_gateway->setChecked(v.gateway);
    for (std::size_t i = 0; i < v.networks.size() && i < m_rangeButtons.size(); ++i) {
        const auto& n = v.networks[i];
        m_rangeButtons[i]->setText(n.present ? QStringLiteral("In range: take out") : QStringLiteral("Out: bring back"));
        if (QPushButton* b = i < m_wpsButtons.size() ? m_wpsButtons[i] : nullptr)
            b->setText(n.buttonSeconds ? QStringLiteral("Window: %1 s").arg(n.buttonSeconds)
                                       : QStringLiteral("Press WPS button"));
        if (QPushButton* b = i < m_pinButtons.size() ? m_pinButtons[i] : nullptr) {
            b->setText(n.pinSeconds ? QStringLiteral("PIN: %1 s").arg(n.pinSeconds) : QStringLiteral("Type PIN"));
            b->setToolTip(n.pinSeconds ? QStringLiteral("The router has the PIN %1").arg(QString::fromStdString(n.typedPin))
                                       : QStringLiteral("Types the PIN the wizard shows into the router"));
        }
        QFont f = m_networks->item(static_cast<int>(i), 0)->font();
        f.setBold(n.associated);
        m_networks->item(static_cast<int>(i), 0)->setFont(f);
    }
    QString commands;
    for (const auto& c : v.commands) commands += QStringLiteral("<br>") + Html(c);
    m_commands->setText(QStringLiteral("<b>Commands run:</b>") + (commands.isEmpty() ? QStringLiteral(" none") : commands));

    // The web pages the wizard opened in the browser, and what is on the clipboard.
    QString opened;
    for (const auto& page : m_pc.OpenedDocuments()) opened += QStringLiteral("<br>") + QString::fromStdWString(page).toHtmlEscaped();
    m_opened->setText(QStringLiteral("<b>Web pages opened:</b>") + (opened.isEmpty() ? QStringLiteral(" none") : opened));
    QString clip = QString::fromStdWString(m_pc.GetText()).toHtmlEscaped().replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    m_clipboard->setText(QStringLiteral("<b>Clipboard:</b>") + (clip.isEmpty() ? QStringLiteral(" empty") : QStringLiteral("<br>") + clip));
}

}  // namespace lab

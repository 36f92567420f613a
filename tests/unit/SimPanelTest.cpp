// The "Simulated PC" panel: the routers' WPS buttons press the button and type the
// wizard's PIN into the router, and the panel shows the windows' seconds and the vendor
// library's attempt. A screenshot of it goes to $TC_CONTROL_SHOTS when that is set.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "TestApp.h"
#include "lab/SimPanel.h"
#include "runtime/Runtime.h"
#include "sim/SimPC.h"

namespace fs = std::filesystem;

namespace {

class SimPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("tc-panel-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "disc");
        rt::Init(rt::ClockMode::Virtual, 0, 1.0);
        ASSERT_NE(TestApp(), nullptr);
        sim::Scenario s = sim::DefaultScenario();
        s.adapter.driverInstalled = true;
        s.networks[1].wps.pbc = false;
        s.networks[2].wps.pbc = s.networks[2].wps.pin = false;
        m_pc = std::make_unique<sim::SimPC>(s, m_dir / "machine", m_dir / "disc");
        m_pc->Hardware().SetWizardPinSource([] { return std::string("12345670"); });
        m_panel = std::make_unique<lab::SimPanel>(*m_pc);
    }
    void TearDown() override
    {
        m_panel.reset();
        m_pc.reset();
        rt::Shutdown();
        fs::remove_all(m_dir);
    }
    QPushButton* Button(const std::string& name)
    {
        return m_panel->findChild<QPushButton*>(QString::fromStdString(name));
    }
    QString Texts()
    {
        QString all;
        for (QLabel* l : m_panel->findChildren<QLabel*>()) all += l->text() + QLatin1Char('\n');
        return all;
    }

    fs::path m_dir;
    std::unique_ptr<sim::SimPC> m_pc;
    std::unique_ptr<lab::SimPanel> m_panel;
};

TEST_F(SimPanelTest, EachRouterOffersTheWpsModesItHas)
{
    const sim::HardwareView v = m_pc->Hardware().View();
    ASSERT_GE(v.networks.size(), 3u);
    const std::string first = v.networks[0].ssid, second = v.networks[1].ssid, third = v.networks[2].ssid;
    ASSERT_NE(Button("wps-button:" + first), nullptr);
    ASSERT_NE(Button("router-pin:" + first), nullptr);
    EXPECT_EQ(Button("wps-button:" + second), nullptr);
    EXPECT_NE(Button("router-pin:" + second), nullptr);
    EXPECT_EQ(Button("wps-button:" + third), nullptr);
    EXPECT_EQ(Button("router-pin:" + third), nullptr);
    EXPECT_EQ(Button("wps-button:" + first)->text(), "Press WPS button");
    EXPECT_EQ(Button("router-pin:" + first)->text(), "Type PIN");
    EXPECT_TRUE(Texts().contains("WPS attempt:</b> none"));
}

TEST_F(SimPanelTest, TheButtonsPlayTheWorldEventsAndShowTheirSeconds)
{
    const std::string home = m_pc->Hardware().View().networks[0].ssid;
    Button("wps-button:" + home)->click();
    EXPECT_EQ(m_pc->Hardware().View().networks[0].buttonSeconds, 120);
    EXPECT_EQ(Button("wps-button:" + home)->text(), "Window: 120 s");
    Button("router-pin:" + home)->click();
    EXPECT_EQ(m_pc->Hardware().View().networks[0].typedPin, "12345670");
    EXPECT_EQ(Button("router-pin:" + home)->text(), "PIN: 120 s");
    EXPECT_EQ(Button("router-pin:" + home)->toolTip(), "The router has the PIN 12345670");

    // The vendor library runs a push-button attempt: the panel says with whom and how far.
    sim::SimHardware& hw = m_pc->Hardware();
    hw.RAWL_Initial("Vendor", 0);
    ASSERT_EQ(hw.RAWL_WriteWPSFlag(1), 1);
    ASSERT_EQ(hw.RAWL_SetPreferWPSAPPhyType(2), 1);
    ASSERT_EQ(hw.RAWL_SetWPSProbeReqIE(1), 1);
    WpsModeRecord pbc{};
    const std::uint32_t mode = wpsmode::kPushButton;
    std::memcpy(pbc.bytes, &mode, 4);
    ASSERT_EQ(hw.RAWL_SetWPSMode(pbc), 1);
    rt::Sleep(60000);
    rt::PumpStep(false);  // the panel's refresh timer
    const QString texts = Texts();
    EXPECT_TRUE(texts.contains("WPS flag on, PHY type 2, probe request IE 1<br>")) << texts.toStdString();
    EXPECT_TRUE(texts.contains("push button with &quot;" + QString::fromStdString(home) + "&quot;: credentials handed out (code 15)"))
        << texts.toStdString();
    EXPECT_EQ(Button("wps-button:" + home)->text(), "Window: 60 s");

    m_panel->resize(680, 760);
    m_panel->show();
    const QByteArray dir = qgetenv("TC_CONTROL_SHOTS");
    if (!dir.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(dir));
        m_panel->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/sim-panel-wps.png"));
    }
    rt::Sleep(61000);
    rt::PumpStep(false);
    EXPECT_EQ(Button("wps-button:" + home)->text(), "Press WPS button");
    EXPECT_EQ(Button("router-pin:" + home)->text(), "Type PIN");
}

}  // namespace

#include "lab/SimPanel.h"

#include <QDateTime>
#include <QLabel>
#include <QVBoxLayout>

#include "runtime/Runtime.h"
#include "sim/SimPC.h"

namespace lab {

SimPanel::SimPanel(sim::SimPC& pc) : QWidget(nullptr, Qt::Window), m_pc(pc)
{
    setWindowTitle(QStringLiteral("Simulated PC"));
    auto* layout = new QVBoxLayout(this);
    const auto& s = pc.GetScenario();
    auto* about = new QLabel(this);
    about->setText(QStringLiteral("<b>Scenario:</b> %1<br><b>From:</b> %2<br><b>Windows</b> %3 %4, %5<br>"
                                  "<b>Machine folder:</b><br>%6")
                       .arg(QString::fromStdString(s.name).toHtmlEscaped(), QString::fromStdString(s.sourceFile).toHtmlEscaped(),
                            QString::fromStdString(s.os.version), QString::fromStdString(s.os.servicePack),
                            QString::fromStdString(s.os.arch), QString::fromStdString(pc.MachineDir().string())));
    about->setWordWrap(true);
    layout->addWidget(about);
    m_clock = new QLabel(this);
    layout->addWidget(m_clock);
    auto* events = new QLabel(QStringLiteral("World events: none on this PC yet."), this);
    events->setWordWrap(true);
    layout->addWidget(events);
    m_opened = new QLabel(this);
    m_opened->setWordWrap(true);
    m_opened->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_opened);
    m_clipboard = new QLabel(this);
    m_clipboard->setWordWrap(true);
    m_clipboard->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_clipboard);
    layout->addStretch();
    setGeometry(770, 40, 260, 420);
    Refresh();
    rt::SetUiTimer(this, 1, 1000, [this] { Refresh(); });
}

SimPanel::~SimPanel() { rt::KillAllUiTimers(this); }

void SimPanel::Refresh()
{
    QDateTime t = QDateTime::fromMSecsSinceEpoch(rt::WallClockMs(), Qt::UTC);
    m_clock->setText(QStringLiteral("<b>Clock:</b> %1").arg(t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    // The web pages the wizard opened in the browser, and what is on the clipboard.
    QString opened;
    for (const auto& page : m_pc.OpenedDocuments()) opened += QStringLiteral("<br>") + QString::fromStdWString(page).toHtmlEscaped();
    m_opened->setText(QStringLiteral("<b>Web pages opened:</b>") + (opened.isEmpty() ? QStringLiteral(" none") : opened));
    QString clip = QString::fromStdWString(m_pc.GetText()).toHtmlEscaped().replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    m_clipboard->setText(QStringLiteral("<b>Clipboard:</b>") + (clip.isEmpty() ? QStringLiteral(" empty") : QStringLiteral("<br>") + clip));
}

}  // namespace lab

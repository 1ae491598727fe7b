// The main window online against the simulator with the measurement windows
// registered, and the frames the simulator received, for the suites of
// TForm2, TForm5 and TForm7.
#pragma once

#include "main_window_fixture.h"

#include "ui/measure/register_measure_windows.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace tavimo::testkit {

class MeasureWindowsFixture : public MainWindowFixture {
public:
    // Short timeouts and no send interval: failures and silences come quickly.
    void openOnline(std::vector<int> ids, bool english = false)
    {
        ui::registerMeasureWindows();
        writeConfig(std::string("[ENVIRONMENT]\r\nSEND_INTERVAL=0\r\nLANGUAGE=") + (english ? "1" : "0") +
                    "\r\n[RS232C]\r\nTIMEOUT=0\r\n");
        open(std::move(ids));
        QTest::mouseClick(window->findChild<QPushButton*>("OnlineButton"), Qt::LeftButton);
    }

    // Command field and data of every request, with its controller: "3:WZS0".
    std::vector<std::string> frames(const std::string& command) const
    {
        std::vector<std::string> out;
        for (const auto& f : sim->requestFrames())
            if (f.size() >= 11 && f.compare(4, command.size(), command) == 0)
                out.push_back(std::string(1, f[7]) + ":" + f.substr(4, 3) + f.substr(8, f.size() - 11));
        return out;
    }

    // The worker polls measured values again after an operation.
    bool workerPollsAgain()
    {
        sim->clearLog();
        return QTest::qWaitFor([this] { return !frames("RMD").empty(); }, 10000);
    }

    // Nothing of an operation is left on the screen.
    bool nothingLeftBusy() const
    {
        return op.busyDepth() == 0 && op.progressDepth() == 0 && QApplication::overrideCursor() == nullptr;
    }

    void setCheck(int id, bool on)
    {
        auto* box = window->findChild<QCheckBox*>(QStringLiteral("ContCheck%1").arg(id + 1));
        if (box->isChecked() != on) box->click();
    }

    QString text(shell::Msg m) const { return ui::msgText(m); }

    // Runs `act` on the modal dialog of type D as soon as it is shown (a
    // main-window button runs its entry check first).
    template <class D, class Fn> void whenModal(Fn act)
    {
        QObject::disconnect(&modalPoll_, nullptr, nullptr, nullptr);
        QObject::connect(&modalPoll_, &QTimer::timeout, [this, act] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!d) return;
            modalPoll_.stop();
            act(*d);
        });
        modalPoll_.start(10);
    }

private:
    QTimer modalPoll_;
};

} // namespace tavimo::testkit

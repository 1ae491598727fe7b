// TForm1 and its state: every user change goes to window::MainWindowState
// by control name, and render() shows the state again.
#include "ui/main_window.h"

#include "settings/field_table.h"
#include "shell/message_lists.h"
#include "shell/screen_keys.h"
#include "ui/gui_operator.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "window/checks_publisher.h"
#include "window/enabling_rules.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

#include <cmath>

namespace tavimo::ui {

namespace {

bool sameValue(double a, double b) { return std::fabs(a - b) < 5e-9; }

// Shows a list index; an index without an item shows no selection.
void showIndex(QWidget* w, double value)
{
    const int i = static_cast<int>(value);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(i >= 0 && i < c->count() ? i : -1);
    } else if (auto* r = qobject_cast<RadioGroup*>(w)) {
        r->setItemIndex(i);
    } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
        const QSignalBlocker block(b);
        b->setChecked(value != 0);
    }
}

} // namespace

void TForm1::connectControls()
{
    connectMemoryFields();
    connectCommonFields();
    connectCommands();
}

void TForm1::connectMemoryFields()
{
    for (const settings::MemoryField& f : settings::memoryFields()) {
        const QString name = qs(f.control);
        const std::string control(f.control);
        QWidget* w = findChild<QWidget*>(name);
        if (auto* e = qobject_cast<UNumberEdit*>(w)) {
            connect(e, &UNumberEdit::changed, this, [this, e, control] {
                if (rendering_) return;
                if (!sameValue(e->validValue(), *state_.value(control))) {
                    state_.setValue(control, e->validValue());
                    afterUserChange();
                }
            });
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            connect(c, &QComboBox::activated, this, [this, control](int i) {
                state_.setValue(control, i);
                afterUserChange();
            });
        } else if (auto* r = qobject_cast<RadioGroup*>(w)) {
            connect(r, &RadioGroup::itemClicked, this, [this, control](int i) {
                state_.setValue(control, i);
                afterUserChange();
            });
        }
    }
}

void TForm1::connectCommonFields()
{
    for (const settings::CommonField& f : settings::commonFields()) {
        const std::string control(f.control);
        QWidget* w = findChild<QWidget*>(qs(f.control));
        if (control == "MNSComboB" || control == "STSComboB") continue; // below
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            connect(c, &QComboBox::activated, this, [this, control](int i) {
                state_.setValue(control, i);
                afterUserChange();
            });
        } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
            connect(b, &QCheckBox::clicked, this, [this, control](bool on) {
                state_.setValue(control, on ? 1 : 0);
                afterUserChange();
            });
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            connect(e, &QLineEdit::textEdited, this, [this, e, control] { state_.setCode(control, utf8(e->text())); });
        }
    }
    connect(control<QComboBox>("MNSComboB"), &QComboBox::activated, this, [this](int m) {
        collect();
        state_.selectMemory(m);
        afterUserChange();
    });
    connect(control<QComboBox>("STSComboB"), &QComboBox::activated, this, &TForm1::onHeadPicked);
    connect(control<QComboBox>("VersionComboBox"), &QComboBox::activated, this, [this](int i) {
        state_.setValue("VersionComboBox", i);
        afterUserChange();
    });
    connect(controllerTab_, &QTabBar::currentChanged, this, &TForm1::onControllerTab);
    for (int id = 0; id < settings::kControllerCount; ++id) {
        auto* box = findChild<QCheckBox*>(QStringLiteral("ContCheck%1").arg(id + 1));
        connect(box, &QCheckBox::clicked, this, [this, id](bool on) { onCheckBox(id, on); });
    }
    for (const char* name : {"MNSComboB", "VersionComboBox"}) {
        QComboBox* c = control<QComboBox>(name);
        connect(c, &QWidget::customContextMenuRequested, this,
                [this, c](const QPoint& at) { popup_->popup(c->mapToGlobal(at)); });
    }
}

void TForm1::connectCommands()
{
    const std::pair<const char*, void (TForm1::*)()> buttons[] = {
        {"OnlineButton", &TForm1::OnlineButtonClick}, {"SendButton", &TForm1::SendButtonClick},
        {"ReciveButton", &TForm1::ReciveButtonClick}, {"InitButton", &TForm1::InitButtonClick},
        {"RebootButton", &TForm1::RebootButtonClick}, {"OpenButton", &TForm1::OpenButtonClick},
        {"SaveButton", &TForm1::SaveButtonClick},     {"BitBtn2", &TForm1::BitBtn2Click},
        {"BitBtn1", &TForm1::BitBtn1Click},           {"BitBtn3", &TForm1::BitBtn3Click},
        {"HIDButton01", &TForm1::HIDButton01Click},   {"HIDButton02", &TForm1::HIDButton02Click},
        {"CLBButton", &TForm1::CLBButtonClick},
    };
    for (const auto& [name, slot] : buttons) connect(control<QAbstractButton>(name), &QAbstractButton::clicked, this, slot);
    const std::pair<const char*, void (TForm1::*)()> actions[] = {
        {"N1", &TForm1::OpenButtonClick}, {"N2", &TForm1::SaveButtonClick}, {"setteino1", &TForm1::BitBtn2Click},
        {"C1", &TForm1::C1Click},         {"E1", &TForm1::BitBtn3Click},    {"N3", &TForm1::N3Click},
        {"Help2", &TForm1::Help2Click},   {"About1", &TForm1::About1Click},
    };
    for (const auto& [name, slot] : actions) connect(control<QAction>(name), &QAction::triggered, this, slot);
    connect(control<QAction>("Exit1"), &QAction::triggered, this, &QWidget::close);
    for (int i = 1; i <= 3; ++i) {
        auto* b = findChild<QAbstractButton*>(QStringLiteral("SpeedButton%1").arg(i));
        connect(b, &QAbstractButton::clicked, this,
                [this, i] { ScreenButtonClick(static_cast<window::ScreenButton>(i)); });
    }
}

void TForm1::afterUserChange()
{
    render();
}

void TForm1::onControllerTab(int index)
{
    if (rendering_) return;
    collect();
    if (state_.selectController(index) == window::SelectResult::NotConnected)
        op_.message(msgText(shell::Msg::ControllerNotConnected));
    render(); // the previous tab again when refused
}

void TForm1::onHeadPicked(int index)
{
    if (index == state_.shown().common.SENSOR_TYPE) return;
    const bool ok = op_.ask(msgText(shell::Msg::ConfirmHeadChange));
    state_.pickHeadType(index, ok);
    render();
}

void TForm1::onCheckBox(int id, bool checked)
{
    state_.setCheck(id, checked);
    window::publishChecks(session_.shared, state_.checks());
    Q_EMIT checksChanged();
}

void TForm1::collect()
{
    // Fields whose typed value has not been reported yet, with their rules.
    for (std::string_view name : window::MainWindowState::numericControls()) {
        auto* e = findChild<UNumberEdit*>(qs(name));
        if (e && !sameValue(e->validValue(), *state_.value(name))) state_.setValue(name, e->validValue());
    }
    for (const char* name : {"HIDEdit1", "HIDEdit2", "HIDEdit3"})
        if (auto* e = control<QLineEdit>(name)) state_.setCode(name, utf8(e->text()));
}

void TForm1::storeWindow()
{
    collect();
    state_.storeWindow();
}

void TForm1::showModel()
{
    state_.showModel();
    render();
}

void TForm1::renderSelection()
{
    const QSignalBlocker block(controllerTab_);
    for (int id = 0; id < settings::kControllerCount; ++id)
        controllerTab_->setTabText(id, state_.controllerPresent(id) ? msgText(*shell::idLabel(id))
                                                                    : msgText(shell::Msg::NoneCaption));
    controllerTab_->setCurrentIndex(state_.controller());
    showIndex(control<QComboBox>("MNSComboB"), state_.memory());
}

void TForm1::renderChecks()
{
    for (int id = 0; id < settings::kControllerCount; ++id) {
        auto* box = findChild<QCheckBox*>(QStringLiteral("ContCheck%1").arg(id + 1));
        const bool present = state_.controllerPresent(id);
        const QSignalBlocker block(box);
        box->setText(present ? msgText(*shell::idLabel(id)) : msgText(shell::Msg::NoneCaption));
        box->setEnabled(present);
        box->setChecked(state_.checks()[static_cast<std::size_t>(id)]);
    }
}

void TForm1::render()
{
    rendering_ = true;
    for (const settings::MemoryField& f : settings::memoryFields()) {
        QWidget* w = findChild<QWidget*>(qs(f.control));
        const double v = *state_.value(f.control);
        if (auto* e = qobject_cast<UNumberEdit*>(w)) {
            const settings::FieldLimits l = *state_.limits(f.control);
            e->SetMinMaxDef(l.min, l.max, l.defaultValue);
            // The field the user is typing in keeps its text while it holds
            // the value; every other field shows the value formatted.
            const bool typing =
                e->hasFocus() && !e->outOfRange() && !e->text().isEmpty() && sameValue(e->GetValue(), v);
            if (!typing && e->text() != qs(window::textForValue(e->spec(), v))) e->SetValue(v);
        } else {
            showIndex(w, v);
        }
    }
    for (const settings::CommonField& f : settings::commonFields()) {
        if (f.control == "MNSComboB") continue;
        QWidget* w = findChild<QWidget*>(qs(f.control));
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            const QString code = qs(*state_.code(f.control));
            if (e->text() != code) e->setText(code);
        } else {
            showIndex(w, *state_.value(f.control));
        }
    }
    showIndex(control<QComboBox>("VersionComboBox"), state_.shown().versionIndex);
    renderSelection();
    renderChecks();
    rendering_ = false;
    applyEnablingRules();
}

void TForm1::applyEnablingRules()
{
    const window::ShownValues& s = state_.shown();
    window::EnablingInputs in;
    in.online = session_.active.online();
    in.screenMode = screenMode();
    in.appMode = s.memory.APPLI_MODE;
    in.triggerMode = s.memory.TRIG_MODE;
    in.holdMode = s.memory.HOLD_MODE;
    in.displayScale = s.memory.D_SCALE_MODE;
    in.voltageScale = s.memory.V_SCALE_MODE;
    in.headIdMode = s.common.HEAD_ID_MODE;
    for (const window::ControlState& c : window::enablingRules(in)) {
        const QString name = qs(c.control);
        if (auto* a = findChild<QAction*>(name)) {
            a->setEnabled(c.enabled);
            a->setVisible(c.visible);
        } else if (auto* w = findChild<QWidget*>(name)) {
            w->setEnabled(c.enabled);
            // Only hide or show where a rule says so: some controls are
            // never shown (the one-material buttons, the detection list).
            if (w->isHidden() == c.visible) w->setVisible(c.visible);
        }
    }
    // "Value" online, "Close" (the closing of the open screen) offline.
    if (auto* b = control<QAbstractButton>("SpeedButton1")) {
        const std::string* text =
            in.online ? shell::Catalog::instance().screenText(shell::form::kMain, "SpeedButton1", shell::property::kCaption)
                      : shell::Catalog::instance().screenText(shell::form::kWaveform, "Button5", shell::property::kCaption);
        if (text) b->setText(qs(*text));
    }
}

} // namespace tavimo::ui

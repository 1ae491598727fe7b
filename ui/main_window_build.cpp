// Building TForm1's controls under their form names. Texts come later from
// the catalog (applyScreenTexts); only fixed, language-free texts are set here.
#include "ui/main_window.h"

#include "shell/message_lists.h"
#include "ui/named_controls.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavimo::ui {

namespace {

constexpr int kFieldWidth = 96;

QComboBox* combo(QWidget* p, const char* name)
{
    auto* c = named(new QComboBox(p), name);
    c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return c;
}
QPushButton* button(QWidget* p, const char* name) { return named(new QPushButton(p), name); }
QCheckBox* check(QWidget* p, const char* name) { return named(new QCheckBox(p), name); }
QGroupBox* group(QWidget* p, const char* name) { return named(new QGroupBox(p), name); }
RadioGroup* radio(QWidget* p, const char* name, int columns = 1)
{
    return new RadioGroup(QString::fromLatin1(name), columns, p);
}
UNumberEdit* number(QWidget* p, const char* name)
{
    auto* e = new UNumberEdit(p, QString::fromLatin1(name));
    e->setFigure(QStringLiteral("0.0000"));
    e->setFixedWidth(kFieldWidth);
    return e;
}
// A note on a settings page, shown as the catalog writes it.
QLabel* note(QWidget* p, const char* name)
{
    auto* l = label(p, name);
    l->setTextFormat(Qt::PlainText);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMargin(6);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

// label | field [| unit] rows in a grid.
void row(QGridLayout* g, int r, QWidget* label, QWidget* field, QWidget* unit = nullptr)
{
    g->addWidget(label, r, 0);
    g->addWidget(field, r, 1);
    if (unit) g->addWidget(unit, r, 2);
}

} // namespace

void TForm1::buildControls()
{
    auto* central = named(new QWidget(this), "Panel1");
    setCentralWidget(central);

    auto* settingsSide = new QVBoxLayout;
    controllerTab_ = named(new QTabBar(central), "ControlerTab");
    controllerTab_->setExpanding(false);
    controllerTab_->setDrawBase(true);
    for (int id = 0; id < settings::kControllerCount; ++id) controllerTab_->addTab(QString());
    auto* memoryRow = new QHBoxLayout;
    auto* memoryCombo = combo(central, "MNSComboB");
    memoryCombo->setContextMenuPolicy(Qt::CustomContextMenu);
    memoryRow->addWidget(controllerTab_, 1);
    memoryRow->addSpacing(12);
    memoryRow->addWidget(label(central, "Label25"));
    memoryRow->addWidget(memoryCombo);
    settingsSide->addLayout(memoryRow);

    settingTab_ = named(new QTabWidget(central), "SettingTab");
    settingTab_->addTab(buildApplicationPage(), QString());
    settingTab_->addTab(buildGeneralPage(), QString());
    settingTab_->addTab(buildEnvironmentPage(), QString());
    settingTab_->addTab(buildHeadPage(), QString());
    settingsSide->addWidget(settingTab_, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(settingsSide, 1);
    body->addWidget(buildSendReceive());

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildTopBar());
    layout->addLayout(body, 1);

    // Holders of the file dialogs' catalog settings (filter, extension).
    for (const char* n : {"OpenDialog", "SaveDialog", "TxtSaveDialog"}) named(new QObject(this), n);
    buildMenus();
}

QWidget* TForm1::buildTopBar()
{
    auto* bar = named(new QWidget(this), "Panel2");
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* name;
        QStyle::StandardPixmap icon;
    } files[] = {{"OpenButton", QStyle::SP_DialogOpenButton},
                 {"SaveButton", QStyle::SP_DialogSaveButton},
                 {"BitBtn2", QStyle::SP_FileDialogDetailedView}};
    for (const auto& f : files) {
        auto* b = named(new QToolButton(bar), f.name);
        b->setIcon(style()->standardIcon(f.icon));
        b->setIconSize(QSize(24, 24));
        b->setAutoRaise(true);
        h->addWidget(b);
    }
    h->addSpacing(8);
    auto* online = button(bar, "OnlineButton");
    online->setMinimumWidth(96);
    h->addWidget(online);
    h->addWidget(button(bar, "BitBtn1"));
    h->addSpacing(12);
    h->addWidget(label(bar, "Label3"));
    auto* version = combo(bar, "VersionComboBox");
    version->addItem(QStringLiteral("2.00 - 2.**"));
    version->setContextMenuPolicy(Qt::CustomContextMenu);
    h->addWidget(version);
    h->addStretch(1);

    auto* screens = group(bar, "ScreenSelect");
    auto* sh = new QHBoxLayout(screens);
    sh->setContentsMargins(6, 2, 6, 4);
    auto* exclusive = new QButtonGroup(screens);
    exclusive->setExclusive(true);
    for (int i = 1; i <= 3; ++i) {
        auto* b = new QToolButton(screens);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i));
        b->setCheckable(true);
        b->setMinimumWidth(84);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        exclusive->addButton(b, i);
        sh->addWidget(b);
    }
    exclusive->button(1)->setChecked(true);
    h->addWidget(screens);
    h->addWidget(button(bar, "BitBtn3"));
    return bar;
}

QWidget* TForm1::buildSendReceive()
{
    auto* box = group(this, "GroupBox18");
    auto* v = new QVBoxLayout(box);
    for (const char* n : {"ReciveButton", "SendButton", "InitButton", "RebootButton"}) {
        auto* b = button(box, n);
        b->setMinimumHeight(30);
        v->addWidget(b);
    }
    v->addSpacing(8);
    for (int id = 0; id < settings::kControllerCount; ++id) {
        auto* c = new QCheckBox(box);
        c->setObjectName(QStringLiteral("ContCheck%1").arg(id + 1));
        c->setText(msgText(*shell::idLabel(id)));
        v->addWidget(c);
    }
    v->addStretch(1);
    box->setMinimumWidth(150);
    return box;
}

QWidget* TForm1::buildApplicationPage()
{
    auto* page = named(new QWidget, "TabSheet1");
    auto* modeBox = group(page, "GroupBox4");
    auto* mg = new QGridLayout(modeBox);
    row(mg, 0, label(modeBox, "Label5"), combo(modeBox, "MDEComboB1"));
    auto* detection = label(modeBox, "Label8");
    auto* sense = combo(modeBox, "MDEComboB2");
    row(mg, 1, detection, sense);
    detection->setVisible(false); // the only detection mode is never chosen
    sense->setVisible(false);
    mg->setColumnStretch(2, 1);

    auto* hold = radio(page, "HLDRadioG");

    auto* trigger = group(page, "GroupBox10");
    auto* tv = new QHBoxLayout(trigger);
    auto* trgRadio = radio(trigger, "TRGRadioG");
    tv->addWidget(trgRadio, 0, Qt::AlignTop);
    auto* internal = group(trigger, "GroupBox11");
    auto* ig = new QGridLayout(internal);
    row(ig, 0, label(internal, "Label19"), combo(internal, "TRGComboB11"));
    row(ig, 1, label(internal, "Label18"), number(internal, "TRGNumEdit11"));
    row(ig, 2, label(internal, "Label17"), number(internal, "TRGNumEdit12"));
    row(ig, 3, label(internal, "Label20"), number(internal, "TRGNumEdit13"), label(internal, "Label2"));
    row(ig, 4, label(internal, "Label21"), number(internal, "TRGNumEdit14"), label(internal, "Label35"));
    auto* cyclic = group(trigger, "GroupBox12");
    auto* cg = new QGridLayout(cyclic);
    row(cg, 0, label(cyclic, "Label28"), number(cyclic, "TRGNumEdit31"), label(cyclic, "Label47"));
    cg->setColumnStretch(3, 1);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(internal);
    boxes->addWidget(cyclic);
    boxes->addStretch(1);
    tv->addLayout(boxes, 1);

    auto* compare = radio(page, "CMPRadioG", 2);

    auto* left = new QVBoxLayout;
    left->addWidget(modeBox);
    left->addWidget(hold);
    left->addWidget(compare);
    left->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addWidget(trigger, 1);
    return page;
}

namespace {

// One scaling group: mode, one point, two points, inversion. `p` is "DSC"
// or "VSC"; the group and label names follow the form.
struct ScaleNames {
    const char *box, *mode, *onePoint, *detect1, *value1, *offset, *slope, *twoPoint, *detectHead, *valueHead,
        *pointA, *pointB, *e11, *e12, *e21, *e22, *e23, *e24, *reverse, *inversion;
};

QGroupBox* scaleGroup(QWidget* page, const ScaleNames& n)
{
    auto* box = group(page, n.box);
    auto* v = new QVBoxLayout(box);
    v->addWidget(radio(box, n.mode, 4));

    auto* one = group(box, n.onePoint);
    auto* og = new QGridLayout(one);
    og->addWidget(label(one, n.detect1), 0, 1);
    og->addWidget(label(one, n.value1), 0, 2);
    og->addWidget(label(one, n.offset), 1, 0);
    og->addWidget(number(one, n.e11), 1, 1);
    og->addWidget(number(one, n.e12), 1, 2);
    og->addWidget(radio(one, n.slope, 2), 0, 3, 2, 1);
    v->addWidget(one);

    auto* two = group(box, n.twoPoint);
    auto* tg = new QGridLayout(two);
    tg->addWidget(label(two, n.detectHead), 0, 1);
    tg->addWidget(label(two, n.valueHead), 0, 2);
    tg->addWidget(label(two, n.pointA), 1, 0);
    tg->addWidget(number(two, n.e21), 1, 1);
    tg->addWidget(number(two, n.e22), 1, 2);
    tg->addWidget(label(two, n.pointB), 2, 0);
    tg->addWidget(number(two, n.e23), 2, 1);
    tg->addWidget(number(two, n.e24), 2, 2);
    v->addWidget(two);

    auto* inv = new QHBoxLayout;
    inv->addWidget(label(box, n.reverse));
    inv->addWidget(combo(box, n.inversion));
    inv->addStretch(1);
    v->addLayout(inv);
    v->addStretch(1);
    return box;
}

} // namespace

QWidget* TForm1::buildGeneralPage()
{
    auto* page = named(new QWidget, "TabSheet2");
    auto* limits = group(page, "GroupBox8");
    auto* lg = new QGridLayout(limits);
    row(lg, 0, label(limits, "Label22"), number(limits, "THRNumEdit1"));
    row(lg, 1, label(limits, "Label23"), number(limits, "THRNumEdit2"));
    auto* hysteresis = group(page, "GroupBox5");
    auto* hg = new QGridLayout(hysteresis);
    row(hg, 0, label(hysteresis, "Label15"), number(hysteresis, "HYSNumEdit"));
    auto* average = group(page, "GroupBox9");
    auto* ag = new QGridLayout(average);
    row(ag, 0, label(average, "Label14"), combo(average, "AVGComboB"));
    auto* material = group(page, "GroupBox6");
    auto* mg = new QGridLayout(material);
    row(mg, 0, label(material, "Label7"), combo(material, "MTTComboB"));

    auto* top = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(limits), static_cast<QWidget*>(hysteresis),
                       static_cast<QWidget*>(average), static_cast<QWidget*>(material)})
        top->addWidget(w, 0, Qt::AlignTop);
    top->addStretch(1);

    auto* scales = new QHBoxLayout;
    scales->addWidget(scaleGroup(page, {"GroupBox7", "DSCRadioG", "GroupBox1", "Label10", "Label11", "Label9", "DSCSlopeRadioG",
                                        "GroupBox2", "Label13", "Label59", "Label52", "Label57", "DSCNumEdit11",
                                        "DSCNumEdit12", "DSCNumEdit21", "DSCNumEdit22", "DSCNumEdit23", "DSCNumEdit24",
                                        "Label12", "DSCComboB11"}));
    scales->addWidget(scaleGroup(page, {"GroupBox15", "VSCRadioG", "GroupBox16", "Label32", "Label33", "Label31",
                                        "VSCSlopeRadioG", "GroupBox19", "Label41", "Label40", "Label36", "Label39",
                                        "VSCNumEdit11", "VSCNumEdit12", "VSCNumEdit21", "VSCNumEdit22", "VSCNumEdit23",
                                        "VSCNumEdit24", "Label34", "VSCComboB11"}));
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addLayout(scales, 1);
    return page;
}

QWidget* TForm1::buildEnvironmentPage()
{
    auto* page = named(new QWidget, "TabSheet3");
    auto* head = group(page, "GroupBox20");
    auto* hg = new QGridLayout(head);
    row(hg, 0, label(head, "Label27"), combo(head, "STSComboB"), check(head, "STSCheckB"));
    auto* output = group(page, "GroupBox21");
    auto* og = new QGridLayout(output);
    row(og, 0, label(output, "Label16"), combo(output, "OUTComboB"), check(output, "OUTCheckB"));
    row(og, 1, label(output, "Label29"), combo(output, "OFDComboB"));
    auto* interference = group(page, "GroupBox13");
    auto* ig = new QGridLayout(interference);
    row(ig, 0, label(interference, "Label1"), combo(interference, "SKBComboB"), check(interference, "SKBCheckB"));
    for (QGridLayout* g : {hg, og, ig}) g->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(head);
    layout->addWidget(output);
    layout->addWidget(interference);
    layout->addWidget(note(page, "Memo1"));
    layout->addStretch(1);
    return page;
}

QWidget* TForm1::buildHeadPage()
{
    auto* page = named(new QWidget, "TabSheet4");
    auto* codes = group(page, "GroupBox17");
    auto* cv = new QVBoxLayout(codes);
    auto* g = new QGridLayout;
    cv->addLayout(g);
    g->addWidget(label(codes, "Label30"), 0, 0);
    g->addWidget(combo(codes, "HIDComboB1"), 0, 1);
    g->addWidget(button(codes, "HIDButton01"), 0, 2);
    g->addWidget(button(codes, "HIDButton02"), 0, 3);
    const struct {
        const char *label, *edit, *send, *receive;
    } materials[] = {{"Label6", "HIDEdit1", "HIDButton11", "HIDButton12"},
                     {"Label24", "HIDEdit2", "HIDButton21", "HIDButton22"},
                     {"Label26", "HIDEdit3", "HIDButton31", "HIDButton32"}};
    int r = 1;
    for (const auto& m : materials) {
        g->addWidget(label(codes, m.label), r, 0);
        auto* edit = named(new QLineEdit(codes), m.edit);
        edit->setMaxLength(settings::kHeadCodeLength);
        edit->setMinimumWidth(140);
        // Letters turn to upper case as they are typed.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\x21-\\x7e]*")), edit));
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
            const int pos = edit->cursorPosition();
            if (t != t.toUpper()) {
                edit->setText(t.toUpper());
                edit->setCursorPosition(pos);
            }
        });
        g->addWidget(edit, r, 1);
        // The one-material buttons exist but are never shown.
        for (const char* b : {m.send, m.receive}) {
            auto* hidden = button(codes, b);
            hidden->setVisible(false);
        }
        ++r;
    }
    g->setColumnStretch(4, 1);
    cv->addWidget(note(codes, "Memo3"), 0, Qt::AlignLeft);

    auto* calibration = group(page, "GroupBox14");
    auto* ch = new QHBoxLayout(calibration);
    ch->addWidget(button(calibration, "CLBButton"));
    ch->addStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(codes);
    layout->addWidget(note(page, "Memo2"));
    layout->addWidget(calibration);
    layout->addStretch(1);
    return page;
}

void TForm1::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    const struct {
        const char* menu;
        std::vector<const char*> items;
    } menus[] = {{"File1", {"N1", "N2", "setteino1", "-", "Exit1"}},
                 {"Show1", {"C1", "E1", "N3"}},
                 {"Help1", {"Help2", "About1"}}};
    for (const auto& m : menus) {
        QMenu* menu = named(new QMenu(bar), m.menu);
        bar->addMenu(menu);
        for (const char* item : m.items) {
            if (std::string_view(item) == "-") {
                menu->addSeparator();
                continue;
            }
            menu->addAction(named(new QAction(menu), item));
        }
    }

    popup_ = named(new QMenu(this), "PopupMenu1");
    for (int id = 0; id < settings::kControllerCount; ++id) {
        QMenu* sub = new QMenu(popup_);
        sub->setObjectName(QStringLiteral("CS%1").arg(id));
        popup_->addMenu(sub);
        for (int m = 0; m < settings::kMemoryCount; ++m) {
            auto* a = new QAction(sub);
            a->setObjectName(QStringLiteral("CS%1MN%2").arg(id).arg(m));
            connect(a, &QAction::triggered, this, [this, id, m] { copyMemoryTo(id, m); });
            sub->addAction(a);
        }
    }
}

} // namespace tavimo::ui

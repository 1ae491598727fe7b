#include "ui/about_dialog.h"

#include "shell/screen_keys.h"
#include "ui/qt_text.h"
#include "ui/screen_texts.h"
#include "ui/tavimo_mark.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavimo::ui {

TForm21::TForm21(QWidget* parent) : QDialog(parent)
{
    setObjectName("TForm21");
    prepareWindow(this);
    auto* mark = new QLabel(this);
    mark->setObjectName("Image1");
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    drawTavimoMark(p, QRectF(0, 0, 64, 64));
    p.end();
    mark->setPixmap(pm);

    auto* name = new QLabel(this);
    name->setObjectName("Label1");
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(this);
    version->setObjectName("Version");
    auto* maker = new QLabel(msgText(shell::Msg::AboutMakerLine), this);
    maker->setObjectName("Label2");
    auto* legal = new QLabel(msgText(shell::Msg::AboutLegalNotice), this);
    legal->setObjectName("Label3");
    legal->setWordWrap(true);
    auto* info = new QLineEdit(this);
    info->setObjectName("Edit_About_Info");
    info->setReadOnly(true);
    info->setFocusPolicy(Qt::NoFocus);
    auto* ok = new QPushButton(this);
    ok->setObjectName("CloseButton");
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* head = new QHBoxLayout;
    head->addWidget(mark);
    auto* titles = new QVBoxLayout;
    titles->addWidget(name);
    titles->addWidget(version);
    head->addLayout(titles, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(maker);
    layout->addWidget(legal);
    layout->addWidget(info);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    setMinimumWidth(420);

    applyScreenTexts(this, shell::form::kAbout);
    version->setText(version->text() + QStringLiteral(" ") + QStringLiteral(TAVIMO_VERSION_TEXT));
}

} // namespace tavimo::ui

#include "ui/number_edit.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QValidator>

namespace tavimo::ui {

namespace {

// Guards every way text can enter besides typed keys (drag and drop, input
// methods, undo): the resulting text must be one the key filter could have
// produced.
class NumberTextValidator : public QValidator {
public:
    NumberTextValidator(const window::NumberFieldSpec& spec, QObject* parent) : QValidator(parent), spec_(spec) {}
    State validate(QString& input, int&) const override
    {
        return window::wellFormedText(spec_, utf8(input)) ? Acceptable : Invalid;
    }

private:
    const window::NumberFieldSpec& spec_;
};

} // namespace

UNumberEdit::UNumberEdit(QWidget* parent, const QString& name) : QLineEdit(parent)
{
    if (!name.isEmpty()) setObjectName(name);
    spec_.normalise();
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setDragEnabled(false);
    setAcceptDrops(false);
    setValidator(new NumberTextValidator(spec_, this));
    setText("0");
    connect(this, &QLineEdit::textChanged, this, &UNumberEdit::onTextChanged);
    timer_.setInterval(window::SettleCounter::kTickMs);
    connect(&timer_, &QTimer::timeout, this, &UNumberEdit::onTick);
    timer_.start();
}

void UNumberEdit::SetMinMaxDef(double min, double max, double defaultValue)
{
    spec_.min = min;
    spec_.max = max;
    spec_.defaultValue = defaultValue;
    spec_.normalise();
    const double v = GetValue();
    if (v < spec_.min || v > spec_.max) SetValue(spec_.defaultValue);
    updateColour();
}

void UNumberEdit::SetValue(double value) { setText(qs(window::textForValue(spec_, value))); }

double UNumberEdit::GetValue() const { return window::valueOfText(spec_, utf8(text())); }

double UNumberEdit::validValue() const
{
    const auto v = window::parseNumber(utf8(text()), spec_.integer);
    return (v && window::inRange(spec_, *v)) ? *v : spec_.defaultValue;
}

void UNumberEdit::setFigure(const QString& figure) { spec_.figure = utf8(figure); }
void UNumberEdit::setInteger(bool integer) { spec_.integer = integer; }
void UNumberEdit::setPlus(bool plus) { spec_.plus = plus; }

bool UNumberEdit::outOfRange() const
{
    return window::classifyText(spec_, utf8(text())) == window::TextState::OutOfRange;
}

window::Selection UNumberEdit::selection() const
{
    if (hasSelectedText()) return {selectionStart(), static_cast<int>(selectedText().size())};
    return {cursorPosition(), 0};
}

void UNumberEdit::pasteChecked()
{
    const QString clip = QApplication::clipboard()->text();
    if (!window::pasteAllowed(spec_, utf8(text()), selection(), utf8(clip))) return;
    QString normal = clip;
    normal.replace(',', '.');
    insert(normal);
}

void UNumberEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        pasteChecked();
        return;
    }
    // Editing and navigation keys, shortcuts (copy, cut, select all, undo)
    // and Tab go to the line edit; they can only remove characters or move.
    const QString t = e->text();
    const bool printable = t.size() == 1 && t[0].unicode() >= 0x20 && t[0].unicode() != 0x7f;
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool esc = e->key() == Qt::Key_Escape;
    if (!printable && !enter && !esc) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (printable && (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const char typed = enter ? '\r' : esc ? char(0x1b) : (t[0].unicode() < 0x80 ? char(t[0].unicode()) : char(0x7f));
    const window::KeyDecision d = window::filterKey(spec_, utf8(text()), selection(), typed);
    switch (d.action) {
    case window::KeyAction::Insert:
        insert(QString(QChar(d.character)));
        break;
    case window::KeyAction::FocusNext:
        focusNextChild();
        break;
    case window::KeyAction::Clear:
        clear();
        break;
    case window::KeyAction::Refuse:
        break;
    }
    e->accept();
}

void UNumberEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    // After the mouse press that gave the focus has placed the caret.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus()) selectAll();
    });
    Q_EMIT recvFocus();
}

void UNumberEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // A message box or menu taking the focus for a moment is not the user
    // leaving the field; nor is a field that is being disabled or hidden.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    if (!isEnabled() || !isVisible()) return;
    const window::LeaveResult r = window::leaveField(spec_, utf8(text()));
    if (utf8(text()) != r.text) setText(qs(r.text));
    if (r.accepted) {
        settle_.clear();
        Q_EMIT releaseFocus();
        Q_EMIT changed();
        return;
    }
    Q_EMIT errRange();
    QTimer::singleShot(0, this, [this] {
        if (isEnabled() && isVisible()) setFocus(Qt::OtherFocusReason);
    });
}

void UNumberEdit::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        if (a->objectName() != QLatin1String("edit-paste")) continue;
        // The menu's paste goes through the same check as Ctrl+V.
        disconnect(a, &QAction::triggered, nullptr, nullptr);
        connect(a, &QAction::triggered, this, &UNumberEdit::pasteChecked);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

void UNumberEdit::mousePressEvent(QMouseEvent* e)
{
    // The X11 selection paste with the middle button would bypass the checks.
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mousePressEvent(e);
}

void UNumberEdit::onTextChanged(const QString& text)
{
    settle_.textChanged(window::classifyText(spec_, utf8(text)));
    updateColour();
}

void UNumberEdit::onTick()
{
    if (settle_.tick()) Q_EMIT changed();
}

void UNumberEdit::updateColour()
{
    QPalette p = palette();
    p.setColor(QPalette::Text, outOfRange() ? QColor(0xFF, 0, 0) : QApplication::palette().color(QPalette::Text));
    setPalette(p);
}

} // namespace tavimo::ui

#include "ui/field_kit.h"

#include "model/decimal_text.h"
#include "ui/latin1_text.h"
#include "ui/radio_group.h"
#include "ui/services.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <stdexcept>

namespace quelvar {

namespace {

// Set on a control when it changes after the kit showed it.
constexpr const char* kTouched = "fieldKitTouched";

void watchTouches(QWidget* control)
{
    auto touch = [control] { control->setProperty(kTouched, true); };
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(box, &QLineEdit::textChanged, box, touch);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        QObject::connect(list, &QComboBox::currentIndexChanged, list, touch);
        QObject::connect(list, &QComboBox::activated, list, touch);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::toggled, button, touch);
        QObject::connect(button, &QAbstractButton::clicked, button, touch);
    } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
        QObject::connect(group, &RadioGroup::itemClicked, group, touch);
    }
}

// The Alt-letter of a Yes/No pair's label takes the person to the checked button
// (Yes when neither is), as Tab into the pair does, and chooses nothing.
class PairLetter : public QObject {
public:
    PairLetter(QAbstractButton* yes, QAbstractButton* no, QLabel* label)
        : QObject(label), m_yes(yes), m_no(no)
    {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Shortcut) return false;
        (m_no->isChecked() ? m_no : m_yes)->setFocus(Qt::ShortcutFocusReason);
        return true;
    }

private:
    QAbstractButton* m_yes;
    QAbstractButton* m_no;
};

bool touched(const DialogField& field)
{
    return std::ranges::any_of(field.controls,
                               [](const QWidget* c) { return c->property(kTouched).toBool(); });
}

Setup setupOf(const SetupImage& image)
{
    Setup setup;
    setup.image = image;
    return setup;
}

// The digits of a Byte, Word or Long, and a sign for a Long.
int numberLength(const text::Field& field)
{
    switch (field.places.front().size) {
    case 1: return 3;
    case 2: return 5;
    default: return 11;
    }
}

QString withoutLeadingBlanks(QString text)
{
    const auto first = std::ranges::find_if(text, [](QChar c) { return c != ' '; });
    return text.sliced(first - text.begin());
}

// True when storing what the controls show gives back the bytes the setup holds.
bool givesBack(const DialogField& field, const Setup& setup)
{
    const Reading reading = field.read();
    if (!reading.value) return false;
    Setup copy = setup;
    return !field.field.store(copy, *reading.value).refused() && copy == setup;
}

// A dialog opens on its first control; when that is a box, its text is selected so
// that typing replaces it, as Tab into a box does.
void selectFirstBox(QWidget* window)
{
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(window))
            continue;
        if (auto* box = qobject_cast<QLineEdit*>(w)) box->selectAll();
        return;
    }
}

void requireKind(const text::Field& field, std::initializer_list<text::Kind> kinds)
{
    if (std::ranges::find(kinds, field.kind) == kinds.end())
        throw std::logic_error("a control that cannot show " + field.path);
}

}  // namespace

void showChoice(QComboBox* list, std::string_view text, int shownWhenNone)
{
    int index = shownWhenNone;
    for (int i = 0; i < list->count(); ++i)
        if (toSetupText(withoutLeadingBlanks(list->itemText(i))) == text) index = i;
    list->setCurrentIndex(index);
}

std::string choiceText(const QComboBox* list)
{
    return toSetupText(withoutLeadingBlanks(list->currentText()));
}

Reading readText(const QString& text, text::Kind kind)
{
    if (kind == text::Kind::Text) return {toSetupText(text)};
    if (const auto number = parseIntegerText(text.toStdString())) return {std::int64_t{*number}};
    return {{}, QString::fromStdString(notANumberMessage(text.toStdString(), "integer")), nullptr};
}

QString shownText(const std::optional<text::Value>& value)
{
    if (!value) return {};
    if (const auto* number = std::get_if<std::int64_t>(&*value)) return QString::number(*number);
    return fromSetupText(text::textOf(*value));
}

QString DialogField::name() const
{
    QString text = caption;
    text.replace('\n', ' ');
    // "&&" shows one '&'.
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == '&') text.remove(i, 1);
    return text;
}

const text::Field& setupField(std::string_view path)
{
    const text::Fields& fields = text::setupFields();
    const auto it = std::ranges::find(fields, path, &text::Field::path);
    if (it == fields.end()) throw std::logic_error("no setup text field " + std::string(path));
    return *it;
}

FieldKit::FieldKit(SetupImage& image, Services& services) : m_image(image), m_services(services) {}

DialogField& FieldKit::addBox(QWidget* control, const QString& caption, std::string_view path)
{
    DialogField& added = add({caption, {control}, new QLabel(caption), setupField(path)});
    added.label->setBuddy(control);
    return added;
}

DialogField& FieldKit::add(QLineEdit* box, const QString& caption, std::string_view path,
                           int maxLength)
{
    DialogField& added = addBox(box, caption, path);
    const text::Kind kind = added.field.kind;
    requireKind(added.field, {text::Kind::Integer, text::Kind::Text});
    if (maxLength == 0 && kind == text::Kind::Integer) maxLength = numberLength(added.field);
    if (maxLength > 0) box->setMaxLength(maxLength);
    added.show = [box](const std::optional<text::Value>& value) { box->setText(shownText(value)); };
    added.read = [box, kind] { return readText(box->text(), kind); };
    return added;
}

DialogField& FieldKit::add(QComboBox* list, const QString& caption, std::string_view path,
                           int shownWhenNone)
{
    DialogField& added = addBox(list, caption, path);
    requireKind(added.field, {text::Kind::Text});
    added.show = [list, shownWhenNone](const std::optional<text::Value>& value) {
        if (value)
            showChoice(list, text::textOf(*value), shownWhenNone);
        else
            list->setCurrentIndex(shownWhenNone);
    };
    added.read = [list]() -> Reading {
        if (list->currentIndex() < 0) return {};
        return {choiceText(list)};
    };
    return added;
}

DialogField& FieldKit::add(RadioGroup* group, std::string_view path)
{
    DialogField& added = add({group->title(), {group}, nullptr, setupField(path)});
    requireKind(added.field, {text::Kind::Bool});
    added.show = [group](const std::optional<text::Value>& value) {
        group->setItemIndex(!value ? -1 : text::boolOf(*value) ? 0 : 1);
    };
    added.read = [group]() -> Reading {
        if (group->itemIndex() < 0) return {};
        return {group->itemIndex() == 0};
    };
    return added;
}

DialogField& FieldKit::add(QAbstractButton* yes, QAbstractButton* no, const QString& caption,
                           std::string_view path)
{
    DialogField& added = addBox(yes, caption, path);
    added.controls.push_back(no);
    watchTouches(no);
    new PairLetter(yes, no, added.label);
    requireKind(added.field, {text::Kind::Bool});
    added.show = [yes, no](const std::optional<text::Value>& value) {
        if (value) (text::boolOf(*value) ? yes : no)->setChecked(true);
    };
    added.read = [yes, no]() -> Reading {
        if (!yes->isChecked() && !no->isChecked()) return {};
        return {yes->isChecked()};
    };
    return added;
}

DialogField& FieldKit::add(DialogField field)
{
    for (QWidget* control : field.controls)
        watchTouches(control);
    return m_fields.emplace_back(std::move(field));
}

void FieldKit::load()
{
    const Setup setup = setupOf(m_image);
    for (DialogField& field : m_fields) {
        field.show(field.field.show(setup));
        for (QWidget* control : field.controls)
            control->setProperty(kTouched, false);
        field.keepsBytes = !givesBack(field, setup);
    }
    if (!m_fields.empty()) selectFirstBox(m_fields.front().controls.front()->window());
}

FieldKit::Outcome FieldKit::apply() const
{
    Outcome outcome{setupOf(m_image)};
    for (const DialogField& field : m_fields) {
        if (field.keepsBytes && !touched(field)) continue;
        Reading reading = field.read();
        if (reading.refusal.isEmpty() && reading.value) {
            const text::Refusal refusal = field.field.store(outcome.setup, *reading.value);
            if (refusal.refused()) reading.refusal = fromSetupText(refusal.message);
        }
        if (!reading.refusal.isEmpty()) {
            outcome.refused = &field;
            outcome.reading = reading;
            break;
        }
    }
    return outcome;
}

bool FieldKit::store()
{
    const Outcome outcome = apply();
    if (const DialogField* refused = outcome.refused) {
        QWidget* at = outcome.reading.at ? outcome.reading.at : refused->controls.front();
        if (refused->focus && !outcome.reading.at) {
            refused->focus();
        } else {
            at->setFocus(Qt::OtherFocusReason);
            if (auto* box = qobject_cast<QLineEdit*>(at)) box->selectAll();
        }
        const QString& why = outcome.reading.refusal;
        m_services.error(refused->messageNamesIt ? why : refused->name() + ": " + why);
        return false;
    }
    m_image = outcome.setup.image;
    return true;
}

bool FieldKit::hasChanged() const
{
    const Outcome outcome = apply();
    return outcome.refused || outcome.setup.image != m_image;
}

}  // namespace quelvar

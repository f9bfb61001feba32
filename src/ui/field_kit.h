#pragma once
// The field kit: a dialog declares its fields once; the kit shows them, and on OK
// checks them all and stores them all, or stores nothing.
//
// A field binds the dialog's controls to the setup text's field of the same setting
// (src/text/fields_*.cpp, found by its path), so the dialog and the text show, refuse
// and store a setting alike. Its caption is the text of the label the kit makes (the
// box's buddy, with its Alt-letter) and, without the '&', the name a refusal is shown
// under.
//
//     TCfgScaleForm::TCfgScaleForm(SetupImage& image, Services& services, QWidget* owner)
//         : QDialog(owner), m_fields(image, services)
//     {
//         filterEditBox = new QLineEdit;
//         const DialogField& filter = m_fields.add(filterEditBox, "V&ibration Filter",
//                                                  "scale.filter");
//         rows->addRow(filter.label, filterEditBox);
//         ...
//         m_fields.load();
//     }
//     void TCfgScaleForm::okButtonClick() { if (m_fields.store()) accept(); }
//
// `store` reads every field and stores the values into a copy of the image, in the
// order the fields were added (a field may rely on one added before it: the capacity
// on the count-by); only when none was refused does the copy become the image. A
// refused field's box gets the focus with its text selected, and the message names
// it: "Vibration Filter: '1O' is not a valid integer value".
//
// A field whose controls cannot give back its bytes (a code outside its list, seven
// digits in a six-digit box) keeps its bytes while the person leaves it untouched.
//
// A dialog may replace `show` or `read` of a field the kit made (the fixed registers
// show bytes that are no decimal as an empty box), or add a DialogField of its own:
// several controls for one setting of the text, a `read` that names the box at fault,
// or a text::Field made on the spot where none in the text fits.
//
//     DialogField code{"Print Code &1", {box1, box2, box3}, buddyLabel("Print Code &1", box1),
//                      setupField("ports.print_code_1")};
//     code.show = [=](const std::optional<text::Value>& value) { ... };  // "27 64 0"
//     code.read = [=]() -> Reading { ... return {{}, "'x' is not ...", box2}; };
//     rows->addRow(m_fields.add(std::move(code)).label, codeRow);

#include "model/setup.h"
#include "text/text_fields.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace quelvar {

class RadioGroup;
class Services;

// What a field's controls hold: the value to store, or why it cannot be stored and
// which control to put it right in. Neither: the bytes stay as they are (a list
// without a choice).
struct Reading {
    std::optional<text::Value> value;
    QString refusal = {};
    QWidget* at = nullptr;
};

struct DialogField {
    QString caption;                 // "V&ibration Filter"
    std::vector<QWidget*> controls;  // the first is the label's buddy and takes the focus
    QLabel* label = nullptr;         // made by the kit for boxes, lists and Yes/No pairs
    text::Field field;               // shows the value from the setup and stores it back
    std::function<void(const std::optional<text::Value>&)> show = {};
    std::function<Reading()> read = {};
    // Takes the person to a refusal of this field; none: the reading's control, else
    // the first, with its text selected.
    std::function<void()> focus = {};
    // The refusal's message names the field itself ("Label 32 exceeds maximum
    // length") and is shown as it stands.
    bool messageNamesIt = false;
    bool keepsBytes = false;  // set by load: the controls cannot give back the bytes

    // The caption as a refusal names it: "Vibration Filter".
    QString name() const;
};

class FieldKit {
public:
    FieldKit(SetupImage& image, Services& services);

    // A line edit taking at most `maxLength` characters; 0: as many as the digits of
    // the field's Byte, Word or Long (3, 5, 11 with a sign).
    DialogField& add(QLineEdit* box, const QString& caption, std::string_view path,
                     int maxLength = 0);
    // A list of the field's choices (its texts without their leading blanks); a value
    // outside them shows the choice at `shownWhenNone` (-1: no choice).
    DialogField& add(QComboBox* list, const QString& caption, std::string_view path,
                     int shownWhenNone = -1);
    // A Yes/No field: the group's item 0 is Yes, its caption the group's title.
    DialogField& add(RadioGroup* group, std::string_view path);
    DialogField& add(QAbstractButton* yes, QAbstractButton* no, const QString& caption,
                     std::string_view path);
    // A field of the dialog's own; its label is the dialog's to make.
    DialogField& add(DialogField field);

    // Shows every field as the image holds it (KDE's updateWidgets).
    void load();
    // Checks every field, then stores them all (updateSettings); false, with the
    // image untouched, when one was refused (shown to the person).
    bool store();
    // True when OK would change the image or refuse a field.
    bool hasChanged() const;

private:
    struct Outcome {
        Setup setup;
        const DialogField* refused = nullptr;
        Reading reading = {};
    };
    Outcome apply() const;
    DialogField& addBox(QWidget* control, const QString& caption, std::string_view path);

    SetupImage& m_image;
    Services& m_services;
    std::deque<DialogField> m_fields;  // a deque: references stay valid as fields join
};

// For fields of a dialog's own: the list's choice whose text, without its leading
// blanks, is `text` (else the choice at `shownWhenNone`), and the chosen text so.
void showChoice(QComboBox* list, std::string_view text, int shownWhenNone = -1);
std::string choiceText(const QComboBox* list);
// What a box's text gives a field of `kind` (Text or Integer): the text, or a
// whole number; a text that is none is refused.
Reading readText(const QString& text, text::Kind kind);
// The text a box shows for a value (none: empty).
QString shownText(const std::optional<text::Value>& value);

// The setup text's field at `path` ("scale.filter"); a path no field has is a fault
// of the program and throws std::logic_error.
const text::Field& setupField(std::string_view path);

}  // namespace quelvar

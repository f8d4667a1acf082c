// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "model/document.h"
#include "families/family_table.h"
#include "io/notifier.h"
#include "numbers/exact_value.h"

namespace yhb {

// A family dialog without its widgets: the field texts and check boxes, and what
// initialisation, Apply, OK and Cancel do to the table.
class ParameterForm {
public:
    static constexpr std::size_t kFieldLimit = 49; // characters read from an edit field

    ParameterForm(Document& doc, const FamilySpec& family, Notifier& notifier);

    void initialise();
    // Stores the expression; false when the input was refused (nothing changed then).
    bool apply();
    // The message Apply would refuse the fields with (UTF-8); empty when it would store them.
    std::string refusal() const;
    // Apply, then true when the dialog closes.
    bool ok();
    void cancel();

    const FamilySpec& family() const { return family_; }
    Document& document() { return doc_; }
    int targetRow() const { return state_.targetRow; }
    bool boxChecked(int id) const;
    void setBox(int id, bool checked);

    std::vector<std::string> fieldTexts; // one per field, in field order
    std::vector<bool> boxes;             // one per check box, in id order
    std::function<void()> repaintCanvas;
    MessageOwner messageOwner; // the dialog, where there is one

private:
    Document& doc_;
    const FamilySpec& family_;
    FamilyState& state_;
    Notifier& notifier_;
};

// Reads a field (CP936) of at most 49 characters: exact forms ("√3", "3/2", "2π/3") as what
// they say, texts atof reads whole as atof did, anything else as atof with a message.
NumberReading readFieldNumber(const std::string& text);
double readField(const std::string& text);

// A text (CP936) that is a whole finite number and nothing else, spaces around it aside, so
// that reading it takes what it says; false for "abc", "sqrt(2)" or "2x", which atof would
// read as 0, 0 and 2.
bool readWholeNumber(const std::string& cp936Text, double& out);

} // namespace yhb

#pragma once

#include "platform/ExchangeDirection.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;

// Binds window members to controls so that one call moves all of them
// either way, in the order they were bound. Only whole numbers are
// validated. A control is only written when its content differs, so an
// exchange does not raise change notifications for values that did not
// change.
class CDataExchange
{
public:
    void Text(QLineEdit *edit, QString *member);
    // A whole number in a line edit (blanks around it allowed).
    void Number(QLineEdit *edit, int *member);
    // 0/1 member for a check box.
    void Check(QAbstractButton *box, int *member);
    // Index of the checked button of a radio group; -1 when none is checked.
    void Radio(std::initializer_list<QAbstractButton *> group, int *member);
    // Selected index of a combo box; -1 when nothing is selected.
    void ComboIndex(QComboBox *combo, int *member);

    // Moves every binding. Taking the controls over stops at the first
    // number field that does not hold a whole number (the members before it
    // are taken) and returns that field; nullptr when everything moved.
    QLineEdit *Run(Exchange direction) const;

private:
    struct Binding
    {
        // false: the control's content could not be taken over.
        std::function<bool(Exchange)> move;
        QLineEdit *field = nullptr; // the field a failed move names
    };
    std::vector<Binding> m_bindings;
};

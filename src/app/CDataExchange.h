#pragma once

#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;

// Which way a data exchange runs.
enum class Exchange {
    ToControls,   // members are shown in the controls
    FromControls, // control contents are taken into the members
};

// Binds window members to controls so that one call moves all of them
// either way, in the order they were bound. Nothing is validated. A control
// is only written when its content differs, so an exchange does not raise
// change notifications for values that did not change.
class CDataExchange
{
public:
    void Text(QLineEdit *edit, QString *member);
    // 0/1 member for a check box.
    void Check(QAbstractButton *box, int *member);
    // Index of the checked button of a radio group; -1 when none is checked.
    void Radio(std::initializer_list<QAbstractButton *> group, int *member);
    // Selected index of a combo box; -1 when nothing is selected.
    void ComboIndex(QComboBox *combo, int *member);

    void Run(Exchange direction) const;

private:
    std::vector<std::function<void(Exchange)>> m_bindings;
};

#include "controls/CDataExchange.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

void CDataExchange::Text(QLineEdit *edit, QString *member)
{
    m_bindings.push_back({[edit, member](Exchange direction) {
                              if (direction == Exchange::FromControls)
                                  *member = edit->text();
                              else if (edit->text() != *member)
                                  edit->setText(*member);
                              return true;
                          },
                          edit});
}

void CDataExchange::Number(QLineEdit *edit, int *member)
{
    m_bindings.push_back({[edit, member](Exchange direction) {
                              if (direction == Exchange::ToControls) {
                                  const QString text = QString::number(*member);
                                  if (edit->text() != text)
                                      edit->setText(text);
                                  return true;
                              }
                              bool ok = false;
                              const int value = edit->text().trimmed().toInt(&ok);
                              if (ok)
                                  *member = value;
                              return ok;
                          },
                          edit});
}

void CDataExchange::Check(QAbstractButton *box, int *member)
{
    m_bindings.push_back({[box, member](Exchange direction) {
        if (direction == Exchange::FromControls)
            *member = box->isChecked() ? 1 : 0;
        else
            box->setChecked(*member != 0);
        return true;
    }});
}

void CDataExchange::Radio(std::initializer_list<QAbstractButton *> group, int *member)
{
    std::vector<QAbstractButton *> buttons(group);
    m_bindings.push_back({[buttons, member](Exchange direction) {
        if (direction == Exchange::FromControls) {
            *member = -1;
            for (std::size_t i = 0; i < buttons.size(); ++i) {
                if (buttons[i]->isChecked()) {
                    *member = static_cast<int>(i);
                    break;
                }
            }
            return true;
        }
        // Auto-exclusive radio buttons cannot all be unchecked one by one,
        // so exclusivity is lifted while the group is set.
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const bool exclusive = buttons[i]->autoExclusive();
            buttons[i]->setAutoExclusive(false);
            buttons[i]->setChecked(static_cast<int>(i) == *member);
            buttons[i]->setAutoExclusive(exclusive);
        }
        return true;
    }});
}

void CDataExchange::ComboIndex(QComboBox *combo, int *member)
{
    m_bindings.push_back({[combo, member](Exchange direction) {
        if (direction == Exchange::FromControls)
            *member = combo->currentIndex();
        else if (combo->currentIndex() != *member)
            combo->setCurrentIndex(*member < combo->count() ? *member : -1);
        return true;
    }});
}

QLineEdit *CDataExchange::Run(Exchange direction) const
{
    for (const Binding &binding : m_bindings) {
        if (!binding.move(direction))
            return binding.field;
    }
    return nullptr;
}

#include "ui/tri_state_check_box.h"

namespace quillset::ui {

TriStateCheckBox::TriStateCheckBox(QWidget* parent) : QCheckBox(parent) {
    setTristate(true);
    // Every change of the check state is a change of the value.
    connect(this, &QCheckBox::stateChanged, this, [this] { emit valueChanged(value()); });
}

int TriStateCheckBox::value() const {
    switch (checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

void TriStateCheckBox::setValue(int value) {
    switch (value) {
    case 0:
        setCheckState(Qt::Unchecked);
        break;
    case 1:
        setCheckState(Qt::Checked);
        break;
    case 2:
        setCheckState(Qt::PartiallyChecked);
        break;
    default:
        break;
    }
}

void TriStateCheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

} // namespace quillset::ui

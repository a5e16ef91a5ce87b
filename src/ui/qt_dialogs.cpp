#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace quillset::ui {

namespace {

// The buttons of a message box, the one Enter presses and the one Escape
// (and the close box) presses.
struct ButtonSet {
    QMessageBox::StandardButtons all;
    QMessageBox::StandardButton enter;
    QMessageBox::StandardButton escape;
};

ButtonSet buttonSet(Dialogs::Buttons buttons) {
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    case Dialogs::Buttons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case Dialogs::Buttons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case Dialogs::Buttons::YesNoCancel:
        // Escape writes nothing: it is Cancel, not No.
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                QMessageBox::Cancel};
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

Dialogs::Answer toAnswer(int clicked, Dialogs::Buttons buttons) {
    switch (clicked) {
    case QMessageBox::Ok:
        return Dialogs::Answer::Ok;
    case QMessageBox::Yes:
        return Dialogs::Answer::Yes;
    case QMessageBox::No:
        return Dialogs::Answer::No;
    case QMessageBox::Cancel:
        return Dialogs::Answer::Cancel;
    default:
        // Escape or the close box: the box's negative answer.
        return buttons == Dialogs::Buttons::YesNo ? Dialogs::Answer::No
               : buttons == Dialogs::Buttons::Ok  ? Dialogs::Answer::Ok
                                                  : Dialogs::Answer::Cancel;
    }
}

} // namespace

QWidget* QtDialogs::owner() const {
    return owner_ ? owner_.data() : QApplication::activeWindow();
}

Dialogs::Answer QtDialogs::message(const QString& text, const QString& title, Buttons buttons) {
    const ButtonSet set = buttonSet(buttons);
    QMessageBox box(QMessageBox::NoIcon, title, text, set.all, owner());
    box.setDefaultButton(set.enter);
    box.setEscapeButton(set.escape);
    return toAnswer(box.exec(), buttons);
}

QString QtDialogs::openFile(const QString& title, const QString& initialFolder) {
    QFileDialog dialog(owner(), title, initialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::saveFile(const QString& title, const QString& initialFolder) {
    QFileDialog dialog(owner(), title, initialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog itself asks before replacing a file; creating one is asked
    // here, and No returns to the dialog.
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().constFirst();
        if (QFileInfo::exists(path))
            return path;
        QMessageBox ask(QMessageBox::NoIcon, title,
                        QStringLiteral("%1\nThis file does not exist.\nDo you want to create it?")
                            .arg(QDir::toNativeSeparators(path)),
                        QMessageBox::Yes | QMessageBox::No, &dialog);
        ask.setDefaultButton(QMessageBox::No);
        ask.setEscapeButton(QMessageBox::No);
        const int create = ask.exec();
        if (create == QMessageBox::Yes)
            return path;
    }
    return {};
}

} // namespace quillset::ui

#pragma once
// Message boxes and file dialogs on Qt Widgets.

#include "editor/dialogs.h"

#include <QPointer>
#include <QWidget>

namespace quillset::ui {

class QtDialogs : public Dialogs {
public:
    // With no owner, dialogs belong to the application's active window.
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    Answer message(const QString& text, const QString& title, Buttons buttons) override;
    QString openFile(const QString& title, const QString& initialFolder) override;
    QString saveFile(const QString& title, const QString& initialFolder) override;

private:
    QWidget* owner() const;
    QPointer<QWidget> owner_;
};

} // namespace quillset::ui

#pragma once
// A Dialogs implementation for tests: answers from a script, in order, and
// records every question and dialog it was shown.

#include "editor/dialogs.h"

#include <QStringList>
#include <deque>
#include <stdexcept>
#include <vector>

namespace quillset::test {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Open, Save } kind;
        QString text; // message text; empty for file dialogs
        QString title;
        Buttons buttons = Buttons::Ok;
        QString initialFolder;
    };

    // Queue answers: message answers and file dialog results are separate queues.
    void answer(Answer a) { answers_.push_back(a); }
    void choose(const QString& path) { files_.push_back(path); } // empty = cancel

    Answer message(const QString& text, const QString& title, Buttons buttons) override {
        shown.push_back({Shown::Kind::Message, text, title, buttons, {}});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (answers_.empty())
            throw std::logic_error("unexpected question: " + text.toStdString());
        const Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    QString openFile(const QString& title, const QString& initialFolder) override {
        shown.push_back({Shown::Kind::Open, {}, title, Buttons::Ok, initialFolder});
        return nextFile();
    }
    QString saveFile(const QString& title, const QString& initialFolder) override {
        shown.push_back({Shown::Kind::Save, {}, title, Buttons::Ok, initialFolder});
        return nextFile();
    }

    bool exhausted() const { return answers_.empty() && files_.empty(); }

    std::vector<Shown> shown;

private:
    QString nextFile() {
        if (files_.empty())
            throw std::logic_error("unexpected file dialog");
        const QString path = files_.front();
        files_.pop_front();
        return path;
    }
    std::deque<Answer> answers_;
    std::deque<QString> files_;
};

} // namespace quillset::test

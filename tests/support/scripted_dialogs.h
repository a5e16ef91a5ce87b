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
        // A notice has only OK; a question must have been scripted.
        return buttons == Buttons::Ok ? Answer::Ok : next(answers_, "unexpected question: " + text);
    }
    QString openFile(const QString& title, const QString& initialFolder) override {
        shown.push_back({Shown::Kind::Open, {}, title, Buttons::Ok, initialFolder});
        return next(files_, "unexpected file dialog");
    }
    QString saveFile(const QString& title, const QString& initialFolder) override {
        shown.push_back({Shown::Kind::Save, {}, title, Buttons::Ok, initialFolder});
        return next(files_, "unexpected file dialog");
    }

    bool exhausted() const { return answers_.empty() && files_.empty(); }

    std::vector<Shown> shown;

private:
    template <class T> static T next(std::deque<T>& queue, const QString& error) {
        if (queue.empty())
            throw std::logic_error(error.toStdString());
        const T front = queue.front();
        queue.pop_front();
        return front;
    }
    std::deque<Answer> answers_;
    std::deque<QString> files_;
};

} // namespace quillset::test

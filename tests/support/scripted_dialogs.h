#pragma once
// Dialogs for tests: answers from a script, in order, and a record of every
// message and file dialog shown.

#include "editor/dialogs.h"

#include <deque>
#include <functional>
#include <vector>

namespace quillset::test {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Open, Save } kind;
        QString text, title, initialFolder; // no text for file dialogs
        Buttons buttons = Buttons::Ok;      // a message box's
    };

    // Message answers and file dialog results (empty: cancel) queue apart.
    void answer(Answer a) { answers_.push_back(a); }
    void choose(const QString& path) { files_.push_back(path); }
    bool exhausted() const { return answers_.empty() && files_.empty(); }

    Answer message(const QString& text, const QString& title, Buttons buttons) override {
        shown.push_back({Shown::Kind::Message, text, title, {}, buttons});
        if (whileShown)
            whileShown();
        return buttons == Buttons::Ok ? Answer::Ok : next(answers_); // a notice has only OK
    }
    QString openFile(const QString& title, const QString& initialFolder) override {
        shown.push_back({Shown::Kind::Open, {}, title, initialFolder});
        return next(files_);
    }
    QString saveFile(const QString& title, const QString& initialFolder) override {
        shown.push_back({Shown::Kind::Save, {}, title, initialFolder});
        return next(files_);
    }

    std::vector<Shown> shown;
    // Runs while a message box is open, as the user would take their time.
    std::function<void()> whileShown;

private:
    // A question nobody scripted fails the test instead of being guessed.
    template <class T> static T next(std::deque<T>& queue) {
        const T front = queue.at(0); // throws on a question nobody scripted
        queue.pop_front();
        return front;
    }
    std::deque<Answer> answers_;
    std::deque<QString> files_;
};

} // namespace quillset::test

#pragma once
// Services for widget tests: questions and file dialogs are answered from a
// script, and every text shown is recorded.
//
//     ScriptedServices services;
//     services.answers = {Answer::Yes};              // for the next questions, in order
//     services.openFiles = {"/tmp/a.sf"};            // std::nullopt: the dialog is cancelled
//     ... drive the dialog ...
//     EXPECT_EQ(services.texts(), QStringList{"Current file has changed. Save file?"});
//
// A question or file dialog that the script did not foresee fails the test and is
// answered with Cancel.

#include "ui/services.h"

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace quelvar {

struct ShownBox {
    enum Kind { Message, Error, YesNoCancel, Warning, OkCancel };
    Kind kind;
    QString text;
    QString caption;  // the save questions' caption
    QString detail;   // detail text of messages and errors
};

class ScriptedServices : public Services {
public:
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> openFiles;
    std::deque<std::optional<QString>> saveFiles;
    std::deque<std::optional<QString>> pdfFiles;
    std::deque<std::optional<QString>> textFiles;

    std::vector<ShownBox> shown;
    QStringList saveDialogInitialNames;
    QStringList helpShown;  // topic keywords, or "context:<number>"

    QStringList texts() const
    {
        QStringList result;
        for (const auto& box : shown)
            result << box.text;
        return result;
    }

    void message(const QString& text, const QString& detail = {}) override
    {
        shown.push_back({ShownBox::Message, text, {}, detail});
    }
    void error(const QString& text, const QString& detail = {}) override
    {
        shown.push_back({ShownBox::Error, text, {}, detail});
    }
    Answer askYesNoCancel(const QString& text, const QString& caption) override
    {
        shown.push_back({ShownBox::YesNoCancel, text, caption, {}});
        return nextAnswer(text);
    }
    bool warnYesNo(const QString& text) override
    {
        shown.push_back({ShownBox::Warning, text, {}, {}});
        return nextAnswer(text) == Answer::Yes;
    }
    bool askOkCancel(const QString& text, BoxIcon) override
    {
        shown.push_back({ShownBox::OkCancel, text, {}, {}});
        return nextAnswer(text) == Answer::Ok;
    }
    std::optional<QString> chooseOpenFile() override { return nextFile(openFiles, "open"); }
    std::optional<QString> chooseSaveFile(const QString& initialName) override
    {
        saveDialogInitialNames << initialName;
        return nextFile(saveFiles, "save");
    }
    std::optional<QString> choosePdfFile(const QString&) override
    {
        return nextFile(pdfFiles, "PDF");
    }
    std::optional<QString> chooseTextFile(const QString&) override
    {
        return nextFile(textFiles, "text");
    }
    void showHelp(const QString& topic) override { helpShown << topic; }
    void showHelpContext(int number) override { helpShown << QString("context:%1").arg(number); }

private:
    Answer nextAnswer(const QString& text)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << text.toStdString();
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    static std::optional<QString> nextFile(std::deque<std::optional<QString>>& files,
                                           const char* which)
    {
        if (files.empty()) {
            ADD_FAILURE() << "unscripted " << which << " dialog";
            return std::nullopt;
        }
        std::optional<QString> file;
        file.swap(files.front());
        files.pop_front();
        return file;
    }
};

}  // namespace quelvar

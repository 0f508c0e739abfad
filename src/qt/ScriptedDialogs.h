#pragma once
// TDialogs for tests: answers queued in advance, questions recorded. A question without a
// queued answer fails the test through `OnUnexpected` (by default it records and answers
// Cancel), so a prompt nobody expected cannot pass unnoticed.
#include "qt/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <variant>

class TScriptedDialogs : public TDialogs {
public:
    struct TFileAnswer {
        QStringList Files; // empty: cancelled
        int FilterIndex = 0; // 0: keep the request's
    };
    using TAnswer = std::variant<TDialogAnswer, bool, TFileAnswer>;

    TScriptedDialogs() : FPrevious(TDialogs::Install(this)) {}
    ~TScriptedDialogs() override { TDialogs::Install(FPrevious); }
    TScriptedDialogs(const TScriptedDialogs&) = delete;
    TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

    void Answer(TDialogAnswer a) { FAnswers.emplace_back(a); }
    void AnswerYesNo(bool yes) { FAnswers.emplace_back(yes); }
    void AnswerFiles(QStringList files, int filterIndex = 0)
    {
        FAnswers.emplace_back(TFileAnswer{std::move(files), filterIndex});
    }
    bool AllAnswered() const { return FAnswers.empty(); }

    // Everything asked or shown, in order ("message: …", "error: …", "ask: …", "open: …").
    QStringList Log;
    // The request the last file dialog got.
    TFileRequest LastRequest;
    int Unexpected = 0;

    void ShowMessage(QWidget*, const QString& text) override { Log << "message: " + text; }
    void ShowError(QWidget*, const QString& text) override { Log << "error: " + text; }
    TDialogAnswer AskYesNoCancel(QWidget*, const QString& text) override
    {
        Log << "ask: " + text;
        if (auto* a = Next<TDialogAnswer>())
            return *a;
        return TDialogAnswer::Cancel;
    }
    bool AskYesNo(QWidget*, const QString& text) override
    {
        Log << "askyesno: " + text;
        if (auto* a = Next<bool>())
            return *a;
        return false;
    }
    QStringList OpenFileNames(QWidget*, TFileRequest& request) override
    {
        Log << "open: " + request.FileName;
        return Files(request);
    }
    QString SaveFileName(QWidget*, TFileRequest& request) override
    {
        Log << "save: " + request.FileName;
        const QStringList files = Files(request);
        return files.isEmpty() ? QString() : files.first();
    }

private:
    template <class T>
    const T* Next()
    {
        if (FAnswers.empty() || !std::holds_alternative<T>(FAnswers.front())) {
            ++Unexpected;
            Log << "(no scripted answer)";
            return nullptr;
        }
        FCurrent = FAnswers.front();
        FAnswers.pop_front();
        return &std::get<T>(FCurrent);
    }
    QStringList Files(TFileRequest& request)
    {
        LastRequest = request;
        const TFileAnswer* a = Next<TFileAnswer>();
        if (a == nullptr)
            return {};
        if (a->FilterIndex > 0)
            request.FilterIndex = a->FilterIndex;
        return a->Files;
    }

    TDialogs* FPrevious;
    std::deque<TAnswer> FAnswers;
    TAnswer FCurrent;
};

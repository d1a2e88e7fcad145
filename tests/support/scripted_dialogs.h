#pragma once

#include "core/files/dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

// The test double of the message-box seam: every box is recorded and answered from a script;
// a box the script did not expect is a failure (see errors()).
class ScriptedDialogs : public Dialogs
{
public:
    struct Input {
        QString prompt;
        QString title;
        QString preset;
        Preset use = Preset::Replace;
    };

    // The next box must have this title (and, when text is not null, this text), icon,
    // buttons and default button; it is answered with answer.
    void expect(const QString &title, const QString &text, Icon icon, Buttons buttons, Answer defaultButton,
                Answer answer = Answer::Ok);
    void expectInformation(const QString &title, const QString &text = QString());
    void expectWarning(const QString &title, const QString &text = QString());
    // The next input box must have this title; it is answered with answer ("" for Cancel).
    void expectInput(const QString &title, const QString &answer);

    // Answer every box OK and every input box with "" instead of failing on it.
    void setLenient(bool lenient) { m_lenient = lenient; }
    // Called for every box before it is answered (to look at the screens at that moment).
    std::function<void(const Box &)> onMessage;

    Answer message(const Box &box) override;
    QString input(const QString &prompt, const QString &title, const QString &preset,
                  Preset use = Preset::Replace) override;
    void beep() override { ++m_beeps; }
    // Answered as an input box of that title (expectInput).
    QString chooseFile(const QString &title, const QString &preset, const QString &, FileUse) override
    {
        return input(preset, title, preset);
    }

    const QList<Box> &shown() const { return m_shown; }
    const QList<Input> &inputs() const { return m_inputs; }
    QStringList titles() const;
    int beeps() const { return m_beeps; }
    // Failures: unexpected boxes, mismatches, and expected boxes that never came.
    QStringList errors() const;
    bool allShown() const { return m_script.isEmpty(); }
    void clear();

private:
    struct Step {
        bool isInput = false;
        Box box;
        bool checkText = false;
        Answer answer = Answer::Ok;
        QString inputAnswer;
    };
    QList<Step> m_script;
    QList<Box> m_shown;
    QList<Input> m_inputs;
    QStringList m_errors;
    bool m_lenient = false;
    int m_beeps = 0;
};

// "QVERIFY2(dialogs.errors().isEmpty(), ...)" in one line.
#define VERIFY_DIALOGS(d) QVERIFY2((d).errors().isEmpty(), qPrintable((d).errors().join(u'\n')))
